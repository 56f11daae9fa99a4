#include "TranslationService.h"

#include "Logger.h"
#include "ResourceHelper.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QLocale>

TranslationService::TranslationService(QObject *parent, const QString &translationDirectory)
    : QObject(parent)
    , m_translationDirectory(translationDirectory.isEmpty()
                                 ? ResourceHelper::getResourcePath(QStringLiteral("Resources/Translations"))
                                 : translationDirectory)
    , m_systemLocaleName(QLocale::system().name())
{
    readLanguageFiles();
}

TranslationService::~TranslationService()
{
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
}

QString TranslationService::displayNameOf(const QTranslator &translator)
{
    return translator.translate("main", "LanguageName", "Visible name of language in selection dialog");
}

QString TranslationService::filePath(const QString &code) const
{
    return m_translationDirectory + QLatin1Char('/') + m_filePrefix + QLatin1Char('_') + code + QStringLiteral(".qm");
}

void TranslationService::readLanguageFiles()
{
    const QStringList files = QDir(m_translationDirectory)
                                  .entryList({m_filePrefix + QStringLiteral("_*.qm")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        Logger::warn(QStringLiteral("TranslationService::readLanguageFiles: no files found in m_translationSourceDir=%1")
                         .arg(m_translationDirectory));
    m_languages.clear();
    for (const QString &file : files) {
        const int underscore = int(file.lastIndexOf(QLatin1Char('_')));
        const int dot = int(file.lastIndexOf(QLatin1Char('.')));
        const QString code = file.mid(underscore + 1, dot - underscore - 1);
        QTranslator scratch;
        QString name;
        if (scratch.load(m_translationDirectory + QLatin1Char('/') + file))
            name = displayNameOf(scratch);
        if (name.isEmpty()) {
            Logger::warn(QStringLiteral("TranslationService::readLanguageFiles: No language name found in file %1").arg(file));
            continue;
        }
        if (m_languages.contains(name)) {
            Logger::warn(QStringLiteral("TranslationService::readLanguageFiles: Duplicate file found for language \"%1\", discarding file %2")
                             .arg(name, file));
            continue;
        }
        m_languages.insert(name, code);
    }
    if (!m_languages.contains(QStringLiteral("English")))
        m_languages.insert(QStringLiteral("English"), QStringLiteral("en"));
}

bool TranslationService::loadLanguage(const QString &code)
{
    if (m_installed) {
        QCoreApplication::removeTranslator(&m_translator);
        m_installed = false;
    }
    // A file that does not name its language was never offered for selection;
    // it gets the same fallback as a missing one rather than a nameless language.
    if (!code.isEmpty() && m_translator.load(filePath(code)) && !displayNameOf(m_translator).isEmpty()) {
        m_languageName = displayNameOf(m_translator);
        m_languageCode = code;
    } else {
        if (!m_translator.load(filePath(QStringLiteral("en"))))
            Logger::warn(QStringLiteral("TranslationService::loadLanguage: no English translation file"));
        m_languageName = QStringLiteral("English");
        m_languageCode = QStringLiteral("en");
    }
    if (!m_translator.isEmpty())
        m_installed = QCoreApplication::installTranslator(&m_translator);
    QLocale::setDefault(QLocale(m_languageCode));
    emit currentLanguageChanged(m_languageName);
    return true;
}

void TranslationService::loadSystemLanguage()
{
    const int cut = int(m_systemLocaleName.lastIndexOf(QLatin1Char('_')));
    loadLanguage(cut < 0 ? m_systemLocaleName : m_systemLocaleName.left(cut));
}

bool TranslationService::switchLanguage(const QString &languageName)
{
    if (languageName == m_languageName)
        return true;
    QString code;
    if (languageName == QLatin1String("None")) {
        code = m_systemLocaleName.left(2);
    } else if (m_languages.contains(languageName)) {
        code = m_languages.value(languageName);
    } else {
        Logger::error(QStringLiteral("TranslationService::switchLanguage: Language \"%1\" not found").arg(languageName));
    }
    return loadLanguage(code);
}

bool TranslationService::switchToNextLanguage(bool increment)
{
    const QStringList names = languages();
    const int index = int(names.indexOf(m_languageName));
    if (index < 0)
        return false;
    const int count = int(names.size());
    const int next = increment ? (index + 1) % count : (index + count - 1) % count;
    return switchLanguage(names.at(next));
}
