#include "KelvaraTest.h"
#include "SimulatedPeers.h"

#include "CommunicationController.h"
#include "DataPaths.h"
#include "HalvoServer.h"
#include "LoginViewController.h"
#include "Manager.h"
#include "PasswordVerifier.h"
#include "ProtocolTypes.h"
#include "Qelo3Server.h"
#include "Qelo3Simulator.h"
#include "ServerSimulator.h"
#include "Settings.h"
#include "StringListElement.h"
#include "StringListModel.h"
#include "UpdateHistoryListModel.h"
#include "UpdateHistoryViewController.h"
#include "UpdateRequest.h"
#include "UpdateViewController.h"

#include <QtCore/QDirIterator>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtTest/QSignalSpy>

#include <memory>

namespace {

const QString kOld = QStringLiteral("QELO3_Update_Release_1_4_2__230612_090000.esb");
const QString kNew = QStringLiteral("QELO3_Update_Release_1_5_0_a_231020_120000.esb");

} // namespace

// A service technician's update journey against the simulated server and
// generator: descriptions from the server, the firmware download, the upload
// to the generator, its new version, and the entry in the history.
class tst_UpdateIntegration : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SimulatedPeers> m_peers;
    std::unique_ptr<Manager> m_manager;

    UpdateViewController &update() { return m_manager->updateViewController(); }
    Qelo3Server *generatorLink() { return m_manager->communication().qelo3Server(); }

    bool connected()
    {
        return QTest::qWaitFor([this] {
            return m_manager->communication().isQelo3Connected() && m_manager->communication().isHalvoServerConnected();
        }, KelvaraTest::timeout(10000));
    }

    QByteArray serverContainer(const QString &esb) const
    {
        return KelvaraTest::readFile(m_peers->dataPath(QStringLiteral("server/firmware/"))
                                     + UpdateViewController::containerName(esb));
    }

    /// Starts a download and waits for its end; whether the update was stored.
    bool download(const QString &esb)
    {
        QSignalSpy finished(&update(), &UpdateViewController::firmwareDownloadFinished);
        if (!update().downloadFromServer(esb))
            return false;
        if (!finished.wait(KelvaraTest::timeout(60000)))
            return false;
        return finished.first().at(0).toString() == esb && finished.first().at(1).toBool();
    }

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        PasswordVerifier::setDefaultIterations(1000);
        KelvaraTest::startSettings(true);
        m_peers = std::make_unique<SimulatedPeers>();
        QVERIFY(m_peers->start());
        m_manager = SimulatedPeers::connectedManager();
        QVERIFY(m_manager);
        QSignalSpy reply(&m_manager->loginViewController(), &LoginViewController::userLoginReply);
        m_manager->loginViewController().loginUser(QStringLiteral("service"), QStringLiteral("Service#2023"));
        QVERIFY(!reply.isEmpty() || reply.wait(KelvaraTest::timeout(20000)));
        QVERIFY(reply.first().at(0).toBool());
        QVERIFY(m_manager->loginViewController().isAllowedUpdateDeviceFiletransferWithStk());
        QVERIFY(m_manager->loginViewController().isAllowedUpdateServerFiletransferWithStk());

        // What the synchronisation does after the login: fetch each listed description.
        for (const QString &name : {kOld, kNew})
            m_manager->communication().halvoServer()->requestFile(name);
        QTRY_COMPARE_WITH_TIMEOUT(update().serverOverview()->rowCount(), 2, KelvaraTest::timeout(10000));
        QCOMPARE(update().serverOverview()->elementAt(0)->text(), QStringLiteral("QELO3 1.4.2 230612_090000"));
    }

    void cleanupTestCase()
    {
        m_manager.reset();
        m_peers.reset();
    }

    void downloadLandsTheContainerByteForByte()
    {
        QSignalSpy refused(&update(), &UpdateViewController::transferRefused);
        QSignalSpy finished(&update(), &UpdateViewController::firmwareDownloadFinished);
        QVERIFY(update().downloadFromServer(kNew));
        // A second request while one runs is refused, and says why.
        QVERIFY(!update().downloadFromServer(kOld));
        QCOMPARE(refused.size(), 1);
        QCOMPARE(refused.first().at(0).toInt(), int(UpdateViewController::TransferRunning));
        QVERIFY(finished.wait(KelvaraTest::timeout(60000)));
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().at(1).toBool(), true);
        const QString local = update().localFolder() + QLatin1Char('/');
        QCOMPARE(KelvaraTest::readFile(local + UpdateViewController::containerName(kNew)), serverContainer(kNew));
        QCOMPARE(update().localOverview()->rowCount(), 1);
        QVERIFY(update().serverOverview()->elementAt(1)->isDownloaded());
        QVERIFY(QDir(local).entryList({QStringLiteral("*.part")}, QDir::Files).isEmpty());
    }

    void uploadReachesTheGenerator_data()
    {
        QTest::addColumn<int>("rebootMs");
        QTest::newRow("new identity at once") << 0;
        QTest::newRow("after a reboot of the generator") << 300;
    }

    void uploadReachesTheGenerator()
    {
        QFETCH(int, rebootMs);
        m_peers->generator().setRebootAfterUpdate(rebootMs);
        m_peers->generator().setIdentity(QStringLiteral("QELO 3"), QStringLiteral("23104711"), QStringLiteral("OP 4"),
                                 QStringLiteral("1.4.1"));
        generatorLink()->requestDeviceInformation();
        QTRY_COMPARE_WITH_TIMEOUT(generatorLink()->softwareVersion(), QStringLiteral("1.4.1"), KelvaraTest::timeout(5000));

        QSignalSpy progress(&update(), &UpdateViewController::fileUploadProgressChanged);
        QSignalSpy succeeded(&update(), &UpdateViewController::fileUploadSuccessfullyFinished);
        QSignalSpy refused(&update(), &UpdateViewController::transferRefused);
        QVERIFY(update().uploadToQelo3(kNew));
        QVERIFY(!update().uploadToQelo3(kNew));
        QCOMPARE(refused.first().at(0).toInt(), int(UpdateViewController::TransferRunning));
        QVERIFY(succeeded.wait(KelvaraTest::timeout(60000)));
        QCOMPARE(succeeded.first().at(0).toInt(), int(FileType::FirmwareContainer));
        QVERIFY(progress.size() > 1);
        // The generator stores the file after the upload's end message.
        QTRY_COMPARE_WITH_TIMEOUT(KelvaraTest::readFile(m_peers->dataPath(QStringLiteral("generator/firmware/"))
                                                        + UpdateViewController::containerName(kNew)),
                                  serverContainer(kNew), KelvaraTest::timeout(5000));

        QTRY_COMPARE_WITH_TIMEOUT(generatorLink()->softwareVersion(), QStringLiteral("1.5.0"), KelvaraTest::timeout(15000));
        QVERIFY(connected());
        UpdateHistoryViewController &history = m_manager->updateHistoryViewController();
        const QString id = history.createUpdateLogEntry(kNew, true, true);
        history.sortByDatum();
        const UpdateRequest *entry = UpdateRequest::find(id);
        QVERIFY(entry);
        const int row = int(history.entries().indexOf(entry));
        QVERIFY(row >= 0);
        // The version before the upload, although the generator already reports the new one.
        QCOMPARE((QStringList{entry->AlteSwVersion, entry->NeueSwVersion, entry->Seriennummer, entry->Typ,
                              entry->Transferstatus, entry->Updatestatus}),
                 (QStringList{"1.4.1", "1.5.0", "23104711", "QELO 3", "TRUE", "TRUE"}));
        QCOMPARE(history.model()->data(history.model()->index(row), UpdateHistoryListModel::UpdateHistoryIdRole)
                     .toString(),
                 id);
        QVERIFY(KelvaraTest::readFile(DataPaths::updateLogPath(QStringLiteral("service"))).contains("NeueSwVersion=\"1.5.0\""));
    }

    void failedDownloadsKeepThePreviousState_data()
    {
        QTest::addColumn<bool>("dropLink");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("the link drops during the transfer") << true << false;
        // The container arrived, but its description went meanwhile.
        QTest::newRow("the description is gone when it is stored") << false << false;
        QTest::newRow("the user cancels") << false << true;
    }

    void failedDownloadsKeepThePreviousState()
    {
        QFETCH(bool, dropLink);
        QFETCH(bool, cancel);
        QVERIFY(connected());
        const QString local = update().localFolder() + QLatin1Char('/');
        const QString container = local + UpdateViewController::containerName(kOld);
        QVERIFY(KelvaraTest::writeFile(container, "previous"));
        const QString description = update().serverFolder() + QLatin1Char('/') + kOld;
        const QByteArray serverDescription = KelvaraTest::readFile(description);
        m_peers->server().setCloseAfterChunks(dropLink ? 3 : -1);
        // Slow answers leave the cancel time to arrive.
        m_peers->server().setResponseDelay(cancel ? 20 : 0);
        QSignalSpy finished(&update(), &UpdateViewController::firmwareDownloadFinished);
        QSignalSpy cancelled(&update(), &UpdateViewController::fileDownloadCanceled);
        // The previous row's transfer thread is gone only a moment after its end was reported.
        bool started = false;
        QTRY_VERIFY_WITH_TIMEOUT(started || (started = update().downloadFromServer(kOld)), KelvaraTest::timeout(5000));
        if (cancel) {
            QTRY_VERIFY_WITH_TIMEOUT(update().fileDownloadIsActive(), KelvaraTest::timeout(5000));
            update().fileDownloadDoCancel();
        }
        else if (!dropLink)
            QVERIFY(QFile::remove(description));
        QVERIFY(finished.wait(KelvaraTest::timeout(60000)));
        QCOMPARE(finished.first().at(1).toBool(), false);
        QCOMPARE(KelvaraTest::readFile(container), QByteArray("previous"));
        QVERIFY(!QFileInfo::exists(local + kOld));
        QCOMPARE(update().localOverview()->rowCount(), 1);
        QCOMPARE(cancelled.size(), cancel ? 1 : 0);
        m_peers->server().setCloseAfterChunks(-1);
        m_peers->server().setResponseDelay(0);
        if (!dropLink && !cancel)
            QVERIFY(KelvaraTest::writeFile(description, serverDescription));
        QFile::remove(container);
    }
};

KELVARA_TEST_MAIN(tst_UpdateIntegration)

#include "tst_update_integration.moc"
