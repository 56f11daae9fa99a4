#include "DataPaths.h"

#include "FileSystem.h"
#include "Logger.h"
#include "ResourceHelper.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QStandardPaths>

namespace {

bool makeDirectory(const QString &path)
{
#ifdef Q_OS_WIN
    // A mode here would become an ACL; the profile's inherited ACL is the one wanted.
    return QDir().mkdir(path);
#else
    return QDir().mkdir(path, FileSystem::privateDirectoryPermissions());
#endif
}

} // namespace

namespace DataPaths {

QString documentsPath()
{
    // An explicit data root lets the simulators' demo runs and scripted checks
    // keep their data apart from a real installation.
    const QString overridden = qEnvironmentVariable("KELVARA_DOCUMENTS_DIR");
    if (!overridden.isEmpty())
        return QDir::cleanPath(overridden);
    if (QStandardPaths::isTestModeEnabled())
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
               + QStringLiteral("/Documents");
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty())
        docs = QDir::homePath();
    return docs;
}

QString kelvaraRoot() { return documentsPath() + QStringLiteral("/Kelvara"); }
QString appDir() { return kelvaraRoot() + QStringLiteral("/application"); }
QString tempDir() { return appDir() + QStringLiteral("/temp"); }

QString userPath(const QString &userName, const QString &subPath)
{
    const QString usersRoot = kelvaraRoot() + QStringLiteral("/users/");
    const QDir dir(usersRoot);
    const QString wanted = userName.toLower();
    const QStringList entries = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString &entry : entries) {
        if (entry.toLower() == wanted)
            return usersRoot + entry + QLatin1Char('/') + subPath;
    }
    return usersRoot + userName + QLatin1Char('/') + subPath;
}

QString userSetDirectory(const QString &userName, int userSetType)
{
    static const char *const kStores[] = {
        "device_dataFiles/QELO3/copy/local_copy_recommendedSetting",
        "device_dataFiles/QELO3/copy/local_user_templates",
        "device_dataFiles/QELO3/copy/local_downloads",
        "device_dataFiles/QELO3/copy/temp_server_copy_recommendedSetting",
        "device_dataFiles/QELO3/copy/temp_server_downloads",
    };
    if (userSetType < 1 || userSetType > 5)
        return QString();
    return userPath(userName, QLatin1String(kStores[userSetType - 1]));
}

QString authorizationMatrixPath() { return appDir() + QStringLiteral("/AuthorizationMatrix"); }
QString applicationLogPath() { return appDir() + QStringLiteral("/KelvaraLog.txt"); }

QString updateLogPath(const QString &userName)
{
    return userPath(userName, QStringLiteral("kelvara_logFiles")) + QStringLiteral("/UpdateLog.xml");
}

QString activityLogPath(const QString &userName, const QString &roleName, const QString &timeStamp)
{
    return userPath(userName, QStringLiteral("kelvara_logFiles")) + QLatin1Char('/')
           + QStringLiteral("kelvara_%1_%2_%3.%4").arg(userName, roleName, timeStamp, QStringLiteral("xml"));
}

QString userSettingsPath(const QString &userName)
{
    return userPath(userName, QString()) + QStringLiteral("UserSettings.ini");
}

QString latestInstrumentCatalogue(const QString &userName)
{
    return latestFile(userPath(userName, QStringLiteral("release_region/copy_configFiles")),
                      {QStringLiteral("*.ini")});
}

QString latestServiceCenterList(const QString &userName)
{
    return latestFile(userPath(userName, QStringLiteral("kelvara_configFiles/contact")),
                      {QStringLiteral("*.xml")});
}

const QStringList &userSubDirectories()
{
    static const QStringList kDirectories = {
        QStringLiteral("device_dataFiles"),
        QStringLiteral("release_region"),
        QStringLiteral("kelvara_configFiles"),
        QStringLiteral("kelvara_logFiles"),
        QStringLiteral("device_dataFiles/QELO3"),
        QStringLiteral("device_dataFiles/QELO3/chrono"),
        QStringLiteral("device_dataFiles/QELO3/contact"),
        QStringLiteral("device_dataFiles/QELO3/copy"),
        QStringLiteral("device_dataFiles/QELO3/update_deviceSoftware"),
        QStringLiteral("device_dataFiles/QELO3/update_deviceSoftware/temp_server"),
        QStringLiteral("device_dataFiles/QELO3/copy/local_copy_recommendedSetting"),
        QStringLiteral("device_dataFiles/QELO3/copy/local_downloads"),
        QStringLiteral("device_dataFiles/QELO3/copy/local_user_templates"),
        QStringLiteral("device_dataFiles/QELO3/copy/temp_server_copy_recommendedSetting"),
        QStringLiteral("device_dataFiles/QELO3/copy/temp_server_downloads"),
        QStringLiteral("release_region/copy_configFiles"),
        QStringLiteral("kelvara_configFiles/basic"),
        QStringLiteral("kelvara_configFiles/chrono"),
        QStringLiteral("kelvara_configFiles/chrono/temp_QELO3"),
        QStringLiteral("kelvara_configFiles/contact"),
        QStringLiteral("kelvara_configFiles/contact/temp_QELO3"),
        QStringLiteral("kelvara_configFiles/copy"),
        QStringLiteral("kelvara_configFiles/update"),
    };
    return kDirectories;
}

void createUserDirectories(const QString &userName)
{
    for (const QString &sub : userSubDirectories())
        ensureDirectory(userPath(userName, sub));
}

bool ensureDirectory(const QString &path)
{
    const QString target = QDir::cleanPath(QDir(path).absolutePath());
    if (!FileSystem::isInDataTree(target)) {
        QDir dir(target);
        return dir.exists() || dir.mkpath(QStringLiteral("."));
    }
    // Every level from the root down is created, or tightened when an older
    // version left it open, so that no other account can look inside.
    const QString root = QDir::cleanPath(QDir(kelvaraRoot()).absolutePath());
    if (!QFileInfo(root).isDir() && !QDir().mkpath(QFileInfo(root).path()))
        return false;
    QString current = root;
    const QStringList parts = target.mid(root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (int i = -1; i < parts.size(); ++i) {
        if (i >= 0)
            current += QLatin1Char('/') + parts.at(i);
        if (!QFileInfo(current).isDir() && !makeDirectory(current))
            return false;
        FileSystem::makePrivate(current);
    }
    return true;
}

void removeAllFiles(const QString &directory)
{
    QDir dir(directory);
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &file : files)
        dir.remove(file);
}

QString latestFile(const QString &directory, const QStringList &nameFilters)
{
    QStringList names = QDir(directory).entryList(nameFilters, QDir::Files);
    if (names.isEmpty())
        return QString();
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return QStringLiteral("%1/%2").arg(directory, names.last());
}

void prepareUserTree(const QString &userName)
{
    // Made here, private, before any transfer drops a file into it.
    ensureDirectory(tempDir());
    removeAllFiles(tempDir());
    createUserDirectories(userName);
    const QString resources = ResourceHelper::getResourcePath(QStringLiteral("Resources/Config/"));
    ResourceHelper::copyFile(resources, userPath(userName, QString()), QStringLiteral("UserSettings.ini"));
    ResourceHelper::copyFile(resources, userPath(userName, QStringLiteral("kelvara_configFiles/contact")),
                             QStringLiteral("kelvara_contact_ServiceCenterList_210215_000000_V120.xml"));
    ResourceHelper::copyFile(resources, userPath(userName, QStringLiteral("release_region/copy_configFiles")),
                             QStringLiteral("kelvara_copy_instruments_230515_000000_V140.ini"));
    removeAllFiles(userPath(userName, QStringLiteral("kelvara_configFiles/chrono/temp_QELO3")));
}

QString safeFileName(const QString &name)
{
    // A name from outside is taken as it is or not at all: repairing it would
    // fetch or write a file that nobody asked for.
    constexpr qsizetype kMaxLength = 255;
    if (name.isEmpty() || name.size() > kMaxLength || name == QLatin1String(".") || name == QLatin1String(".."))
        return QString();
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        // Folder separators, drive colons and the characters Windows refuses,
        // and control characters, which also forge log lines.
        if (u < 0x20 || u == 0x7f || (u >= 0x80 && u <= 0x9f)
            || QStringView(u"/\\:*?\"<>|").contains(c))
            return QString();
    }
    // Windows drops trailing dots and blanks, so "a.xml." would land on "a.xml".
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')) || name.startsWith(QLatin1Char(' ')))
        return QString();
    // Device names open the device instead of a file on Windows, whatever the ending.
    static const QStringList kDeviceNames = { QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
        QStringLiteral("NUL"), QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
        QStringLiteral("COM4"), QStringLiteral("COM5"), QStringLiteral("COM6"), QStringLiteral("COM7"),
        QStringLiteral("COM8"), QStringLiteral("COM9"), QStringLiteral("LPT1"), QStringLiteral("LPT2"),
        QStringLiteral("LPT3"), QStringLiteral("LPT4"), QStringLiteral("LPT5"), QStringLiteral("LPT6"),
        QStringLiteral("LPT7"), QStringLiteral("LPT8"), QStringLiteral("LPT9") };
    const QString stem = name.section(QLatin1Char('.'), 0, 0).trimmed();
    if (kDeviceNames.contains(stem, Qt::CaseInsensitive))
        return QString();
    return name;
}

} // namespace DataPaths
