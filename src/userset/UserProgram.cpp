#include "UserProgram.h"

#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "InstrumentDefinition.h"
#include "ObjectRegistry.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "TreeCopy.h"
#include "UserSet.h"

#include <QtCore/QCoreApplication>

namespace {

QString functionName(const char *name)
{
    return QStringLiteral("UserProgram::") + QLatin1String(name);
}

} // namespace

UserProgram::UserProgram(ProgramGroup *group, bool asClone)
    : RegisteredNode(asClone)
    , m_group(group)
{
}

UserProgram::~UserProgram()
{
    qDeleteAll(m_levels);
}

QString UserProgram::defaultName()
{
    return QCoreApplication::translate("UserProgram", "Neues Programm");
}

QString UserProgram::defaultSubProgramName()
{
    return QCoreApplication::translate("UserProgram", "Neues Subprogramm");
}

UserSet *UserProgram::userSet() const
{
    return m_group ? m_group->userSet() : nullptr;
}

void UserProgram::markModified()
{
    if (UserSet *set = userSet())
        set->setModified();
}

void UserProgram::appendLevel(ProgramLevel *level)
{
    level->setProgram(this);
    m_levels.append(level);
}

void UserProgram::removeLevelAt(int index)
{
    if (index >= 0 && index < m_levels.size())
        delete m_levels.takeAt(index);
}

void UserProgram::insertLevel(int index, ProgramLevel *level)
{
    level->setProgram(this);
    if (index < 0 || index > m_levels.size())
        index = int(m_levels.size());
    m_levels.insert(index, level);
}

bool UserProgram::moveLevel(int from, int before)
{
    if (from < 0 || from >= m_levels.size())
        return false;
    if (before < 0 || before > m_levels.size())
        before = int(m_levels.size());
    ProgramLevel *level = m_levels.takeAt(from);
    m_levels.insert(before > from ? before - 1 : before, level);
    return true;
}

bool UserProgram::swapLevels(int first, int second)
{
    const int count = int(m_levels.size());
    if (first < 0 || second < 0 || first >= count || second >= count)
        return false;
    m_levels.swapItemsAt(first, second);
    return true;
}

int UserProgram::indexOfLevel(const QString &levelId) const
{
    for (int i = 0; i < m_levels.size(); ++i) {
        if (m_levels.at(i)->id() == levelId)
            return i;
    }
    return -1;
}

void UserProgram::removeMarkedLevels()
{
    for (int i = int(m_levels.size()) - 1; i >= 0; --i) {
        if (m_levels.size() > 1 && m_levels.at(i)->isMarkedForDelete())
            delete m_levels.takeAt(i);
    }
    if (m_levels.size() == 1)
        m_levels.first()->setMarkedForDelete(false);
}

bool UserProgram::swapInstrumentsOnPosition(int first, int second)
{
    markModified();
    bool all = true;
    for (ProgramLevel *level : m_levels)
        all = level->swapInstruments(first, second) && all;
    return all && !m_levels.isEmpty();
}

bool UserProgram::moveInstrumentToEndOnPosition(int position)
{
    markModified();
    bool all = true;
    for (ProgramLevel *level : m_levels)
        all = level->moveInstrumentToEnd(position) && all;
    return all && !m_levels.isEmpty();
}

bool UserProgram::isAddInstrumentEnabled() const
{
    return m_levels.isEmpty() || m_levels.first()->instruments().size() < kMaxInstruments;
}

bool UserProgram::locate(const QString &instrumentId, const char *function, int &position, int &subIndex) const
{
    Instrument *instrument = Instrument::findById(instrumentId);
    if (!instrument) {
        Logger::error(QStringLiteral("%1: Cannot findById instrumentId=%2").arg(functionName(function), instrumentId));
        return false;
    }
    Instrument *top = instrument->parentInstrument() ? instrument->parentInstrument() : instrument;
    ProgramLevel *level = top->level();
    position = level ? level->positionOf(top) : -1;
    subIndex = top == instrument ? -1 : int(top->subInstruments().indexOf(instrument));
    if (position < 0 || (top != instrument && subIndex < 0)) {
        Logger::error(QStringLiteral("%1: Cannot find the position of the instrument").arg(functionName(function)));
        return false;
    }
    return true;
}

Instrument *UserProgram::slotOf(ProgramLevel *level, int position, const char *function) const
{
    if (position < 0 || position >= level->instruments().size()) {
        Logger::error(QStringLiteral("%1: Invalid position beyond end-of-list: position=%2")
                          .arg(functionName(function))
                          .arg(position));
        return nullptr;
    }
    return level->instruments().at(position);
}

void UserProgram::addInstrument(const QString &type, const QString &name)
{
    markModified();
    const InstrumentDefinition *def = InstrumentConfiguration::instance()->findInstrumentDefinition(type);
    for (ProgramLevel *level : m_levels) {
        auto *instrument = new Instrument(level);
        InstrumentConfiguration::instance()->initializeInstrument(instrument, type, def);
        instrument->setName(name);
        level->appendInstrument(instrument);
    }
}

bool UserProgram::addAdditionalSubInstrument(const QString &instrumentId, const QString &type, const QString &name)
{
    markModified();
    int position = -1;
    int subIndex = -1;
    if (!locate(instrumentId, "addAdditionalSubInstrument", position, subIndex))
        return false;
    const InstrumentDefinition *def = InstrumentConfiguration::instance()->findInstrumentDefinition(type);
    for (ProgramLevel *level : m_levels) {
        Instrument *parent = slotOf(level, position, "addAdditionalSubInstrument");
        if (!parent)
            continue;
        auto *sub = new Instrument(level);
        InstrumentConfiguration::instance()->initializeInstrument(sub, type, def);
        sub->setName(name.isEmpty() ? defaultSubProgramName() : name);
        parent->appendSubInstrument(sub);
    }
    return true;
}

bool UserProgram::deleteInstrument(const QString &instrumentId)
{
    markModified();
    int position = -1;
    int subIndex = -1;
    if (!locate(instrumentId, "deleteInstrument", position, subIndex))
        return false;
    for (ProgramLevel *level : m_levels) {
        if (subIndex < 0) {
            if (slotOf(level, position, "deleteInstrument"))
                level->removeInstrumentAt(position);
        } else if (Instrument *parent = slotOf(level, position, "deleteInstrument")) {
            parent->removeSubInstrumentAt(subIndex);
        }
    }
    return true;
}

bool UserProgram::markForDeleteInstrument(const QString &instrumentId, bool mark)
{
    markModified();
    int position = -1;
    int subIndex = -1;
    if (!locate(instrumentId, "markForDeleteInstrument", position, subIndex))
        return false;
    for (ProgramLevel *level : m_levels) {
        Instrument *slot = slotOf(level, position, "markForDeleteInstrument");
        if (!slot)
            continue;
        if (subIndex < 0) {
            slot->setMarkedForDelete(mark);
            continue;
        }
        if (subIndex >= slot->subInstruments().size()) {
            Logger::error(QStringLiteral("%1: Invalid position beyond end-of-list: position=%2")
                              .arg(functionName("markForDeleteInstrument"))
                              .arg(subIndex));
            continue;
        }
        slot->subInstruments().at(subIndex)->setMarkedForDelete(mark);
        if (!mark) {
            slot->setMarkedForDelete(false);
            continue;
        }
        bool allMarked = true;
        for (const Instrument *sub : slot->subInstruments())
            allMarked = allMarked && sub->isMarkedForDelete();
        if (allMarked)
            slot->setMarkedForDelete(true);
    }
    return true;
}

bool UserProgram::renameInstrument(const QString &instrumentId, const QString &name)
{
    markModified();
    Instrument *instrument = Instrument::findById(instrumentId);
    if (!instrument) {
        Logger::error(
            QStringLiteral("%1: Cannot findById instrumentId=%2").arg(functionName("renameInstrument"), instrumentId));
        return false;
    }
    instrument->setName(name);
    return true;
}

bool UserProgram::renameInstrumentOnPositionInProgramlevel(int level, int position, const QString &name)
{
    markModified();
    if (level < 0 || level >= m_levels.size()) {
        Logger::error(QStringLiteral("%1: Invalid level=%2")
                          .arg(functionName("renameInstrumentOnPositionInProgramlevel"))
                          .arg(level));
        return false;
    }
    Instrument *slot = slotOf(m_levels.at(level), position, "renameInstrumentOnPositionInProgramlevel");
    if (!slot)
        return false;
    slot->setName(name);
    return true;
}

bool UserProgram::renameInstrumentsOnPosition(int position, const QString &name)
{
    markModified();
    bool any = false;
    for (ProgramLevel *level : m_levels) {
        if (Instrument *slot = slotOf(level, position, "renameInstrumentsOnPosition")) {
            slot->setName(name);
            any = true;
        }
    }
    return any;
}

bool UserProgram::setAliasType(const QString &instrumentId, const QString &aliasType, const QString &aliasName)
{
    markModified();
    Instrument *instrument = Instrument::findById(instrumentId);
    if (!instrument) {
        Logger::error(
            QStringLiteral("%1: Cannot findById instrumentId=%2").arg(functionName("setAliasType"), instrumentId));
        return false;
    }
    instrument->setAlias(aliasType, aliasName);
    return true;
}

bool UserProgram::setAliasTypeOnPositionInProgramlevel(
    int level, int position, const QString &aliasType, const QString &aliasName)
{
    markModified();
    if (level < 0 || level >= m_levels.size()) {
        Logger::error(QStringLiteral("%1: Invalid level=%2")
                          .arg(functionName("setAliasTypeOnPositionInProgramlevel"))
                          .arg(level));
        return false;
    }
    Instrument *slot = slotOf(m_levels.at(level), position, "setAliasTypeOnPositionInProgramlevel");
    if (!slot)
        return false;
    slot->setAlias(aliasType, aliasName);
    return true;
}

bool UserProgram::setTypeAndDeleteAlias(int position, const QString &type)
{
    markModified();
    bool any = false;
    for (ProgramLevel *level : m_levels) {
        if (Instrument *slot = slotOf(level, position, "setTypeAndDeleteAlias")) {
            slot->setInstrumentType(type);
            slot->setAlias(QString(), QString());
            any = true;
        }
    }
    return any;
}

bool UserProgram::copy(const UserProgram &source, bool asClone)
{
    changeId(source.m_id);
    m_name = source.m_name;
    m_neonatalueberwachung = source.m_neonatalueberwachung;
    m_markedForDelete = source.m_markedForDelete;
    m_isClone = asClone;
    return copyTreeChildren(m_levels, source.m_levels, asClone, this, "UserProgram::copy");
}

UserProgram *UserProgram::duplicate(ProgramGroup *group) const
{
    auto *copied = new UserProgram(group, false);
    copied->m_name = m_name;
    copied->m_neonatalueberwachung = m_neonatalueberwachung;
    copied->m_markedForDelete = m_markedForDelete;
    for (const ProgramLevel *level : m_levels)
        copied->m_levels.append(level->duplicate(copied));
    return copied;
}
