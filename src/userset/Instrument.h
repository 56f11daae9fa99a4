#pragma once

#include "ObjectRegistry.h"

#include "CutCoag.h"

#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QString>

class InstrumentDefinition;
class ProgramLevel;
class UserSet;

/// One instrument slot of a program level, or a sub-instrument of one, with
/// its cut and coag settings and its activation.
class Instrument : public QObject, public RegisteredNode<Instrument>
{
    Q_OBJECT
public:
    static constexpr const char *kRegistryName = "Instrument";
    static constexpr int kFirstId = 5000;

    /// Activation bits; 2, 4, 8, 16 and 32 exclude one another.
    enum ActivationBit {
        ActivationHand = 1,
        ActivationOneFoot = 2,
        ActivationTwoFoot = 4,
        ActivationTwoFootCut = 8,
        ActivationTwoFootCoag = 16,
        ActivationAutostart = 32,
        ActivationAutostop = 64,
    };
    static constexpr quint32 kExclusiveBits
        = ActivationOneFoot | ActivationTwoFoot | ActivationTwoFootCut | ActivationTwoFootCoag | ActivationAutostart;

    /// A registered instrument takes a fresh id; a clone takes none and is
    /// never found through findById.
    explicit Instrument(ProgramLevel *level = nullptr, bool asClone = false);
    ~Instrument() override;



    QString name() const { return m_name; }
    void setName(const QString &name);
    QString instrumentType() const { return m_instrumentType; }
    void setInstrumentType(const QString &type);
    QString datensatznummer() const { return m_datensatznummer; }
    void setDatensatznummer(const QString &number);

    const CutCoag &coag() const { return m_coag; }
    CutCoag &coag() { return m_coag; }
    const CutCoag &cut() const { return m_cut; }
    CutCoag &cut() { return m_cut; }

    QString parentInstrumentId() const { return m_parentInstrumentId; }
    bool isSubInstrument() const { return !m_parentInstrumentId.isEmpty(); }
    Instrument *parentInstrument() const { return m_parentInstrument; }
    const QList<Instrument *> &subInstruments() const { return m_subInstruments; }
    /// Takes ownership and marks the instrument as this one's sub-instrument.
    void appendSubInstrument(Instrument *sub);
    void removeSubInstrumentAt(int index);
    Instrument *subInstrumentByDatensatznummer(const QString &number) const;

    bool isMarkedForDelete() const { return m_markedForDelete; }
    void setMarkedForDelete(bool marked);

    ProgramLevel *level() const { return m_level; }
    void setLevel(ProgramLevel *level);
    UserSet *userSet() const;

    QString evxRate() const { return m_evxRate; }
    bool evxOn() const { return m_evxOn; }
    void setEvx(const QString &rate, bool on);
    QString irxRate() const { return m_irxRate; }
    bool irxOn() const { return m_irxOn; }
    void setIrx(const QString &rate, bool on);

    QString aliasType() const { return m_aliasType; }
    QString aliasName() const { return m_aliasName; }
    void setAlias(const QString &type, const QString &name);
    /// The alias type when there is one, else the type.
    QString effectiveType() const;
    QString effectiveName() const;
    /// The catalogue entry of the effective type, or null.
    const InstrumentDefinition *definition() const;

    quint32 activation() const { return m_activation; }
    void setActivation(quint32 bits);
    bool hasActivation(ActivationBit bit) const { return (m_activation & bit) != 0; }
    /// Switches one activation type on or off by its catalogue identifier.
    bool setActivationType(const QString &identifier, bool on);
    /// The bits that the two activation sources of a file stand for.
    void deriveActivation();
    /// What the bits mean in a file: the two activation sources and the coag
    /// autostop (unchanged unless the coag mode is an autostop mode).
    struct Sources
    {
        QString cut;
        QString coag;
        QString autostop;
    };
    Sources activationSources() const;
    /// Stores the sources and the autostop that the bits stand for.
    void applyActivationToSources();

    /// Copies every value (the id too); with `asClone` the children become
    /// fresh clones, else they are restored from the source's children.
    bool copy(const Instrument &source, bool asClone);
    Instrument *clone() const;
    /// A registered deep copy with fresh ids.
    Instrument *duplicate(ProgramLevel *level) const;

    /// Notifies the views; every change also marks the user set modified.
    void touch(int row = -1);

signals:
    void dataChanged(int row);
    void dataChanged();

private:
    /// Takes over the source's id and values (restoring from a clone).
    void copyValues(const Instrument &source);
    /// The values alone; the id and the registry entry stay this node's.
    void copyFields(const Instrument &source);

    QString m_name;
    QString m_instrumentType;
    QString m_datensatznummer = QStringLiteral("0");
    CutCoag m_coag { CutCoag::Coag };
    CutCoag m_cut { CutCoag::Cut };
    QString m_parentInstrumentId;
    Instrument *m_parentInstrument = nullptr;
    QList<Instrument *> m_subInstruments;
    bool m_markedForDelete = false;
    ProgramLevel *m_level = nullptr;
    QString m_evxRate = QStringLiteral("60");
    bool m_evxOn = false;
    QString m_irxRate = QStringLiteral("0");
    bool m_irxOn = false;
    QString m_aliasType;
    QString m_aliasName;
    quint32 m_activation = 0;
};
