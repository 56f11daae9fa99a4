#include "UpdateInfo.h"

#include "FileSystem.h"
#include "IniText.h"
#include "Logger.h"

#include <QtCore/QStringList>

namespace {

const QString kGerman = QStringLiteral("Deutsch");
const QString kEnglish = QStringLiteral("English");

// A settings writer quotes a value that holds a comma or a semicolon.
QString unquoted(const QString &value)
{
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2).replace(QStringLiteral("\\\""), QStringLiteral("\""));
    return value;
}

} // namespace

UpdateInfo::UpdateInfo(const QString &filePath)
{
    read(FileSystem::getFileContents(filePath));
}

UpdateInfo UpdateInfo::fromText(const QByteArray &text)
{
    UpdateInfo info;
    info.read(text);
    return info;
}

void UpdateInfo::read(const QByteArray &text)
{
    QSettings::SettingsMap map;
    QString error;
    if (!IniText::parse(text, map, &error))
        Logger::warn(QStringLiteral("UpdateInfo::UpdateInfo: unreadable description: %1").arg(error));
    const auto group = [&map](const QString &prefix) {
        const auto value = [&](const char *key) {
            return unquoted(map.value(prefix + QLatin1Char('/') + QLatin1String(key)).toString());
        };
        return Texts{value("Version"), value("Hint"), value("Change1"), value("Change2"), value("Change3")};
    };
    m_texts.insert(kGerman, group(QStringLiteral("de")));
    m_texts.insert(kEnglish, group(QStringLiteral("en")));
}

QString UpdateInfo::withLineBreaks(const QString &text)
{
    QString result = text;
    result.replace(QStringLiteral("\\\\n"), QStringLiteral("\r\n"));
    result.replace(QStringLiteral("\\n"), QStringLiteral("\r\n"));
    return result;
}

QString UpdateInfo::lookUp(const QString &languageName, const char *getter, QString Texts::*field,
                           const QString &fallback) const
{
    const auto found = m_texts.constFind(languageName);
    if (found == m_texts.constEnd()) {
        Logger::warn(QStringLiteral("UpdateInfo::%1: language not found, languageName=%2")
                         .arg(QLatin1String(getter), languageName));
        return fallback;
    }
    return (*found).*field;
}

QString UpdateInfo::getVersion(const QString &languageName) const
{
    return lookUp(languageName, "getVersion", &Texts::version, QStringLiteral("Version"));
}

QString UpdateInfo::getHint(const QString &languageName) const
{
    return withLineBreaks(lookUp(languageName, "getHint", &Texts::hint, QStringLiteral("Hint")));
}

QString UpdateInfo::getChange1(const QString &languageName) const
{
    return withLineBreaks(lookUp(languageName, "getChange1", &Texts::change1, QStringLiteral("Change1")));
}

QString UpdateInfo::getChange2(const QString &languageName) const
{
    return withLineBreaks(lookUp(languageName, "getChange2", &Texts::change2, QStringLiteral("Change2")));
}

QString UpdateInfo::getChange3(const QString &languageName) const
{
    return withLineBreaks(lookUp(languageName, "getChange3", &Texts::change3, QStringLiteral("Change3")));
}

QString UpdateInfo::displayText(const QString &fileName)
{
    const QString stem = QString(fileName).remove(QStringLiteral(".esb"));
    const QStringList parts = stem.split(QLatin1Char('_'));
    if (parts.size() < 9)
        return stem;
    return parts.at(0) + QLatin1Char(' ') + parts.at(3) + QLatin1Char('.') + parts.at(4) + QLatin1Char('.')
           + parts.at(5) + parts.at(6) + QLatin1Char(' ') + parts.at(7) + QLatin1Char('_') + parts.at(8);
}

QString UpdateInfo::versionOfFileName(const QString &fileName)
{
    if (fileName.size() < 27)
        return fileName;
    return fileName.mid(21, 5).replace(QLatin1Char('_'), QLatin1Char('.'));
}
