#include "KelvaraTest.h"
#include "UserSetTestData.h"

#include "DataPaths.h"
#include "Instrument.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "UserProgram.h"
#include "UserSet.h"
#include "UserSetName.h"
#include "UserSetStorage.h"
#include "XmlUserSetSerializer.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtTest/QSignalSpy>

class tst_UserSetStorage : public QObject
{
    Q_OBJECT

private:
    const QString m_user = QStringLiteral("tester");

    QString dir(int type) const { return DataPaths::userSetDirectory(m_user, type); }
    static QByteArray templateBytes() { return KelvaraTest::readFile(UserSetTestData::builtinTemplates().first()); }

    static QList<Instrument *> instrumentsOf(const UserSet *set) { return UserSetTestData::instrumentsOf(set, true); }

    /// A loaded download and, when asked, an own template named "Mine" beside it.
    UserSet *prepareSets(UserSetStorage &storage, bool withOwnTemplate) const
    {
        storage.setUserName(m_user);
        if (!KelvaraTest::writeFile(dir(3) + QStringLiteral("/Q3_Set_SN1_230101_000000_V1.xml"), templateBytes()))
            return nullptr;
        if (withOwnTemplate && !KelvaraTest::writeFile(dir(2) + QStringLiteral("/Mine.xml"), templateBytes()))
            return nullptr;
        storage.loadAll();
        return storage.userSets(3).value(0);
    }

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        QVERIFY(UserSetTestData::loadBuiltinCatalogue());
    }
    void init()
    {
        // The application log lives in the same tree; only the user part is reset.
        QDir(DataPaths::kelvaraRoot() + QStringLiteral("/users")).removeRecursively();
        QDir(DataPaths::kelvaraRoot() + QStringLiteral("/outside")).removeRecursively();
        QDir(DataPaths::kelvaraRoot() + QStringLiteral("/export")).removeRecursively();
        QFile::remove(DataPaths::kelvaraRoot() + QStringLiteral("/blocked"));
        DataPaths::createUserDirectories(m_user);
    }

    void fileNameParts_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("baseName");
        QTest::addColumn<QString>("displayName");
        QTest::addColumn<QDateTime>("dateTime");
        // clang-format off
        QTest::newRow("six parts") << "A_B_C_240101_120000_F.xml" << "A_B_C_240101_120000_F" << "B_240101_120000"
                                   << QDateTime(QDate(2024, 1, 1), QTime(12, 0), Qt::UTC);
        QTest::newRow("dots before the extension") << "A_B.1_C_231224_235959_V1.2.xml" << "A_B.1_C_231224_235959_V1.2"
                                                   << "B.1_231224_235959" << QDateTime(QDate(2023, 12, 24), QTime(23, 59, 59), Qt::UTC);
        QTest::newRow("short name leaves parts empty") << "Einzeln.xml" << "Einzeln" << "__" << QDateTime();
        // clang-format on
    }
    void fileNameParts()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, baseName);
        QFETCH(QString, displayName);
        QFETCH(QDateTime, dateTime);
        UserSetName name;
        name.setFileName(fileName);
        QCOMPARE(name.getBaseName(), baseName);
        QCOMPARE(name.getDisplayName(), displayName);
        QCOMPARE(name.getDateTime().isValid(), dateTime.isValid());
        if (dateTime.isValid())
            QCOMPARE(name.getDateTime(), dateTime);
    }

    void renewKeepsTheOtherParts()
    {
        UserSetName name;
        const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
        name.setFileName(QStringLiteral("A_B_C_200101_000000_F.xml"), true);
        QCOMPARE(name.getPart(0), QStringLiteral("A"));
        QCOMPARE(name.getPart(1), QStringLiteral("B"));
        QCOMPARE(name.getPart(2), QStringLiteral("C"));
        QCOMPARE(name.getPart(5), QStringLiteral("F"));
        QVERIFY(name.getDateTime() >= before.addMSecs(-before.time().msec()));
        QVERIFY(name.fileName().endsWith(QLatin1String("_F.xml")));
        QCOMPARE(name.getStem(), QStringLiteral("A_B_C_F"));
    }

    void loadAllTakesTheThreeLocalCategories()
    {
        for (int type : { 1, 2, 3, 4 })
            QVERIFY(KelvaraTest::writeFile(
                dir(type) + QStringLiteral("/T%1_Set_X_230101_000000_V.xml").arg(type), templateBytes()));
        QVERIFY(KelvaraTest::writeFile(dir(2) + QStringLiteral("/kaputt.xml"), "<AnwenderSet>"));
        UserSetStorage storage;
        storage.setUserName(m_user);
        storage.loadAll();
        QCOMPARE(storage.userSetIds().size(), 3);
        for (int type : { 1, 2, 3 }) {
            QCOMPARE(storage.userSets(type).size(), 1);
            QCOMPARE(storage.userSets(type).first()->loadState(), 2);
        }
        QVERIFY(storage.userSets(4).isEmpty());
        UserSet *download = storage.userSets(3).first();
        QCOMPARE(storage.getFilePath(download), dir(3) + QStringLiteral("/T3_Set_X_230101_000000_V.xml"));
        QCOMPARE(storage.findByBaseName(QStringLiteral("T3_Set_X_230101_000000_V"), 3), download->id());
        QVERIFY(storage.findByBaseName(QStringLiteral("T3_Set_X_230101_000000_V"), 2).isEmpty());
        QVERIFY(!storage.getUserSet(QStringLiteral("0")));
        QVERIFY(KelvaraTest::logContains(QStringLiteral("UserSet Id 0 not found in the InstanceMap")));
    }

    void installBuiltinTemplatesOnlyWhereMissing()
    {
        UserSetStorage storage;
        storage.setUserName(m_user);
        const QStringList builtin = UserSetTestData::builtinTemplates();
        const QString kept = dir(1) + QLatin1Char('/') + QFileInfo(builtin.first()).fileName();
        QVERIFY(KelvaraTest::writeFile(kept, "edited by the user"));
        QCOMPARE(storage.installBuiltinTemplates(), int(builtin.size()) - 1);
        QCOMPARE(KelvaraTest::readFile(kept), QByteArray("edited by the user"));
        QCOMPARE(storage.installBuiltinTemplates(), 0);
        storage.loadAll();
        QCOMPARE(storage.userSets(1).size(), int(builtin.size()) - 1);
    }

    void saveAsOwnTemplate()
    {
        UserSetStorage storage;
        storage.setUserName(m_user);
        QVERIFY(KelvaraTest::writeFile(dir(1) + QStringLiteral("/Vorlage.xml"), templateBytes()));
        storage.loadAll();
        UserSet *general = storage.userSets(1).first();
        general->programGroups().first()->setMarkedForDelete(true);
        const int groups = int(general->programGroups().size());
        // A marked level once survived the save.
        UserProgram *program = general->programGroups().at(1)->programs().first();
        const qsizetype levels = program->levels().size();
        auto *marked = new ProgramLevel(program);
        program->insertLevel(0, marked);
        marked->setMarkedForDelete(true);

        UserSet *own = storage.saveUserSet(general, QStringLiteral("Meine_Vorlage"));
        QVERIFY(own);
        QVERIFY(own != general);
        QCOMPARE(own->userSetType(), int(UserSet::USER_TEMPLATE));
        QCOMPARE(own->programGroups().size(), groups - 1);
        QCOMPARE(own->programGroups().first()->programs().first()->levels().size(), levels);
        QVERIFY(QFileInfo::exists(dir(2) + QStringLiteral("/Meine_Vorlage.xml")));
        // The copy is registered with ids of its own.
        QVERIFY(own->programGroups().first()->id() != general->programGroups().first()->id());

        // Saving again under the same name overwrites that template instead of adding one.
        general->programGroups().first()->setName(QStringLiteral("Umbenannt"));
        QCOMPARE(storage.saveUserSet(general, QStringLiteral("Meine_Vorlage")), own);
        QCOMPARE(storage.userSets(2).size(), 1);
        QCOMPARE(own->programGroups().first()->name(), QStringLiteral("Umbenannt"));

        // An own template saved under its own name is written in place.
        own->programGroups().first()->setName(QStringLiteral("Direkt"));
        QCOMPARE(storage.saveUserSet(own, QStringLiteral("Meine_Vorlage")), own);
        QVERIFY(KelvaraTest::readFile(dir(2) + QStringLiteral("/Meine_Vorlage.xml")).contains("Name=\"Direkt\""));
        QVERIFY(!own->isModified());
    }

    void saveAsOwnTemplateKeepsTheSourceRegistered_data()
    {
        QTest::addColumn<bool>("overExisting");
        QTest::newRow("new own template") << false;
        QTest::newRow("over an existing own template") << true;
    }
    void saveAsOwnTemplateKeepsTheSourceRegistered()
    {
        // Fault: copying instruments into the template moved the source's registry entries away.
        QFETCH(bool, overExisting);
        UserSetStorage storage;
        UserSet *source = prepareSets(storage, overExisting);
        QVERIFY(source);
        const QList<Instrument *> before = instrumentsOf(source);
        QVERIFY(!before.isEmpty());
        QVERIFY(std::any_of(before.cbegin(), before.cend(), [](const Instrument *i) { return i->parentInstrument(); }));

        UserSet *own = storage.saveUserSet(source, QStringLiteral("Mine"));
        QVERIFY(own);
        QCOMPARE(storage.userSets(2).size(), 1);
        // The source went back to its file, with registered instruments of its own.
        const QList<Instrument *> after = instrumentsOf(source);
        QCOMPARE(after.size(), before.size());
        QStringList sourceIds;
        for (Instrument *instrument : after) {
            QCOMPARE(Instrument::findById(instrument->id()), instrument);
            sourceIds << instrument->id();
        }
        const QList<Instrument *> copies = instrumentsOf(own);
        QCOMPARE(copies.size(), before.size());
        for (Instrument *copy : copies) {
            QCOMPARE(Instrument::findById(copy->id()), copy);
            QVERIFY(!sourceIds.contains(copy->id()));
        }
    }

    void failedSaveKeepsTheSetModified_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("saveTheTemplate");
        QTest::newRow("new own template") << "New" << false;
        QTest::newRow("over an existing own template") << "Mine" << false;
        QTest::newRow("own template under its own name") << "Mine" << true;
    }
    void failedSaveKeepsTheSetModified()
    {
        // Fault: the modified flag was cleared before the write, so a failed save looked saved.
        QFETCH(QString, target);
        QFETCH(bool, saveTheTemplate);
        UserSetStorage storage;
        UserSet *download = prepareSets(storage, true);
        QVERIFY(download);
        UserSet *set = saveTheTemplate ? storage.userSets(2).first() : download;
        set->programGroups().first()->setName(QStringLiteral("Edited"));
        set->setModified();

        // A directory where the file should be: the write fails even for root.
        const QString path = dir(2) + QLatin1Char('/') + target + QStringLiteral(".xml");
        QFile::remove(path);
        QVERIFY(QDir().mkpath(path));
        QVERIFY(!storage.saveUserSet(set, target));
        QVERIFY(set->isModified());
        // Nothing but the edited set changed: a failed write leaves the target as it was.
        for (const UserSet *own : storage.userSets(2))
            QCOMPARE(own->isModified(), own == set);

        QVERIFY(QDir(path).removeRecursively());
        UserSet *saved = storage.saveUserSet(set, target);
        QVERIFY(saved);
        QVERIFY(!set->isModified());
        QVERIFY(!saved->isModified());
        QVERIFY(KelvaraTest::readFile(path).contains("Name=\"Edited\""));
    }

    void reloadDiscardsEditsAndKeepsTheId()
    {
        // Fault: reloading gave the set a new id, so every holder of the old one lost it.
        UserSetStorage storage;
        storage.setUserName(m_user);
        QVERIFY(KelvaraTest::writeFile(dir(2) + QStringLiteral("/Eigen.xml"), templateBytes()));
        storage.loadAll();
        UserSet *set = storage.userSets(2).first();
        const QString id = set->id();
        const QString name = set->programGroups().first()->name();
        set->programGroups().first()->setName(QStringLiteral("verworfen"));
        QVERIFY(storage.reloadUserSet(set));
        QCOMPARE(set->programGroups().first()->name(), name);
        QCOMPARE(set->id(), id);
        QCOMPARE(storage.userSetIds(), QStringList { id });
        QCOMPARE(storage.getUserSet(id), set);
        QCOMPARE(set->loadState(), 2);
    }

    void importRules_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("existing");
        QTest::addColumn<bool>("imported");
        QTest::newRow("new valid file imported") << "Import_A.xml" << templateBytes() << false << true;
        QTest::newRow("same name as an own template refused") << "Import_A.xml" << templateBytes() << true << false;
        QTest::newRow("file that does not load refused")
            << "Import_B.xml" << QByteArray("<AnwenderSet") << false << false;
    }
    void importRules()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(bool, existing);
        QFETCH(bool, imported);
        const QString source = DataPaths::kelvaraRoot() + QStringLiteral("/outside/") + fileName;
        QVERIFY(KelvaraTest::writeFile(source, content));
        const QString target = dir(2) + QLatin1Char('/') + fileName;
        if (existing)
            QVERIFY(KelvaraTest::writeFile(target, "mine"));
        UserSetStorage storage;
        storage.setUserName(m_user);
        UserSet *set = storage.importUserSet(source);
        QCOMPARE(set != nullptr, imported);
        QCOMPARE(storage.userSets(2).size(), imported ? 1 : 0);
        if (existing) {
            QCOMPARE(KelvaraTest::readFile(target), QByteArray("mine"));
            QVERIFY(KelvaraTest::logContains(
                QStringLiteral("UserSetStorage::importUserSet: The import of this UserSet was aborted because a "
                               "UserSet file with the same name already exists in the USER_TEMPLATE directory")));
        }
        QCOMPARE(QFileInfo::exists(target), imported || existing);
    }

    void exportAndDelete()
    {
        UserSetStorage storage;
        storage.setUserName(m_user);
        QVERIFY(KelvaraTest::writeFile(dir(2) + QStringLiteral("/Export.xml"), templateBytes()));
        storage.loadAll();
        const QString id = storage.userSets(2).first()->id();
        const QString target = DataPaths::kelvaraRoot() + QStringLiteral("/export");
        QVERIFY(storage.exportUserSets({ id }, target));
        QCOMPARE(KelvaraTest::readFile(target + QStringLiteral("/Export.xml")), templateBytes());
        QSignalSpy removed(&storage, &UserSetStorage::userSetRemoved);
        storage.deleteUserSets({ id });
        QCOMPARE(removed.count(), 1);
        QVERIFY(!QFileInfo::exists(dir(2) + QStringLiteral("/Export.xml")));
        QVERIFY(storage.userSetIds().isEmpty());
    }

    void generatorDownloadReplacesTheOlderOne()
    {
        UserSetStorage storage;
        storage.setUserName(m_user);
        const QString old = dir(3) + QStringLiteral("/Q3_Station1_SN42_200101_000000_V1.xml");
        QVERIFY(KelvaraTest::writeFile(old, templateBytes()));
        QVERIFY(
            KelvaraTest::writeFile(dir(3) + QStringLiteral("/Q3_Station2_SN42_200101_000000_V1.xml"), templateBytes()));
        storage.loadAll();
        QCOMPARE(storage.userSets(3).size(), 2);

        UserSet *received
            = storage.qelo3UserSetReceived(templateBytes(), QStringLiteral("Q3_Station1_SN42_200101_000000_V1.xml"));
        QVERIFY(received);
        QCOMPARE(received->userSetType(), int(UserSet::QELO3_DOWNLOAD));
        QVERIFY(received->isReceived());
        QCOMPARE(received->loadState(), 2);
        QVERIFY(received->fileName() != QStringLiteral("Q3_Station1_SN42_200101_000000_V1.xml"));
        QVERIFY(QFileInfo::exists(storage.getFilePath(received)));
        QVERIFY(!QFileInfo::exists(old));
        QCOMPARE(storage.userSets(3).size(), 2);
    }

    // A name from a peer must never lead the file out of its category directory.
    void peerNamesStayInTheirDirectory_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("storedName");
        QTest::newRow("parent directories refused") << "../../../evil.xml" << QString();
        QTest::newRow("windows path refused") << "C:\\temp\\evil.xml" << QString();
        QTest::newRow("line break refused") << "evil\n.xml" << QString();
        QTest::newRow("extension added") << "plain"
                                         << "plain.xml";
        QTest::newRow("nothing usable refused") << ".." << QString();
    }
    void peerNamesStayInTheirDirectory()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, storedName);
        UserSetStorage storage;
        storage.setUserName(m_user);
        const QString shown = storage.halvoServerUserSetReceived(templateBytes(), fileName, 2);
        QCOMPARE(shown.isEmpty(), storedName.isEmpty());
        if (!storedName.isEmpty()) {
            QVERIFY(QFileInfo::exists(dir(4) + QLatin1Char('/') + storedName));
            QCOMPARE(storage.userSets(4).size(), 1);
        }
        QVERIFY(!QFileInfo::exists(DataPaths::kelvaraRoot() + QStringLiteral("/evil.xml")));
    }

    void serverCategories_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("type");
        QTest::newRow("category 1 is the user's sets, type 5") << 1 << 5;
        QTest::newRow("category 2 is templates, type 4") << 2 << 4;
        QTest::newRow("category 3 refused") << 3 << 0;
        QTest::newRow("category 0 refused") << 0 << 0;
    }
    void serverCategories()
    {
        QFETCH(int, category);
        QFETCH(int, type);
        UserSetStorage storage;
        storage.setUserName(m_user);
        const QString shown = storage.halvoServerUserSetReceived(
            templateBytes(), QStringLiteral("S_Vorlage_X_230515_101500_V1.xml"), category);
        if (type == 0) {
            QVERIFY(shown.isEmpty());
            QVERIFY(KelvaraTest::logContains(QStringLiteral(
                "UserSetStorage::halvoServerUserSetReceived: Invalid UserSetCategory received! category=%1")
                                                 .arg(category)));
            QVERIFY(storage.userSetIds().isEmpty());
            return;
        }
        QCOMPARE(shown, QStringLiteral("Vorlage_230515_101500"));
        QCOMPARE(storage.userSets(type).size(), 1);
        QCOMPARE(storage.userSets(type).first()->loadState(), 1);
        QCOMPARE(
            KelvaraTest::readFile(dir(type) + QStringLiteral("/S_Vorlage_X_230515_101500_V1.xml")), templateBytes());
    }

    void serverRecordsWithoutFiles()
    {
        UserSetStorage storage;
        storage.setUserName(m_user);
        UserSetFileRecord record;
        record.fileName = QStringLiteral("S_Liste_X_230515_101500_V1.xml");
        record.timeStamp = QDateTime(QDate(2023, 5, 15), QTime(10, 15), Qt::UTC);
        storage.addServerUserSets({ record, record }, UserSet::HALVO_SERVER_QELO3_DOWNLOAD);
        QCOMPARE(storage.userSets(5).size(), 1);
        const UserSet *set = storage.userSets(5).first();
        QCOMPARE(set->timeStamp(), record.timeStamp);
        QCOMPARE(set->loadState(), 0);
        QCOMPARE(storage.getUploadPath(set), dir(5) + QStringLiteral("/S_Liste_X_230515_101500_V1.xml"));
        storage.addServerUserSets({ record }, UserSet::USER_TEMPLATE);
        QCOMPARE(storage.userSets(2).size(), 0);
    }

    // An interrupted or failed save must leave the previous file as it was.
    void failedWriteKeepsTheOldFile()
    {
        UserSetStorage storage;
        storage.setUserName(m_user);
        XmlUserSetSerializer serializer;
        std::unique_ptr<UserSet> set(serializer.readData(templateBytes(), UserSet::USER_TEMPLATE));
        QVERIFY(set);
        const QString blocked = DataPaths::kelvaraRoot() + QStringLiteral("/blocked");
        QVERIFY(KelvaraTest::writeFile(blocked, "a file where a folder should be"));
        QVERIFY(!storage.writeToFile(set.get(), blocked + QStringLiteral("/x.xml")));
        QVERIFY(KelvaraTest::logContains(
            QStringLiteral("UserSetStorage::writeToFile: Could not open UserSet file for writing! completePath=")));

        const QString path = dir(2) + QStringLiteral("/Alt.xml");
        QVERIFY(KelvaraTest::writeFile(path, "old content"));
        QFile::setPermissions(dir(2), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool written = storage.writeToFile(set.get(), path);
        QFile::setPermissions(dir(2), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (!written)
            QCOMPARE(KelvaraTest::readFile(path), QByteArray("old content"));
        QVERIFY(storage.writeToFile(set.get(), path));
        QVERIFY(KelvaraTest::readFile(path).contains("<AnwenderSet"));
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_UserSetStorage)
#include "tst_usersetstorage.moc"
