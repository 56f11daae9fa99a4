#include "VersionInfo.h"

#include <QtCore/QCoreApplication>

VersionInfo::VersionInfo(QObject *parent)
    : QObject(parent)
{
}

QString VersionInfo::fileVersion() const { return QCoreApplication::applicationVersion(); }
QString VersionInfo::productVersion() const { return QCoreApplication::applicationVersion(); }
QString VersionInfo::releaseDate() const { return QStringLiteral(KELVARA_RELEASE_DATE); }
QString VersionInfo::name() const { return QCoreApplication::applicationName(); }
QString VersionInfo::minQELO3Version() const { return QStringLiteral(KELVARA_MIN_QELO3_VERSION); }

QString VersionInfo::splashText(const QString &applicationVersion, const QString &releaseDate)
{
    const int lastDot = int(applicationVersion.lastIndexOf(QLatin1Char('.')));
    const QString shortVersion = lastDot < 0 ? applicationVersion : applicationVersion.left(lastDot);
    return QStringLiteral("Version %1 (%2)").arg(shortVersion, releaseDate);
}
