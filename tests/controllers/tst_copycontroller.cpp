#include "KelvaraTest.h"

#include "AllUserSetsListModel.h"
#include "CopyViewController.h"
#include "DataPaths.h"
#include "FileTransfer.h"
#include "InstrumentConfiguration.h"
#include "LoggingService.h"
#include "ProgramGroup.h"
#include "ProtocolTypes.h"
#include "StringListElement.h"
#include "StringListModel.h"
#include "UserProgram.h"
#include "UserSet.h"
#include "UserSetStorage.h"
#include "XmlUserSetSerializer.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtTest/QSignalSpy>

#include <memory>

// The Copy controller on a real store, without peers: editing limits, the
// edit cycle, saving and restoring, the synchronisation reload and the
// catalogue from the server.
class tst_CopyController : public QObject
{
    Q_OBJECT

private:
    const QString m_user = QStringLiteral("copytester");
    std::unique_ptr<UserSetStorage> m_storage;
    std::unique_ptr<LoggingService> m_log;
    std::unique_ptr<CopyViewController> m_copy;

    QString dir(int type) const { return DataPaths::userSetDirectory(m_user, type); }
    static QString templateFile()
    {
        return QDir(QStringLiteral(":/Resources/UserSets")).entryInfoList({QStringLiteral("*.xml")}).first().filePath();
    }

    /// An own template "Eigen" on disk, loaded and selected.
    UserSet *ownTemplate()
    {
        QFile::copy(templateFile(), dir(2) + QStringLiteral("/Eigen.xml"));
        QFile(dir(2) + QStringLiteral("/Eigen.xml")).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        m_copy->onSyncComplete(m_user, {}, {});
        UserSet *set = m_storage->userSets(UserSet::USER_TEMPLATE).value(0);
        if (set)
            m_copy->processUserSetSelection(set->id());
        return set;
    }

    static QStringList groupNames(const UserSet *set)
    {
        QStringList names;
        for (const ProgramGroup *group : set->programGroups())
            names << group->name();
        return names;
    }

    static qsizetype linesWith(const QString &text) { return KelvaraTest::logLines().filter(text).size(); }

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        KelvaraTest::startSettings();
        const QString catalogue = DataPaths::latestInstrumentCatalogue(m_user);
        QVERIFY(InstrumentConfiguration::instance()->initializeInstrumentCatalog(
            QStringLiteral(":/Resources/Config/kelvara_copy_instruments_230515_000000_V140.ini")));
        Q_UNUSED(catalogue)
    }

    void init()
    {
        QDir(DataPaths::kelvaraRoot() + QStringLiteral("/users")).removeRecursively();
        DataPaths::createUserDirectories(m_user);
        m_storage = std::make_unique<UserSetStorage>();
        m_storage->setUserName(m_user);
        m_log = std::make_unique<LoggingService>();
        m_copy = std::make_unique<CopyViewController>(m_storage.get(), nullptr, m_log.get());
    }

    void cleanup()
    {
        m_copy.reset();
        m_storage.reset();
    }

    void limits_data()
    {
        QTest::addColumn<bool>("groups");
        QTest::addColumn<bool>("copy");
        QTest::addColumn<QString>("refusal");
        const QString groupLine = QStringLiteral(": Cannot add new ProgramGroup: Maximum number of ProgramGroups per UserSet reached");
        const QString programLine = QStringLiteral(": Cannot add new UserProgram: Maximum number of UserPrograms per ProgramGroup reached");
        QTest::newRow("new group") << true << false << "CopyViewController::createNewProgramGroup" + groupLine;
        QTest::newRow("group copy") << true << true << "CopyViewController::addProgramGroupCopy" + groupLine;
        QTest::newRow("new program") << false << false << "CopyViewController::createNewProgram" + programLine;
        QTest::newRow("program copy") << false << true << "CopyViewController::addProgramCopy" + programLine;
    }

    void limits()
    {
        QFETCH(bool, groups);
        QFETCH(bool, copy);
        QFETCH(QString, refusal);
        UserSet *set = ownTemplate();
        QVERIFY(set);
        ProgramGroup *first = set->programGroups().first();
        const int limit = groups ? CopyViewController::kMaxProgramGroups : CopyViewController::kMaxProgramsPerGroup;
        auto count = [&] { return int(groups ? set->programGroups().size() : first->programs().size()); };
        auto add = [&] {
            if (groups && copy)
                m_copy->addProgramGroupCopy(set->id(), first->id(), m_copy->lastElement());
            else if (groups)
                m_copy->createNewProgramGroup(set->id(), QString(), QString());
            else if (copy)
                m_copy->addProgramCopy(set->id(), first->id(), first->programs().first()->id(), m_copy->lastElement());
            else
                m_copy->createNewProgram(set->id(), first->id(), QString(), 0);
        };
        m_copy->getProgramsForPackage(set->id(), first->id());
        QSignalSpy enabled(m_copy.get(), groups ? &CopyViewController::isAddProgramGroupEnabledChanged
                                                : &CopyViewController::isAddUserProgramEnabledChanged);
        while (count() < limit - 1)
            add();
        QVERIFY(groups ? m_copy->isAddProgramGroupEnabled() : m_copy->isAddUserProgramEnabled());
        add();
        QCOMPARE(count(), limit);
        QVERIFY(!(groups ? m_copy->isAddProgramGroupEnabled() : m_copy->isAddUserProgramEnabled()));
        QCOMPARE(enabled.count(), 1);
        const qsizetype before = linesWith(refusal);
        add();
        QCOMPARE(count(), limit);
        QCOMPARE(linesWith(refusal), before + 1);
        QVERIFY(set->isModified());
    }

    void moveAndSwap_data()
    {
        QTest::addColumn<bool>("groups");
        QTest::addColumn<int>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("group before another") << true << 2 << "0" << QList<int>{2, 0, 1};
        QTest::newRow("group to the end") << true << 0 << "LAST_ELEMENT" << QList<int>{1, 2, 0};
        // Fault: an unknown target moved the group to the end.
        QTest::newRow("group before an unknown id") << true << 0 << "unknown" << QList<int>{0, 1, 2};
        QTest::newRow("programs swapped") << false << 0 << "2" << QList<int>{2, 1, 0};
        QTest::newRow("program to the end") << false << 0 << "LAST_ELEMENT" << QList<int>{1, 2, 0};
        QTest::newRow("program with itself") << false << 1 << "1" << QList<int>{0, 1, 2};
    }

    void moveAndSwap()
    {
        QFETCH(bool, groups);
        QFETCH(int, first);
        QFETCH(QString, second);
        QFETCH(QList<int>, order);
        UserSet *set = ownTemplate();
        ProgramGroup *group = set->programGroups().first();
        while (set->programGroups().size() < 3)
            m_copy->createNewProgramGroup(set->id(), QString(), QString());
        while (group->programs().size() < 3)
            m_copy->createNewProgram(set->id(), group->id(), QString(), 0);
        m_copy->getProgramsForPackage(set->id(), group->id());
        set->clearModified();
        QStringList ids;
        for (int i = 0; i < 3; ++i)
            ids << (groups ? set->programGroups().at(i)->id() : group->programs().at(i)->id());
        bool isIndex = false;
        const int secondIndex = second.toInt(&isIndex);
        const QString target = isIndex ? ids.at(secondIndex) : second;
        if (groups)
            m_copy->moveProgramGroup(set->id(), ids.at(first), target);
        else
            m_copy->swapPrograms(set->id(), group->id(), ids.at(first), target, 0);
        QStringList expected;
        for (int index : order)
            expected << ids.at(index);
        QStringList actual;
        for (int i = 0; i < 3; ++i)
            actual << (groups ? set->programGroups().at(i)->id() : group->programs().at(i)->id());
        QCOMPARE(actual, expected);
        QCOMPARE(set->isModified(), expected != ids);
    }

    void saveUnderANewNameStripsTheCopyOnly()
    {
        // Fault: saving stripped the marked elements from the source, which then no longer matched its file.
        UserSet *set = ownTemplate();
        const QStringList onDisk = groupNames(set);
        m_copy->markForDeleteProgramGroup(set->id(), set->programGroups().first()->id(), true, 0);
        m_copy->renameProgramGroup(set->id(), set->programGroups().last()->id(), QStringLiteral("Umbenannt"));
        QVERIFY(m_copy->saveUserSet(set->id(), QStringLiteral("Kopie")));
        UserSet *saved = m_storage->getUserSet(m_copy->selectedUserSetId());
        QVERIFY(saved && saved != set);
        QCOMPARE(groupNames(saved).size(), onDisk.size() - 1);
        QCOMPARE(groupNames(saved).last(), QStringLiteral("Umbenannt"));
        QCOMPARE(groupNames(set), onDisk);
        QVERIFY(!set->isModified());
        QVERIFY(!set->programGroups().first()->isMarkedForDelete());
    }

    void failedSaveKeepsEverything()
    {
        // Fault: a failed save was reported as success and the edits looked saved.
        UserSet *set = ownTemplate();
        m_copy->renameProgramGroup(set->id(), set->programGroups().first()->id(), QStringLiteral("Neu"));
        QVERIFY(QDir().mkpath(dir(2) + QStringLiteral("/Blockiert.xml")));
        QSignalSpy failed(m_copy.get(), &CopyViewController::saveFailed);
        QVERIFY(!m_copy->saveUserSet(set->id(), QStringLiteral("Blockiert")));
        QCOMPARE(failed.count(), 1);
        QVERIFY(set->isModified());
        QCOMPARE(m_copy->selectedUserSetId(), set->id());
        QCOMPARE(set->programGroups().first()->name(), QStringLiteral("Neu"));
    }

    void restoreKeepsTheIdAndSurvivesABrokenFile_data()
    {
        QTest::addColumn<bool>("breakTheFile");
        QTest::newRow("readable file") << false;
        // Fault: an unreadable file left the set empty.
        QTest::newRow("unreadable file") << true;
    }

    void restoreKeepsTheIdAndSurvivesABrokenFile()
    {
        QFETCH(bool, breakTheFile);
        UserSet *set = ownTemplate();
        const QString id = set->id();
        const QStringList onDisk = groupNames(set);
        m_copy->renameProgramGroup(id, set->programGroups().first()->id(), QStringLiteral("Geaendert"));
        const QStringList edited = groupNames(set);
        if (breakTheFile)
            QVERIFY(KelvaraTest::writeFile(dir(2) + QStringLiteral("/Eigen.xml"), "<Anwenderset"));
        QCOMPARE(m_copy->restoreUserSet(id), !breakTheFile);
        QCOMPARE(m_storage->getUserSet(id), set);
        QCOMPARE(groupNames(set), breakTheFile ? edited : onDisk);
        QCOMPARE(set->isModified(), breakTheFile);
        QCOMPARE(m_copy->programPackagesModel()->rowCount(), set->programGroups().size());
    }

    void serialNumbers_data()
    {
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QString>("valid");
        QTest::newRow("decimal") << "23104711" << "23104711";
        QTest::newRow("zero") << "0" << "";
        QTest::newRow("letters") << "abc" << "";
        QTest::newRow("negative") << "-5" << "";
        QTest::newRow("empty") << "" << "";
    }

    void serialNumbers()
    {
        QFETCH(QString, serial);
        QFETCH(QString, valid);
        UserSet *set = ownTemplate();
        set->setDevice(UserSet::Seriennummer, serial);
        QCOMPARE(m_copy->getSerialNumberById(set->id()), valid);
        QCOMPARE(m_copy->hasValidSerialNumber(set->id()), !valid.isEmpty());
    }

    void syncReloadKeepsOpenSetsAndServerRecords()
    {
        // Fault: loading after a synchronisation dropped every set, the edited one included.
        UserSet *set = ownTemplate();
        m_copy->renameProgramGroup(set->id(), set->programGroups().first()->id(), QStringLiteral("Offen"));
        const QString server = QStringLiteral("Q3_Server_SN1_230101_000000_V1.xml");
        m_copy->onSyncComplete(m_user, {server}, {});
        UserSet *record = m_storage->userSets(UserSet::HALVO_SERVER_QELO3_DOWNLOAD).value(0);
        QVERIFY(record);
        record->setReceived(true);
        const QString recordId = record->id();
        QFile::remove(dir(2) + QStringLiteral("/Eigen.xml"));
        QVERIFY(KelvaraTest::writeFile(dir(1) + QStringLiteral("/Neu.xml"), KelvaraTest::readFile(templateFile())));
        m_copy->onSyncComplete(m_user, {server}, {});
        QCOMPARE(m_storage->getUserSet(m_copy->selectedUserSetId()), set);
        QCOMPARE(set->programGroups().first()->name(), QStringLiteral("Offen"));
        QCOMPARE(m_storage->userSets(UserSet::HALVO_SERVER_QELO3_DOWNLOAD).value(0)->id(), recordId);
        QVERIFY(m_storage->getUserSet(recordId)->isReceived());
        QCOMPARE(m_storage->userSets(UserSet::GENERAL_TEMPLATE).size(), 1);
    }

    void generatorDownloadReplacesTheOpenSet()
    {
        const QByteArray bytes = KelvaraTest::readFile(templateFile());
        m_copy->qelo3UserSetReceived(
            FileTransfer(1, false, FileType::UserSet, QString(), QStringLiteral("Q3_Geraet_SN7_230101_000000_V1.xml"), 0, bytes, 0));
        UserSet *first = m_storage->userSets(UserSet::QELO3_DOWNLOAD).value(0);
        QVERIFY(first);
        m_copy->processUserSetSelection(first->id());
        QSignalSpy selection(m_copy.get(), &CopyViewController::selectionChanged);
        m_copy->qelo3UserSetReceived(
            FileTransfer(2, false, FileType::UserSet, QString(), QStringLiteral("Q3_Geraet_SN7_230102_000000_V1.xml"), 0, bytes, 0));
        QCOMPARE(m_storage->userSets(UserSet::QELO3_DOWNLOAD).size(), 1);
        UserSet *second = m_storage->userSets(UserSet::QELO3_DOWNLOAD).value(0);
        QCOMPARE(m_copy->selectedUserSetId(), second->id());
        QVERIFY(!selection.isEmpty());
        QCOMPARE(m_copy->programPackagesModel()->rowCount(), second->programGroups().size());
    }

    void catalogueFromTheServer_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("taken");
        const QByteArray real = KelvaraTest::readFile(QStringLiteral(":/Resources/Config/kelvara_copy_instruments_230515_000000_V140.ini"));
        QTest::newRow("a catalogue") << "kelvara_copy_instruments_231001_000000_V150.ini" << real << true;
        // Fault: an empty catalogue replaced the current one and left the editor without instruments.
        QTest::newRow("no definitions") << "kelvara_copy_instruments_231001_000000_V150.ini" << QByteArray() << false;
        QTest::newRow("a path for a name") << "../kelvara_copy_instruments.ini" << real << false;
    }

    void catalogueFromTheServer()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, taken);
        const int definitions = InstrumentConfiguration::instance()->definitionCount();
        const FileTransfer file(1, false, FileType::InstrumentCatalog, QString(), name, 0, content, 0);
        QCOMPARE(m_copy->instrumentCatalogReceived(file, m_user), taken);
        const QString folder = DataPaths::userPath(m_user, QStringLiteral("release_region/copy_configFiles"));
        QCOMPARE(QFile::exists(folder + QLatin1Char('/') + name), taken);
        QCOMPARE(QDir(folder).entryList({QStringLiteral("*.part")}, QDir::Files), QStringList());
        QCOMPARE(InstrumentConfiguration::instance()->definitionCount(), definitions);
    }

    void menusReuseTheirModels()
    {
        // Fault: every opening of a menu made a new model that nobody deleted.
        UserSet *set = ownTemplate();
        const int children = int(m_copy->children().size());
        StringListModel *pictograms = m_copy->getPiktograms();
        StringListModel *catalogue = m_copy->getProgramGroupCatalogCatalog();
        StringListModel *programs = m_copy->getProgramsForPackage(set->id(), set->programGroups().first()->id());
        const int afterFirst = int(m_copy->children().size());
        QVERIFY(pictograms->rowCount() > 0 && catalogue->rowCount() > 0 && programs->rowCount() > 0);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(m_copy->getPiktograms(), pictograms);
            QCOMPARE(m_copy->getProgramGroupCatalogCatalog(), catalogue);
            QCOMPARE(m_copy->getProgramsForPackage(set->id(), set->programGroups().first()->id()), programs);
        }
        QCOMPARE(int(m_copy->children().size()), afterFirst);
        QVERIFY(afterFirst <= children + 3);
    }

    void setupSwitches()
    {
        UserSet *set = ownTemplate();
        m_copy->setSetupParameter(set->id(), QStringLiteral("AUTOSTART_ERLAUBT"), true);
        m_copy->setSetupParameter(set->id(), QStringLiteral("ZWEI_PEDAL_TEILBAR"), false);
        QCOMPARE(set->setup(UserSet::AutostartErlaubt), QStringLiteral("EIN"));
        QCOMPARE(set->setup(UserSet::ZweiPedalFussschalterTeilbar), QStringLiteral("AUS"));
        StringListModel *setup = m_copy->getSetup();
        QCOMPARE(setup->rowCount(), 2);
        QVERIFY(setup->elementAt(0)->isSelected());
        QVERIFY(!setup->elementAt(1)->isSelected());
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_CopyController)

#include "tst_copycontroller.moc"
