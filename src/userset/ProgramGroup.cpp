#include "ProgramGroup.h"

#include "InstrumentConfiguration.h"
#include "ObjectRegistry.h"
#include "TreeCopy.h"
#include "UserProgram.h"
#include "UserSet.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QSet>

namespace UniqueName {

QString make(const QString &requested, const QString &currentName, const QStringList &siblingNames,
    const QString &defaultText, bool keepName, bool force)
{
    QString name = requested;
    if (name.isEmpty())
        name = keepName ? currentName : defaultText + QString::number(siblingNames.size() + 1);
    if (name == currentName && !force)
        return name;
    const QSet<QString> taken(siblingNames.cbegin(), siblingNames.cend());
    QString candidate = name;
    for (int suffix = 2; taken.contains(candidate); ++suffix)
        candidate = name + QString::number(suffix);
    return candidate;
}

} // namespace UniqueName

ProgramGroup::ProgramGroup(UserSet *userSet, bool asClone)
    : RegisteredNode(asClone)
    , m_userSet(userSet)
{
}

ProgramGroup::~ProgramGroup()
{
    qDeleteAll(m_programs);
}

QString ProgramGroup::defaultName()
{
    return QCoreApplication::translate("ProgramGroup", "Neue Programmgruppe");
}

QString ProgramGroup::getPictogramImage() const
{
    return InstrumentConfiguration::instance()->getPictogramImage(m_pictogramIdentifier);
}

void ProgramGroup::appendProgram(UserProgram *program)
{
    program->setGroup(this);
    m_programs.append(program);
}

void ProgramGroup::insertProgram(int index, UserProgram *program)
{
    program->setGroup(this);
    if (index < 0 || index > m_programs.size())
        index = int(m_programs.size());
    m_programs.insert(index, program);
}

bool ProgramGroup::swapPrograms(int first, int second)
{
    const int count = int(m_programs.size());
    if (first < 0 || second < 0 || first >= count || second >= count)
        return false;
    m_programs.swapItemsAt(first, second);
    return true;
}

bool ProgramGroup::moveProgramToEnd(int index)
{
    if (index < 0 || index >= m_programs.size())
        return false;
    m_programs.append(m_programs.takeAt(index));
    return true;
}

bool ProgramGroup::moveProgram(int from, int before)
{
    if (from < 0 || from >= m_programs.size())
        return false;
    if (before < 0 || before > m_programs.size())
        before = int(m_programs.size());
    UserProgram *program = m_programs.takeAt(from);
    m_programs.insert(before > from ? before - 1 : before, program);
    return true;
}

int ProgramGroup::indexOfProgram(const QString &programId) const
{
    for (int i = 0; i < m_programs.size(); ++i) {
        if (m_programs.at(i)->id() == programId)
            return i;
    }
    return -1;
}

void ProgramGroup::removeProgramAt(int index)
{
    if (index >= 0 && index < m_programs.size())
        delete m_programs.takeAt(index);
}

QString ProgramGroup::makeUniqueProgramName(
    const UserProgram *program, const QString &name, bool keepName, bool force) const
{
    QStringList names;
    for (const UserProgram *sibling : m_programs)
        names.append(sibling->name());
    return UniqueName::make(
        name, program ? program->name() : QString(), names, UserProgram::defaultName(), keepName, force);
}

bool ProgramGroup::copy(const ProgramGroup &source, bool asClone)
{
    changeId(source.m_id);
    m_name = source.m_name;
    m_lastUsedProgram = source.m_lastUsedProgram;
    m_pictogramIdentifier = source.m_pictogramIdentifier;
    m_markedForDelete = source.m_markedForDelete;
    m_isClone = asClone;
    return copyTreeChildren(m_programs, source.m_programs, asClone, this, "ProgramGroup::copy");
}

ProgramGroup *ProgramGroup::duplicate(UserSet *set) const
{
    auto *copied = new ProgramGroup(set, false);
    copied->m_name = m_name;
    copied->m_lastUsedProgram = m_lastUsedProgram;
    copied->m_pictogramIdentifier = m_pictogramIdentifier;
    copied->m_markedForDelete = m_markedForDelete;
    for (const UserProgram *program : m_programs)
        copied->m_programs.append(program->duplicate(copied));
    return copied;
}
