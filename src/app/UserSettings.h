#pragma once

#include <QtCore/QString>
#include <QtCore/QVariant>

#include <memory>

class QSettings;

/// The encrypted "UserSettings.ini" of one user of the system.
class UserSettings
{
public:
    explicit UserSettings(const QString &userName);
    ~UserSettings();

    QVariant value(const QString &key, const QVariant &defaultValue = QVariant()) const;
    void setValue(const QString &key, const QVariant &value);
    QString fileName() const;

private:
    std::unique_ptr<QSettings> m_settings;
};
