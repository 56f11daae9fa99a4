#include "UserSettings.h"

#include "DataPaths.h"
#include "EncryptedSettingsFormat.h"

#include <QtCore/QSettings>

UserSettings::UserSettings(const QString &userName)
    : m_settings(std::make_unique<QSettings>(DataPaths::userSettingsPath(userName),
                                             EncryptedSettingsFormat::format()))
{
}

UserSettings::~UserSettings() = default;

QVariant UserSettings::value(const QString &key, const QVariant &defaultValue) const
{
    return m_settings->value(key, defaultValue);
}

void UserSettings::setValue(const QString &key, const QVariant &value)
{
    m_settings->setValue(key, value);
    m_settings->sync();
}

QString UserSettings::fileName() const
{
    return m_settings->fileName();
}
