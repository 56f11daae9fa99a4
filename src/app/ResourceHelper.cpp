#include "ResourceHelper.h"

#include "Logger.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

namespace ResourceHelper {

QString getResourcePath(const QString &relative)
{
    const QString path = QDir::cleanPath(QStringLiteral(":/") + relative);
    if (!QFileInfo::exists(path))
        Logger::error(QStringLiteral("ResourceHelper::getResourcePath: resource path does not exist: absolutePathToResource=%1").arg(path));
    return path;
}

bool copyFile(const QString &resourceDirectory, const QString &targetDirectory, const QString &fileName)
{
    constexpr QFileDevice::Permissions kReadWriteAll = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                       | QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                                       | QFileDevice::ReadOther | QFileDevice::WriteOther;
    QDir target(targetDirectory);
    if (!target.exists() && !target.mkpath(QStringLiteral(".")))
        Logger::warn(QStringLiteral("ResourceHelper::copyFile: Could not create directory: targetDirectory%1").arg(targetDirectory));
    // Directories need their execute bits to stay usable; only add read and write.
    QFile::setPermissions(targetDirectory, QFile::permissions(targetDirectory) | kReadWriteAll);

    const QString source = QStringLiteral("%1/%2").arg(resourceDirectory, fileName);
    const QString destination = QStringLiteral("%1/%2").arg(targetDirectory, fileName);
    if (QFileInfo::exists(destination)) {
        Logger::warn(QStringLiteral("ResourceHelper::copyFile: Did not copy <%1> to <%2>: file already exists").arg(source, destination));
        return false;
    }
    if (!QFile::copy(source, destination)) {
        Logger::warn(QStringLiteral("ResourceHelper::copyFile: Did not copy <%1> to <%2>").arg(source, destination));
        return false;
    }
    QFile::setPermissions(destination, kReadWriteAll);
    return true;
}

} // namespace ResourceHelper
