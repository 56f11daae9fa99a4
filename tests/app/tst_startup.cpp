#include "KelvaraTest.h"

#include "DataPaths.h"
#include "EncryptedSettingsFormat.h"
#include "ImFixer.h"
#include "KelvaraApplication.h"
#include "MainViewController.h"
#include "SingleInstance.h"
#include "VersionInfo.h"

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtGui/QInputMethodQueryEvent>
#include <QtGui/QScreen>
#include <QtNetwork/QLocalSocket>
#include <QtTest/QSignalSpy>
#include <QtWidgets/QStyle>

class tst_Startup : public QObject
{
    Q_OBJECT

private:
    static QString userConfig() { return DataPaths::appDir() + QStringLiteral("/KelvaraConfig.ini"); }

    static void writeConfigVersion(const QString &version)
    {
        QSettings settings(userConfig(), EncryptedSettingsFormat::format());
        settings.clear();
        if (!version.isNull())
            settings.setValue(QStringLiteral("Preferences/IniFromSwVersion"), version);
        settings.setValue(QStringLiteral("Preferences/Marker"), QStringLiteral("user copy"));
    }

    static QString marker()
    {
        QSettings settings(userConfig(), EncryptedSettingsFormat::format());
        return settings.value(QStringLiteral("Preferences/Marker")).toString();
    }

    static QProcessEnvironment applicationEnvironment(const QString &documents)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("KELVARA_DOCUMENTS_DIR"), documents);
        return environment;
    }

private slots:
    void initTestCase() { KelvaraTest::initializeLogger(); }

    void splashText_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("expected");
        QTest::newRow("four-part version drops its last part") << "1.4.1.0" << "Version 1.4.1 (20231115)";
        QTest::newRow("three-part version") << "1.4.1" << "Version 1.4 (20231115)";
        QTest::newRow("version without a dot is kept") << "7" << "Version 7 (20231115)";
    }

    void splashText()
    {
        QFETCH(QString, version);
        QFETCH(QString, expected);
        QCOMPARE(VersionInfo::splashText(version, QStringLiteral("20231115")), expected);
    }

    void versionInfoProperties()
    {
        QCoreApplication::setApplicationVersion(QStringLiteral("1.4.1"));
        VersionInfo info;
        QCOMPARE(info.fileVersion(), QStringLiteral("1.4.1"));
        QCOMPARE(info.productVersion(), QStringLiteral("1.4.1"));
        QCOMPARE(info.releaseDate(), QStringLiteral("20231115"));
        QCOMPARE(info.minQELO3Version(), QStringLiteral("1.4.0"));
        QCOMPARE(info.name(), QCoreApplication::applicationName());
    }

    void currentPageChangesOnlyOnRealChange()
    {
        MainViewController controller(nullptr);
        QSignalSpy spy(&controller, &MainViewController::currentPageChanged);
        controller.setCurrentPage(MainViewController::PAGE_LOGIN);
        QCOMPARE(spy.count(), 0);
        controller.setCurrentPage(MainViewController::PAGE_COPY);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.takeFirst().at(0).toInt(), int(MainViewController::PAGE_COPY));
        controller.setCurrentPageAsInt(66);
        QCOMPARE(controller.currentPage(), 66);
        QCOMPARE(spy.takeFirst().at(0).toInt(), 66);
        controller.setCurrentPageAsInt(66);
        QCOMPARE(spy.count(), 0);
    }

    void screenHeightLeavesRoomForTheTitleBar()
    {
        MainViewController controller(nullptr);
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(controller.availableScreenHeight(),
                 available.height() - QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight));
        QCOMPARE(controller.availableScreenWidth(), available.width());
    }

    void imFixerConsumesOnlyCursorRectangleQueries()
    {
        QObject target;
        target.installEventFilter(ImFixer::instance());
        QCOMPARE(ImFixer::instance(), ImFixer::instance());

        QInputMethodQueryEvent cursorOnly(Qt::ImCursorRectangle);
        cursorOnly.setValue(Qt::ImCursorRectangle, QRectF(1, 2, 3, 4));
        QVERIFY(ImFixer::instance()->eventFilter(&target, &cursorOnly));
        QCOMPARE(cursorOnly.value(Qt::ImCursorRectangle).toRectF(), QRectF());

        QInputMethodQueryEvent combined(Qt::ImCursorRectangle | Qt::ImFont);
        QVERIFY(!ImFixer::instance()->eventFilter(&target, &combined));
    }

    void configurationMigration_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("survives");
        QTest::newRow("current version survives") << "1.0.1" << true;
        QTest::newRow("older version is replaced") << "1.0.0" << false;
        QTest::newRow("missing version is replaced") << QString() << false;
    }

    void configurationMigration()
    {
        QFETCH(QString, version);
        QFETCH(bool, survives);
        DataPaths::ensureDirectory(DataPaths::appDir());
        writeConfigVersion(version);
        QVERIFY(KelvaraTest::writeFile(DataPaths::appDir() + QStringLiteral("/V0.0.28.ini"), "stale"));
        QFile::remove(DataPaths::appDir() + QStringLiteral("/Credentials.ini"));

        KelvaraApplication::prepareApplicationDirectory();

        QCOMPARE(marker(), survives ? QStringLiteral("user copy") : QString());
        QVERIFY(QFile::exists(userConfig()));
        QVERIFY(!QFile::exists(DataPaths::appDir() + QStringLiteral("/V0.0.28.ini")));
        QVERIFY(QFile::exists(DataPaths::appDir() + QStringLiteral("/Credentials.ini")));
        if (!survives) {
            QCOMPARE(KelvaraTest::readFile(userConfig()),
                     KelvaraTest::readFile(QStringLiteral(":/Resources/Config/KelvaraConfig.ini")));
        }
    }

    void secondInstanceRaisesFirstAndExitsZero()
    {
        QTemporaryDir documents;
        QProcess first;
        first.setProcessEnvironment(applicationEnvironment(documents.path()));
        first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        first.start(QStringLiteral(KELVARA_APP_PATH), {});
        QVERIFY(first.waitForStarted(KelvaraTest::timeout(10000)));

        // The first instance is ready once its local server answers.
        QElapsedTimer clock;
        clock.start();
        bool listening = false;
        while (!listening && clock.elapsed() < KelvaraTest::timeout(30000)) {
            QLocalSocket probe;
            probe.connectToServer(SingleInstance::serverName());
            listening = probe.waitForConnected(200);
            if (!listening)
                QTest::qWait(KelvaraTest::timeout(100));
        }
        QVERIFY(listening);

        QProcess second;
        second.setProcessEnvironment(applicationEnvironment(documents.path()));
        second.start(QStringLiteral(KELVARA_APP_PATH), {});
        QVERIFY(second.waitForFinished(KelvaraTest::timeout(10000)));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        const QString log = documents.path() + QStringLiteral("/Kelvara/application/KelvaraLog.txt");
        QTRY_VERIFY_WITH_TIMEOUT(KelvaraTest::readFile(log).contains("KelvaraApplication::raiseMainWindow"),
                                 KelvaraTest::timeout(10000));
        const QList<QByteArray> lines = KelvaraTest::readFile(log).split('\n');
        QVERIFY2(lines.first().endsWith("INFO  Logger::initialize: Kelvara Version 1.4.1.0, 20231115"), lines.first().constData());
        // Only one process wrote the log: the second start built no application object.
        QCOMPARE(KelvaraTest::readFile(log).count("Logger::initialize"), 1);

        first.kill();
        first.waitForFinished();
    }

    void singleInstanceIsPerUser()
    {
        // Fault: one lock file and one socket name for the machine kept every other user from starting the program.
        const QString anna = QStringLiteral("1000");
        const QString bob = QStringLiteral("1001");
        const QString odd = QStringLiteral("HALVO_J\u00f6rg M\u00fcller/x");
        QVERIFY(SingleInstance::serverName(anna).startsWith(QStringLiteral("Kelvara")));
        QVERIFY(SingleInstance::serverName(anna) != SingleInstance::serverName(bob));
        QVERIFY(SingleInstance::lockFilePath(anna) != SingleInstance::lockFilePath(bob));
        QVERIFY(SingleInstance::serverName(odd) != SingleInstance::serverName(QStringLiteral("HALVO_J")));
        QVERIFY(!SingleInstance::serverName(odd).contains(QLatin1Char('/')));
        QVERIFY(!SingleInstance::serverName(odd).contains(QLatin1Char(' ')));

        SingleInstance first(anna);
        SingleInstance other(bob);
        SingleInstance second(anna);
        QVERIFY(first.acquire());
        QVERIFY(other.acquire());
        QVERIFY(!second.acquire());
    }

    void toolEncryptsAndDecrypts()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("in.ini"));
        const QString encrypted = dir.filePath(QStringLiteral("out.ini"));
        QVERIFY(KelvaraTest::writeFile(source, "[Preferences]\nLanguage=Deutsch\nList=a, b\n[Credentials]\njdoe=jdoe|x|ADMIN|||| \n"));

        QProcess tool;
        tool.start(QStringLiteral(KELVARA_TOOL_PATH), {QStringLiteral("settings"), QStringLiteral("encrypt"), source, encrypted});
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.exitCode(), 0);

        QSettings settings(encrypted, EncryptedSettingsFormat::format());
        QCOMPARE(settings.value(QStringLiteral("Preferences/List")).toString(), QStringLiteral("a, b"));

        tool.start(QStringLiteral(KELVARA_TOOL_PATH), {QStringLiteral("settings"), QStringLiteral("decrypt"), encrypted});
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(tool.readAllStandardOutput(),
                 QByteArray("[Credentials]\njdoe=jdoe|x|ADMIN||||\n\n[Preferences]\nLanguage=Deutsch\nList=a, b\n"));

        tool.start(QStringLiteral(KELVARA_TOOL_PATH), {QStringLiteral("settings"), QStringLiteral("decrypt"), source});
        QVERIFY(tool.waitForFinished());
        QVERIFY(tool.exitCode() != 0);
        QVERIFY(tool.readAllStandardError().contains("not an encrypted settings file"));
    }
};

KELVARA_TEST_MAIN(tst_Startup)
#include "tst_startup.moc"
