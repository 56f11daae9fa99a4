#include "ChronoFolderEntry.h"

#include <QtCore/QFileInfo>

ChronoFolderEntry::ChronoFolderEntry(const QString &absoluteFilePath, QObject *parent)
    : QObject(parent)
    , m_absoluteFilePath(absoluteFilePath)
{
    const QFileInfo info(absoluteFilePath);
    m_fileName = info.baseName();
    m_fileSuffix = info.completeSuffix();
    const QStringList parts = absoluteFilePath.split(QLatin1Char('/'));
    m_parentFolderName = parts.size() < 2 ? QStringLiteral("root") : parts.at(parts.size() - 2);
}
