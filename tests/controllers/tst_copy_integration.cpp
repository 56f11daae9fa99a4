#include "KelvaraTest.h"

#include "AllUserSetsListModel.h"
#include "CopyViewController.h"
#include "Instrument.h"
#include "DataPaths.h"
#include "LoggingService.h"
#include "PasswordVerifier.h"
#include "Qelo3Server.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "ProgramViewController.h"
#include "StringListModel.h"
#include "SimulatedPeers.h"
#include "SynchronizeService.h"
#include "UserProgram.h"
#include "UserSet.h"
#include "UserSetStorage.h"
#include "XmlUserSetSerializer.h"

#include <QtCore/QDir>
#include <QtTest/QSignalSpy>

#include <memory>

// The Copy module end to end: the Manager with its controllers against the
// simulated server and generator, through real sockets.
class tst_CopyIntegration : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SimulatedPeers> m_peers;
    std::unique_ptr<Manager> m_manager;

    CopyViewController &copy() { return m_manager->copyViewController(); }
    UserSetStorage &store() { return m_manager->userSetStorage(); }

    /// A fresh Manager logged in as the administrator, its first synchronisation done.
    bool logIn()
    {
        m_manager.reset();
        m_manager = SimulatedPeers::connectedManager();
        if (!m_manager)
            return false;
        QSignalSpy synchronized(&m_manager->synchronizeService(), &SynchronizeService::syncCompleted);
        return SimulatedPeers::logIn(*m_manager, QStringLiteral("admin"), QStringLiteral("Admin#2023"))
               && (!synchronized.isEmpty() || synchronized.wait(KelvaraTest::timeout(20000)));
    }

    QString serverSet(int type)
    {
        const QList<UserSet *> sets = store().userSets(type);
        return sets.isEmpty() ? QString() : sets.first()->id();
    }

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        PasswordVerifier::setDefaultIterations(1000);
        KelvaraTest::startSettings(true);
        m_peers = std::make_unique<SimulatedPeers>();
        QVERIFY(m_peers->start());
    }

    void cleanup()
    {
        m_manager.reset();
        m_peers->server().setUserSetFault(0);
        m_peers->server().setPushDownloads(true);
        m_peers->generator().setProtocolVersion(6);
    }

    void journey()
    {
        QVERIFY(logIn());
        // The server's lists fill the server view.
        copy().setServerViewSelected(true);
        QCOMPARE(copy().getElementCount(), 6);
        QCOMPARE(copy().allUserSets()->getHeaderCount(), 2);

        // A server template is fetched, then copied into the local store.
        const QString serverTemplate = serverSet(UserSet::HALVO_SERVER_GENERAL_TEMPLATE);
        const QString templateFile = store().getUserSet(serverTemplate)->fileName();
        copy().halvoServerDownloadUserSet(serverTemplate);
        QTRY_VERIFY_WITH_TIMEOUT(!store().findByBaseName(QFileInfo(templateFile).completeBaseName(), UserSet::GENERAL_TEMPLATE).isEmpty(),
                                 KelvaraTest::timeout(5000));
        QVERIFY(!copy().serverViewSelected());

        // The generator's set arrives as a download.
        copy().qelo3DownloadUserSet();
        QTRY_COMPARE_WITH_TIMEOUT(store().userSets(UserSet::QELO3_DOWNLOAD).size(), 1, KelvaraTest::timeout(5000));
        UserSet *download = store().userSets(UserSet::QELO3_DOWNLOAD).first();
        QVERIFY(copy().processUserSetSelectionEditPage(download->id()));
        ProgramGroup *group = download->programGroups().first();
        copy().renameProgramGroup(download->id(), group->id(), QStringLiteral("Reise"));
        const int programs = int(group->programs().size());
        copy().createNewProgram(download->id(), group->id(), QStringLiteral("Neu im Feld"), 0);
        QCOMPARE(group->programs().size(), programs + 1);
        // Unsaved edits do not travel.
        QVERIFY(!copy().qelo3UploadUserSet(download->id()));

        QVERIFY(copy().saveUserSet(download->id(), QStringLiteral("Reise_Vorlage")));
        UserSet *own = store().getUserSet(copy().selectedUserSetId());
        QCOMPARE(own->userSetType(), int(UserSet::USER_TEMPLATE));
        const qsizetype uploadsBefore = m_manager->loggingService().entries().filter(QStringLiteral("<Upload")).size();
        QVERIFY(copy().qelo3UploadUserSet(own->id()));
        // One upload at a time.
        QVERIFY(!copy().qelo3UploadUserSet(own->id()));
        QTRY_VERIFY_WITH_TIMEOUT(m_peers->generator().lastUserSetUpload().contains("Name=\"Reise\""), KelvaraTest::timeout(5000));
        QVERIFY(m_peers->generator().lastUserSetUpload().contains("Name=\"Neu im Feld\""));
        QTRY_COMPARE_WITH_TIMEOUT(m_manager->loggingService().entries().filter(QStringLiteral("<Upload")).size(),
                                  uploadsBefore + 1, KelvaraTest::timeout(5000));
        QVERIFY(m_manager->loggingService().entries().last().contains(QStringLiteral("Reise_Vorlage.xml")));
    }

    // The program editor end to end: the generator's set is edited in one
    // program, saved, uploaded, and the generator receives what was chosen.
    void programEditorJourney()
    {
        QVERIFY(logIn());
        copy().qelo3DownloadUserSet();
        QTRY_COMPARE_WITH_TIMEOUT(store().userSets(UserSet::QELO3_DOWNLOAD).size(), 1, KelvaraTest::timeout(5000));
        UserSet *download = store().userSets(UserSet::QELO3_DOWNLOAD).first();
        QVERIFY(copy().processUserSetSelectionEditPage(download->id()));
        ProgramGroup *group = download->programGroups().first();
        UserProgram *program = group->programs().first();
        ProgramViewController &editor = m_manager->programViewController();
        editor.processProgramSelection(download->id(), group->id(), program->id());
        QCOMPARE(editor.programName(), program->name());

        Instrument *knife = program->levels().first()->instruments().first();
        QCOMPARE(knife->effectiveType(), QStringLiteral("MonoMesser"));
        editor.setCurrentCutMode(knife->id(), QStringLiteral("CUT_M2"), 0);
        editor.setCoagEffect(knife->id(), knife->coag().selektierterMode(), 0, 7.5, 0);
        const int count = int(program->levels().first()->instruments().size());
        editor.addInstrument(QStringLiteral("MultiElektrode"), QString(), count, 0);
        Instrument *multi = program->levels().first()->instruments().value(count);
        QVERIFY(multi);
        editor.addSubInstrumentToInstrument(QStringLiteral("MultiElektrode_Nadel"), QString(), multi->id(), 0);
        const QString coagMode = knife->coag().selektierterMode();

        QVERIFY(copy().saveUserSet(download->id(), QStringLiteral("Programm_Reise")));
        UserSet *own = store().getUserSet(copy().selectedUserSetId());
        const qsizetype uploadsBefore = m_manager->loggingService().entries().filter(QStringLiteral("<Upload")).size();
        QVERIFY(copy().qelo3UploadUserSet(own->id()));
        QTRY_COMPARE_WITH_TIMEOUT(m_manager->loggingService().entries().filter(QStringLiteral("<Upload")).size(),
                                  uploadsBefore + 1, KelvaraTest::timeout(5000));

        XmlUserSetSerializer reader;
        std::unique_ptr<UserSet> uploaded(reader.readData(m_peers->generator().lastUserSetUpload(), UserSet::QELO3_DOWNLOAD));
        QVERIFY2(uploaded, qPrintable(reader.lastError()));
        const UserProgram *sent = uploaded->programGroups().first()->programs().first();
        const Instrument *sentKnife = sent->levels().first()->instruments().first();
        QCOMPARE(sentKnife->cut().selektierterMode(), QStringLiteral("CUT_M2"));
        QCOMPARE(sentKnife->coag().findMode(coagMode)->effekt(), QStringLiteral("75"));
        // The new instrument and its sub-instrument stand in every level.
        for (const ProgramLevel *level : sent->levels()) {
            const Instrument *sentMulti = level->instruments().value(count);
            QVERIFY(sentMulti);
            QCOMPARE(sentMulti->effectiveType(), QStringLiteral("MultiElektrode"));
            QCOMPARE(sentMulti->subInstruments().size(), 1);
            QCOMPARE(sentMulti->subInstruments().first()->effectiveType(), QStringLiteral("MultiElektrode_Nadel"));
        }
    }

    void manyServerSets()
    {
        m_peers->server().setManyUserSets(2000);
        const bool loggedIn = logIn();
        m_peers->server().setManyUserSets(0);
        QVERIFY(loggedIn);
        copy().setServerViewSelected(true);
        QCOMPARE(copy().getElementCount(), 2006);
        const QString id = store().findByBaseName(QStringLiteral("Q3_Synthetic01999_SN40001999_230601_120000_V140"),
                                                  UserSet::HALVO_SERVER_QELO3_DOWNLOAD);
        QVERIFY(!id.isEmpty());
        m_peers->server().setManyUserSets(2000);
        copy().processUserSetSelection(id);
        QTRY_VERIFY_WITH_TIMEOUT(copy().pendingRequest().isEmpty(), KelvaraTest::timeout(5000));
        m_peers->server().setManyUserSets(0);
        QVERIFY(copy().serverUserSetSelected());
        QVERIFY(copy().getProgramPackages()->rowCount() > 0);
    }

    void generatorProtocols_data()
    {
        QTest::addColumn<int>("protocol");
        QTest::newRow("protocol 4: one message") << 4;
        QTest::newRow("protocol 6: in chunks") << 6;
    }

    void generatorProtocols()
    {
        QFETCH(int, protocol);
        m_peers->generator().setProtocolVersion(protocol);
        QDir(DataPaths::userSetDirectory(QStringLiteral("admin"), UserSet::QELO3_DOWNLOAD)).removeRecursively();
        QVERIFY(logIn());
        QCOMPARE(m_manager->communication().qelo3Server()->peerProtocolVersion(), protocol);
        copy().qelo3DownloadUserSet();
        QTRY_COMPARE_WITH_TIMEOUT(store().userSets(UserSet::QELO3_DOWNLOAD).size(), 1, KelvaraTest::timeout(5000));
        UserSet *download = store().userSets(UserSet::QELO3_DOWNLOAD).first();
        const QByteArray onDevice = KelvaraTest::readFile(
            m_peers->dataPath(QStringLiteral("generator/usersets/") + m_peers->generator().userSetFiles().last()));
        QVERIFY(onDevice.contains("Name=\"" + download->programGroups().first()->name().toUtf8() + '"'));
        QCOMPARE(copy().selectedUserSetId(), store().userSets(UserSet::QELO3_DOWNLOAD).first()->id());
    }

    void serverSetFaults_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("arrives");
        QTest::addColumn<QString>("logged");
        QTest::newRow("broken once, the retry works") << 1 << true << QString();
        QTest::newRow("broken twice") << 2 << false << ": Failed to retrieve user set: ";
        // Fault: a set that never came kept the request pending, so no other set could be opened.
        QTest::newRow("never answered") << int(ServerSimulator::kNeverAnswer) << false << QString();
    }

    void serverSetFaults()
    {
        QFETCH(int, fault);
        QFETCH(bool, arrives);
        QFETCH(QString, logged);
        // The set is fetched on selection here, not pushed by the synchronisation.
        m_peers->server().setPushDownloads(false);
        QDir(DataPaths::userSetDirectory(QStringLiteral("admin"), UserSet::HALVO_SERVER_QELO3_DOWNLOAD)).removeRecursively();
        QVERIFY(logIn());
        copy().setServerAnswerTimeout(KelvaraTest::timeout(500));
        m_peers->server().setUserSetFault(fault);
        const QString id = serverSet(UserSet::HALVO_SERVER_QELO3_DOWNLOAD);
        const QString baseName = store().getUserSet(id)->userSetName().getBaseName();
        QSignalSpy timedOut(&copy(), &CopyViewController::downloadTimedOut);
        const qsizetype before = KelvaraTest::logLines().filter(logged).size();
        copy().processUserSetSelection(id);
        QCOMPARE(copy().pendingRequest(), baseName);
        QTRY_VERIFY_WITH_TIMEOUT(copy().pendingRequest().isEmpty(), KelvaraTest::timeout(5000));
        const QString now = store().findByBaseName(baseName, UserSet::HALVO_SERVER_QELO3_DOWNLOAD);
        QCOMPARE(store().getUserSet(now)->loadState() == 1, arrives);
        QCOMPARE(timedOut.count(), fault == ServerSimulator::kNeverAnswer ? 1 : 0);
        if (!logged.isEmpty())
            QCOMPARE(KelvaraTest::logLines().filter(logged).size(), before + 1);
        // The next selection is served again.
        m_peers->server().setUserSetFault(0);
        copy().processUserSetSelection(serverSet(UserSet::HALVO_SERVER_GENERAL_TEMPLATE));
        QVERIFY(!copy().pendingRequest().isEmpty());
    }
};

KELVARA_TEST_MAIN(tst_CopyIntegration)

#include "tst_copy_integration.moc"
