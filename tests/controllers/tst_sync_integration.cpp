#include "KelvaraTest.h"

#include "ContactViewController.h"
#include "CopyViewController.h"
#include "DataPaths.h"
#include "PasswordVerifier.h"
#include "ProtocolTypes.h"
#include "SimulatedPeers.h"
#include "StringListModel.h"
#include "SynchronizeService.h"
#include "UpdateViewController.h"

#include <QtCore/QDir>
#include <QtTest/QSignalSpy>

#include <memory>

namespace {

const QString kUser = QStringLiteral("admin");
// A part 2 the server does not list, so the set is uploaded.
const QString kPendingSet = QStringLiteral("QELO3_23555555_Anwenderset_231201_080000_V14.xml");
const QString kLog = QStringLiteral("kelvara_admin_Administrator_231201_080000.xml");
const QString kUpdateLog = QStringLiteral("UpdateLog.xml");

QString userPath(const QString &sub)
{
    return DataPaths::userPath(kUser, sub);
}

} // namespace

// The synchronisation after a real login against the simulated server: what
// it fetches reaches the modules, what waited here reaches the server.
class tst_SyncIntegration : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SimulatedPeers> m_peers;
    std::unique_ptr<Manager> m_manager;

    QStringList filesIn(const QString &folder) const { return QDir(folder).entryList(QDir::Files, QDir::Name); }

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        PasswordVerifier::setDefaultIterations(1000);
        KelvaraTest::startSettings(true);
        m_peers = std::make_unique<SimulatedPeers>();
        QVERIFY(m_peers->start());
    }

    void cleanupTestCase() { m_manager.reset(); }

    void loginRunsTheWholeSynchronisation()
    {
        const QByteArray setContent = KelvaraTest::readFile(
            m_peers->dataPath(QStringLiteral("server/usersets/downloads/QELO3_23104711_Anwenderset_231020_101500_V14.xml")));
        QVERIFY(!setContent.isEmpty());
        QVERIFY(KelvaraTest::writeFile(userPath(QStringLiteral("device_dataFiles/QELO3/copy/local_downloads/")) + kPendingSet,
                                       setContent));
        QVERIFY(KelvaraTest::writeFile(userPath(QStringLiteral("kelvara_logFiles/")) + kLog, "<KelvaraUserLog/>"));
        QVERIFY(KelvaraTest::writeFile(userPath(QStringLiteral("kelvara_logFiles/")) + kUpdateLog, "<UpdateLog/>"));

        m_manager = SimulatedPeers::connectedManager();
        QVERIFY(m_manager);
        SynchronizeService &sync = m_manager->synchronizeService();
        QSignalSpy completed(&sync, &SynchronizeService::syncCompleted);
        QSignalSpy timedOut(&sync, &SynchronizeService::syncTimeout);
        QVERIFY(SimulatedPeers::logIn(*m_manager, kUser, QStringLiteral("Admin#2023")));
        QVERIFY(!completed.isEmpty() || completed.wait(KelvaraTest::timeout(30000)));
        QCOMPARE(timedOut.count(), 0);
        QVERIFY(sync.getLastSyncDateTime().isValid());

        // The server's lists and the sets it pushed fill the Copy module's server view.
        const QStringList serverDownloads = filesIn(m_peers->dataPath(QStringLiteral("server/usersets/downloads")));
        QCOMPARE(filesIn(DataPaths::userSetDirectory(kUser, 5)), serverDownloads);
        CopyViewController &copy = m_manager->copyViewController();
        copy.setServerViewSelected(true);
        QCOMPARE(copy.getElementCount(),
                 int(serverDownloads.size() + filesIn(m_peers->dataPath(QStringLiteral("server/usersets/templates"))).size()));

        // Every firmware description, the catalogue and the service centres arrived and were loaded.
        const QStringList descriptions = QDir(m_peers->dataPath(QStringLiteral("server/firmware")))
                                             .entryList({QStringLiteral("*.esb")}, QDir::Files, QDir::Name);
        QCOMPARE(QDir(userPath(QStringLiteral("device_dataFiles/QELO3/update_deviceSoftware/temp_server")))
                     .entryList({QStringLiteral("*.esb")}, QDir::Files, QDir::Name),
                 descriptions);
        QCOMPARE(m_manager->updateViewController().serverOverview()->rowCount(), int(descriptions.size()));
        QVERIFY(!DataPaths::latestInstrumentCatalogue(kUser).isEmpty());
        QVERIFY(!DataPaths::latestServiceCenterList(kUser).isEmpty());
        QVERIFY(m_manager->contactViewController().serviceCenterListModel()->rowCount() > 0);

        // The pending set and the logs reached the server; only the update log stays here.
        QCOMPARE(KelvaraTest::readFile(m_peers->server().receivedPath(FileType::UserSet, QString(), kPendingSet)),
                 setContent);
        QCOMPARE(KelvaraTest::readFile(m_peers->server().receivedPath(FileType::ApplicationLog, kUser, kLog)),
                 QByteArray("<KelvaraUserLog/>"));
        QVERIFY(QFileInfo::exists(m_peers->server().receivedPath(FileType::ApplicationLog, kUser, kUpdateLog)));
        QVERIFY(!QFileInfo::exists(userPath(QStringLiteral("kelvara_logFiles/")) + kLog));
        QVERIFY(QFileInfo::exists(userPath(QStringLiteral("kelvara_logFiles/")) + kUpdateLog));
    }
};

KELVARA_TEST_MAIN(tst_SyncIntegration)
#include "tst_sync_integration.moc"
