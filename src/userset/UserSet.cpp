#include "UserSet.h"

#include "Instrument.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "TreeCopy.h"
#include "UserProgram.h"

#include <QtCore/QCoreApplication>

namespace {

int &userSetCounter()
{
    static int counter = 1000;
    return counter;
}

template<typename T>
void removeMarked(QList<T *> &list)
{
    for (int i = int(list.size()) - 1; i >= 0; --i) {
        if (list.at(i)->isMarkedForDelete())
            delete list.takeAt(i);
    }
}

} // namespace

const std::array<UserSet::SetupField, UserSet::SetupValueCount> &UserSet::setupFields()
{
    static const QString kSetup;
    static const QString kHelligkeit = QStringLiteral("Helligkeit");
    static const QString kLautstaerke = QStringLiteral("Lautstaerke");
    static const QString kApc = QStringLiteral("APC");
    static const QString kEvx = QStringLiteral("EVX");
    static const std::array<SetupField, SetupValueCount> kFields = { {
        { kSetup, QStringLiteral("Einstiegsbildschirm"), true, QString() },
        { kSetup, QStringLiteral("BevorzugteNeutralelektrode"), true, QString() },
        { kSetup, QStringLiteral("SpeichernVonProgrammenZugelassen"), false, QStringLiteral("EIN") },
        { kSetup, QStringLiteral("MaximaleAktivierungsdauer"), true, QString() },
        { kSetup, QStringLiteral("AutostartErlaubt"), true, QString() },
        { kSetup, QStringLiteral("AutostartVerzoegerung"), true, QString() },
        { kSetup, QStringLiteral("AutostartVerzoegerungCoagM7"), true, QString() },
        { kSetup, QStringLiteral("ZweiPedalFussschalterTeilbar"), true, QString() },
        { kSetup, QStringLiteral("Sprache"), false, QStringLiteral("en") },
        { kHelligkeit, QStringLiteral("Allgemein"), true, QString() },
        { kHelligkeit, QStringLiteral("Display"), true, QString() },
        { kHelligkeit, QStringLiteral("Buchse"), true, QString() },
        { kLautstaerke, QStringLiteral("System"), true, QString() },
        { kLautstaerke, QStringLiteral("Aktivierung"), true, QString() },
        { kLautstaerke, QStringLiteral("Taste"), true, QString() },
        { kLautstaerke, QStringLiteral("Gesamt"), true, QString() },
        { kApc, QStringLiteral("AutomatischesSpuelen"), true, QString() },
        { kApc, QStringLiteral("Spueldauer"), true, QString() },
        { kApc, QStringLiteral("Gasversorgung"), true, QString() },
        { kApc, QStringLiteral("DruckBeiVollerFlasche"), true, QString() },
        { kEvx, QStringLiteral("Grundabsaugung"), false, QString() },
        { kEvx, QStringLiteral("Nachlaufzeit"), false, QString() },
    } };
    return kFields;
}

const std::array<QString, UserSet::DeviceValueCount> &UserSet::deviceAttributes()
{
    static const std::array<QString, DeviceValueCount> kNames = {
        QStringLiteral("Name"),
        QStringLiteral("Typ"),
        QStringLiteral("Seriennummer"),
        QStringLiteral("Softwareversion"),
        QStringLiteral("NaechsteSTK"),
    };
    return kNames;
}

UserSet::UserSet(int userSetType, QObject *parent, bool asClone)
    : QObject(parent)
    , m_isClone(asClone)
{
    if (asClone)
        m_type = userSetType;
    else
        reset(userSetType);
}

UserSet::~UserSet()
{
    qDeleteAll(m_programGroups);
}

void UserSet::reset(int userSetType)
{
    m_id = QString::number(++userSetCounter());
    clearContent(userSetType);
}

void UserSet::clearContent(int userSetType)
{
    if (!m_programGroups.isEmpty())
        emit contentCleared();
    qDeleteAll(m_programGroups);
    m_programGroups.clear();
    m_type = userSetType;
    m_lastUsedProgramGroup.clear();
    m_documentVersion.clear();
    m_device = {};
    m_setup = {};
    m_selected = false;
    m_uploaded = false;
    m_modified = false;
    m_record.loadState = 0;
}

void UserSet::appendProgramGroup(ProgramGroup *group)
{
    group->setUserSet(this);
    m_programGroups.append(group);
}

void UserSet::insertProgramGroup(int index, ProgramGroup *group)
{
    group->setUserSet(this);
    if (index < 0 || index > m_programGroups.size())
        index = int(m_programGroups.size());
    m_programGroups.insert(index, group);
}

bool UserSet::moveProgramGroup(int from, int before)
{
    if (from < 0 || from >= m_programGroups.size())
        return false;
    if (before < 0 || before > m_programGroups.size())
        before = int(m_programGroups.size());
    ProgramGroup *group = m_programGroups.takeAt(from);
    m_programGroups.insert(before > from ? before - 1 : before, group);
    return true;
}

int UserSet::indexOfProgramGroup(const QString &groupId) const
{
    for (int i = 0; i < m_programGroups.size(); ++i) {
        if (m_programGroups.at(i)->id() == groupId)
            return i;
    }
    return -1;
}

void UserSet::removeProgramGroupAt(int index)
{
    if (index >= 0 && index < m_programGroups.size())
        delete m_programGroups.takeAt(index);
}

void UserSet::removeMarkedForDelete()
{
    removeMarked(m_programGroups);
    for (ProgramGroup *group : m_programGroups) {
        QList<UserProgram *> programs = group->programs();
        for (int i = int(programs.size()) - 1; i >= 0; --i) {
            if (programs.at(i)->isMarkedForDelete())
                group->removeProgramAt(i);
        }
        for (UserProgram *program : group->programs()) {
            program->removeMarkedLevels();
            for (ProgramLevel *level : program->levels()) {
                for (int p = int(level->instruments().size()) - 1; p >= 0; --p) {
                    Instrument *instrument = level->instruments().at(p);
                    if (instrument->isMarkedForDelete()) {
                        level->removeInstrumentAt(p);
                        continue;
                    }
                    for (int s = int(instrument->subInstruments().size()) - 1; s >= 0; --s) {
                        if (instrument->subInstruments().at(s)->isMarkedForDelete())
                            instrument->removeSubInstrumentAt(s);
                    }
                }
            }
        }
    }
    setModified();
}

void UserSet::setModified()
{
    if (m_modified)
        return;
    m_modified = true;
    emit modifiedChanged(true);
}

void UserSet::clearModified()
{
    if (!m_modified)
        return;
    m_modified = false;
    emit modifiedChanged(false);
}

void UserSet::setLoaded(bool valid)
{
    int state = 0;
    if (valid) {
        if (m_type >= GENERAL_TEMPLATE && m_type <= QELO3_DOWNLOAD)
            state = 2;
        else if (m_type == HALVO_SERVER_GENERAL_TEMPLATE || m_type == HALVO_SERVER_QELO3_DOWNLOAD)
            state = 1;
    }
    m_record.loadState = state;
}

void UserSet::setFileName(const QString &fileName, bool renew)
{
    m_name.setFileName(fileName, renew);
    m_record.fileName = m_name.fileName();
}

UserSetFileRecord UserSet::fileRecord() const
{
    UserSetFileRecord record = m_record;
    record.fileName = m_name.fileName();
    return record;
}

void UserSet::setFileRecord(const UserSetFileRecord &record)
{
    m_record = record;
    m_name.setFileName(record.fileName, false);
}

void UserSet::resetFileRecord()
{
    m_record = UserSetFileRecord();
    m_record.timeStamp = QDateTime::currentDateTimeUtc();
    m_name.setFileName(QString(), false);
}

bool UserSet::copy(const UserSet &source, bool asClone)
{
    m_id = source.m_id;
    m_type = source.m_type;
    m_lastUsedProgramGroup = source.m_lastUsedProgramGroup;
    m_documentVersion = source.m_documentVersion;
    m_device = source.m_device;
    m_setup = source.m_setup;
    m_selected = source.m_selected;
    m_uploaded = source.m_uploaded;
    m_modified = source.m_modified;
    m_record = source.m_record;
    m_name.setFileName(source.m_name.fileName(), false);
    m_isClone = asClone;
    return copyTreeChildren(m_programGroups, source.m_programGroups, asClone, this, "UserSet::copy");
}

UserSet *UserSet::clone() const
{
    auto *copied = new UserSet(m_type, nullptr, true);
    copied->copy(*this, true);
    return copied;
}

bool UserSet::restore(const UserSet &clone)
{
    if (!clone.isClone())
        return false;
    const bool wasModified = m_modified;
    const bool ok = copy(clone, false);
    if (m_modified != wasModified)
        emit modifiedChanged(m_modified);
    return ok;
}

void UserSet::assignContent(const UserSet &source)
{
    qDeleteAll(m_programGroups);
    m_programGroups.clear();
    m_lastUsedProgramGroup = source.m_lastUsedProgramGroup;
    m_documentVersion = source.m_documentVersion;
    m_device = source.m_device;
    m_setup = source.m_setup;
    for (const ProgramGroup *group : source.m_programGroups)
        m_programGroups.append(group->duplicate(this));
}

void UserSet::takeContent(UserSet &source)
{
    qDeleteAll(m_programGroups);
    m_programGroups.clear();
    m_lastUsedProgramGroup = source.m_lastUsedProgramGroup;
    m_documentVersion = source.m_documentVersion;
    m_device = source.m_device;
    m_setup = source.m_setup;
    m_programGroups = source.m_programGroups;
    source.m_programGroups.clear();
    for (ProgramGroup *group : qAsConst(m_programGroups))
        group->setUserSet(this);
}

QString UserSet::makeUniqueProgramGroupName(
    const ProgramGroup *group, const QString &name, bool keepName, bool force) const
{
    QStringList names;
    for (const ProgramGroup *sibling : m_programGroups)
        names.append(sibling->name());
    return UniqueName::make(
        name, group ? group->name() : QString(), names, ProgramGroup::defaultName(), keepName, force);
}
