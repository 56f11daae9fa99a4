#include "AuthorizationMatrix.h"
#include "EncryptedSettingsFormat.h"
#include "FileDownload.h"
#include "FileTransfer.h"
#include "GetRequest.h"
#include "ProtocolTypes.h"
#include "ServerSimulator.h"
#include "SimulatorTestSupport.h"
#include "UpdateInfoReply.h"
#include "UserLoginReply.h"
#include "UserLoginRequest.h"
#include "UserLogoutRequest.h"

#include <QtCore/QDir>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>

#include <array>

namespace {

/// The permission masks of the built-in role table, role 0 first.
constexpr std::array<qint64, 12> kDefaultMasks = {
    0x0000000000000000, 0x01010707071F0100, 0x01010707071F0100, 0x01010707071F0100,
    0x01000700071F0100, 0x00010003001D0100, 0x00010003071D0100, 0x00010703001F0100,
    0x00010703071F0100, 0x00010003001D0100, 0x00010003071D0100, 0x0000000300000100,
};

const QString kUserSet = QStringLiteral("QELO3_23104711_Anwenderset_231020_101500_V14.xml");
const QString kTemplate = QStringLiteral("QELO3_Gastroenterologie_Vorlage_230915_120000_V14.xml");
const QString kDescription = QStringLiteral("QELO3_Update_Release_1_5_0_a_231020_120000.esb");

/// "kelvara_copy_instruments_YYMMDD_HHMMSS_Vnnn.ini" as (stamp, version); empty when malformed.
QStringList catalogueNameParts(const QString &name)
{
    const QRegularExpression pattern(QStringLiteral("^kelvara_copy_instruments_(\\d{6}_\\d{6})_V(\\d+)\\.ini$"));
    const QRegularExpressionMatch match = pattern.match(name);
    return match.hasMatch() ? QStringList{match.captured(1), match.captured(2)} : QStringList();
}

} // namespace

class tst_ServerSimulator : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ServerSimulator> m_server;

    QString data() const { return m_server->dataDirectory(); }

    /// The demo server started and a link open to it; null when either failed.
    std::unique_ptr<PeerLink> openDemo(const QStringList &arguments = {})
    {
        if (!SimulatorTest::applyCommandLine(*m_server, QStringLiteral("server"), arguments) || !m_server->start())
            return nullptr;
        auto link = std::make_unique<PeerLink>();
        return link->open(*m_server) ? std::move(link) : nullptr;
    }

    FileTransfer request(PeerLink &link, qint32 type, qint32 selector = 0, const QString &info = QString())
    {
        const int before = link.ofCommand(CommandType::FileTransfer).size();
        GetRequest get(0, false, type, selector, info);
        link.send(get);
        return FileTransfer(link.waitFor(CommandType::FileTransfer, before + 1));
    }

private slots:
    void initTestCase() { KelvaraTest::initializeLogger(); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_server = std::make_unique<ServerSimulator>();
    }

    void cleanup()
    {
        m_server.reset();
        m_dir.reset();
    }

    void loginOfEveryDemoAccount_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("replyName");
        QTest::addColumn<int>("role");

        QTest::newRow("admin") << "admin" << "Admin#2023" << true << "admin" << 3;
        QTest::newRow("support") << "support" << "Support#2023" << true << "support" << 2;
        QTest::newRow("sales") << "sales" << "Sales#2023" << true << "sales" << 1;
        QTest::newRow("production") << "production" << "Production#2023" << true << "production" << 4;
        QTest::newRow("dealer") << "dealer" << "Dealer#2023" << true << "dealer" << 5;
        QTest::newRow("service") << "service" << "Service#2023" << true << "service" << 6;
        QTest::newRow("premiumsales") << "premiumsales" << "Premium#2023" << true << "premiumsales" << 7;
        QTest::newRow("premiumservice") << "premiumservice" << "PremiumService#2023" << true << "premiumservice" << 8;
        QTest::newRow("nurse") << "nurse" << "Nurse#2023" << true << "nurse" << 9;
        QTest::newRow("mixed-case account typed in lower case") << "mbauer" << "Doctor#2023" << true << "MBauer" << 9;
        QTest::newRow("technician") << "technician" << "Technik#2023" << true << "technician" << 10;
        QTest::newRow("emergency") << "emergency" << "Emergency#2023" << true << "emergency" << 11;
        QTest::newRow("guest is accepted with no role") << "guest" << "Guest#2023" << true << "guest" << 0;
        QTest::newRow("locked account is refused") << "locked" << "Locked#2023" << false << "locked" << 0;
        QTest::newRow("wrong password is refused") << "admin" << "admin#2023" << false << "admin" << 0;
        QTest::newRow("unknown user is refused") << "nobody" << "Admin#2023" << false << "nobody" << 0;
        QTest::newRow("empty password is refused") << "admin" << "" << false << "admin" << 0;
    }

    void loginOfEveryDemoAccount()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        QFETCH(QString, replyName);
        QFETCH(int, role);
        const auto link = openDemo();
        QVERIFY(link);

        UserLoginRequest login(0, false, user, password);
        link->send(login);
        const UserLoginReply reply(link->waitFor(CommandType::UserLoginReply));
        QCOMPARE(reply.commandType(), qint32(CommandType::UserLoginReply));
        QCOMPARE(reply.result(), accepted);
        QCOMPARE(reply.userName(), replyName);
        QCOMPARE(reply.role(), role);
        if (!accepted) {
            QVERIFY(reply.firstName().isEmpty());
            // Nothing follows a refusal: a marker request's answer comes next.
            GetRequest marker(0, false, GetRequestType::UpdateInformation, 0, QStringLiteral("1.4.1"));
            link->send(marker);
            QVERIFY(!link->waitFor(CommandType::UpdateInfoReply).isEmpty());
            QVERIFY(link->ofCommand(CommandType::AuthorizationMatrix).isEmpty());
            return;
        }
        QVERIFY(!reply.firstName().isEmpty());
        QVERIFY(!reply.lastName().isEmpty());
        const AuthorizationMatrix matrix(link->waitFor(CommandType::AuthorizationMatrix));
        QCOMPARE(matrix.numberOfRoles(), 12);
        for (int r = 0; r < 12; ++r)
            QCOMPARE(matrix.mask(r), kDefaultMasks.at(size_t(r)));
        // The reply comes before the matrix.
        QVERIFY(link->inbox.indexOf(link->ofCommand(CommandType::UserLoginReply).first())
                < link->inbox.indexOf(link->ofCommand(CommandType::AuthorizationMatrix).first()));
        QCOMPARE(m_server->acceptedLogins(), QStringList{replyName});
    }

    void listsAreTheStoredPayloads_data()
    {
        QTest::addColumn<qint32>("requestType");
        QTest::addColumn<qint32>("selector");
        QTest::addColumn<int>("fileType");
        QTest::addColumn<QString>("listFile");
        QTest::addColumn<QString>("firstEntry");

        // clang-format off
        QTest::newRow("firmware list is type 5") << qint32(GetRequestType::FirmwareList) << 0 << int(FileType::FirmwareList)
            << "firmware.txt" << "QELO3_Update_Release_1_4_2__230612_090000.esb";
        QTest::newRow("template list echoes selector 2") << qint32(GetRequestType::UserSetList) << 2 << int(FileType::FileList)
            << "templates.txt" << "QELO3_Allgemeinchirurgie_Vorlage_230915_120000_V14.xml";
        QTest::newRow("downloads list echoes selector 1") << qint32(GetRequestType::UserSetList) << 1 << int(FileType::FileList)
            << "downloads.txt" << "QELO3_23100042_Anwenderset_230930_071500_V14.xml";
        // clang-format on
    }

    void listsAreTheStoredPayloads()
    {
        QFETCH(qint32, requestType);
        QFETCH(qint32, selector);
        QFETCH(int, fileType);
        QFETCH(QString, listFile);
        QFETCH(QString, firstEntry);
        const auto link = openDemo();
        QVERIFY(link);

        const FileTransfer list = request(*link, requestType, selector);
        QCOMPARE(list.fileType(), fileType);
        QCOMPARE(list.selector(), selector);
        QCOMPARE(list.data(), KelvaraTest::readFile(data() + QStringLiteral("/lists/") + listFile));
        const QStringList entries = QString::fromUtf8(list.data()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(entries.first().left(entries.first().lastIndexOf(QLatin1Char(':'))), firstEntry);

        // Without the prepared payload the folder itself is listed as "name:time".
        QVERIFY(QFile::remove(data() + QStringLiteral("/lists/") + listFile));
        const FileTransfer made = request(*link, requestType, selector);
        const QStringList madeEntries =
            QString::fromUtf8(made.data()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(madeEntries.size(), entries.size());
        QVERIFY(madeEntries.first().startsWith(firstEntry + QLatin1Char(':')));
        QCOMPARE(madeEntries.first().section(QLatin1Char(':'), -1).size(), 14);
    }

    void filesAnswerWithTheDocumentedTypes_data()
    {
        QTest::addColumn<qint32>("requestType");
        QTest::addColumn<qint32>("selector");
        QTest::addColumn<QString>("info");
        QTest::addColumn<int>("fileType");
        QTest::addColumn<qint32>("answerSelector");
        QTest::addColumn<QString>("source");

        const QString downloads = QStringLiteral("usersets/downloads/") + kUserSet;
        // clang-format off
        QTest::newRow("user set by category 1 and relative path")
            << qint32(GetRequestType::UserSet) << 1 << QStringLiteral("downloads/") + kUserSet << int(FileType::UserSet) << 1 << downloads;
        QTest::newRow("template by category 2")
            << qint32(GetRequestType::UserSet) << 2 << kTemplate << int(FileType::UserSet) << 2 << QStringLiteral("usersets/templates/") + kTemplate;
        QTest::newRow("listed user set by request 10")
            << qint32(GetRequestType::ListedFile) << 1 << kUserSet << int(FileType::UserSet) << 1 << downloads;
        QTest::newRow("firmware description is type 4")
            << qint32(GetRequestType::ListedFile) << 1 << kDescription << int(FileType::FirmwareDescription) << 0 << QStringLiteral("firmware/") + kDescription;
        QTest::newRow("service-centre directory is type 11")
            << qint32(GetRequestType::ServiceCenters) << 0 << QString() << int(FileType::ServiceCenters) << 0
            << QStringLiteral("servicecenters/kelvara_contact_ServiceCenterList_231101_000000_V130.xml");
        // clang-format on
    }

    void filesAnswerWithTheDocumentedTypes()
    {
        QFETCH(qint32, requestType);
        QFETCH(qint32, selector);
        QFETCH(QString, info);
        QFETCH(int, fileType);
        QFETCH(qint32, answerSelector);
        QFETCH(QString, source);
        const auto link = openDemo();
        QVERIFY(link);

        const FileTransfer file = request(*link, requestType, selector, info);
        QCOMPARE(file.fileType(), fileType);
        QCOMPARE(file.selector(), answerSelector);
        QCOMPARE(file.filename(), QFileInfo(source).fileName());
        QCOMPARE(file.progress(), 0);
        QVERIFY(!file.data().isEmpty());
        QCOMPARE(file.data(), KelvaraTest::readFile(data() + QLatin1Char('/') + source));
    }

    void catalogueIsNewerAndEncrypted()
    {
        const auto link = openDemo();
        QVERIFY(link);
        const FileTransfer catalogue = request(*link, GetRequestType::InstrumentCatalog);
        QCOMPARE(catalogue.fileType(), qint32(FileType::InstrumentCatalog));
        QCOMPARE(catalogue.data(), KelvaraTest::readFile(QStringLiteral(KELVARA_SIMULATOR_CATALOGUE)));

        // The application replaces its catalogue only by a newer one: a later
        // stamp and a higher version than the one built into it.
        const QStringList builtinNames = QDir(QStringLiteral(":/Resources/Config"))
                                             .entryList({QStringLiteral("kelvara_copy_instruments_*.ini")}, QDir::Files);
        QCOMPARE(builtinNames.size(), 1);
        const QStringList served = catalogueNameParts(catalogue.filename());
        const QStringList builtin = catalogueNameParts(builtinNames.first());
        QVERIFY2(served.size() == 2, qPrintable(catalogue.filename()));
        QVERIFY2(builtin.size() == 2, qPrintable(builtinNames.first()));
        QVERIFY2(served.at(0) > builtin.at(0), qPrintable(catalogue.filename()));
        QVERIFY2(served.at(1).toInt() > builtin.at(1).toInt(), qPrintable(catalogue.filename()));

        // Encrypted like the built-in one, and still holding every type the
        // demo user sets and the built-in templates refer to, under the same number.
        QSettings::SettingsMap servedMap;
        QVERIFY(EncryptedSettingsFormat::decode(catalogue.data(), servedMap));
        QSettings::SettingsMap builtinMap;
        QVERIFY(EncryptedSettingsFormat::decode(
            KelvaraTest::readFile(QStringLiteral(":/Resources/Config/") + builtinNames.first()), builtinMap));
        QCOMPARE(servedMap.value(QStringLiteral("HybridVex/Datensatznummer")).toString(), QStringLiteral("138"));
        int types = 0;
        for (auto it = builtinMap.cbegin(); it != builtinMap.cend(); ++it) {
            if (!it.key().endsWith(QLatin1String("/Datensatznummer")))
                continue;
            ++types;
            QVERIFY2(servedMap.value(it.key()) == it.value(), qPrintable(it.key()));
        }
        QVERIFY(types >= 10);
    }

    void firmwareContainerDownloadsInChunks()
    {
        const auto link = openDemo();
        QVERIFY(link);
        m_server->setChunkSize(100000);
        const QString name = QStringLiteral("QELO3_Update_Release_1_4_2__230612_090000.esc");
        const QString target = m_dir->path() + QStringLiteral("/target");
        auto download = std::make_unique<FileDownload>(link->client.get(), name, target, FileType::FirmwareContainer,
                                                       GetRequestType::ListedFile, 10000);
        QSignalSpy succeeded(download.get(), &FileDownload::successfullyFinished);
        QSignalSpy failed(download.get(), &FileDownload::errorOccured);
        download->start();
        QVERIFY(succeeded.wait(KelvaraTest::timeout(30000)));
        QVERIFY(download->wait(KelvaraTest::timeout(5000)));
        QCOMPARE(failed.size(), 0);
        const QByteArray expected = KelvaraTest::readFile(data() + QStringLiteral("/firmware/") + name);
        QCOMPARE(expected.size(), 2621440);
        QVERIFY(KelvaraTest::readFile(target + QLatin1Char('/') + name) == expected);
    }

    void updateInformationByOption_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("updateTyp");
        QTest::addColumn<bool>("texts");

        QTest::newRow("none: nothing to show") << "none" << 2 << false;
        QTest::newRow("info: news that does not block") << "info" << 0 << true;
        QTest::newRow("blocking: an update the login waits for") << "blocking" << 1 << true;
    }

    void updateInformationByOption()
    {
        QFETCH(QString, option);
        QFETCH(int, updateTyp);
        QFETCH(bool, texts);
        const auto link = openDemo({QStringLiteral("--update-info"), option});
        QVERIFY(link);
        GetRequest get(0, false, GetRequestType::UpdateInformation, 0, QStringLiteral("1.4.1"));
        link->send(get);
        const UpdateInfoReply reply(link->waitFor(CommandType::UpdateInfoReply));
        QCOMPARE(reply.updateTyp(), updateTyp);
        QCOMPARE(!reply.headlineDE().isEmpty(), texts);
        QCOMPARE(!reply.textEN().isEmpty(), texts);
        if (texts)
            QCOMPARE(reply.linkWindowsEN(), QStringLiteral("http://localhost/kelvara/download"));
    }

    void downloadsFollowTheFirstListOfARun_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("runStarted");
        QTest::addColumn<bool>("pushed");
        QTest::newRow("after the first list of a run") << QStringList() << true << true;
        QTest::newRow("synthetic sets only listed") << QStringList{"--many-usersets", "2"} << true << true;
        QTest::newRow("turned off") << QStringList{"--no-push-downloads"} << true << false;
        QTest::newRow("a list outside a run") << QStringList() << false << false;
    }

    void downloadsFollowTheFirstListOfARun()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, runStarted);
        QFETCH(bool, pushed);
        const auto link = openDemo(arguments);
        QVERIFY(link);
        if (runStarted)
            request(*link, GetRequestType::FirmwareList);
        const FileTransfer list = request(*link, GetRequestType::UserSetList, 1);
        // The second list of the run brings no second round.
        request(*link, GetRequestType::UserSetList, 1);
        GetRequest marker(0, false, GetRequestType::UpdateInformation);
        link->send(marker);
        QVERIFY(!link->waitFor(CommandType::UpdateInfoReply).isEmpty());

        QStringList expected;
        for (const QString &entry : QString::fromUtf8(list.data()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
            const QString name = entry.left(entry.lastIndexOf(QLatin1Char(':')));
            if (!name.startsWith(QLatin1String("Q3_Synthetic")))
                expected.append(name);
        }
        QCOMPARE(expected, QDir(data() + QStringLiteral("/usersets/downloads")).entryList(QDir::Files, QDir::Name));
        QStringList received;
        for (const QByteArray &frame : link->ofCommand(CommandType::FileTransfer)) {
            const FileTransfer file(frame);
            if (file.fileType() == FileType::UserSet) {
                QCOMPARE(file.selector(), 1);
                QVERIFY(!file.data().isEmpty());
                received.append(file.filename());
            }
        }
        // Fault: the waiting sets never came, so a synchronisation counted none of them.
        QCOMPARE(received, pushed ? expected : QStringList());
    }

    void uploadsAreStoredAndAcknowledged_data()
    {
        QTest::addColumn<int>("fileType");
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("stored");

        const QString name = QStringLiteral("QELO3_23104711_Anwenderset_231201_080000_V14.xml");
        // clang-format off
        QTest::newRow("user set") << int(FileType::UserSet) << "23104711" << "received/usersets/" + name;
        QTest::newRow("application log below its user") << int(FileType::ApplicationLog) << "technician" << "received/logs/technician/" + name;
        QTest::newRow("contact message") << int(FileType::ContactMessage) << "" << "received/contact/" + name;
        // clang-format on
    }

    void uploadsAreStoredAndAcknowledged()
    {
        QFETCH(int, fileType);
        QFETCH(QString, directory);
        QFETCH(QString, stored);
        const auto link = openDemo();
        QVERIFY(link);

        const QByteArray content("payload \x01\x02\xff of the upload", 26);
        FileTransfer upload(0, false, fileType, directory,
                            QStringLiteral("QELO3_23104711_Anwenderset_231201_080000_V14.xml"), 0, content, 0);
        link->send(upload);
        const FileTransfer ack(link->waitFor(CommandType::FileTransfer));
        QVERIFY(ack.isAck());
        QCOMPARE(ack.fileType(), fileType);
        QCOMPARE(ack.filename(), upload.filename());
        QVERIFY(ack.data().isNull());
        QCOMPARE(KelvaraTest::readFile(data() + QLatin1Char('/') + stored), content);
    }

    void logoutAndConnectNoticeAreOnlyLogged()
    {
        const auto link = openDemo();
        QVERIFY(link);
        GetRequest connected(0, false, GetRequestType::ServerConnected);
        link->send(connected);
        UserLogoutRequest logout(0, false);
        link->send(logout);
        QTRY_COMPARE_WITH_TIMEOUT(m_server->logoutCount(), 1, KelvaraTest::timeout(5000));
        QCOMPARE(m_server->receivedOfCommand(CommandType::GetRequest).size(), 1);
        QVERIFY(KelvaraTest::logContains(QStringLiteral("ServerSimulator::onBinaryMessage: received UserLogoutRequest")));
        QVERIFY(KelvaraTest::logContains(
            QStringLiteral("ServerSimulator::onBinaryMessage: received GetRequest: GetRequestType=13")));
        // Heartbeat answers aside, neither is answered.
        QVERIFY(link->ofCommand(CommandType::FileTransfer).isEmpty());
        QCOMPARE(m_server->sentCount(), qint64(0));
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_ServerSimulator)
#include "tst_serversimulator.moc"
