#pragma once

#include "ObjectRegistry.h"

#include <QtCore/QList>
#include <QtCore/QString>

class Instrument;
class ProgramGroup;
class ProgramLevel;
class UserSet;

/// One user program: its levels, each holding the same instrument slots.
/// Operations on a slot reach the slot at that position in every level.
class UserProgram : public RegisteredNode<UserProgram>
{
public:
    static constexpr const char *kRegistryName = "UserProgram";
    static constexpr int kFirstId = 3000;

    static constexpr int kMaxLevels = 6;
    static constexpr int kMaxInstruments = 6;

    explicit UserProgram(ProgramGroup *group = nullptr, bool asClone = false);
    ~UserProgram();
    UserProgram(const UserProgram &) = delete;
    UserProgram &operator=(const UserProgram &) = delete;

    static QString defaultName();
    static QString defaultSubProgramName();

    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    QString neonatalueberwachung() const { return m_neonatalueberwachung; }
    void setNeonatalueberwachung(const QString &value) { m_neonatalueberwachung = value; }
    bool isMarkedForDelete() const { return m_markedForDelete; }
    void setMarkedForDelete(bool marked) { m_markedForDelete = marked; }
    ProgramGroup *group() const { return m_group; }
    void setGroup(ProgramGroup *group) { m_group = group; }
    UserSet *userSet() const;

    const QList<ProgramLevel *> &levels() const { return m_levels; }
    /// Takes ownership.
    void appendLevel(ProgramLevel *level);
    void removeLevelAt(int index);
    /// Takes ownership; an index outside the list appends.
    void insertLevel(int index, ProgramLevel *level);
    /// Moves the level at `from` before the level now at `before` (the end when outside).
    bool moveLevel(int from, int before);
    bool swapLevels(int first, int second);
    int indexOfLevel(const QString &levelId) const;
    /// Drops the marked levels, keeping at least one: a program without
    /// levels is not a program the generator can run.
    void removeMarkedLevels();

    /// True while a further instrument slot fits.
    bool isAddInstrumentEnabled() const;

    /// Appends a new slot of `type` at the end of every level.
    void addInstrument(const QString &type, const QString &name);
    /// Adds a sub-instrument of `type` under the instrument's slot in every level.
    bool addAdditionalSubInstrument(const QString &instrumentId, const QString &type, const QString &name = QString());
    bool deleteInstrument(const QString &instrumentId);
    bool markForDeleteInstrument(const QString &instrumentId, bool mark);
    bool renameInstrument(const QString &instrumentId, const QString &name);
    bool renameInstrumentOnPositionInProgramlevel(int level, int position, const QString &name);
    bool renameInstrumentsOnPosition(int position, const QString &name);
    bool setAliasType(const QString &instrumentId, const QString &aliasType, const QString &aliasName);
    bool setAliasTypeOnPositionInProgramlevel(
        int level, int position, const QString &aliasType, const QString &aliasName);
    bool setTypeAndDeleteAlias(int position, const QString &type);
    /// Exchanges two slots in every level.
    bool swapInstrumentsOnPosition(int first, int second);
    /// Moves a slot to the end of every level.
    bool moveInstrumentToEndOnPosition(int position);

    bool copy(const UserProgram &source, bool asClone);
    UserProgram *duplicate(ProgramGroup *group) const;

private:
    void markModified();
    /// The slot position and, for a sub-instrument, its index under the slot.
    bool locate(const QString &instrumentId, const char *functionName, int &position, int &subIndex) const;
    /// The instrument at `position` of a level, or null with the error logged.
    Instrument *slotOf(ProgramLevel *level, int position, const char *functionName) const;

    QString m_name;
    QString m_neonatalueberwachung = QStringLiteral("AUS");
    bool m_markedForDelete = false;
    QList<ProgramLevel *> m_levels;
    ProgramGroup *m_group = nullptr;
};
