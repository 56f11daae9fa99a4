#pragma once

#include <QtCore/QString>

#include <memory>

class QSettings;

/// The process-wide layered configuration: user credentials, built-in
/// credentials, user configuration, built-in configuration, searched in that
/// order. Built-in values are copied into the user file on first read.
class Settings
{
public:
    /// Creates the instance for `kelvaraDirectory` (DOCS + "/Kelvara"); a
    /// second call does nothing.
    static void create(const QString &kelvaraDirectory);
    /// Drops the instance; tests use it to start from fresh files.
    static void destroy();
    static Settings *instance();

    static QString getValue(const QString &key, const QString &defaultValue);
    static bool getBoolValue(const QString &key, bool defaultValue);
    static int getIntValue(const QString &key, int defaultValue);
    static bool setValue(const QString &key, const QString &value);

    /// "true" in any case, or "1".
    static bool parseBool(const QString &text);

    ~Settings();

private:
    explicit Settings(const QString &kelvaraDirectory);
    QString lookup(const QString &key, const QString &defaultValue);
    bool store(const QString &key, const QString &value);

    std::unique_ptr<QSettings> m_userCredentials;
    std::unique_ptr<QSettings> m_builtinCredentials;
    std::unique_ptr<QSettings> m_userConfig;
    std::unique_ptr<QSettings> m_builtinConfig;
};
