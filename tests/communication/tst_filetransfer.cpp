#include "KelvaraTest.h"

#include "CommunicationMetaTypes.h"
#include "FileDownload.h"
#include "FileTransfer.h"
#include "FileUpload.h"
#include "GetRequest.h"
#include "ProtocolTypes.h"
#include "TestPeer.h"
#include "WebSocketClient.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRandomGenerator>
#include <QtCore/QTemporaryDir>
#include <QtTest/QSignalSpy>

#include <memory>

namespace {

QByteArray randomBytes(int size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

const QStringList kOutcomes
    = { QStringLiteral("successfullyFinished"), QStringLiteral("errorOccured"), QStringLiteral("canceled") };

} // namespace

/// Records a transfer's signals in the order they were emitted. The
/// connections are queued to the test thread, so nothing is read while the
/// transfer thread writes.
class TransferRecorder : public QObject
{
    Q_OBJECT

public:
    QStringList events;
    QList<FileTransfer> received;
    bool finished = false;

    template<typename Transfer>
    void watch(Transfer *transfer)
    {
        auto record = [this](const char *name) {
            return [this, name](int type) { events << QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(type); };
        };
        connect(transfer, &Transfer::isActiveChanged, this, record("isActiveChanged"));
        connect(transfer, &Transfer::fileTypeChanged, this, record("fileTypeChanged"));
        connect(transfer, &Transfer::canceled, this, record("canceled"));
        connect(transfer, &Transfer::errorOccured, this, record("errorOccured"));
        connect(transfer, &Transfer::successfullyFinished, this, record("successfullyFinished"));
        connect(transfer, &Transfer::requestStartPreventLock, this, [this] { events << QStringLiteral("startLock"); });
        connect(transfer, &Transfer::requestEndPreventLock, this, [this] { events << QStringLiteral("endLock"); });
        connect(transfer, &QThread::finished, this, [this] { finished = true; });
    }

    int count(const QString &prefix) const
    {
        int n = 0;
        for (const QString &event : events)
            n += event.startsWith(prefix) ? 1 : 0;
        return n;
    }

    /// The single outcome signal, or a description of what went wrong.
    QString outcome() const
    {
        QStringList seen;
        for (const QString &event : events) {
            for (const QString &name : kOutcomes) {
                if (event.startsWith(name + QLatin1Char('(')))
                    seen << name;
            }
        }
        return seen.size() == 1 ? seen.first() : QStringLiteral("outcomes: ") + seen.join(QLatin1Char(','));
    }
};

class tst_FileTransfer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    /// Null when the peer could not listen or the link did not come up.
    std::unique_ptr<WebSocketClient> connectedClient(TestPeer &peer)
    {
        if (!peer.listen())
            return nullptr;
        auto client = std::make_unique<WebSocketClient>();
        QSignalSpy up(client.get(), &WebSocketClient::isProtocolConnectedChanged);
        client->connectToHost(QStringLiteral("QELO3"), QStringLiteral("127.0.0.1"), peer.portText());
        if (!up.wait(KelvaraTest::timeout(5000)))
            return nullptr;
        return client;
    }

    /// Checks what every ended transfer must show, whatever the outcome.
    template<typename Transfer>
    void verifyIdleAfter(const TransferRecorder &recorder, Transfer *transfer, int type, bool started)
    {
        QVERIFY(transfer->wait(KelvaraTest::timeout(5000)));
        QVERIFY(!transfer->isActive());
        QCOMPARE(transfer->fileType(), 0);
        QCOMPARE(transfer->progress(), 0);
        QCOMPARE(recorder.count(QStringLiteral("startLock")), started ? 1 : 0);
        if (!started)
            return;
        QCOMPARE(recorder.count(QStringLiteral("endLock")), 1);
        // The outcome comes first, the fall back to idle after it.
        const int outcomeAt = recorder.events.indexOf(QStringLiteral("%1(%2)").arg(recorder.outcome()).arg(type));
        QVERIFY2(outcomeAt >= 0, qPrintable(recorder.events.join(QLatin1Char(' '))));
        QVERIFY(recorder.events.indexOf(QStringLiteral("isActiveChanged(0)")) > outcomeAt);
        QCOMPARE(recorder.events.last(), QStringLiteral("endLock"));
    }

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        registerCommunicationMetaTypes();
        QVERIFY(m_dir.isValid());
    }

    // clang-format off
    void chunkSizeRule_data()
    {
        QTest::addColumn<quint32>("chunkSize");
        QTest::addColumn<double>("elapsedMs");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("100 ms for the first chunk grows it threefold") << 1024u << 100.0 << 3072u;
        QTest::newRow("0 ms drops to the minimum") << 1024u << 0.0 << 32u;
        QTest::newRow("slow link aims at 0.9 s") << 1024u << 10000.0 << 92u;
        QTest::newRow("very slow link stops at 32") << 1024u << 50000.0 << 32u;
        QTest::newRow("fast link is capped at 110000") << 100000u << 1.0 << 110000u;
        QTest::newRow("at the cap, 0.9 s worth stays capped") << 110000u << 900.0 << 110000u;
        QTest::newRow("one second for 3072 bytes shrinks a little") << 3072u << 1000.0 << 2764u;
        QTest::newRow("sub-millisecond round trip grows") << 1024u << 0.25 << 3072u;
    }
    // clang-format on

    void chunkSizeRule()
    {
        QFETCH(quint32, chunkSize);
        QFETCH(double, elapsedMs);
        QFETCH(quint32, expected);
        QCOMPARE(FileUpload::nextChunkSize(chunkSize, elapsedMs), expected);
    }

    // clang-format off
    void uploadArrivesIdentical_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("empty file") << 0;
        QTest::newRow("one byte") << 1;
        QTest::newRow("exactly the first chunk") << 1024;
        QTest::newRow("one byte past the first chunk") << 1025;
        QTest::newRow("several megabytes") << 3 * 1024 * 1024 + 7;
    }
    // clang-format on

    void uploadArrivesIdentical()
    {
        QFETCH(int, size);
        TestPeer peer;
        auto client = connectedClient(peer);
        QVERIFY(client);
        const QByteArray content = randomBytes(size, quint32(size));
        const QString path = m_dir.filePath(QStringLiteral("up%1.xml").arg(size));
        QVERIFY(KelvaraTest::writeFile(path, content));
        const quint32 firstId = client->messageCounter() + 1;

        auto upload = std::make_unique<FileUpload>(
            client.get(), QStringLiteral("u.xml"), path, FileType::UserSet, KelvaraTest::timeout(20000));
        TransferRecorder recorder;
        recorder.watch(upload.get());
        QSignalSpy finishedAtPeer(&peer, &TestPeer::uploadFinished);
        upload->start();
        QTRY_VERIFY_WITH_TIMEOUT(recorder.finished, KelvaraTest::timeout(60000));
        QCOMPARE(recorder.outcome(), QStringLiteral("successfullyFinished"));
        verifyIdleAfter(recorder, upload.get(), FileType::UserSet, true);
        QCOMPARE(upload->estimatedTime(), QTime(0, 0));
        QVERIFY(!client->pingSuppressed());

        QVERIFY(finishedAtPeer.size() == 1 || finishedAtPeer.wait(KelvaraTest::timeout(5000)));
        QCOMPARE(peer.uploadedContent(QStringLiteral("u.xml")), content);

        const QList<FileTransfer> wire = peer.receivedTransfers();
        const QList<int> chunks = peer.uploadChunkSizes();
        QCOMPARE(wire.size(), chunks.size() + 2);
        QCOMPARE(wire.first().progress(), Protocol::kProgressStart);
        QVERIFY(wire.first().data().isNull());
        QCOMPARE(wire.last().progress(), Protocol::kProgressEnd);
        QVERIFY(wire.last().data().isNull());
        for (int i = 0; i < wire.size(); ++i) {
            QCOMPARE(wire.at(i).selector(), Protocol::kChunkedSelector);
            QCOMPARE(wire.at(i).fileType(), int(FileType::UserSet));
            QCOMPARE(wire.at(i).filename(), QStringLiteral("u.xml"));
            QVERIFY(!wire.at(i).isAck());
            QCOMPARE(quint32(wire.at(i).messageId()), firstId + quint32(i));
        }
        if (size > 0) {
            QCOMPARE(chunks.first(), qMin(size, 1024));
            QCOMPARE(wire.at(wire.size() - 2).progress(), 100);
        } else {
            QVERIFY2(recorder.count(QStringLiteral("progress")) == 0, "progress never leaves 0");
        }
    }

    void secondChunkFollowsTheMeasuredRate()
    {
        TestPeer peer;
        peer.setAcknowledgeDelay(100);
        auto client = connectedClient(peer);
        QVERIFY(client);
        const QString path = m_dir.filePath(QStringLiteral("rate.bin"));
        QVERIFY(KelvaraTest::writeFile(path, randomBytes(5000, 5)));
        FileUpload upload(
            client.get(), QStringLiteral("rate.bin"), path, FileType::FirmwareContainer, KelvaraTest::timeout(20000));
        TransferRecorder recorder;
        recorder.watch(&upload);
        upload.start();
        QTRY_VERIFY_WITH_TIMEOUT(recorder.finished, KelvaraTest::timeout(10000));
        QCOMPARE(recorder.outcome(), QStringLiteral("successfullyFinished"));
        // 1024 bytes acknowledged after about 100 ms: 0.9 s worth is more than
        // three times as much, so the growth limit decides.
        QCOMPARE(peer.uploadChunkSizes(), (QList<int> { 1024, 3072, 904 }));
    }

    // clang-format off
    void uploadFailures_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<bool>("started");
        QTest::newRow("peer silent after the start") << "silent" << "errorOccured" << true;
        QTest::newRow("peer silent after the first chunk") << "silentLater" << "errorOccured" << true;
        QTest::newRow("acknowledgement with another FileType") << "wrongType" << "errorOccured" << true;
        QTest::newRow("link lost") << "linkLost" << "errorOccured" << true;
        QTest::newRow("transport destroyed") << "clientGone" << "errorOccured" << true;
        QTest::newRow("local file missing") << "missing" << "errorOccured" << false;
        QTest::newRow("no connection at the start") << "notConnected" << "errorOccured" << false;
        QTest::newRow("file shrinks between chunks") << "shortRead" << "errorOccured" << true;
        QTest::newRow("user cancel") << "cancel" << "canceled" << true;
    }
    // clang-format on

    void uploadFailures()
    {
        QFETCH(QString, cause);
        QFETCH(QString, outcome);
        QFETCH(bool, started);

        TestPeer peer;
        auto client = connectedClient(peer);
        QVERIFY(client);
        const QString path = m_dir.filePath(QStringLiteral("fail-%1.bin").arg(cause));
        QVERIFY(KelvaraTest::writeFile(path, randomBytes(5000, 9)));
        if (cause == QLatin1String("missing"))
            QFile::remove(path);

        WebSocketClient offline;
        auto upload = std::make_unique<FileUpload>(cause == QLatin1String("notConnected") ? &offline : client.get(),
            QStringLiteral("f.bin"), path, FileType::FirmwareContainer, KelvaraTest::timeout(400));
        if (cause == QLatin1String("silent") || cause == QLatin1String("clientGone")
            || cause == QLatin1String("cancel"))
            peer.setAutoAcknowledge(false);
        if (cause == QLatin1String("silentLater"))
            peer.setAcknowledgeLimit(2);
        if (cause == QLatin1String("wrongType"))
            peer.setAcknowledgeFileType(FileType::UserSet);
        if (cause == QLatin1String("linkLost"))
            peer.setCloseAfterTransfers(2);
        connect(&peer, &TestPeer::messageReceived, this, [&](const QByteArray &frame) {
            const FileTransfer message(frame);
            if (cause == QLatin1String("clientGone"))
                client.reset();
            else if (cause == QLatin1String("cancel"))
                QMetaObject::invokeMethod(upload.get(), &FileUpload::requestCancel, Qt::QueuedConnection);
            else if (cause == QLatin1String("shortRead") && message.progress() >= 0)
                QFile::resize(path, 1500);
        });

        TransferRecorder recorder;
        recorder.watch(upload.get());
        upload->start();
        QTRY_VERIFY_WITH_TIMEOUT(recorder.finished, KelvaraTest::timeout(10000));
        QCOMPARE(recorder.outcome(), outcome);
        verifyIdleAfter(recorder, upload.get(), FileType::FirmwareContainer, started);
        if (client)
            QVERIFY(!client->pingSuppressed());

        const QList<FileTransfer> wire = peer.receivedTransfers();
        if (!started)
            QVERIFY2(wire.isEmpty(), "nothing is sent for a file that is not there");
        if (cause == QLatin1String("cancel")) {
            QSignalSpy more(&peer, &TestPeer::messageReceived);
            QVERIFY2(!more.wait(KelvaraTest::timeout(300)), "cancelling sends nothing");
            QCOMPARE(peer.receivedTransfers().size(), 1);
        }
        for (const FileTransfer &message : wire)
            QVERIFY2(message.progress() != Protocol::kProgressEnd, "a failed upload never sends its end");
    }

    // clang-format off
    void downloadArrivesIdentical_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("chunkSize");
        QTest::newRow("empty file") << 0 << 1024;
        QTest::newRow("one byte") << 1 << 1024;
        QTest::newRow("exactly one chunk") << 1024 << 1024;
        QTest::newRow("one byte past one chunk") << 1025 << 1024;
        QTest::newRow("several megabytes in large chunks") << 3 * 1024 * 1024 + 7 << 110000;
    }
    // clang-format on

    void downloadArrivesIdentical()
    {
        QFETCH(int, size);
        QFETCH(int, chunkSize);
        TestPeer peer;
        auto client = connectedClient(peer);
        QVERIFY(client);
        const QByteArray content = randomBytes(size, quint32(size) + 1);
        peer.serveFile(QStringLiteral("e.flex"), FileType::ChronoFlex, content);
        peer.setServeChunkSize(chunkSize);
        const QString directory = m_dir.filePath(QStringLiteral("down%1/sub").arg(size));
        // An older download of the same name is replaced.
        QVERIFY(KelvaraTest::writeFile(directory + QStringLiteral("/e.flex"), "old contents"));

        auto download = std::make_unique<FileDownload>(client.get(), QStringLiteral("e.flex"), directory,
            FileType::ChronoFlex, GetRequestType::ChronoFiles, KelvaraTest::timeout(10000));
        TransferRecorder recorder;
        recorder.watch(download.get());
        connect(download.get(), &FileDownload::fileReceived, &recorder, [&recorder](const FileTransfer &message) {
            recorder.received << message;
            recorder.events << QStringLiteral("fileReceived");
        });
        download->start();
        QTRY_VERIFY_WITH_TIMEOUT(recorder.finished, KelvaraTest::timeout(60000));
        QCOMPARE(recorder.outcome(), QStringLiteral("successfullyFinished"));
        verifyIdleAfter(recorder, download.get(), FileType::ChronoFlex, true);

        QCOMPARE(KelvaraTest::readFile(directory + QStringLiteral("/e.flex")), content);
        QCOMPARE(recorder.received.size(), 1);
        const FileTransfer handed = recorder.received.first();
        QCOMPARE(handed.directory(), directory);
        QCOMPARE(handed.filename(), QStringLiteral("e.flex"));
        QCOMPARE(handed.fileType(), int(FileType::ChronoFlex));
        QCOMPARE(handed.messageId(), 0);
        QCOMPARE(handed.selector(), 0);
        QVERIFY(handed.data().isNull());
        QVERIFY(recorder.events.indexOf(QStringLiteral("fileReceived"))
            < recorder.events.indexOf(QStringLiteral("successfullyFinished(8)")));

        // Wire: the request, then one acknowledgement for the start and each chunk, none for the end.
        QSignalSpy late(&peer, &TestPeer::messageReceived);
        QVERIFY(!late.wait(KelvaraTest::timeout(100)));
        const QList<QByteArray> frames = peer.received();
        const GetRequest request(frames.first());
        QCOMPARE(request.commandType(), int(CommandType::GetRequest));
        QCOMPARE(request.getRequestType(), int(GetRequestType::ChronoFiles));
        QCOMPARE(request.selector(), Protocol::kChunkedSelector);
        QCOMPARE(request.additionalInfo(), QStringLiteral("e.flex"));
        const QList<FileTransfer> acks = peer.receivedTransfers();
        const int chunks = (size + chunkSize - 1) / chunkSize;
        QCOMPARE(acks.size(), chunks + 1);
        QCOMPARE(acks.first().progress(), Protocol::kProgressStart);
        for (const FileTransfer &ack : acks) {
            QVERIFY(ack.isAck());
            QVERIFY(ack.data().isNull());
            QCOMPARE(ack.selector(), Protocol::kChunkedSelector);
            QVERIFY(ack.progress() != Protocol::kProgressEnd);
        }
    }

    // clang-format off
    void downloadFailures_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<int>("acksSent");
        QTest::newRow("peer never answers the request") << "unknownFile" << "errorOccured" << 0;
        QTest::newRow("peer silent after the start") << "silentAfterStart" << "errorOccured" << 1;
        QTest::newRow("link lost") << "linkLost" << "errorOccured" << 1;
        QTest::newRow("transport destroyed") << "clientGone" << "errorOccured" << 1;
        // A file of another type is another consumer's: it is passed over and the stream runs out of time.
        QTest::newRow("chunk with another FileType is passed over") << "wrongType" << "errorOccured" << 1;
        QTest::newRow("chunk with another Filename") << "wrongName" << "errorOccured" << 1;
        QTest::newRow("chunk without data") << "emptyChunk" << "errorOccured" << 1;
        // The start cannot create the file; the failure shows on the first chunk.
        QTest::newRow("target cannot be written") << "unwritable" << "errorOccured" << 1;
        QTest::newRow("old target cannot be removed") << "notRemovable" << "errorOccured" << -1;
        QTest::newRow("user cancel") << "cancel" << "canceled" << 1;
        QTest::newRow("no connection at the start") << "notConnected" << "errorOccured" << -2;
        // Pins: a listed name with a folder part was written outside the target folder.
        QTest::newRow("file name with a folder part") << "traversal" << "errorOccured" << -2;
    }
    // clang-format on

    void downloadFailures()
    {
        QFETCH(QString, cause);
        QFETCH(QString, outcome);
        QFETCH(int, acksSent);

        TestPeer peer;
        auto client = connectedClient(peer);
        QVERIFY(client);
        peer.serveFile(QStringLiteral("u.xml"), FileType::UserSet, randomBytes(3000, 3));
        QString directory = m_dir.filePath(QStringLiteral("fail-%1").arg(cause));
        const QMap<QString, TestPeer::ServeFault> faults
            = { { QStringLiteral("silentAfterStart"), TestPeer::ServeFault::SilentAfterStart },
                  { QStringLiteral("linkLost"), TestPeer::ServeFault::CloseAfterStart },
                  { QStringLiteral("clientGone"), TestPeer::ServeFault::SilentAfterStart },
                  { QStringLiteral("cancel"), TestPeer::ServeFault::SilentAfterStart },
                  { QStringLiteral("wrongType"), TestPeer::ServeFault::WrongFileType },
                  { QStringLiteral("wrongName"), TestPeer::ServeFault::WrongFilename },
                  { QStringLiteral("emptyChunk"), TestPeer::ServeFault::EmptyChunk } };
        peer.setServeFault(faults.value(cause, TestPeer::ServeFault::None));
        QString fileName = QStringLiteral("u.xml");
        if (cause == QLatin1String("unknownFile"))
            fileName = QStringLiteral("nobody-has-this.xml");
        if (cause == QLatin1String("traversal")) {
            fileName = QStringLiteral("../escaped.xml");
            peer.serveFile(fileName, FileType::UserSet, "evil");
        }
        if (cause == QLatin1String("unwritable")) {
            // A file where the folder should be: no folder, so no target file.
            QVERIFY(KelvaraTest::writeFile(directory, "in the way"));
            directory += QStringLiteral("/sub");
        }
        if (cause == QLatin1String("notRemovable"))
            QVERIFY(QDir().mkpath(directory + QStringLiteral("/u.xml/inside")));

        WebSocketClient offline;
        auto download = std::make_unique<FileDownload>(cause == QLatin1String("notConnected") ? &offline : client.get(),
            fileName, directory, FileType::UserSet, GetRequestType::UserSet, KelvaraTest::timeout(400));
        connect(&peer, &TestPeer::messageReceived, this, [&](const QByteArray &frame) {
            if (!FileTransfer(frame).isAck())
                return;
            if (cause == QLatin1String("clientGone"))
                client.reset();
            else if (cause == QLatin1String("cancel"))
                QMetaObject::invokeMethod(download.get(), &FileDownload::requestCancel, Qt::QueuedConnection);
        });
        TransferRecorder recorder;
        recorder.watch(download.get());
        QSignalSpy fileReceived(download.get(), &FileDownload::fileReceived);
        download->start();
        QTRY_VERIFY_WITH_TIMEOUT(recorder.finished, KelvaraTest::timeout(10000));
        QCOMPARE(recorder.outcome(), outcome);
        // The removal failure cleans up as well, though nothing had started.
        verifyIdleAfter(recorder, download.get(), FileType::UserSet, acksSent >= 0);
        QCOMPARE(fileReceived.size(), 0);
        if (acksSent == -1)
            QCOMPARE(recorder.count(QStringLiteral("endLock")), 1);

        QSignalSpy more(&peer, &TestPeer::messageReceived);
        QVERIFY2(!more.wait(KelvaraTest::timeout(200)), "nothing follows the outcome");
        if (cause == QLatin1String("traversal"))
            QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("escaped.xml"))));
        if (acksSent < 0) {
            QVERIFY2(peer.received().isEmpty(), "no request when the old file cannot go");
            QCOMPARE(recorder.count(QStringLiteral("errorOccured")), 1);
        } else {
            QCOMPARE(peer.receivedTransfers().size(), acksSent);
            QCOMPARE(peer.received().size(), acksSent + 1);
        }
    }

    // clang-format off
    void downloadStopsAtItsLimit_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<qint64>("announced");
        QTest::addColumn<qint64>("cap");
        QTest::addColumn<qint64>("keptUpTo");
        // Pins: a chunked download that never ended filled the disk.
        QTest::newRow("endless stream stops at the announced size") << int(TestPeer::ServeFault::Endless) << qint64(5000) << FileDownload::kMaxDownloadSize << qint64(5000);
        QTest::newRow("endless stream without announcement stops at the cap") << int(TestPeer::ServeFault::Endless) << qint64(-1) << qint64(7000) << qint64(7000);
        QTest::newRow("announcement above the cap is refused at the start") << int(TestPeer::ServeFault::None) << qint64(7001) << qint64(7000) << qint64(0);
        QTest::newRow("file longer than announced") << int(TestPeer::ServeFault::None) << qint64(2999) << FileDownload::kMaxDownloadSize << qint64(2999);
        // Pins: a second start message truncated the file and let the stream run on below any limit.
        QTest::newRow("second start message") << int(TestPeer::ServeFault::RestartAfterFirstChunk) << qint64(-1) << qint64(7000) << qint64(7000);
    }
    // clang-format on

    void downloadStopsAtItsLimit()
    {
        QFETCH(int, fault);
        QFETCH(qint64, announced);
        QFETCH(qint64, cap);
        QFETCH(qint64, keptUpTo);
        TestPeer peer;
        auto client = connectedClient(peer);
        QVERIFY(client);
        peer.serveFile(QStringLiteral("u.xml"), FileType::UserSet, randomBytes(3000, 11));
        peer.setServeChunkSize(1000);
        peer.setServeFault(TestPeer::ServeFault(fault));
        peer.setServeAnnouncedSize(announced);
        const QString directory = m_dir.filePath(QStringLiteral("limit-%1").arg(QTest::currentDataTag()));
        FileDownload download(client.get(), QStringLiteral("u.xml"), directory, FileType::UserSet,
            GetRequestType::UserSet, KelvaraTest::timeout(5000));
        download.setMaxDownloadSize(cap);
        TransferRecorder recorder;
        recorder.watch(&download);
        QSignalSpy fileReceived(&download, &FileDownload::fileReceived);
        qint64 largestFile = 0;
        connect(&peer, &TestPeer::messageReceived, this,
            [&] { largestFile = qMax(largestFile, QFileInfo(download.targetPath()).size()); });
        download.start();
        QTRY_VERIFY_WITH_TIMEOUT(recorder.finished, KelvaraTest::timeout(10000));
        QCOMPARE(recorder.outcome(), QStringLiteral("errorOccured"));
        verifyIdleAfter(recorder, &download, FileType::UserSet, true);
        QCOMPARE(fileReceived.size(), 0);
        QVERIFY2(!QFile::exists(download.targetPath()), "what the stream left is removed");
        QVERIFY2(largestFile <= keptUpTo, qPrintable(QString::number(largestFile)));
    }

    void partialDownloadIsKept()
    {
        TestPeer peer;
        auto client = connectedClient(peer);
        QVERIFY(client);
        const QByteArray content = randomBytes(4000, 4);
        peer.serveFile(QStringLiteral("a.fix"), FileType::ChronoFixed, content);
        peer.setCloseAfterTransfers(3); // start ack, first chunk ack, then the link drops
        const QString directory = m_dir.filePath(QStringLiteral("partial"));
        FileDownload download(client.get(), QStringLiteral("a.fix"), directory, FileType::ChronoFixed,
            GetRequestType::ChronoFiles, KelvaraTest::timeout(2000));
        TransferRecorder recorder;
        recorder.watch(&download);
        download.start();
        QTRY_VERIFY_WITH_TIMEOUT(recorder.finished, KelvaraTest::timeout(10000));
        QCOMPARE(recorder.outcome(), QStringLiteral("errorOccured"));
        QCOMPARE(KelvaraTest::readFile(directory + QStringLiteral("/a.fix")), content.left(2048));
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_FileTransfer)
#include "tst_filetransfer.moc"
