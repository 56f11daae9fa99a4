#include "KelvaraTest.h"

#include "DataPaths.h"
#include "Logger.h"

#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtCore/QThread>

class tst_Logger : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A previous run's lines must be gone after initialize.
        QVERIFY(KelvaraTest::writeFile(DataPaths::applicationLogPath(), "old run line\n"));
        Logger::info(QStringLiteral("Before::initialize: lost"));
        QtMessageHandler testHandler = qInstallMessageHandler(nullptr);
        Logger::initialize(QStringLiteral("test"));
        const QtMessageHandler installed = qInstallMessageHandler(testHandler);
        QVERIFY(installed == Logger::messageHandler());
        Logger::initialize(QStringLiteral("second call"));
        QVERIFY(qInstallMessageHandler(testHandler) == testHandler);
    }

    void startsWithBannerOnly()
    {
        const QStringList lines = KelvaraTest::logLines();
        QVERIFY(!lines.isEmpty());
        QVERIFY2(lines.first().endsWith(QStringLiteral("INFO  Logger::initialize: Kelvara Version test")),
                 qPrintable(lines.first()));
        QVERIFY(!KelvaraTest::logContains(QStringLiteral("old run line")));
        QVERIFY(!KelvaraTest::logContains(QStringLiteral("Before::initialize")));
    }

    void lineFormat_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("tag");
        QTest::newRow("trace") << 0 << "TRACE";
        QTest::newRow("info pads to five") << 1 << "INFO ";
        QTest::newRow("warning pads to five") << 2 << "WARN ";
        QTest::newRow("error") << 3 << "ERROR";
    }

    void lineFormat()
    {
        QFETCH(int, level);
        QFETCH(QString, tag);
        const QString text = QStringLiteral("FileSystem::moveFile: Failed: sourceFile does not exist. #%1").arg(level);
        switch (level) {
        case 0: Logger::trace(text); break;
        case 1: Logger::info(text); break;
        case 2: Logger::warn(text); break;
        default: Logger::error(text); break;
        }
        const QString last = KelvaraTest::logLines().last();
        const QRegularExpression pattern(QStringLiteral("^\\d{4}\\.\\d{2}\\.\\d{2} \\d{2}:\\d{2}:\\d{2}\\.\\d{3}: (.{5}) (.*)$"));
        const auto match = pattern.match(last);
        QVERIFY2(match.hasMatch(), qPrintable(last));
        QCOMPARE(match.captured(1), tag);
        QCOMPARE(match.captured(2), text);
    }

    void frameworkMessages_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("kept");
        QTest::newRow("ordinary warning kept verbatim") << "qml: something happened" << true;
        QTest::newRow("DnsConfig noise dropped") << "Failed to read DnsConfig from registry" << false;
    }

    void frameworkMessages()
    {
        QFETCH(QString, message);
        QFETCH(bool, kept);
        const QStringList before = KelvaraTest::logLines();
        QMessageLogContext context;
        Logger::messageHandler()(QtWarningMsg, context, message);
        const QStringList after = KelvaraTest::logLines();
        if (kept) {
            QCOMPARE(after.size(), before.size() + 1);
            QCOMPARE(after.last(), message);
        } else {
            QCOMPARE(after, before);
        }
    }

    // clang-format off
    void controlCharactersAreEscaped_data()
    {
        QTest::addColumn<bool>("framework");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("written");
        // Pins: a serial number with a line break forged a genuine-looking log line.
        QTest::newRow("line feed") << false << "SN1\n2023.11.15 10:15:30.042: INFO  Login ok" << "SN1\\n2023.11.15 10:15:30.042: INFO  Login ok";
        QTest::newRow("carriage return") << false << "SN1\rERROR" << "SN1\\rERROR";
        // Pins: NUL bytes from a peer landed in the log file.
        QTest::newRow("NUL") << false << QString(QStringLiteral("SN") + QChar(0) + QStringLiteral("1")) << "SN\\x001";
        QTest::newRow("other C0 and DEL") << false << "a\tb\x1b[2J\x7f" << "a\\tb\\x1b[2J\\x7f";
        QTest::newRow("unicode line separator") << false << QString(QStringLiteral("a") + QChar(0x2028) + QStringLiteral("b")) << "a\\u2028b";
        QTest::newRow("framework message") << true << "qml: name=a\nb" << "qml: name=a\\nb";
        QTest::newRow("plain text unchanged") << false << "C:\\data\\x.xml" << "C:\\data\\x.xml";
    }
    // clang-format on

    void controlCharactersAreEscaped()
    {
        QFETCH(bool, framework);
        QFETCH(QString, value);
        QFETCH(QString, written);
        const QByteArray before = KelvaraTest::readFile(Logger::logFilePath());
        if (framework)
            Logger::messageHandler()(QtWarningMsg, QMessageLogContext(), value);
        else
            Logger::warn(QStringLiteral("Qelo3DeviceInformation::serialNumber: ") + value);
        const QByteArray added = KelvaraTest::readFile(Logger::logFilePath()).mid(before.size());
        QCOMPARE(added.count('\n'), 1);
        QVERIFY(added.endsWith('\n'));
        for (const char c : added.chopped(1))
            QVERIFY2(uchar(c) >= 0x20 && uchar(c) != 0x7f, added.toHex().constData());
        QVERIFY2(QString::fromUtf8(added).trimmed().endsWith(written), added.constData());
    }

    void warnLimitedWritesTheFirstThenACount()
    {
        Logger::setWarnLimitWindow(60000);
        const int before = KelvaraTest::logLines().size();
        const auto newLines = [before] { return KelvaraTest::logLines().mid(before); };
        // Pins: 100,000 unknown frames wrote 100,000 warning lines.
        for (int i = 1; i <= 1000; ++i)
            Logger::warnLimited(QStringLiteral("unknown frame"), QStringLiteral("Peer::route: Unknown command #%1").arg(i));
        Logger::warnLimited(QStringLiteral("other kind"), QStringLiteral("Peer::route: Another kind"));
        QCOMPARE(newLines().size(), 2);
        QVERIFY(newLines().at(0).endsWith(QStringLiteral("WARN  Peer::route: Unknown command #1")));
        QVERIFY(newLines().at(1).endsWith(QStringLiteral("Peer::route: Another kind")));

        // The window is over: the next one is written with the count held back.
        Logger::setWarnLimitWindow(0);
        Logger::warnLimited(QStringLiteral("unknown frame"), QStringLiteral("Peer::route: Unknown command #1001"));
        QCOMPARE(newLines().size(), 3);
        QVERIFY2(newLines().last().endsWith(
                     QStringLiteral("Peer::route: Unknown command #1001 (999 similar warnings suppressed)")),
                 qPrintable(newLines().last()));

        // What is still held back when the logger shuts down is written then.
        Logger::setWarnLimitWindow(60000);
        Logger::warnLimited(QStringLiteral("other kind"), QStringLiteral("Peer::route: Another kind, again"));
        Logger::warnLimited(QStringLiteral("other kind"), QStringLiteral("Peer::route: Another kind, last"));
        QCOMPARE(newLines().size(), 3);
        Logger::shutdown();
        QCOMPARE(newLines().size(), 4);
        QVERIFY(newLines().last().endsWith(QStringLiteral("Peer::route: Another kind, last (2 similar warnings suppressed)")));
        Logger::setWarnLimitWindow(10000);
    }

    void warnLimitedIsThreadSafe()
    {
        Logger::shutdown();
        Logger::setWarnLimitWindow(60000);
        const int before = KelvaraTest::logLines().size();
        QList<QThread *> threads;
        for (int t = 0; t < 4; ++t) {
            threads << QThread::create([] {
                for (int i = 0; i < 500; ++i)
                    Logger::warnLimited(QStringLiteral("threaded"), QStringLiteral("Transfer::run: busy"));
            });
            threads.last()->start();
        }
        for (QThread *thread : threads) {
            QVERIFY(thread->wait(KelvaraTest::timeout(10000)));
            delete thread;
        }
        Logger::shutdown();
        const QStringList lines = KelvaraTest::logLines().mid(before);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.last().endsWith(QStringLiteral("(1999 similar warnings suppressed)")));
        Logger::setWarnLimitWindow(10000);
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_Logger)
#include "tst_logger.moc"
