#include "KelvaraTest.h"

#include "ChronoFlexParser.h"
#include "ChronoFolderEntry.h"
#include "ChronoViewController.h"
#include "DataPaths.h"
#include "Manager.h"
#include "Qelo3Server.h"
#include "Qelo3Simulator.h"
#include "Settings.h"

#include <QtTest/QSignalSpy>

#include <memory>

// Fetching the chrono files from the simulated generator through the Manager's
// routes, in both protocol styles: whole files, and lists with downloads.
class tst_ChronoIntegration : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Qelo3Simulator> m_generator;

    static QString demoChrono(const QString &file)
    {
        return QStringLiteral(KELVARA_DEMO_DATA_DIR "/generator/chrono/") + file;
    }

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        KelvaraTest::startSettings(true);
        QVERIFY(QFileInfo(demoChrono(QStringLiteral("23104711_231024_081533.flex.zip"))).isFile());
        m_generator = std::make_unique<Qelo3Simulator>();
        m_generator->setDataDirectory(QStringLiteral(KELVARA_DEMO_DATA_DIR "/generator"));
        QVERIFY(m_generator->start());
        Settings::setValue(QStringLiteral("Preferences/Qelo3ServerHost"), QStringLiteral("127.0.0.1"));
        Settings::setValue(QStringLiteral("Preferences/Qelo3ServerPort"), QString::number(m_generator->port()));
        Settings::setValue(QStringLiteral("Preferences/Qelo3ServerConnectionUpdateRate"), QStringLiteral("100"));
    }

    void fetch_data()
    {
        QTest::addColumn<int>("protocol");
        QTest::addColumn<bool>("zipped");
        QTest::newRow("whole files (protocol 4)") << 4 << true;
        QTest::newRow("zipped log downloaded (protocol 6)") << 6 << true;
        // Fault: a plain event log that came in chunks was never filed.
        QTest::newRow("plain log downloaded (protocol 6)") << 6 << false;
    }

    void fetch()
    {
        QFETCH(int, protocol);
        QFETCH(bool, zipped);
        m_generator->setProtocolVersion(protocol);
        m_generator->setPreferZippedEventLog(zipped);
        const QString user = QStringLiteral("tech%1%2").arg(protocol).arg(zipped);
        DataPaths::createUserDirectories(user);

        Manager manager;
        manager.initialize();
        manager.communication().setQelo3ServerAutoConnect(true);
        QVERIFY(QTest::qWaitFor([&] { return manager.communication().isQelo3Connected(); }, KelvaraTest::timeout(5000)));
        QVERIFY(QTest::qWaitFor([&] { return manager.communication().qelo3Server()->peerProtocolVersion() == protocol; },
                                KelvaraTest::timeout(5000)));
        ChronoViewController &chrono = manager.chronoViewController();
        chrono.setDataRoot(user);
        QSignalSpy parsed(chrono.fileService(), &ChronoFileService::flexParsingFinished);

        chrono.getQelo3ChronoListOrFiles();
        QVERIFY(chrono.chronoFixAwaited() && chrono.chronoFlexAwaited());
        QVERIFY(QTest::qWaitFor([&] { return !chrono.chronoFixAwaited() && !chrono.chronoFlexAwaited(); },
                                KelvaraTest::timeout(20000)));
        QVERIFY(parsed.wait(KelvaraTest::timeout(20000)) || !parsed.isEmpty());

        const QString folder = chrono.chronoRoot() + QStringLiteral("/23104711 231024/");
        QStringList names;
        for (const ChronoFolderEntry *entry : chrono.folderModel()->entries())
            names.append(entry->parentFolderName() + QLatin1Char('/') + entry->fileName() + QLatin1Char('.') + entry->fileSuffix());
        QCOMPARE(names, (QStringList { "23104711 231024/23104711_231024_081533.fix",
                                       "23104711 231024/23104711_231024_081533.flex" }));
        QCOMPARE(KelvaraTest::readFile(folder + QStringLiteral("23104711_231024_081533.flex")),
                 KelvaraTest::readFile(demoChrono(QStringLiteral("23104711_231024_081533.flex"))));
        const ChronoFlexParser::Result expected =
            ChronoFlexParser::parse(demoChrono(QStringLiteral("23104711_231024_081533.flex")), {});
        QVERIFY(expected.events.size() > 10000);
        QCOMPARE(chrono.fileService()->flexData()->rowCount(), expected.events.size());
        QCOMPARE(chrono.fileService()->errorList(), expected.errorList);
        QVERIFY(chrono.fileService()->fixData()->fixDataStringList().contains(QStringLiteral("S/N: 23104711")));

        // Logout: the next user sees none of it.
        manager.onUserHasLoggedOut();
        QCOMPARE(chrono.folderModel()->rowCount(), 0);
        QCOMPARE(chrono.fileService()->flexData()->rowCount(), 0);
    }

    void disconnectEndsTheWait()
    {
        // Fault: a link dropped during the transfer left the page waiting.
        m_generator->setProtocolVersion(6);
        Manager manager;
        manager.initialize();
        manager.communication().setQelo3ServerAutoConnect(true);
        QVERIFY(QTest::qWaitFor([&] { return manager.communication().qelo3Server()->peerProtocolVersion() == 6; },
                                KelvaraTest::timeout(5000)));
        ChronoViewController &chrono = manager.chronoViewController();
        DataPaths::createUserDirectories(QStringLiteral("gone"));
        chrono.setDataRoot(QStringLiteral("gone"));
        m_generator->setCloseAfterChunks(1);
        chrono.getQelo3ChronoListOrFiles();
        QVERIFY(QTest::qWaitFor([&] { return !chrono.chronoFixAwaited() && !chrono.chronoFlexAwaited(); },
                                KelvaraTest::timeout(20000)));
        m_generator->setCloseAfterChunks(-1);
    }
};

KELVARA_TEST_MAIN(tst_ChronoIntegration)
#include "tst_chrono_integration.moc"
