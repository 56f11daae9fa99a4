#include "ResourceHelper.h"

#include "DataPaths.h"
#include "FileSystem.h"
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
    if (!DataPaths::ensureDirectory(targetDirectory))
        Logger::warn(QStringLiteral("ResourceHelper::copyFile: Could not create directory: targetDirectory%1").arg(targetDirectory));

    const QString source = QStringLiteral("%1/%2").arg(resourceDirectory, fileName);
    const QString destination = QStringLiteral("%1/%2").arg(targetDirectory, fileName);
    if (QFileInfo::exists(destination)) {
        // A copy left by an older version may still be open to every account.
        FileSystem::makePrivate(destination);
        Logger::warn(QStringLiteral("ResourceHelper::copyFile: Did not copy <%1> to <%2>: file already exists").arg(source, destination));
        return false;
    }
    if (!QFile::copy(source, destination)) {
        Logger::warn(QStringLiteral("ResourceHelper::copyFile: Did not copy <%1> to <%2>").arg(source, destination));
        return false;
    }
    // A file copied out of the resources is read-only.
    FileSystem::makePrivate(destination);
    return true;
}

} // namespace ResourceHelper
