#include "SettingsService.h"

#include "Settings.h"
#include "TranslationService.h"
#include "UserSettings.h"

namespace {
const QString kDateFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");
const QString kNeverSynchronised = QStringLiteral("0001-01-01T00:00:00");
const QString kDefaultUrl = QStringLiteral("https://www.halvo-medical.example");
}

SettingsService::SettingsService(TranslationService *translation, QObject *parent)
    : QObject(parent)
    , m_translation(translation)
{
}

SettingsService::~SettingsService() = default;

QString SettingsService::userValue(const QString &key, const QString &defaultValue) const
{
    return m_userSettings ? m_userSettings->value(key, defaultValue).toString() : QString();
}

void SettingsService::setUserValue(const QString &key, const QString &value)
{
    if (m_userSettings)
        m_userSettings->setValue(key, value);
}

QString SettingsService::getLanguage() const
{
    const QString language = userValue(QStringLiteral("UserSettings/Language"), QStringLiteral("English"));
    if (m_userSettings && !language.isEmpty())
        return language;
    return Settings::getValue(QStringLiteral("Preferences/Language"), QStringLiteral("English"));
}

void SettingsService::setLanguage(const QString &languageName)
{
    if (!m_translation || !m_translation->switchLanguage(languageName))
        return;
    const QString current = m_translation->languageName();
    setUserValue(QStringLiteral("UserSettings/Language"), current);
    emit languageChanged(current);
}

QString SettingsService::startModule() const
{
    const QString module = userValue(QStringLiteral("UserSettings/StartModule"), QStringLiteral("CopyPage"));
    if (m_userSettings && !module.isEmpty())
        return module;
    return Settings::getValue(QStringLiteral("Preferences/StartModule"), QStringLiteral("CopyPage"));
}

void SettingsService::setStartModule(const QString &module)
{
    setUserValue(QStringLiteral("UserSettings/StartModule"), module);
    Settings::setValue(QStringLiteral("Preferences/StartModule"), module);
    emit startModuleChanged(module);
}

QString SettingsService::getServiceCenter() const
{
    return userValue(QStringLiteral("UserSettings/ServiceCenter"), QStringLiteral("Germany_01"));
}

void SettingsService::setServiceCenter(const QString &serviceCenter)
{
    setUserValue(QStringLiteral("UserSettings/ServiceCenter"), serviceCenter);
}

QString SettingsService::getInstitution1() const
{
    return userValue(QStringLiteral("UserSettings/Institution1"), QStringLiteral("1"));
}

void SettingsService::setInstitution1(const QString &institution)
{
    setUserValue(QStringLiteral("UserSettings/Institution1"), institution);
}

QString SettingsService::getInstitution2() const
{
    return userValue(QStringLiteral("UserSettings/Institution2"), QString());
}

void SettingsService::setInstitution2(const QString &institution)
{
    setUserValue(QStringLiteral("UserSettings/Institution2"), institution);
}

QString SettingsService::getExternalUrl(const QString &function) const
{
    const QString code = m_translation ? m_translation->languageCode() : QStringLiteral("en");
    return Settings::getValue(QStringLiteral("Preferences/%1Url_%2").arg(function, code), kDefaultUrl);
}

QDateTime SettingsService::lastHalvoSync() const
{
    const QString text = m_userSettings ? userValue(QStringLiteral("UserSettings/LastHalvoSync"), kNeverSynchronised)
                                        : kNeverSynchronised;
    QDateTime parsed = QDateTime::fromString(text, kDateFormat);
    return parsed.isValid() ? parsed : QDateTime::fromString(kNeverSynchronised, kDateFormat);
}

void SettingsService::setLastHalvoSync(const QDateTime &dateTime)
{
    setUserValue(QStringLiteral("UserSettings/LastHalvoSync"), dateTime.toString(kDateFormat));
}

void SettingsService::setUser(const QString &userName)
{
    m_userSettings = std::make_unique<UserSettings>(userName);
    const QString language = m_userSettings->value(QStringLiteral("UserSettings/Language"), QStringLiteral("English")).toString();
    if (!language.isEmpty() && language != QLatin1String("None"))
        setLanguage(language);
    else if (m_translation)
        setLanguage(m_translation->languageName());
}

void SettingsService::clearUser()
{
    m_userSettings.reset();
}
