#pragma once

#include <QtCore/QMap>
#include <QtCore/QObject>
#include <QtCore/QStringList>
#include <QtCore/QTranslator>

/// The user-interface translations: which exist, which is active, and the
/// run-time switch between them.
class TranslationService : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString updateString READ updateString NOTIFY currentLanguageChanged)
    Q_PROPERTY(QStringList languages READ languages CONSTANT)
    Q_PROPERTY(QString currentLanguage READ languageName NOTIFY currentLanguageChanged)
public:
    /// `translationDirectory` defaults to the built-in translations.
    explicit TranslationService(QObject *parent = nullptr, const QString &translationDirectory = QString());
    ~TranslationService() override;

    QString updateString() const { return QString(); }
    QStringList languages() const { return m_languages.keys(); }
    QString languageCode() const { return m_languageCode; }

    Q_INVOKABLE QString languageName() const { return m_languageName; }
    Q_INVOKABLE bool switchLanguage(const QString &languageName);
    Q_INVOKABLE bool switchToNextLanguage(bool increment);

    /// Loads the language of the system locale (de_DE gives "de").
    void loadSystemLanguage();
    /// Loads a language by its code; unknown codes fall back to English.
    bool loadLanguage(const QString &code);

    /// The locale name used for "None" and the system language; tests replace it.
    void setSystemLocaleName(const QString &localeName) { m_systemLocaleName = localeName; }

signals:
    void currentLanguageChanged(QString newLanguage);

private:
    void readLanguageFiles();
    QString filePath(const QString &code) const;
    static QString displayNameOf(const QTranslator &translator);

    QString m_languageCode;
    QTranslator m_translator;
    bool m_installed = false;
    QString m_languageName;
    QString m_translationDirectory;
    QMap<QString, QString> m_languages;
    QString m_systemLocaleName;
    const QString m_filePrefix = QStringLiteral("Kelvara");
};
