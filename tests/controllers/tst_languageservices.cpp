#include "KelvaraTest.h"

#include "DataPaths.h"
#include "HtmlService.h"
#include "Settings.h"
#include "SettingsService.h"
#include "TranslationService.h"
#include "UserSettings.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QStandardPaths>
#include <QtTest/QSignalSpy>

class tst_LanguageServices : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        KelvaraTest::startSettings();
    }

    void builtinLanguagesAreSortedAndWrap()
    {
        TranslationService service;
        QCOMPARE(service.languages(), (QStringList{QStringLiteral("Deutsch"), QStringLiteral("English")}));
        service.loadLanguage(QStringLiteral("en"));
        QCOMPARE(service.languageName(), QStringLiteral("English"));
        QVERIFY(service.switchToNextLanguage(true));
        QCOMPARE(service.languageName(), QStringLiteral("Deutsch"));
        QCOMPARE(service.languageCode(), QStringLiteral("de"));
        QVERIFY(service.switchToNextLanguage(true));
        QCOMPARE(service.languageName(), QStringLiteral("English"));
        QVERIFY(service.switchToNextLanguage(false));
        QCOMPARE(service.languageName(), QStringLiteral("Deutsch"));
    }

    void fixtureFilesAreScreened()
    {
        TranslationService service(nullptr, QStringLiteral(FIXTURE_TRANSLATIONS));
        // "at" and "de" both call themselves Deutsch: the first file wins; "fr" has no name.
        QCOMPARE(service.languages(), (QStringList{QStringLiteral("Deutsch"), QStringLiteral("English")}));
        QVERIFY(KelvaraTest::logContains(QStringLiteral(
            "TranslationService::readLanguageFiles: Duplicate file found for language \"Deutsch\", discarding file Kelvara_de.qm")));
        QVERIFY(KelvaraTest::logContains(QStringLiteral("TranslationService::readLanguageFiles: No language name found in file Kelvara_fr.qm")));
    }

    void switching_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("cancelText");
        QTest::newRow("known language") << "en_US" << "English" << "English" << "en" << "Cancel";
        QTest::newRow("None on a German system") << "de_DE" << "None" << "Deutsch" << "de" << "Abbrechen";
        QTest::newRow("None on a French system falls back") << "fr_FR" << "None" << "English" << "en" << "Cancel";
        QTest::newRow("unknown name falls back") << "de_DE" << "Klingon" << "English" << "en" << "Cancel";
    }

    void switching()
    {
        QFETCH(QString, locale);
        QFETCH(QString, request);
        QFETCH(QString, name);
        QFETCH(QString, code);
        QFETCH(QString, cancelText);
        TranslationService service(nullptr, QStringLiteral(FIXTURE_TRANSLATIONS));
        service.setSystemLocaleName(locale);
        service.loadLanguage(QStringLiteral("at"));
        QSignalSpy spy(&service, &TranslationService::currentLanguageChanged);
        QVERIFY(service.switchLanguage(request));
        QCOMPARE(service.languageName(), name);
        QCOMPARE(service.languageCode(), code);
        QCOMPARE(QCoreApplication::translate("main", "Abbrechen"), cancelText);
        QCOMPARE(spy.count(), name == QLatin1String("Deutsch") && code == QLatin1String("at") ? 0 : 1);
    }

    void switchingToTheCurrentLanguageDoesNothing()
    {
        TranslationService service;
        service.loadLanguage(QStringLiteral("de"));
        QSignalSpy spy(&service, &TranslationService::currentLanguageChanged);
        QVERIFY(service.switchLanguage(QStringLiteral("Deutsch")));
        QCOMPARE(spy.count(), 0);
    }

    void systemLanguageCutsTheRegion()
    {
        TranslationService service;
        service.setSystemLocaleName(QStringLiteral("de_DE"));
        service.loadSystemLanguage();
        QCOMPARE(service.languageCode(), QStringLiteral("de"));
    }

    void htmlUrls_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("help on linux uses the desktop pages") << 0 << "linux" << "English" << "/Help/Windows/English/Copy.html";
        QTest::newRow("help on ios") << 0 << "ios" << "Deutsch" << "/Help/iOS/Deutsch/Copy.html";
        QTest::newRow("terms") << 1 << "" << "Deutsch" << "/Legal/Deutsch/GTC.html";
        QTest::newRow("imprint") << 2 << "" << "English" << "/Legal/English/Imprint.html";
        QTest::newRow("privacy") << 3 << "" << "English" << "/Legal/English/PrivacyPolicy.html";
    }

    void htmlUrls()
    {
        QFETCH(int, kind);
        QFETCH(QString, platform);
        QFETCH(QString, language);
        QFETCH(QString, suffix);
        HtmlService service;
        QString url;
        switch (kind) {
        case 0: url = service.getUrlForHelp(platform, language, QStringLiteral("Copy")); break;
        case 1: url = service.getUrlForGTC(language); break;
        case 2: url = service.getUrlForImprint(language); break;
        default: url = service.getUrlForPrivacy(language); break;
        }
        QCOMPARE(url, QStringLiteral("file:///") + QStandardPaths::writableLocation(QStandardPaths::TempLocation)
                          + QStringLiteral("/HalvoKelvara_Html") + suffix);
    }

    void registrationAddressDependsOnGerman()
    {
        HtmlService service;
        QVERIFY(service.getUrlForRegistration(QStringLiteral("Deutsch")) != service.getUrlForRegistration(QStringLiteral("English")));
        QCOMPARE(service.getUrlForRegistration(QStringLiteral("English")), service.getUrlForRegistration(QStringLiteral("Italiano")));
    }

    void htmlFolderIsRebuiltFromResources()
    {
        HtmlService service;
        QVERIFY(KelvaraTest::writeFile(service.htmlFolder() + QStringLiteral("/stale.html"), "old"));
        service.prepareHtmlFolder();
        QVERIFY(!QFile::exists(service.htmlFolder() + QStringLiteral("/stale.html")));
        QVERIFY(QDir(service.htmlFolder()).exists());
        QCOMPARE(service.getHtmlFromFile(service.htmlFolder() + QStringLiteral("/none.html")), QString());
        QVERIFY(KelvaraTest::writeFile(service.htmlFolder() + QStringLiteral("/x.html"), "<p>Grüße</p>"));
        QCOMPARE(service.getHtmlFromFile(service.htmlFolder() + QStringLiteral("/x.html")), QStringLiteral("<p>Grüße</p>"));
    }

    void settingsServiceWithoutUser()
    {
        TranslationService translation;
        translation.loadLanguage(QStringLiteral("en"));
        SettingsService service(&translation);
        QCOMPARE(service.getServiceCenter(), QString());
        QCOMPARE(service.getInstitution1(), QString());
        QCOMPARE(service.getLanguage(), QStringLiteral("English"));
        QCOMPARE(service.lastHalvoSync(), QDateTime(QDate(1, 1, 1), QTime(0, 0)));
        QCOMPARE(service.getExternalUrl(QStringLiteral("PasswordForgotten")),
                 QStringLiteral("https://portal.halvo-medical.example/en/password-reset"));
        QCOMPARE(service.getExternalUrl(QStringLiteral("Unknown")), QStringLiteral("https://www.halvo-medical.example"));
    }

    void settingsServiceWithUser()
    {
        KelvaraTest::startSettings(true);
        DataPaths::prepareUserTree(QStringLiteral("anna"));
        {
            UserSettings stored(QStringLiteral("anna"));
            stored.setValue(QStringLiteral("UserSettings/Language"), QStringLiteral("Deutsch"));
        }
        TranslationService translation;
        translation.loadLanguage(QStringLiteral("en"));
        SettingsService service(&translation);
        QSignalSpy languageSpy(&service, &SettingsService::languageChanged);
        service.setUser(QStringLiteral("anna"));
        QCOMPARE(translation.languageName(), QStringLiteral("Deutsch"));
        QCOMPARE(languageSpy.count(), 1);
        QCOMPARE(service.getLanguage(), QStringLiteral("Deutsch"));
        QCOMPARE(service.getServiceCenter(), QStringLiteral("Germany_01"));
        QCOMPARE(service.getExternalUrl(QStringLiteral("PasswordForgotten")),
                 QStringLiteral("https://portal.halvo-medical.example/de/passwort-vergessen"));

        service.setInstitution1(QStringLiteral("Klinikum Nord"));
        service.setServiceCenter(QStringLiteral("Austria_01"));
        const QDateTime sync(QDate(2023, 11, 15), QTime(10, 15, 30));
        service.setLastHalvoSync(sync);
        QSignalSpy moduleSpy(&service, &SettingsService::startModuleChanged);
        service.setStartModule(QStringLiteral("ChronoPage"));
        QCOMPARE(moduleSpy.count(), 1);

        UserSettings reread(QStringLiteral("anna"));
        QCOMPARE(reread.value(QStringLiteral("UserSettings/Institution1")).toString(), QStringLiteral("Klinikum Nord"));
        QCOMPARE(reread.value(QStringLiteral("UserSettings/ServiceCenter")).toString(), QStringLiteral("Austria_01"));
        QCOMPARE(reread.value(QStringLiteral("UserSettings/LastHalvoSync")).toString(), QStringLiteral("2023-11-15T10:15:30"));
        QCOMPARE(service.lastHalvoSync(), sync);
        QCOMPARE(Settings::getValue(QStringLiteral("Preferences/StartModule"), QString()), QStringLiteral("ChronoPage"));

        service.clearUser();
        QCOMPARE(service.getServiceCenter(), QString());
        QCOMPARE(service.startModule(), QStringLiteral("ChronoPage"));
    }
};

KELVARA_TEST_MAIN(tst_LanguageServices)
#include "tst_languageservices.moc"
