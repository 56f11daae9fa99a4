#include "FileSystem.h"

#include "DataPaths.h"
#include "Logger.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>

namespace FileSystem {

QFileDevice::Permissions privateFilePermissions()
{
#ifdef Q_OS_WIN
    // Any write bit clears the read-only flag, which is all Windows maps.
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser
           | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
#else
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser;
#endif
}

QFileDevice::Permissions privateDirectoryPermissions()
{
    return privateFilePermissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser;
}

bool isInDataTree(const QString &path)
{
    const QString root = QDir::cleanPath(QDir(DataPaths::kelvaraRoot()).absolutePath());
    const QString candidate = QDir::cleanPath(QDir(path).absolutePath());
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity kCase = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity kCase = Qt::CaseSensitive;
#endif
    return candidate.compare(root, kCase) == 0 || candidate.startsWith(root + QLatin1Char('/'), kCase);
}

bool makePrivate(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    if (info.isDir()) {
#ifdef Q_OS_WIN
        return true;
#else
        return QFile::setPermissions(path, privateDirectoryPermissions());
#endif
    }
    return QFile::setPermissions(path, privateFilePermissions());
}

bool makePrivate(QFileDevice &file)
{
    return file.setPermissions(privateFilePermissions());
}

QByteArray getFileContents(const QString &fullPathname)
{
    QFile file(fullPathname);
    if (!file.open(QIODevice::ReadOnly)) {
        Logger::error(QStringLiteral("FileSystem::getFileContents: file.open() failed: fullPathname=%1").arg(fullPathname));
        return QByteArray();
    }
    return file.readAll();
}

bool saveByteArrayToFile(const QString &fullPathname, const QByteArray &data)
{
    QSaveFile file(fullPathname);
    if (!file.open(QIODevice::WriteOnly)) {
        Logger::error(QStringLiteral("FileSystem::saveByteArrayToFile: file.open() failed: fullPathname=%1").arg(fullPathname));
        return false;
    }
    // Set before the commit: the file never shows up under a wider mode.
    if (isInDataTree(fullPathname) && !makePrivate(file)) {
        Logger::error(QStringLiteral("FileSystem::saveByteArrayToFile: cannot restrict access: fullPathname=%1")
                          .arg(fullPathname));
        return false;
    }
    if (file.write(data) != data.size() || !file.commit()) {
        Logger::error(QStringLiteral("FileSystem::saveByteArrayToFile: write failed: fullPathname=%1, error=%2")
                          .arg(fullPathname, file.errorString()));
        return false;
    }
    return true;
}

bool copyFile(const QString &source, const QString &target)
{
    if (source == target) {
        Logger::warn(QStringLiteral("FileSystem::copyFile: Failed: cannot copy a file onto itself."));
        return false;
    }
    if (!fileExists(source)) {
        Logger::warn(QStringLiteral("FileSystem::copyFile: Failed: sourceFile does not exist."));
        return false;
    }
    // Read first: an unreadable source must not cost the old target.
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        Logger::error(QStringLiteral("FileSystem::getFileContents: file.open() failed: fullPathname=%1").arg(source));
        return false;
    }
    const QByteArray data = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        Logger::error(QStringLiteral("FileSystem::copyFile: read failed: sourceFile=%1").arg(source));
        return false;
    }
    return saveByteArrayToFile(target, data);
}

bool moveFile(const QString &source, const QString &target)
{
    if (!fileExists(source)) {
        Logger::warn(QStringLiteral("FileSystem::moveFile: Failed: sourceFile does not exist."));
        return false;
    }
    QFile::remove(target);
    return QFile::rename(source, target);
}

bool fileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

void removeFile(const QString &path)
{
    QFile::remove(path);
}

QString fileNameOf(const QString &path)
{
    int cut = int(path.lastIndexOf(QLatin1Char('\\')));
    if (cut < 0)
        cut = int(path.lastIndexOf(QLatin1Char('/')));
    return cut < 0 ? path : path.mid(cut + 1);
}

QString removeText(const QString &text, const QString &part)
{
    QString result = text;
    return result.remove(part, Qt::CaseSensitive);
}

QString replaceText(const QString &text, const QString &before, const QString &after)
{
    QString result = text;
    return result.replace(before, after, Qt::CaseSensitive);
}

} // namespace FileSystem
