#pragma once

#include "ObjectRegistry.h"

#include <QtCore/QList>
#include <QtCore/QString>

class UserProgram;
class UserSet;

/// A program group of a user set: a discipline with its pictogram and programs.
class ProgramGroup : public RegisteredNode<ProgramGroup>
{
public:
    static constexpr const char *kRegistryName = "ProgramGroup";
    static constexpr int kFirstId = 2000;

    static constexpr int kMaxPrograms = 15;

    explicit ProgramGroup(UserSet *userSet = nullptr, bool asClone = false);
    ~ProgramGroup();
    ProgramGroup(const ProgramGroup &) = delete;
    ProgramGroup &operator=(const ProgramGroup &) = delete;

    static QString defaultName();

    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    QString lastUsedProgram() const { return m_lastUsedProgram; }
    void setLastUsedProgram(const QString &name) { m_lastUsedProgram = name; }
    QString pictogramIdentifier() const { return m_pictogramIdentifier; }
    void setPictogramIdentifier(const QString &identifier) { m_pictogramIdentifier = identifier; }
    /// The image of the pictogram, the neutral one for an unknown identifier.
    QString getPictogramImage() const;
    bool isMarkedForDelete() const { return m_markedForDelete; }
    void setMarkedForDelete(bool marked) { m_markedForDelete = marked; }
    UserSet *userSet() const { return m_userSet; }
    void setUserSet(UserSet *set) { m_userSet = set; }

    const QList<UserProgram *> &programs() const { return m_programs; }
    /// Takes ownership.
    void appendProgram(UserProgram *program);
    void removeProgramAt(int index);
    /// Takes ownership; an index outside the list appends.
    void insertProgram(int index, UserProgram *program);
    /// Exchanges two programs; false when an index is invalid.
    bool swapPrograms(int first, int second);
    /// Moves a program to the end of the group.
    bool moveProgramToEnd(int index);
    /// Moves the program at `from` before the program now at `before` (the end when outside).
    bool moveProgram(int from, int before);
    int indexOfProgram(const QString &programId) const;

    /// A name no other program of this group bears (see UserSet::makeUniqueProgramGroupName).
    QString makeUniqueProgramName(const UserProgram *program, const QString &name, bool keepName, bool force) const;

    bool copy(const ProgramGroup &source, bool asClone);
    ProgramGroup *duplicate(UserSet *set) const;

private:
    QString m_name;
    QString m_lastUsedProgram;
    QString m_pictogramIdentifier = QStringLiteral("NEUTRAL");
    bool m_markedForDelete = false;
    QList<UserProgram *> m_programs;
    UserSet *m_userSet = nullptr;
};

namespace UniqueName {
/// The shared naming rule of groups and programs.
QString make(const QString &requested, const QString &currentName, const QStringList &siblingNames,
    const QString &defaultText, bool keepName, bool force);
} // namespace UniqueName
