#include "UserSetStorage.h"

#include "DataPaths.h"
#include "FileSystem.h"
#include "Logger.h"
#include "XmlUserSetSerializer.h"

#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QFileInfo>

#include <memory>

namespace {

const QString kBuiltinTemplates = QStringLiteral(":/Resources/UserSets");

/// A name that passed DataPaths::safeFileName, given the ".xml" ending that
/// every stored user set has; empty stays empty.
QString withXmlEnding(const QString &safeName)
{
    if (safeName.isEmpty() || safeName.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive))
        return safeName;
    return safeName + QStringLiteral(".xml");
}

} // namespace

UserSetStorage::UserSetStorage(QObject *parent)
    : QObject(parent)
    , m_serializer(new XmlUserSetSerializer(this))
{
}

UserSetStorage::~UserSetStorage()
{
    qDeleteAll(m_sets);
}

QString UserSetStorage::directory(int userSetType) const
{
    return DataPaths::userSetDirectory(m_userName, userSetType);
}

void UserSetStorage::loadAll()
{
    clear();
    for (int type = UserSet::GENERAL_TEMPLATE; type <= UserSet::QELO3_DOWNLOAD; ++type)
        loadDirectory(type);
}

void UserSetStorage::clear()
{
    const QStringList ids = m_sets.keys();
    for (const QString &id : ids)
        removeSet(id, false);
}

void UserSetStorage::loadLocal(const QString &keepId)
{
    // Sets already known by their file stay as they are (an open or edited
    // one above all); sets whose file went away leave unless they are open
    // or edited; new files come in.
    QSet<QString> knownPaths;
    const QList<UserSet *> sets = m_sets.values();
    for (UserSet *set : sets) {
        if (set->userSetType() < UserSet::GENERAL_TEMPLATE || set->userSetType() > UserSet::QELO3_DOWNLOAD)
            continue;
        const QString path = getFilePath(set);
        if (FileSystem::fileExists(path) || set->isModified() || set->id() == keepId)
            knownPaths.insert(QFileInfo(path).absoluteFilePath());
        else
            removeSet(set->id(), false);
    }
    for (int type = UserSet::GENERAL_TEMPLATE; type <= UserSet::QELO3_DOWNLOAD; ++type)
        loadDirectory(type, knownPaths);
}

UserSet *UserSetStorage::copyServerUserSetToLocal(UserSet *serverSet)
{
    if (!serverSet)
        return nullptr;
    const int localType = serverSet->userSetType() == UserSet::HALVO_SERVER_GENERAL_TEMPLATE
                              ? int(UserSet::GENERAL_TEMPLATE)
                              : serverSet->userSetType() == UserSet::HALVO_SERVER_QELO3_DOWNLOAD
                                    ? int(UserSet::QELO3_DOWNLOAD)
                                    : 0;
    if (localType == 0)
        return nullptr;
    const QString existing = findByBaseName(serverSet->userSetName().getBaseName(), localType);
    if (!existing.isEmpty())
        return m_sets.value(existing);
    const QString target = directory(localType) + QLatin1Char('/') + serverSet->fileName();
    if (!DataPaths::ensureDirectory(directory(localType)) || !FileSystem::copyFile(getFilePath(serverSet), target)) {
        Logger::error(QStringLiteral("UserSetStorage::copyServerUserSetToLocal: cannot copy %1").arg(target));
        return nullptr;
    }
    auto set = std::make_unique<UserSet>(localType);
    if (!m_serializer->readFile(target, set.get())) {
        FileSystem::removeFile(target);
        return nullptr;
    }
    set->setFileName(serverSet->fileName());
    set->setPath(target);
    set->setTimeStamp(QDateTime::currentDateTimeUtc());
    set->setLoaded(true);
    UserSet *result = set.release();
    registerSet(result);
    return result;
}

void UserSetStorage::loadDirectory(int userSetType, const QSet<QString> &skipPaths)
{
    const QString folder = directory(userSetType);
    const QFileInfoList entries = QDir(folder).entryInfoList({ QStringLiteral("*.xml") }, QDir::Files, QDir::Unsorted);
    for (const QFileInfo &entry : entries) {
        if (skipPaths.contains(entry.absoluteFilePath()))
            continue;
        auto set = std::make_unique<UserSet>(userSetType);
        if (!m_serializer->readFile(entry.filePath(), set.get())) {
            Logger::warn(
                QStringLiteral("UserSetStorage::loadDirectory: skipping unusable file %1").arg(entry.filePath()));
            continue;
        }
        set->setFileName(entry.fileName());
        set->setPath(entry.filePath());
        set->setTimeStamp(entry.lastModified().toUTC());
        set->setLoaded(true);
        registerSet(set.release());
    }
}

int UserSetStorage::installBuiltinTemplates()
{
    const QString target = directory(UserSet::GENERAL_TEMPLATE);
    DataPaths::ensureDirectory(target);
    int copied = 0;
    const QStringList names = QDir(kBuiltinTemplates).entryList({ QStringLiteral("*.xml") }, QDir::Files);
    for (const QString &name : names) {
        const QString destination = target + QLatin1Char('/') + name;
        if (QFileInfo::exists(destination))
            continue;
        if (FileSystem::copyFile(kBuiltinTemplates + QLatin1Char('/') + name, destination))
            ++copied;
    }
    return copied;
}

void UserSetStorage::registerSet(UserSet *set)
{
    set->setParent(this);
    m_sets.insert(set->id(), set);
    emit userSetAdded(set->id());
}

void UserSetStorage::removeSet(const QString &id, bool removeFile)
{
    UserSet *set = m_sets.take(id);
    if (!set)
        return;
    if (removeFile) {
        const QString path = getFilePath(set);
        if (FileSystem::fileExists(path))
            FileSystem::removeFile(path);
    }
    emit userSetRemoved(id);
    delete set;
}

UserSet *UserSetStorage::getUserSet(const QString &id) const
{
    const auto it = m_sets.constFind(id);
    if (it == m_sets.constEnd()) {
        Logger::warn(QStringLiteral("UserSetStorage::getUserSet: UserSet Id %1 not found in the InstanceMap").arg(id));
        Logger::warn(QStringLiteral("UserSetStorage::getUserSet: Unknown UserSet Id %1").arg(id));
        return nullptr;
    }
    if (!it.value())
        Logger::warn(QStringLiteral("UserSetStorage::getUserSet: Unknown UserSet Id %1").arg(id));
    return it.value();
}

QList<UserSet *> UserSetStorage::userSets(int userSetType) const
{
    QList<UserSet *> result;
    for (UserSet *set : m_sets) {
        if (set->userSetType() == userSetType)
            result.append(set);
    }
    return result;
}

QString UserSetStorage::findByBaseName(const QString &baseName, int userSetType) const
{
    for (const UserSet *set : m_sets) {
        if (set->userSetType() == userSetType && set->userSetName().getBaseName() == baseName)
            return set->id();
    }
    return QString();
}

bool UserSetStorage::existsInCategory(const QString &filePath, int userSetType) const
{
    const QString folder = directory(userSetType);
    const QString name = DataPaths::safeFileName(FileSystem::fileNameOf(filePath));
    return !folder.isEmpty() && !name.isEmpty() && FileSystem::fileExists(folder + QLatin1Char('/') + name);
}

QString UserSetStorage::getFilePath(const UserSet *set) const
{
    if (!set)
        return QString();
    QString folder = directory(set->userSetType());
    if (folder.isEmpty())
        return QString();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + set->fileName();
}

bool UserSetStorage::writeToFile(UserSet *set, const QString &path)
{
    if (!set || path.isEmpty() || !DataPaths::ensureDirectory(QFileInfo(path).absolutePath())) {
        Logger::error(
            QStringLiteral("UserSetStorage::writeToFile: Could not open UserSet file for writing! completePath=%1")
                .arg(path));
        return false;
    }
    if (!FileSystem::saveByteArrayToFile(path, m_serializer->toXml(set))) {
        Logger::error(
            QStringLiteral("UserSetStorage::writeToFile: Could not open UserSet file for writing! completePath=%1")
                .arg(path));
        return false;
    }
    set->setPath(path);
    return true;
}

UserSet *UserSetStorage::saveUserSet(UserSet *set, const QString &name)
{
    if (!set)
        return nullptr;
    const QString fileName = withXmlEnding(DataPaths::safeFileName(name));
    if (fileName.isEmpty()) {
        Logger::error(QStringLiteral("UserSetStorage::saveUserSet: unusable name=%1").arg(name));
        return nullptr;
    }
    const QString baseName = fileName.left(fileName.size() - 4);

    // The edits count as saved only once the file holds them.
    if (set->userSetType() == UserSet::USER_TEMPLATE && set->userSetName().getBaseName() == baseName) {
        set->removeMarkedForDelete();
        if (!writeToFile(set, getFilePath(set)))
            return nullptr;
        set->clearModified();
        set->setLoaded(true);
        return set;
    }
    const QString existingId = findByBaseName(baseName, UserSet::USER_TEMPLATE);
    if (UserSet *existing = existingId.isEmpty() ? nullptr : m_sets.value(existingId)) {
        // The target may hold elements of its own marked for deletion:
        // write from a stripped copy so that a failed write changes nothing.
        UserSet stripped(UserSet::USER_TEMPLATE, nullptr, true);
        stripped.assignContent(*set);
        stripped.removeMarkedForDelete();
        stripped.setFileName(existing->fileName(), false);
        if (!writeToFile(&stripped, getFilePath(existing)))
            return nullptr;
        existing->assignContent(stripped);
        existing->clearModified();
        existing->setLoaded(true);
        revertToFile(set);
        return existing;
    }
    auto created = std::make_unique<UserSet>(UserSet::USER_TEMPLATE);
    created->assignContent(*set);
    created->removeMarkedForDelete();
    created->setFileName(fileName, false);
    if (!writeToFile(created.get(), getFilePath(created.get())))
        return nullptr;
    created->clearModified();
    created->setLoaded(true);
    revertToFile(set);
    UserSet *result = created.release();
    registerSet(result);
    return result;
}

void UserSetStorage::revertToFile(UserSet *set)
{
    // Saved under another name, the source goes back to what its own file
    // holds; a source without a readable file keeps its content but no longer
    // counts as edited, since the edits now live in the new file.
    if (!reloadUserSet(set))
        set->clearModified();
}

bool UserSetStorage::reloadUserSet(UserSet *set)
{
    if (!set)
        return false;
    // The id stays: the lists and the Copy module hold the set by it. The
    // file is read beside the set first, so an unreadable file leaves the
    // set as it was.
    UserSet fresh(set->userSetType(), nullptr, true);
    if (!m_serializer->readFile(getFilePath(set), &fresh)) {
        Logger::error(QStringLiteral("UserSetStorage::reloadUserSet: cannot read %1; the set is kept as it is")
                          .arg(getFilePath(set)));
        return false;
    }
    const UserSetFileRecord record = set->fileRecord();
    set->clearContent(set->userSetType());
    set->setFileRecord(record);
    set->takeContent(fresh);
    set->clearModified();
    set->setLoaded(true);
    return true;
}

UserSet *UserSetStorage::importUserSet(const QString &path)
{
    const QString fileName = withXmlEnding(DataPaths::safeFileName(FileSystem::fileNameOf(path)));
    if (fileName.isEmpty()) {
        Logger::error(QStringLiteral("UserSetStorage::importUserSet: unusable file name %1").arg(path));
        return nullptr;
    }
    if (existsInCategory(fileName, UserSet::USER_TEMPLATE)) {
        Logger::warn(QStringLiteral("UserSetStorage::importUserSet: The import of this UserSet was aborted because a "
                                    "UserSet file with the same name already exists in the USER_TEMPLATE directory"));
        return nullptr;
    }
    auto set = std::make_unique<UserSet>(UserSet::USER_TEMPLATE);
    if (!m_serializer->readFile(path, set.get()))
        return nullptr;
    set->setFileName(fileName, false);
    if (!writeToFile(set.get(), getFilePath(set.get())))
        return nullptr;
    set->setLoaded(true);
    UserSet *result = set.release();
    registerSet(result);
    return result;
}

bool UserSetStorage::exportUserSets(const QStringList &ids, const QString &targetFolder)
{
    if (!DataPaths::ensureDirectory(targetFolder)) {
        Logger::error(QStringLiteral("UserSetStorage::exportUserSets: cannot create %1").arg(targetFolder));
        return false;
    }
    bool ok = true;
    for (const QString &id : ids) {
        const UserSet *set = getUserSet(id);
        if (!set) {
            ok = false;
            continue;
        }
        const QString target = QDir(targetFolder).filePath(set->fileName());
        ok = FileSystem::copyFile(getFilePath(set), target) && ok;
    }
    return ok;
}

void UserSetStorage::deleteUserSets(const QStringList &ids)
{
    for (const QString &id : ids)
        removeSet(id, true);
}

UserSet *UserSetStorage::qelo3UserSetReceived(const QByteArray &data, const QString &fileName)
{
    const QString cleanName = withXmlEnding(DataPaths::safeFileName(fileName));
    if (cleanName.isEmpty()) {
        Logger::error(QStringLiteral("UserSetStorage::qelo3UserSetReceived: unusable file name %1").arg(fileName));
        return nullptr;
    }
    std::unique_ptr<UserSet> set(m_serializer->readData(data, UserSet::QELO3_DOWNLOAD));
    if (!set) {
        Logger::error(QStringLiteral("UserSetStorage::qelo3UserSetReceived: the received user set %1 does not load")
                          .arg(cleanName));
        return nullptr;
    }
    set->setFileName(cleanName, true);
    set->setReceived(true);
    set->setTimeStamp(QDateTime::currentDateTimeUtc());
    if (!writeToFile(set.get(), getFilePath(set.get())))
        return nullptr;
    set->setLoaded(true);
    // A newer download of the same set replaces the older one, file and all.
    const QString stem = set->userSetName().getStem();
    const QList<UserSet *> downloads = userSets(UserSet::QELO3_DOWNLOAD);
    for (UserSet *older : downloads) {
        if (older->userSetName().getStem() != stem)
            continue;
        const bool sameFile = older->fileName() == set->fileName();
        removeSet(older->id(), !sameFile);
    }
    UserSet *result = set.release();
    registerSet(result);
    return result;
}

int UserSetStorage::typeOfServerCategory(int category)
{
    if (category == 1)
        return UserSet::HALVO_SERVER_QELO3_DOWNLOAD;
    if (category == 2)
        return UserSet::HALVO_SERVER_GENERAL_TEMPLATE;
    return 0;
}

QString UserSetStorage::halvoServerUserSetReceived(const QByteArray &data, const QString &fileName, int category)
{
    const int type = typeOfServerCategory(category);
    if (type == 0) {
        Logger::error(
            QStringLiteral("UserSetStorage::halvoServerUserSetReceived: Invalid UserSetCategory received! category=%1")
                .arg(category));
        return QString();
    }
    const QString cleanName = withXmlEnding(DataPaths::safeFileName(fileName));
    if (cleanName.isEmpty()) {
        Logger::error(
            QStringLiteral("UserSetStorage::halvoServerUserSetReceived: unusable file name %1").arg(fileName));
        return QString();
    }
    std::unique_ptr<UserSet> set(m_serializer->readData(data, type));
    if (!set) {
        Logger::error(
            QStringLiteral("UserSetStorage::halvoServerUserSetReceived: the received user set %1 does not load")
                .arg(cleanName));
        return QString();
    }
    set->setFileName(cleanName, false);
    set->setReceived(true);
    set->setTimeStamp(QDateTime::currentDateTimeUtc());
    // The bytes are kept as the server sent them; they only had to load.
    const QString path = getFilePath(set.get());
    if (!DataPaths::ensureDirectory(QFileInfo(path).absolutePath()) || !FileSystem::saveByteArrayToFile(path, data)) {
        Logger::error(QStringLiteral(
            "UserSetStorage::halvoServerUserSetReceived: Could not open UserSet file for writing! completePath=%1")
                          .arg(path));
        return QString();
    }
    set->setPath(path);
    set->setLoaded(true);
    const QString displayName = set->userSetName().getDisplayName();
    const QString previous = findByBaseName(set->userSetName().getBaseName(), type);
    if (!previous.isEmpty())
        removeSet(previous, false);
    registerSet(set.release());
    return displayName;
}

void UserSetStorage::addServerUserSets(const QList<UserSetFileRecord> &records, int userSetType)
{
    if (userSetType != UserSet::HALVO_SERVER_GENERAL_TEMPLATE && userSetType != UserSet::HALVO_SERVER_QELO3_DOWNLOAD) {
        Logger::error(QStringLiteral("UserSetStorage::addServerUserSets: not a server type=%1").arg(userSetType));
        return;
    }
    for (const UserSetFileRecord &record : records) {
        const QString cleanName = withXmlEnding(DataPaths::safeFileName(record.fileName));
        if (cleanName.isEmpty())
            continue;
        auto *set = new UserSet(userSetType);
        UserSetFileRecord stored = record;
        stored.fileName = cleanName;
        set->setFileRecord(stored);
        set->setPath(getFilePath(set));
        const QString previous = findByBaseName(set->userSetName().getBaseName(), userSetType);
        if (!previous.isEmpty())
            removeSet(previous, false);
        registerSet(set);
    }
}
