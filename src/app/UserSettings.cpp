#include "UserSettings.h"

#include "DataPaths.h"
#include "EncryptedSettingsFormat.h"
#include "FileSystem.h"

#include <QtCore/QSettings>

namespace {

std::unique_ptr<QSettings> openUserFile(const QString &userName)
{
    // Settings would create a missing folder with the default mode.
    DataPaths::ensureDirectory(DataPaths::userPath(userName, QString()));
    return std::make_unique<QSettings>(DataPaths::userSettingsPath(userName), EncryptedSettingsFormat::format());
}

} // namespace

UserSettings::UserSettings(const QString &userName)
    : m_settings(openUserFile(userName))
{
    FileSystem::makePrivate(m_settings->fileName());
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
    FileSystem::makePrivate(m_settings->fileName());
}

QString UserSettings::fileName() const
{
    return m_settings->fileName();
}
