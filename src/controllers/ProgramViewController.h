#pragma once

#include <QtCore/QHash>
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>

class Instrument;
class InstrumentListModel;
class ModeListModel;
class ProgramGroup;
class ProgramLevel;
class QQmlContext;
class StringListModel;
class TranslationService;
class UserProgram;
class UserSet;
class UserSetStorage;

/// The program editor: the levels of one user program, their instruments and
/// sub-instruments, and each instrument's modes, effects, EVX, IRX and
/// activation. It edits the store's tree in place; keeping or discarding the
/// edits belongs to the Copy controller.
class ProgramViewController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isAddProgramLevelEnabled READ isAddProgramLevelEnabled NOTIFY isAddProgramLevelEnabledChanged)
    Q_PROPERTY(bool isAddInstrumentEnabled READ isAddInstrumentEnabled NOTIFY isAddInstrumentEnabledChanged)
    Q_PROPERTY(QString programName READ programName NOTIFY programNameChanged)
    Q_PROPERTY(QString LAST_ELEMENT READ lastElement CONSTANT)

public:
    static constexpr int kMaxProgramLevels = 6;

    ProgramViewController(
        QQmlContext *context, UserSetStorage *storage, TranslationService *translation, QObject *parent = nullptr);
    ~ProgramViewController() override;

    /// Publishes the level list as "ProgramLevelList".
    void publish(QQmlContext *context);

    bool isAddProgramLevelEnabled() const { return m_addProgramLevelEnabled; }
    bool isAddInstrumentEnabled() const { return m_addInstrumentEnabled; }
    QString lastElement() const { return QStringLiteral("LAST_ELEMENT"); }
    StringListModel *programLevelList() const { return m_programLevels; }

    // Selection and names
    Q_INVOKABLE void processProgramSelection(
        const QString &userSetId, const QString &programGroupId, const QString &userProgramId);
    Q_INVOKABLE QString getUserSetId() const { return m_userSetId; }
    Q_INVOKABLE QString getProgramGroupId() const { return m_programGroupId; }
    Q_INVOKABLE QString getUserProgramId() const { return m_userProgramId; }
    Q_INVOKABLE QString getProgramGroupName() const;
    Q_INVOKABLE QString getProgramGroupBitmap() const;
    Q_INVOKABLE QString programName() const;
    Q_INVOKABLE void renameProgram(const QString &programName);
    /// At most `maxSize` characters; a cut text ends in "..." where that fits.
    Q_INVOKABLE QString limitTextSize(const QString &text, int maxSize) const;

    // Levels
    Q_INVOKABLE int getNumberOfProgramlevels() const;
    Q_INVOKABLE void addProgramLevel(const QString &programLevelName);
    Q_INVOKABLE void deleteProgramLevel(const QString &programLevelId);
    Q_INVOKABLE void markForDeleteProgramLevel(const QString &programLevelId, bool isMarkedForDelete, int row);
    Q_INVOKABLE void renameProgramLevel(const QString &programLevelId, const QString &programLevelName, int row);
    Q_INVOKABLE void swapProgramLevels(
        const QString &userProgramId, const QString &programLevelId1, const QString &programLevelId2);
    Q_INVOKABLE InstrumentListModel *getInstrumentListForLevel(const QString &programLevelId);

    // Instruments
    Q_INVOKABLE void addInstrument(
        const QString &instrumentType, const QString &instrumentName, int row, int programLevelIndex);
    Q_INVOKABLE void addSubInstrumentToInstrument(
        const QString &instrumentType, const QString &instrumentName, const QString &parentInstrumentId, int row);
    Q_INVOKABLE void deleteInstrument(const QString &instrumentId);
    Q_INVOKABLE void markForDeleteInstrument(const QString &instrumentId, bool isMarkedForDelete, int row);
    Q_INVOKABLE void renameInstrument(
        const QString &instrumentId, const QString &name, bool changeAllSubprograms = true);
    Q_INVOKABLE void setInstrumentType(
        const QString &instrumentId, const QString &type, bool changeAllSubprograms = true);
    Q_INVOKABLE void swapInstruments(
        const QString &programLevelId, const QString &instrumentId1, const QString &instrumentId2);
    Q_INVOKABLE QString getInstrumentName(const QString &instrumentId) const;
    Q_INVOKABLE QString getInstrumentNameCheckingSubprograms(const QString &instrumentId, const QString &type) const;
    Q_INVOKABLE InstrumentListModel *getSubInstrumentListForInstrument(const QString &instrumentIdRole);
    /// The ids of the instrument's sub-instruments.
    Q_INVOKABLE QStringList getListOfSubinstruments(const QString &parentInstrumentId) const;
    Q_INVOKABLE bool subInstrumentAddButtonEnabled(const QString &instrumentIdRole) const;

    // Catalogue questions
    Q_INVOKABLE StringListModel *getMonoInstrumentsCatalog();
    Q_INVOKABLE StringListModel *getBipoInstrumentCatalog();
    Q_INVOKABLE StringListModel *getSubInstrumentCatalog(const QString &parentInstrumentTyp);
    Q_INVOKABLE StringListModel *getNonIOSKInstrumentsModel(bool isMono);
    /// The instrument types without the IOSK flag.
    Q_INVOKABLE QStringList getNonIOSKInstrumentsList(bool isMono) const;
    Q_INVOKABLE bool hasSubInstrument(const QString &instrumentType) const;
    Q_INVOKABLE bool isParentInstrument(const QString &instrumentIdRole) const;
    Q_INVOKABLE bool isSubInstrument(const QString &instrumentType, const QString &instrumentId) const;
    Q_INVOKABLE bool isIOSKInstrument(const QString &instrumentId) const;
    Q_INVOKABLE bool isMonopolar(const QString &instrumentType) const;
    Q_INVOKABLE bool isMonopolarId(const QString &instrumentId) const;
    Q_INVOKABLE bool isBipolar(const QString &instrumentType) const;

    // Modes, effects and switches
    Q_INVOKABLE StringListModel *getCutModes(const QString &instrumentId);
    Q_INVOKABLE void setCurrentCutMode(const QString &instrumentId, const QString &cutModeId, int row);
    Q_INVOKABLE StringListModel *getCoagModes(const QString &instrumentId);
    Q_INVOKABLE void setCurrentCoagMode(const QString &instrumentId, const QString &coagModeId, int row);
    Q_INVOKABLE void setCutEffect(
        const QString &instrumentId, const QString &cutModeId, int effectIndex, const QVariant &effectValue, int row);
    Q_INVOKABLE void setCoagEffect(
        const QString &instrumentId, const QString &coagModeId, int effectIndex, const QVariant &effectValue, int row);
    Q_INVOKABLE StringListModel *getEvxValues(const QString &instrumentId);
    Q_INVOKABLE int getEvxMenuSelectedIndex(const QString &instrumentId) const;
    Q_INVOKABLE void setEvxValue(const QString &instrumentId, const QString &evxValueId);
    Q_INVOKABLE void setEvxEnabled(const QString &instrumentId, bool evxEnabled, int row);
    Q_INVOKABLE StringListModel *getIrxValues(const QString &instrumentId);
    Q_INVOKABLE void setIrxValue(const QString &instrumentId, const QString &irxValueId);
    Q_INVOKABLE void setIrxEnabled(const QString &instrumentId, bool irxEnabled, int row);
    Q_INVOKABLE StringListModel *getActivationMenuItems(const QString &instrumentId);
    Q_INVOKABLE void setActivationModeSelected(
        const QString &instrumentId, const QString &activationId, bool isActivation, int row);

    // The mode edit
    Q_INVOKABLE ModeListModel *getModeModel() const { return m_modeModel; }
    Q_INVOKABLE void editBegin(const QString &instrumentId, const QString &modeId, int indexItem);
    Q_INVOKABLE void editCancel();
    Q_INVOKABLE bool editSave();
    Q_INVOKABLE void setupImEventFilter(QObject *item);

    /// Rebuilds the translated menus and lists.
    void onLanguageChanged(const QString &newLanguage);

public slots:
    void userHasLoggedOut();

signals:
    void isAddProgramLevelEnabledChanged(bool isAddProgramLevelEnabled);
    void isAddInstrumentEnabledChanged(bool isAddInstrumentEnabled);
    void programNameChanged();
    /// The program went away under the editor (its set was replaced or
    /// deleted); the page leaves the editor.
    void programClosed();

private:
    UserSet *currentSet() const;
    ProgramGroup *currentGroup() const;
    UserProgram *currentProgram() const;
    /// An instrument of the current program; null (with the registry's
    /// warning) for an unknown id, silently for one of another program.
    Instrument *instrument(const QString &instrumentId) const;
    ProgramLevel *level(const QString &programLevelId) const;
    /// The instrument and its counterparts at the same slot of the other
    /// levels (or the instrument alone).
    QList<Instrument *> slotsOf(Instrument *instrument, bool allLevels) const;
    void markModified();
    void rebuildLevels();
    void rebuildInstrumentModels();
    /// Repaints every level's and sub-instrument list after a change.
    void refreshInstrumentModels();
    void updateAddEnabled();
    void closeProgram(bool notify);
    void onUserSetRemoved(const QString &userSetId);
    /// A save drops marked elements: the lists follow the tree.
    void onModifiedChanged(bool modified);
    StringListModel *refill(StringListModel *&model);
    InstrumentListModel *newInstrumentModel();
    void retire(InstrumentListModel *model);
    /// Takes the effect of a sibling that already works in COAG_M6.
    void adoptCoagM6(Instrument *instrument) const;
    /// Holds the instrument's modes to what its catalogue entry allows.
    void conformToCatalogue(Instrument *instrument) const;
    bool setEffect(const QString &function, const QString &instrumentId, const QString &modeId, int effectIndex,
        const QVariant &effectValue, bool isCut, int row);

    QPointer<UserSet> m_set;
    UserSetStorage *m_storage;
    TranslationService *m_translation;
    QString m_userSetId;
    QString m_programGroupId;
    QString m_userProgramId;
    bool m_addProgramLevelEnabled = true;
    bool m_addInstrumentEnabled = true;

    StringListModel *m_programLevels;
    // One model per level, by level id; replaced ones go with deleteLater so
    // that a scene still bound to them sees them until its next frame.
    QHash<QString, InstrumentListModel *> m_instrumentModels;
    QHash<QString, InstrumentListModel *> m_subInstrumentModels;

    // Menus are refilled in place: a scene that binds one keeps a live object.
    StringListModel *m_monoCatalogue = nullptr;
    StringListModel *m_bipoCatalogue = nullptr;
    StringListModel *m_subCatalogue = nullptr;
    StringListModel *m_nonIoskModel = nullptr;
    StringListModel *m_cutModes = nullptr;
    StringListModel *m_coagModes = nullptr;
    StringListModel *m_evxValues = nullptr;
    StringListModel *m_irxValues = nullptr;
    StringListModel *m_activationItems = nullptr;

    // The open mode edit.
    ModeListModel *m_modeModel;
    QString m_editInstrumentId;
    QString m_editModeId;
    bool m_editIsCut = false;
    int m_editRow = -1;
};
