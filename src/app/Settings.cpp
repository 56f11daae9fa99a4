#include "Settings.h"

#include "DataPaths.h"
#include "EncryptedSettingsFormat.h"
#include "FileSystem.h"
#include "Logger.h"

#include <QtCore/QSettings>

namespace {

const QString kBuiltinDirectory = QStringLiteral(":/Resources/Config");
std::unique_ptr<Settings> s_instance;

std::unique_ptr<QSettings> openFile(const QString &path)
{
    return std::make_unique<QSettings>(path, EncryptedSettingsFormat::format());
}

/// Writes a settings file to disk; the credentials cache and configuration
/// are their owner's alone, also when an older version left them open.
void syncPrivate(QSettings &settings)
{
    settings.sync();
    FileSystem::makePrivate(settings.fileName());
}

} // namespace

Settings::Settings(const QString &kelvaraDirectory)
{
    const QString userCredentials = kelvaraDirectory + QStringLiteral("/application/Credentials.ini");
    const QString userConfig = kelvaraDirectory + QStringLiteral("/application/KelvaraConfig.ini");
    // Settings would create a missing folder with the default mode.
    DataPaths::ensureDirectory(kelvaraDirectory + QStringLiteral("/application"));
    FileSystem::makePrivate(userCredentials);
    FileSystem::makePrivate(userConfig);
    m_userCredentials = openFile(userCredentials);
    m_builtinCredentials = openFile(kBuiltinDirectory + QStringLiteral("/Credentials.ini"));
    m_userConfig = openFile(userConfig);
    m_builtinConfig = openFile(kBuiltinDirectory + QStringLiteral("/KelvaraConfig.ini"));
}

Settings::~Settings() = default;

void Settings::create(const QString &kelvaraDirectory)
{
    if (!s_instance)
        s_instance.reset(new Settings(kelvaraDirectory));
}

void Settings::destroy()
{
    s_instance.reset();
}

Settings *Settings::instance()
{
    return s_instance.get();
}

QString Settings::lookup(const QString &key, const QString &defaultValue)
{
    if (m_userCredentials->contains(key))
        return m_userCredentials->value(key).toString();
    if (m_builtinCredentials->contains(key)) {
        const QVariant value = m_builtinCredentials->value(key);
        m_userCredentials->setValue(key, value);
        syncPrivate(*m_userCredentials);
        return value.toString();
    }
    if (m_userConfig->contains(key))
        return m_userConfig->value(key).toString();
    if (m_builtinConfig->contains(key)) {
        const QVariant value = m_builtinConfig->value(key);
        m_userConfig->setValue(key, value);
        syncPrivate(*m_userConfig);
        return value.toString();
    }
    Logger::warn(QStringLiteral("Settings::getValue: Could not find the key in any of the settings files"));
    return defaultValue;
}

bool Settings::store(const QString &key, const QString &value)
{
    QSettings *target = nullptr;
    if (key.contains(QLatin1String("Credentials")))
        target = m_userCredentials.get();
    else if (key.contains(QLatin1String("Preferences")))
        target = m_userConfig.get();
    if (!target) {
        Logger::error(QStringLiteral("Settings::setValue: Key not found"));
        return false;
    }
    target->setValue(key, value);
    syncPrivate(*target);
    return target->status() == QSettings::NoError;
}

QString Settings::getValue(const QString &key, const QString &defaultValue)
{
    if (!s_instance) {
        Logger::warn(QStringLiteral("Settings::getValue: Could not find the key in any of the settings files"));
        return defaultValue;
    }
    return s_instance->lookup(key, defaultValue);
}

bool Settings::parseBool(const QString &text)
{
    return text.toLower() == QLatin1String("true") || text == QLatin1String("1");
}

bool Settings::getBoolValue(const QString &key, bool defaultValue)
{
    return parseBool(getValue(key, defaultValue ? QStringLiteral("true") : QStringLiteral("false")));
}

int Settings::getIntValue(const QString &key, int defaultValue)
{
    const QString text = getValue(key, QString::number(defaultValue));
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok) {
        Logger::error(QStringLiteral("Settings::getIntValue: strValue=%1 cannot be converted to int, using the defaultValue=%2")
                          .arg(text)
                          .arg(defaultValue));
        return defaultValue;
    }
    return value;
}

bool Settings::setValue(const QString &key, const QString &value)
{
    if (!s_instance) {
        Logger::error(QStringLiteral("Settings::setValue: Key not found"));
        return false;
    }
    return s_instance->store(key, value);
}
