#include "KelvaraTest.h"

#include "FileTransfer.h"
#include "Qelo3DeviceInformation.h"
#include "RoutingTable.h"

Q_DECLARE_METATYPE(RoutingTable::Outcome)

// The table every peer message passes through: who sees a message, in which
// order, and what happens to the types nobody takes.
class tst_RoutingTable : public QObject
{
    Q_OBJECT

private:
    using Outcome = RoutingTable::Outcome;

    static QByteArray fileFrame(qint32 type, bool isAck = false)
    {
        return FileTransfer(3, isAck, type, QString(), QStringLiteral("f.xml"), 0, QByteArray("<x/>"), 0).serialize();
    }

    /// A table as a peer connection declares it, with a record of who saw what.
    struct Fixture
    {
        RoutingTable table{QStringLiteral("PEER")};
        QStringList seen;

        Fixture()
        {
            table.ignoreCommands({CommandType::UserLogoutRequest});
            table.expectFiles({FileType::UserSet, FileType::FirmwareList, FileType::ServiceCenters});
            table.ignoreFiles({FileType::Unused12});
            table.onCommand<FileTransfer>(CommandType::FileTransfer,
                                          [this](const FileTransfer &file) { seen << QStringLiteral("frame"); table.routeFile(file); });
            table.onCommand<Qelo3DeviceInformation>(CommandType::Qelo3DeviceInformation,
                                                    [this](const Qelo3DeviceInformation &info) { seen << "first " + info.serialNumber(); });
            table.onCommand<Qelo3DeviceInformation>(CommandType::Qelo3DeviceInformation,
                                                    [this](const Qelo3DeviceInformation &info) { seen << "second " + info.serialNumber(); });
            // The first user-set consumer takes acknowledgements for itself.
            table.onFile(FileType::UserSet, [this](const FileTransfer &file) {
                seen << QStringLiteral("acks");
                return file.isAck();
            });
            table.onFile(FileType::UserSet, [this](const FileTransfer &) {
                seen << QStringLiteral("sets");
                return true;
            });
            table.onDownload(FileType::ChronoFixed, [this](const FileTransfer &file) {
                seen << "download " + file.filename();
                return true;
            });
        }
    };

private slots:
    void initTestCase() { KelvaraTest::initializeLogger(); }

    void framesReachTheirConsumers_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QStringList>("seen");
        const QByteArray identity =
            Qelo3DeviceInformation(1, false, QStringLiteral("QELO 3"), QStringLiteral("S1"), QStringLiteral("OP"), QStringLiteral("1.4")).serialize();
        QTest::newRow("every consumer of a command, in order") << identity << Outcome::Consumed << QStringList{"first S1", "second S1"};
        QTest::newRow("a consumer that takes a file hides it from the rest")
            << fileFrame(FileType::UserSet, true) << Outcome::Consumed << QStringList{"frame", "acks"};
        QTest::newRow("a consumer that passes lets the next one see it")
            << fileFrame(FileType::UserSet) << Outcome::Consumed << QStringList{"frame", "acks", "sets"};
        QTest::newRow("ignored command") << MessageBase(CommandType::UserLogoutRequest, 1, false).serialize() << Outcome::Ignored << QStringList();
        QTest::newRow("command without a route") << MessageBase(CommandType::UserLoginReply, 1, false).serialize() << Outcome::Invalid
                                                 << QStringList();
        QTest::newRow("command outside the protocol") << MessageBase(99, 1, false).serialize() << Outcome::Invalid << QStringList();
        QTest::newRow("frame shorter than a header") << QByteArray("\0\0\0\6\0\0\0\2", 8) << Outcome::Invalid << QStringList();
    }

    void framesReachTheirConsumers()
    {
        QFETCH(QByteArray, frame);
        QFETCH(Outcome, outcome);
        QFETCH(QStringList, seen);
        Fixture fixture;
        QCOMPARE(fixture.table.routeFrame(frame), outcome);
        QCOMPARE(fixture.seen, seen);
    }

    void fileTypesWithoutConsumer_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("download");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("report");
        QTest::newRow("expected file") << int(FileType::FirmwareList) << false << Outcome::Unconsumed << "file FirmwareList from PEER";
        QTest::newRow("ignored file") << int(FileType::Unused12) << false << Outcome::Ignored << QString();
        QTest::newRow("file this peer never sends") << int(FileType::ChronoFlex) << false << Outcome::Invalid << QString();
        QTest::newRow("file type outside the protocol") << 77 << false << Outcome::Invalid << QString();
        QTest::newRow("download nobody takes") << int(FileType::UserSet) << true << Outcome::Unconsumed << "downloaded UserSet from PEER";
    }

    void fileTypesWithoutConsumer()
    {
        QFETCH(int, type);
        QFETCH(bool, download);
        QFETCH(Outcome, outcome);
        QFETCH(QString, report);
        Fixture fixture;
        const int before = KelvaraTest::logLines().size();
        const FileTransfer file(fileFrame(type));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(download ? fixture.table.routeDownload(file) : fixture.table.routeFile(file), outcome);
        const QStringList written = KelvaraTest::logLines().mid(before);
        QCOMPARE(written.size(), report.isEmpty() ? 0 : 1);
        if (!report.isEmpty())
            QVERIFY2(written.first().contains(report), qPrintable(written.first()));
        QVERIFY(fixture.seen.isEmpty());
    }

    void downloadsHaveTheirOwnConsumers()
    {
        Fixture fixture;
        const FileTransfer fixed(0, false, FileType::ChronoFixed, QStringLiteral("/tmp"), QStringLiteral("a.fix"), 0, {}, 0);
        QCOMPARE(fixture.table.routeDownload(fixed), Outcome::Consumed);
        QCOMPARE(fixture.seen, QStringList{"download a.fix"});
        // The same type as a single-message file has no consumer in this table.
        QCOMPARE(fixture.table.routeFile(fixed), Outcome::Invalid);
    }

    void typesAreNamed()
    {
        QCOMPARE(RoutingTable::commandTypeName(CommandType::UpdateInfoReply), QStringLiteral("UpdateInfoReply"));
        QCOMPARE(RoutingTable::fileTypeName(FileType::ServiceCenters), QStringLiteral("ServiceCenters"));
        QCOMPARE(RoutingTable::fileTypeName(42), QStringLiteral("42"));
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_RoutingTable)
#include "tst_routingtable.moc"
