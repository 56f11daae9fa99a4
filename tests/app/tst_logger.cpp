#include "KelvaraTest.h"

#include "DataPaths.h"
#include "Logger.h"

#include <QtCore/QFile>
#include <QtCore/QRegularExpression>

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
};

KELVARA_TEST_GUILESS_MAIN(tst_Logger)
#include "tst_logger.moc"
