#include "LoggingService.h"

#include "DataPaths.h"
#include "FileSystem.h"
#include "Logger.h"

#include <QtCore/QDateTime>
#include <QtCore5Compat/QTextCodec>

const QString LoggingService::kCutMarker = QStringLiteral("[cut]");

namespace {

const QString kHalvoServer = QStringLiteral("HALVO_SERVER");
const QString kQelo3 = QStringLiteral("QELO3");

QString now()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy.MM.dd hh:mm:ss"));
}

// Peers send names and versions of any length; one huge identity must not
// stay in memory until the logout.
QString cut(const QString &text)
{
    if (text.size() <= LoggingService::kMaxFieldLength)
        return text;
    qsizetype length = LoggingService::kMaxFieldLength;
    if (text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length) + LoggingService::kCutMarker;
}

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f);
}

// Control characters from a peer would forge lines in the application log and
// make the XML file unreadable (most are not allowed in XML at all).
QString escapeControls(const QString &text, bool keepLineBreaks)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (!isControl(code) || (keepLineBreaks && (code == u'\n' || code == u'\t')))
            result += c;
        else
            result += QStringLiteral("\\x%1").arg(int(code), 2, 16, QLatin1Char('0'));
    }
    return result;
}

// What the application log line shows of a value.
QString plain(const QString &text)
{
    return escapeControls(cut(text), false);
}

// Escaped so that a name with a quote or an angle bracket cannot break the file.
QString xml(const QString &text)
{
    return escapeControls(cut(text), false).toHtmlEscaped();
}

QString sslText(bool ssl)
{
    return ssl ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

} // namespace

LoggingService::LoggingService(QObject *parent)
    : QObject(parent)
{
}

void LoggingService::append(const QString &entry)
{
    if (m_entries.size() >= kMaxEntries) {
        if (!m_overflowWarned)
            Logger::warn(QStringLiteral("LoggingService::append: more than %1 entries, dropping the oldest").arg(kMaxEntries));
        m_overflowWarned = true;
        m_entries.removeFirst();
    }
    m_entries.append(entry);
}

void LoggingService::connectSystem(const QString &system, const QString &host, const QString &port, bool ssl)
{
    Logger::info(QStringLiteral("LoggingService::connectSystem: systemName=%1, hostIpAddr=%2, port=%3, sslEncryption=%4")
                     .arg(plain(system), plain(host), plain(port), sslText(ssl)));
    append(QStringLiteral("<Connect    Datetime=\"%1\" System=\"%2\" Host=\"%3\" Port=\"%4\" SslEncryption=\"%5\" />")
               .arg(now(), xml(system), xml(host), xml(port), sslText(ssl)));
}

void LoggingService::disconnectSystem(const QString &system, const QString &host, const QString &port, bool ssl)
{
    Logger::info(QStringLiteral("LoggingService::disconnectSystem: systemName=%1, hostIpAddr=%2, port=%3, sslEncryption=%4")
                     .arg(plain(system), plain(host), plain(port), sslText(ssl)));
    append(QStringLiteral("<Disconnect Datetime=\"%1\" System=\"%2\" Host=\"%3\" Port=\"%4\" SslEncryption=\"%5\" />")
               .arg(now(), xml(system), xml(host), xml(port), sslText(ssl)));
}

void LoggingService::connectHalvoServer(const QString &host, const QString &port, bool ssl)
{
    connectSystem(kHalvoServer, host, port, ssl);
}

void LoggingService::disconnectHalvoServer(const QString &host, const QString &port, bool ssl)
{
    disconnectSystem(kHalvoServer, host, port, ssl);
}

void LoggingService::connectQelo3(const QString &host, const QString &port, bool ssl)
{
    connectSystem(kQelo3, host, port, ssl);
}

void LoggingService::disconnectQelo3(const QString &host, const QString &port, bool ssl)
{
    disconnectSystem(kQelo3, host, port, ssl);
}

void LoggingService::download(const QString &fileType, const QString &system, const QString &filename)
{
    Logger::info(QStringLiteral("LoggingService::download: fileType=%1, system=%2, filename=%3")
                     .arg(plain(fileType), plain(system), plain(filename)));
    append(QStringLiteral("<Download   Datetime=\"%1\" FileType=\"%2\" System=\"%3\" Filename=\"%4\" />")
               .arg(now(), xml(fileType), xml(system), xml(filename)));
}

void LoggingService::upload(const QString &fileType, const QString &system, const QString &filename)
{
    Logger::info(QStringLiteral("LoggingService::upload: fileType=%1, system=%2, filename=%3")
                     .arg(plain(fileType), plain(system), plain(filename)));
    append(QStringLiteral("<Upload     Datetime=\"%1\" FileType=\"%2\" System=\"%3\" Filename=\"%4\" />")
               .arg(now(), xml(fileType), xml(system), xml(filename)));
}

void LoggingService::error(const QString &errorMessage)
{
    Logger::info(QStringLiteral("LoggingService::error: errorMessage=%1").arg(plain(errorMessage)));
    append(QStringLiteral("<Error      Datetime=\"%1\" > \n%2\n</Error>")
               .arg(now(), escapeControls(cut(errorMessage), true).toHtmlEscaped()));
}

void LoggingService::login(const QString &userName, const QString &roleName, const QString &language,
                           const QString &startModule, const QString &appVersion)
{
    Logger::info(QStringLiteral("LoggingService::login: userName=%1, role=%2, language=%3, startModule=%4, appVersion=%5")
                     .arg(plain(userName), plain(roleName), plain(language), plain(startModule), plain(appVersion)));
    append(QStringLiteral("<Login      Datetime=\"%1\" UserID=\"%2\" Rolle=\"%3\" Sprache=\"%4\" Startmodul=\"%5\" AppVersion=\"%6\" />")
               .arg(now(), xml(userName), xml(roleName), xml(language), xml(startModule), xml(appVersion)));
}

void LoggingService::logout(const QString &userName, const QString &roleName, const QString &directoryName)
{
    Logger::info(QStringLiteral("LoggingService::logout: userName=%1, role=%2").arg(plain(userName), plain(roleName)));
    append(QStringLiteral("<Logout     Datetime=\"%1\" UserID=\"%2\" />").arg(now(), xml(userName)));
    saveLogfile(directoryName, roleName);
    m_entries.clear();
    m_overflowWarned = false;
}

void LoggingService::qelo3DeviceInfo(const QString &serialNumber, const QString &name, const QString &softwareVersion,
                                     const QString &type)
{
    Logger::info(QStringLiteral("LoggingService::qelo3DeviceInfo: serialNumber=%1, name=%2, softwareVersion=%3, type=%4")
                     .arg(plain(serialNumber), plain(name), plain(softwareVersion), plain(type)));
    append(QStringLiteral("<DeviceInfo Datetime=\"%1\" SerialNumber=\"%2\" Name=\"%3\" SoftwareVersion=\"%4\" Type=\"%5\" />")
               .arg(now(), xml(serialNumber), xml(name), xml(softwareVersion), xml(type)));
}

QString LoggingService::saveLogfile(const QString &directoryName, const QString &roleAsString)
{
    // Both end up in the path; the login hands over names that are already
    // escaped, so anything else is a caller's mistake, not a place to write to.
    if (DataPaths::safeFileName(directoryName) != directoryName || directoryName.isEmpty()
        || DataPaths::safeFileName(roleAsString) != roleAsString) {
        Logger::error(QStringLiteral("LoggingService::saveLogfile: refused user directory %1").arg(plain(directoryName)));
        return QString();
    }
    const QString path = DataPaths::activityLogPath(
        directoryName, roleAsString, QDateTime::currentDateTime().toString(QStringLiteral("yyMMdd_hhmmss")));
    Logger::info(QStringLiteral("LoggingService::saveLogfile: userName=%1, roleAsString=%2, logfileFullpath=%3")
                     .arg(plain(directoryName), plain(roleAsString), plain(path)));

    QString text;
    const QLatin1String eol("\r\n");
    text += QLatin1String("<?xml version=\"1.0\" encoding=\"windows-1252\"?>") + eol;
    text += QLatin1String("<KelvaraUserLog XMLDokumententypversion=\"1.0\">") + eol;
    for (const QString &entry : qAsConst(m_entries))
        text += QLatin1String("    ") + entry + eol;
    text += QLatin1String("</KelvaraUserLog>") + eol;

    QTextCodec *codec = QTextCodec::codecForName("windows-1252");
    const QByteArray bytes = codec ? codec->fromUnicode(text) : text.toLatin1();

    DataPaths::ensureDirectory(DataPaths::userPath(directoryName, QStringLiteral("kelvara_logFiles")));
    if (!FileSystem::saveByteArrayToFile(path, bytes)) {
        Logger::error(QStringLiteral("LoggingService::saveLogfile: Could not open ApplicationLogfile for writing! %1").arg(path));
        return QString();
    }
    return path;
}
