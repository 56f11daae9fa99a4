#pragma once

#include <QtCore/QDateTime>
#include <QtCore/QObject>

#include <memory>

class TranslationService;
class UserSettings;

/// What the user interface reads and writes of the settings: language, start
/// module, service centre, institutions, external addresses.
class SettingsService : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString startModule READ startModule NOTIFY startModuleChanged)
public:
    explicit SettingsService(TranslationService *translation, QObject *parent = nullptr);
    ~SettingsService() override;

    Q_INVOKABLE QString getLanguage() const;
    Q_INVOKABLE void setLanguage(const QString &languageName);
    QString startModule() const;
    Q_INVOKABLE void setStartModule(const QString &module);
    Q_INVOKABLE QString getServiceCenter() const;
    Q_INVOKABLE void setServiceCenter(const QString &serviceCenter);
    Q_INVOKABLE QString getInstitution1() const;
    Q_INVOKABLE void setInstitution1(const QString &institution);
    Q_INVOKABLE QString getInstitution2() const;
    Q_INVOKABLE void setInstitution2(const QString &institution);
    Q_INVOKABLE QString getExternalUrl(const QString &function) const;

    QDateTime lastHalvoSync() const;
    void setLastHalvoSync(const QDateTime &dateTime);

    /// Opens the per-user settings of `userName` and applies the user's language.
    void setUser(const QString &userName);
    void clearUser();
    bool hasUser() const { return m_userSettings != nullptr; }

signals:
    void languageChanged(QString languageName);
    void startModuleChanged(QString ModuleName);

private:
    QString userValue(const QString &key, const QString &defaultValue) const;
    void setUserValue(const QString &key, const QString &value);

    TranslationService *m_translation;
    std::unique_ptr<UserSettings> m_userSettings;
};
