#pragma once

#include "KelvaraTest.h"

#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QSettings>
#include <QtXml/QDomDocument>

// Helpers of the demo-data checks. The rules in these tests are written from
// the file formats, independently of the authoring of the data and of
// kelvara-tool, so that a fault of either shows.
namespace DemoDataTest {

inline QString sourceData(const QString &relative = QString())
{
    return QStringLiteral(KELVARA_SOURCE_DIR "/tools/simulators/data/") + relative;
}

inline QString builtData(const QString &relative = QString())
{
    return QStringLiteral(KELVARA_DEMO_DATA_DIR "/") + relative;
}

inline const QString kBuiltinCentres
    = QStringLiteral("Resources/Config/kelvara_contact_ServiceCenterList_210215_000000_V120.xml");
inline const QString kFlexStem = QStringLiteral("23104711_231024_081533");

inline QStringList filesIn(const QString &folder, const QString &pattern)
{
    return QDir(folder).entryList({ pattern }, QDir::Files, QDir::Name);
}

inline QString loadDom(const QString &path, QDomDocument &document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot open %1").arg(path);
    QString message;
    int line = 0;
    if (!document.setContent(&file, &message, &line))
        return QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(message);
    return QString();
}

inline QList<QDomElement> childElements(const QDomElement &parent, const QString &name)
{
    QList<QDomElement> list;
    for (QDomElement e = parent.firstChildElement(name); !e.isNull(); e = e.nextSiblingElement(name))
        list.append(e);
    return list;
}

/// A device time stamp ("yyMMdd" and a time) read as UTC, so that no local
/// clock change can make it invalid.
inline QDateTime utcStamp(
    const QString &date, const QString &time, const QString &timeFormat = QStringLiteral("HHmmss"))
{
    return QDateTime(QDate::fromString(QStringLiteral("20") + date, QStringLiteral("yyyyMMdd")),
        QTime::fromString(time, timeFormat), Qt::UTC);
}

/// Runs kelvara-tool; returns its exit code, or -1 when it did not finish.
inline int runTool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(KELVARA_TOOL_PATH), arguments);
    if (!process.waitForFinished(KelvaraTest::timeout(60000)))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// --- chrono event log -------------------------------------------------------

inline bool isWholeNumber(const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= low && value <= high;
}

inline QString identityValue(const QString &key)
{
    QSettings identity(sourceData(QStringLiteral("generator/identity.ini")), QSettings::IniFormat);
    return identity.value(QStringLiteral("Device/") + key).toString();
}

inline QSet<QString> serviceCenterIds(const QString &path)
{
    QSet<QString> ids;
    QDomDocument document;
    if (!loadDom(path, document).isEmpty())
        return ids;
    for (const QDomElement &centre : childElements(document.documentElement(), QStringLiteral("ServiceCenter")))
        ids.insert(centre.attribute(QStringLiteral("ServiceCenterId")));
    return ids;
}

} // namespace DemoDataTest
