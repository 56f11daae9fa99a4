#include "KelvaraTest.h"

#include "DataPaths.h"
#include "EncryptedSettingsFormat.h"
#include "Settings.h"

#include <QtCore/QFile>
#include <QtCore/QSettings>

class tst_Settings : public QObject
{
    Q_OBJECT

private:
    static QString userConfig() { return DataPaths::appDir() + QStringLiteral("/KelvaraConfig.ini"); }
    static QString userCredentials() { return DataPaths::appDir() + QStringLiteral("/Credentials.ini"); }

    static QVariant storedValue(const QString &file, const QString &key)
    {
        QSettings settings(file, EncryptedSettingsFormat::format());
        return settings.value(key);
    }

    static void writeStored(const QString &file, const QString &key, const QString &value)
    {
        QSettings settings(file, EncryptedSettingsFormat::format());
        settings.setValue(key, value);
    }

private slots:
    void initTestCase() { KelvaraTest::initializeLogger(); }

    void init()
    {
        Settings::destroy();
        QFile::remove(userConfig());
        QFile::remove(userCredentials());
        DataPaths::ensureDirectory(DataPaths::appDir());
        Settings::create(DataPaths::kelvaraRoot());
    }

    void builtinValueIsMaterialised()
    {
        QVERIFY(!storedValue(userConfig(), QStringLiteral("Preferences/Qelo3ServerPort")).isValid());
        QCOMPARE(Settings::getValue(QStringLiteral("Preferences/Qelo3ServerPort"), QStringLiteral("1")),
                 QStringLiteral("8080"));
        QCOMPARE(storedValue(userConfig(), QStringLiteral("Preferences/Qelo3ServerPort")).toString(),
                 QStringLiteral("8080"));
    }

    void userValueWinsOverBuiltin()
    {
        Settings::destroy();
        writeStored(userConfig(), QStringLiteral("Preferences/Qelo3ServerPort"), QStringLiteral("9999"));
        Settings::create(DataPaths::kelvaraRoot());
        QCOMPARE(Settings::getValue(QStringLiteral("Preferences/Qelo3ServerPort"), QString()), QStringLiteral("9999"));
    }

    void credentialsLayerComesFirst()
    {
        Settings::destroy();
        // A key in both user files: the credentials file is searched first.
        writeStored(userConfig(), QStringLiteral("Shared/Key"), QStringLiteral("config"));
        writeStored(userCredentials(), QStringLiteral("Shared/Key"), QStringLiteral("credentials"));
        Settings::create(DataPaths::kelvaraRoot());
        QCOMPARE(Settings::getValue(QStringLiteral("Shared/Key"), QString()), QStringLiteral("credentials"));
    }

    void missingKeyGivesDefaultAndWarning()
    {
        QCOMPARE(Settings::getValue(QStringLiteral("Preferences/Nowhere"), QStringLiteral("fallback")),
                 QStringLiteral("fallback"));
        QVERIFY(KelvaraTest::logContains(
            QStringLiteral("WARN  Settings::getValue: Could not find the key in any of the settings files")));
    }

    void writeRouting_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("inCredentials");
        QTest::newRow("Preferences key goes to the configuration") << "Preferences/X" << true << false;
        QTest::newRow("Credentials key goes to the cache") << "Credentials/x" << true << true;
        QTest::newRow("Credentials anywhere in the key") << "Old/CredentialsBackup" << true << true;
        QTest::newRow("other key is refused") << "Other/X" << false << false;
        QTest::newRow("prefix test is case-sensitive") << "preferences/x" << false << false;
    }

    void writeRouting()
    {
        QFETCH(QString, key);
        QFETCH(bool, accepted);
        QFETCH(bool, inCredentials);
        QCOMPARE(Settings::setValue(key, QStringLiteral("v")), accepted);
        const QVariant inCache = storedValue(userCredentials(), key);
        const QVariant inConfig = storedValue(userConfig(), key);
        if (!accepted) {
            QVERIFY(!inCache.isValid());
            QVERIFY(!inConfig.isValid());
            QVERIFY(KelvaraTest::logContains(QStringLiteral("ERROR Settings::setValue: Key not found")));
            return;
        }
        QCOMPARE(inCache.isValid(), inCredentials);
        QCOMPARE(inConfig.isValid(), !inCredentials);
        QCOMPARE(Settings::getValue(key, QString()), QStringLiteral("v"));
    }

    void boolParsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("TRUE") << "TRUE" << true;
        QTest::newRow("True") << "True" << true;
        QTest::newRow("true") << "true" << true;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("yes") << "yes" << false;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow(" true with blank") << " true" << false;
    }

    void boolParsing()
    {
        QFETCH(QString, text);
        QFETCH(bool, expected);
        Settings::setValue(QStringLiteral("Preferences/Flag"), text);
        QCOMPARE(Settings::getBoolValue(QStringLiteral("Preferences/Flag"), !expected), expected);
    }

    void intParsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("logsError");
        QTest::newRow("plain number") << "4000" << 4000 << false;
        QTest::newRow("negative") << "-5" << -5 << false;
        QTest::newRow("trailing letter") << "12a" << 77 << true;
        QTest::newRow("empty") << "" << 77 << true;
        QTest::newRow("hex is not decimal") << "0x10" << 77 << true;
    }

    void intParsing()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QFETCH(bool, logsError);
        Settings::setValue(QStringLiteral("Preferences/Number"), text);
        QCOMPARE(Settings::getIntValue(QStringLiteral("Preferences/Number"), 77), expected);
        const QString line = QStringLiteral("Settings::getIntValue: strValue=%1 cannot be converted to int, using the defaultValue=77").arg(text);
        QCOMPARE(KelvaraTest::logContains(line), logsError);
    }

    void builtinBooleansAndDefaults_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("generator host") << "Preferences/Qelo3ServerHost" << "localhost";
        QTest::newRow("server port") << "Preferences/HalvoServerPort" << "8081";
        QTest::newRow("configuration version") << "Preferences/IniFromSwVersion" << "1.0.1";
        QTest::newRow("inactivity") << "Preferences/InactiveLogoutTime" << "3600000";
        QTest::newRow("server TLS errors not ignored") << "Preferences/HalvoServerSslIgnoreErrors" << "false";
        QTest::newRow("start module") << "Preferences/StartModule" << "CopyPage";
    }

    void builtinBooleansAndDefaults()
    {
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(Settings::getValue(key, QStringLiteral("<default>")), expected);
    }

    void damagedUserFileFallsThroughToBuiltin()
    {
        Settings::destroy();
        KelvaraTest::writeFile(userConfig(), QByteArray(300, 'Z'));
        Settings::create(DataPaths::kelvaraRoot());
        QCOMPARE(Settings::getValue(QStringLiteral("Preferences/HalvoServerPort"), QString()), QStringLiteral("8081"));
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_Settings)
#include "tst_settings.moc"
