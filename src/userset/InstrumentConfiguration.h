#pragma once

#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QMap>
#include <QtCore/QObject>
#include <QtCore/QPair>
#include <QtCore/QSet>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>

#include <memory>
#include <vector>

class Instrument;
class InstrumentDefinition;
class ModeData;
class ModeType;

/// One row of a catalogue list handed to the views: identifier, text, image
/// and, for activation types, whether the instrument uses it.
struct CatalogueEntry
{
    QString identifier;
    QString text;
    QString image;
    bool checked = false;
};

/// The process-wide instrument catalogue: instrument types, modes with their
/// display names and descriptors, activation types and rules, and the
/// program-group disciplines with their pictograms.
class InstrumentConfiguration : public QObject
{
    Q_OBJECT
public:
    enum EMode {
        CUT_AUS,
        CUT_M1,
        CUT_M2,
        CUT_M3,
        CUT_M4,
        CUT_M5,
        CUT_M6,
        CUT_M7,
        CUT_M8,
        COAG_AUS,
        COAG_M1,
        COAG_M2,
        COAG_M3,
        COAG_M4,
        COAG_M5,
        COAG_M6,
        COAG_M7,
        COAG_M8,
        COAG_M9,
        COAG_M10,
        COAG_M11,
        COAG_M12,
        COAG_M13,
        COAG_M14,
        COAG_M15
    };
    Q_ENUM(EMode)

    /// One catalogue group: the instrument type and its keys in file order.
    using Group = QPair<QString, QList<QPair<QString, QVariant>>>;

    static InstrumentConfiguration *instance();
    ~InstrumentConfiguration() override;

    /// Rebuilds the definitions from an encrypted catalogue file; an
    /// unreadable file leaves the catalogue empty.
    bool initializeInstrumentCatalog(const QString &filePath);
    /// The same from the readable "[Group]" / "key=value" text.
    bool initializeInstrumentCatalogFromText(const QByteArray &text);
    /// The same from groups in file order.
    void initializeInstrumentCatalogFromGroups(const QList<Group> &groups);

    /// "Deutsch" or "de" selects the German names.
    void setUserInterfaceLanguage(const QString &language);
    bool isGerman() const { return m_german; }

    /// The definition of a type, or null ("Nothing" silently, else with an error line).
    const InstrumentDefinition *getInstrumentDefinition(const QString &instrumentType) const;
    /// The definition of a type, or null, without a log line.
    const InstrumentDefinition *findInstrumentDefinition(const QString &instrumentType) const;
    const InstrumentDefinition *getInstrumentDefinitionByDatensatznummer(const QString &number) const;
    int definitionCount() const { return int(m_definitions.size()); }
    QStringList instrumentTypes() const;

    /// The mode's value of the enumeration, or -1.
    static int modeFromKey(const QString &mode);
    static bool isArgonMode(const QString &mode);
    static bool isCutMode(const QString &mode);
    static bool isCoagMode(const QString &mode);
    QString getModeDisplayName(const QString &mode, bool argon = false) const;
    int getModeParameterCount(const QString &mode) const;
    /// Parameter `index` (0 is parameter 1) of a mode entry; "?" beyond the
    /// mode's parameters, empty for COAG_AUS.
    QString getModeParameterValue(const ModeType &entry, int index) const;
    QString getModeValuesString(const ModeType &entry) const;
    QList<ModeData *> getModeDataList(const QString &mode) const;
    const QStringList &cutModeList() const { return m_cutModes; }
    /// The sixteen descriptors, cut ones first.
    const QList<ModeData *> &modeDescriptors() const { return m_descriptors; }
    static const QStringList &autostartModes();
    static const QStringList &autostopModes();
    bool isAutostartMode(const QString &mode) const { return autostartModes().contains(mode); }
    bool isAutostopMode(const QString &mode) const { return autostopModes().contains(mode); }

    static const QStringList &activationIdentifiers();
    /// The bit of an activation identifier; 0 for no-activation or unknown ones.
    static quint32 activationBit(const QString &identifier);
    static QString activationImage(const QString &identifier, bool white);
    /// The activation types the instrument may use, with the set ones checked.
    QList<CatalogueEntry> getActivationTypes(const Instrument *instrument) const;
    /// One white image per set bit, or the no-activation image.
    QStringList getActivationImages(const Instrument *instrument) const;
    bool isPreventAutostartType(const QString &type) const { return m_preventAutostartTypes.contains(type); }
    bool isHideAutostopType(const QString &type) const { return m_hideAutostopTypes.contains(type); }
    bool isPreventFootSwitchType(const QString &type) const { return m_preventFootSwitchTypes.contains(type); }

    /// Top-level types for the editor, monopolar ones and the others.
    QList<CatalogueEntry> monopolarInstruments() const;
    QList<CatalogueEntry> otherInstruments() const;
    const QList<const InstrumentDefinition *> &ioskDefinitions() const { return m_ioskDefinitions; }
    const QList<const InstrumentDefinition *> &nonIoskDefinitions() const { return m_nonIoskDefinitions; }

    /// Gives a new instrument the catalogue's name, number and default settings.
    void initializeInstrument(Instrument *instrument, const QString &type, const InstrumentDefinition *def) const;

    /// The disciplines: identifier, text in the interface language, pictogram image.
    QList<CatalogueEntry> programGroupCatalogue() const;
    QString getProgramGroupText(const QString &identifier) const;
    QString getProgramGroupPictogram(const QString &identifier) const;
    QList<CatalogueEntry> pictogramList() const;
    QString getPictogramImage(const QString &pictogram) const;

signals:
    void catalogueChanged();

private:
    InstrumentConfiguration();
    void buildModeTables();
    void clearDefinitions();
    void rebuildLists();
    QList<CatalogueEntry> instrumentList(bool monopolar) const;

    bool m_german = false;
    QList<ModeData *> m_descriptors;
    QHash<QString, QList<ModeData *>> m_modeData;
    QStringList m_cutModes;
    std::vector<std::unique_ptr<InstrumentDefinition>> m_definitions;
    QHash<QString, InstrumentDefinition *> m_byType;
    QHash<QString, InstrumentDefinition *> m_byNumber;
    QList<const InstrumentDefinition *> m_ioskDefinitions;
    QList<const InstrumentDefinition *> m_nonIoskDefinitions;
    QList<const InstrumentDefinition *> m_topLevel;
    QSet<QString> m_preventAutostartTypes;
    QSet<QString> m_hideAutostopTypes;
    QSet<QString> m_preventFootSwitchTypes;
};
