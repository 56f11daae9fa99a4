#include "FileDownload.h"
#include "FileTransfer.h"
#include "FileUpload.h"
#include "GetRequest.h"
#include "ProtocolTypes.h"
#include "Qelo3DeviceInformation.h"
#include "Qelo3Simulator.h"
#include "SimulatorTestSupport.h"
#include "UserLoginLogInfo.h"

#include <QtCore/QRandomGenerator>
#include <QtCore/QSettings>
#include <QtCore/QTemporaryDir>

namespace {

QByteArray randomBytes(int size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

} // namespace

class tst_Qelo3Simulator : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Qelo3Simulator> m_generator;

    /// A generator of our own: one user set, one event log in both forms, a fixed-data file.
    void startFixture(int protocolVersion)
    {
        const QString data = m_dir->path() + QStringLiteral("/fixture");
        QVERIFY(KelvaraTest::writeFile(data + QStringLiteral("/usersets/QELO3_1_Anwenderset_230101_000000_V14.xml"),
                                       "<AnwenderSet/>"));
        QVERIFY(KelvaraTest::writeFile(data + QStringLiteral("/chrono/1_230101_000000.fix"), "SPI;1"));
        QVERIFY(KelvaraTest::writeFile(data + QStringLiteral("/chrono/1_230101_000000.flex"), "HF_STA;1"));
        QVERIFY(KelvaraTest::writeFile(data + QStringLiteral("/chrono/1_230101_000000.flex.zip"), "PK zipped"));
        m_generator->setDataDirectory(data);
        m_generator->setProtocolVersion(protocolVersion);
        QVERIFY(m_generator->start());
    }

private slots:
    void initTestCase() { KelvaraTest::initializeLogger(); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_generator = std::make_unique<Qelo3Simulator>();
    }

    void cleanup()
    {
        m_generator.reset();
        m_dir.reset();
    }

    void answersIdentityFromItsDataAndHeartbeats()
    {
        QVERIFY(SimulatorTest::startDemo(*m_generator, QStringLiteral("generator")));
        PeerLink link;
        QVERIFY(link.open(*m_generator));

        MessageBase heartbeat = MessageBase::heartbeat();
        link.client->sendMessage(heartbeat.serialize());
        GetRequest identity(0, false, GetRequestType::DeviceInformation);
        link.send(identity);

        const Qelo3DeviceInformation answer(link.waitFor(CommandType::Qelo3DeviceInformation));
        QSettings file(m_generator->dataDirectory() + QStringLiteral("/identity.ini"), QSettings::IniFormat);
        QCOMPARE(answer.type(), file.value(QStringLiteral("Device/Type")).toString());
        QCOMPARE(answer.serialNumber(), file.value(QStringLiteral("Device/SerialNumber")).toString());
        QCOMPARE(answer.name(), file.value(QStringLiteral("Device/Name")).toString());
        QCOMPARE(answer.softwareVersion(), file.value(QStringLiteral("Device/SoftwareVersion")).toString());
        QCOMPARE(answer.protocolVersion(), file.value(QStringLiteral("Device/ProtocolVersion")).toInt());
        QVERIFY(!answer.serialNumber().isEmpty());
        // A binary heartbeat request is answered with the same header, IsAck set.
        const MessageBase answerBeat(link.waitFor(CommandType::Heartbeat));
        QVERIFY(answerBeat.isAck());
        QCOMPARE(answerBeat.messageId(), 0);
        QCOMPARE(m_generator->receivedOfCommand(CommandType::Heartbeat).size(), 1);
        QVERIFY(KelvaraTest::logContains(QStringLiteral("Qelo3Simulator::send: sent Qelo3DeviceInformation: Type=")));
    }

    void listsNameTheOfferedFiles_data()
    {
        QTest::addColumn<qint32>("requestType");
        QTest::addColumn<int>("listType");
        QTest::addColumn<bool>("zipped");
        QTest::addColumn<QStringList>("expected");

        // The device names its user sets by their path on its own storage.
        const QStringList userSet{QStringLiteral("/mnt/data/usersets/QELO3_1_Anwenderset_230101_000000_V14.xml")};
        const QString fix = QStringLiteral("1_230101_000000.fix");
        // clang-format off
        QTest::newRow("user-set list as type 2") << qint32(GetRequestType::UserSetList) << 2 << true << userSet;
        QTest::newRow("user-set list as type 15") << qint32(GetRequestType::UserSetList) << 15 << true << userSet;
        QTest::newRow("chrono list offers the zipped event log once")
            << qint32(GetRequestType::ChronoList) << 2 << true << QStringList{fix, QStringLiteral("1_230101_000000.flex.zip")};
        QTest::newRow("chrono list offers the plain event log once")
            << qint32(GetRequestType::ChronoList) << 2 << false << QStringList{fix, QStringLiteral("1_230101_000000.flex")};
        // clang-format on
    }

    void listsNameTheOfferedFiles()
    {
        QFETCH(qint32, requestType);
        QFETCH(int, listType);
        QFETCH(bool, zipped);
        QFETCH(QStringList, expected);
        m_generator->setListFileType(listType);
        m_generator->setPreferZippedEventLog(zipped);
        startFixture(6);
        PeerLink link;
        QVERIFY(link.open(*m_generator));

        GetRequest request(0, false, requestType);
        link.send(request);
        const FileTransfer list(link.waitFor(CommandType::FileTransfer));
        QCOMPARE(list.fileType(), listType);
        QCOMPARE(list.protocolVersion(), 6);
        QCOMPARE(QString::fromUtf8(list.data()).split(QStringLiteral("\r\n")), expected);
    }

    void chunkedDownloadsArriveByteIdentical_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("fileType");
        QTest::addColumn<qint32>("requestType");
        QTest::addColumn<QString>("name");

        const int user = FileType::UserSet;
        const qint32 userRequest = GetRequestType::UserSet;
        const qint32 chronoRequest = GetRequestType::ChronoFiles;
        QTest::newRow("empty user set: start and end only") << 0 << user << userRequest << QStringLiteral("e.xml");
        QTest::newRow("one byte below a chunk") << 99 << user << userRequest << QStringLiteral("a.xml");
        QTest::newRow("exactly one chunk") << 100 << user << userRequest << QStringLiteral("b.xml");
        QTest::newRow("one byte above a chunk") << 101 << user << userRequest << QStringLiteral("c.xml");
        QTest::newRow("many chunks") << 1234 << user << userRequest << QStringLiteral("d.xml");
        QTest::newRow("fixed-data file is type 6") << 250 << int(FileType::ChronoFixed) << chronoRequest
                                                   << QStringLiteral("9_230101_000000.fix");
        QTest::newRow("zipped event log is type 7") << 250 << int(FileType::ChronoFlexZip) << chronoRequest
                                                    << QStringLiteral("9_230101_000000.flex.zip");
        QTest::newRow("event log is type 8") << 250 << int(FileType::ChronoFlex) << chronoRequest
                                             << QStringLiteral("9_230101_000000.flex");
    }

    void chunkedDownloadsArriveByteIdentical()
    {
        QFETCH(int, size);
        QFETCH(int, fileType);
        QFETCH(qint32, requestType);
        QFETCH(QString, name);
        const QString folder = requestType == GetRequestType::UserSet ? QStringLiteral("usersets")
                                                                       : QStringLiteral("chrono");
        const QByteArray content = randomBytes(size, quint32(size));
        QVERIFY(KelvaraTest::writeFile(m_dir->path() + QStringLiteral("/peer/") + folder + QLatin1Char('/') + name,
                                       content));
        m_generator->setDataDirectory(m_dir->path() + QStringLiteral("/peer"));
        m_generator->setChunkSize(100);
        QVERIFY(m_generator->start());
        PeerLink link;
        QVERIFY(link.open(*m_generator));
        QSignalSpy served(m_generator.get(), &SimulatorPeer::downloadServed);

        const QString target = m_dir->path() + QStringLiteral("/target");
        auto download = std::make_unique<FileDownload>(link.client.get(), name, target, fileType, requestType, 5000);
        QSignalSpy succeeded(download.get(), &FileDownload::successfullyFinished);
        QSignalSpy failed(download.get(), &FileDownload::errorOccured);
        download->start();
        QVERIFY(succeeded.wait(KelvaraTest::timeout(5000)));
        QVERIFY(download->wait(KelvaraTest::timeout(5000)));
        QCOMPARE(failed.size(), 0);
        QCOMPARE(KelvaraTest::readFile(target + QLatin1Char('/') + name), content);
        QTRY_COMPARE_WITH_TIMEOUT(served.size(), 1, KelvaraTest::timeout(2000));
        QCOMPARE(served.at(0).at(0).toInt(), fileType);
    }

    void oldGeneratorSendsWholeFilesAndNoLists()
    {
        startFixture(4);
        PeerLink link;
        QVERIFY(link.open(*m_generator));

        GetRequest list(0, false, GetRequestType::UserSetList);
        link.send(list);
        GetRequest userSet(0, false, GetRequestType::UserSet);
        link.send(userSet);
        GetRequest chrono(0, false, GetRequestType::ChronoFiles);
        link.send(chrono);

        link.waitFor(CommandType::FileTransfer, 4);
        const QList<QByteArray> frames = link.ofCommand(CommandType::FileTransfer);
        QCOMPARE(frames.size(), 4);
        const FileTransfer set(frames.at(0));
        QCOMPARE(set.fileType(), qint32(FileType::UserSet));
        QCOMPARE(set.protocolVersion(), 4);
        QCOMPARE(set.selector(), 0);
        QCOMPARE(set.data(), QByteArray("<AnwenderSet/>"));
        QList<qint32> chronoTypes;
        for (int i = 1; i < 4; ++i)
            chronoTypes.append(FileTransfer(frames.at(i)).fileType());
        std::sort(chronoTypes.begin(), chronoTypes.end());
        QCOMPARE(chronoTypes, (QList<qint32>{FileType::ChronoFixed, FileType::ChronoFlexZip, FileType::ChronoFlex}));
        QVERIFY(KelvaraTest::logContains(QStringLiteral("no answer for protocol version 4 to GetRequest: GetRequestType=1")));
    }

    void uploadsLandByteIdentical_data()
    {
        QTest::addColumn<int>("fileType");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("folder");

        const QString set = QStringLiteral("QELO3_9_Anwenderset_231201_100000_V14.xml");
        const int user = int(FileType::UserSet);
        // clang-format off
        QTest::newRow("empty user set") << user << set << 0 << QStringLiteral("usersets");
        QTest::newRow("user set of one first chunk") << user << set << 1024 << QStringLiteral("usersets");
        QTest::newRow("user set of many chunks") << user << set << 40000 << QStringLiteral("usersets");
        QTest::newRow("firmware container") << int(FileType::FirmwareContainer) << QStringLiteral("fw_1_5_0.esc") << 70000 << QStringLiteral("firmware");
        // clang-format on
    }

    void uploadsLandByteIdentical()
    {
        QFETCH(int, fileType);
        QFETCH(QString, name);
        QFETCH(int, size);
        QFETCH(QString, folder);
        QVERIFY(SimulatorTest::startDemo(*m_generator, QStringLiteral("generator")));
        const QStringList before = m_generator->userSetFiles();
        QCOMPARE(before.size(), 1);
        PeerLink link;
        QVERIFY(link.open(*m_generator));

        const QByteArray content = randomBytes(size, 7);
        const QString source = m_dir->path() + QStringLiteral("/source.bin");
        QVERIFY(KelvaraTest::writeFile(source, content));
        QSignalSpy stored(m_generator.get(), &SimulatorPeer::uploadReceived);
        auto upload = std::make_unique<FileUpload>(link.client.get(), name, source, fileType, 20000);
        QSignalSpy succeeded(upload.get(), &FileUpload::successfullyFinished);
        upload->start();
        QVERIFY(succeeded.wait(KelvaraTest::timeout(10000)));
        QVERIFY(upload->wait(KelvaraTest::timeout(5000)));
        // The end message is not acknowledged; the peer stores the file when it arrives.
        QVERIFY(stored.size() == 1 || stored.wait(KelvaraTest::timeout(5000)));

        const QString landed = m_generator->dataDirectory() + QLatin1Char('/') + folder + QLatin1Char('/') + name;
        QVERIFY(QFileInfo::exists(landed));
        QCOMPARE(KelvaraTest::readFile(landed), content);
        // An uploaded user set becomes the current one; a firmware upload leaves it alone.
        QCOMPARE(m_generator->userSetFiles(),
                 fileType == FileType::UserSet ? QStringList{name} : before);
    }

    void uploadNamedWithFoldersStaysInsideTheDataDirectory()
    {
        // Pins a path traversal: a peer-chosen name like "../../x" must not leave the data directory.
        startFixture(6);
        PeerLink link;
        QVERIFY(link.open(*m_generator));
        const QString source = m_dir->path() + QStringLiteral("/source.xml");
        QVERIFY(KelvaraTest::writeFile(source, "<AnwenderSet/>"));
        QSignalSpy stored(m_generator.get(), &SimulatorPeer::uploadReceived);
        FileUpload upload(link.client.get(), QStringLiteral("../../escaped.xml"), source, FileType::UserSet, 20000);
        upload.start();
        QVERIFY(stored.wait(KelvaraTest::timeout(5000)));
        QVERIFY(upload.wait(KelvaraTest::timeout(5000)));
        QVERIFY(!QFileInfo::exists(m_dir->path() + QStringLiteral("/escaped.xml")));
        QVERIFY(QFileInfo::exists(m_generator->dataDirectory() + QStringLiteral("/usersets/escaped.xml")));
    }

    void recordsWhoLoggedIn()
    {
        startFixture(6);
        PeerLink link;
        QVERIFY(link.open(*m_generator));
        UserLoginLogInfo info(0, false, QStringLiteral("technician"), 10);
        link.send(info);
        QTRY_COMPARE_WITH_TIMEOUT(m_generator->loginInfos().size(), 1, KelvaraTest::timeout(5000));
        QCOMPARE(m_generator->loginInfos().at(0).userName(), QStringLiteral("technician"));
        QCOMPARE(m_generator->loginInfos().at(0).role(), 10);
        QVERIFY(link.ofCommand(CommandType::FileTransfer).isEmpty());
    }

    void tlsMakesItsCertificateOnceAndServes()
    {
        const QString certificates = m_dir->path() + QStringLiteral("/tls");
        m_generator->setCertificateDirectory(certificates);
        m_generator->setSecure(true);
        startFixture(6);
        QVERIFY(QFileInfo::exists(certificates + QStringLiteral("/simulator.crt")));
        const QFileInfo key(certificates + QStringLiteral("/simulator.key"));
        QCOMPARE(key.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
        const QByteArray firstCertificate = KelvaraTest::readFile(certificates + QStringLiteral("/simulator.crt"));

        PeerLink link;
        QSignalSpy tlsErrors(link.client.get(), &WebSocketClient::sslErrors);
        QVERIFY(link.open(*m_generator));
        QVERIFY(tlsErrors.size() > 0); // self-signed, reported and ignored
        GetRequest identity(0, false, GetRequestType::DeviceInformation);
        link.send(identity);
        QVERIFY(!link.waitFor(CommandType::Qelo3DeviceInformation).isEmpty());

        // A second start reuses the stored identity instead of making a new one.
        m_generator->stop();
        QVERIFY(m_generator->start());
        QCOMPARE(KelvaraTest::readFile(certificates + QStringLiteral("/simulator.crt")), firstCertificate);
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_Qelo3Simulator)
#include "tst_qelo3simulator.moc"
