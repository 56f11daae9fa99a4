#include "KelvaraTest.h"

#include "DataPaths.h"
#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "InstrumentDefinition.h"
#include "InstrumentListModel.h"
#include "ModeData.h"
#include "ModeListModel.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "ProgramViewController.h"
#include "StringListElement.h"
#include "StringListModel.h"
#include "UserProgram.h"
#include "UserSet.h"
#include "UserSetStorage.h"
#include "XmlUserSetSerializer.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QPointer>
#include <QtTest/QAbstractItemModelTester>
#include <QtTest/QSignalSpy>

#include <memory>

// The program editor on a real store holding a demo set and the built-in
// catalogue. The fixture adds a program "Test" of two levels with the slots
// MonoMesser, MonoKugel and ArgonMesser to the set and saves it, so the file
// holds what the tests start from.
class tst_ProgramViewController : public QObject
{
    Q_OBJECT

private:
    const QString m_user = QStringLiteral("programtester");
    std::unique_ptr<UserSetStorage> m_storage;
    std::unique_ptr<ProgramViewController> m_editor;
    UserSet *m_set = nullptr;
    UserProgram *m_program = nullptr;

    Instrument *at(int level, int position) const { return m_program->levels().at(level)->instruments().at(position); }
    QString idAt(int level, int position) const { return at(level, position)->id(); }
    static qsizetype linesWith(const QString &text) { return KelvaraTest::logLines().filter(text).size(); }
    QString levelNames() const
    {
        QString names;
        for (const ProgramLevel *level : m_program->levels())
            names += level->name();
        return names;
    }
    QStringList slotTypes(int level) const
    {
        QStringList types;
        for (const Instrument *instrument : m_program->levels().at(level)->instruments())
            types << instrument->effectiveType();
        return types;
    }
    QByteArray serialized() const { return XmlUserSetSerializer().toXml(m_set); }

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        KelvaraTest::startSettings();
        QVERIFY(InstrumentConfiguration::instance()->initializeInstrumentCatalog(
            QStringLiteral(":/Resources/Config/kelvara_copy_instruments_230515_000000_V140.ini")));
    }

    void init()
    {
        QDir(DataPaths::kelvaraRoot() + QStringLiteral("/users")).removeRecursively();
        DataPaths::createUserDirectories(m_user);
        const QString demo = QDir(QStringLiteral(":/Resources/UserSets"))
                                 .entryInfoList({ QStringLiteral("*.xml") })
                                 .first()
                                 .filePath();
        const QString file = DataPaths::userSetDirectory(m_user, UserSet::USER_TEMPLATE) + QStringLiteral("/Demo.xml");
        QVERIFY(QFile::copy(demo, file));
        QFile(file).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        m_storage = std::make_unique<UserSetStorage>();
        m_storage->setUserName(m_user);
        m_storage->loadAll();
        m_set = m_storage->userSets(UserSet::USER_TEMPLATE).value(0);
        QVERIFY(m_set);
        ProgramGroup *group = m_set->programGroups().first();
        m_program = new UserProgram(group);
        m_program->setName(QStringLiteral("Test"));
        group->appendProgram(m_program);
        for (const char *name : { "A", "B" }) {
            auto *level = new ProgramLevel(m_program);
            level->setName(QLatin1String(name));
            m_program->appendLevel(level);
        }
        m_editor = std::make_unique<ProgramViewController>(nullptr, m_storage.get(), nullptr);
        m_editor->processProgramSelection(m_set->id(), group->id(), m_program->id());
        for (const char *type : { "MonoMesser", "MonoKugel", "ArgonMesser" })
            m_editor->addInstrument(QLatin1String(type), QString(), 0, 0);
        QCOMPARE(m_storage->saveUserSet(m_set, QStringLiteral("Demo")), m_set);
        QVERIFY(!m_set->isModified());
    }

    void cleanup()
    {
        m_editor.reset();
        m_storage.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // ------------------------------------------------------------ limits

    void limits_data()
    {
        QTest::addColumn<bool>("levels");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("six levels")
            << true
            << "ProgramViewController::addProgramLevel: Cannot add new ProgramLevel: Maximum number of ProgramLevels "
               "per UserProgram reached";
        QTest::newRow("six instruments")
            << false
            << "ProgramViewController::addInstrument: Cannot add new Instrument: Maximum number of Instruments per "
               "UserProgram reached";
    }

    void limits()
    {
        QFETCH(bool, levels);
        QFETCH(QString, refusal);
        auto count = [&] {
            return int(levels ? m_program->levels().size() : m_program->levels().first()->instruments().size());
        };
        auto add = [&] {
            if (levels)
                m_editor->addProgramLevel(QStringLiteral("N"));
            else
                m_editor->addInstrument(QStringLiteral("BiPinzette"), QString(), 0, 0);
        };
        auto enabled
            = [&] { return levels ? m_editor->isAddProgramLevelEnabled() : m_editor->isAddInstrumentEnabled(); };
        QSignalSpy flips(m_editor.get(),
            levels ? &ProgramViewController::isAddProgramLevelEnabledChanged
                   : &ProgramViewController::isAddInstrumentEnabledChanged);
        while (count() < 5)
            add();
        QVERIFY(enabled());
        QCOMPARE(flips.size(), 0);
        add();
        QCOMPARE(count(), 6);
        QVERIFY(!enabled());
        QCOMPARE(flips.size(), 1);
        QCOMPARE(flips.first().first().toBool(), false);
        // Every level holds every slot.
        for (int level = 1; level < m_program->levels().size(); ++level)
            QCOMPARE(slotTypes(level), slotTypes(0));
        const qsizetype before = linesWith(refusal);
        add();
        QCOMPARE(count(), 6);
        QCOMPARE(linesWith(refusal), before + 1);
        QCOMPARE(flips.size(), 1);
        if (levels)
            m_editor->deleteProgramLevel(m_program->levels().last()->id());
        else
            m_editor->deleteInstrument(idAt(0, 5));
        QVERIFY(enabled());
        QCOMPARE(flips.size(), 2);
    }

    // ------------------------------------------------------------ COAG_M6

    void coagM6Sharing_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("expected");
        // The edit sets COAG_M6's effect of slot 0 in level A to 7.5.
        QTest::newRow("the edited instrument") << 0 << 0 << "75";
        QTest::newRow("its COAG_M6 sibling shares it") << 0 << 1 << "75";
        QTest::newRow("same slot in the other level keeps its own") << 1 << 0 << "1";
        QTest::newRow("the other level's COAG_M6 sibling too") << 1 << 1 << "1";
        QTest::newRow("an instrument in another coag mode") << 0 << 2 << QString();
    }

    void coagM6Sharing()
    {
        QFETCH(int, level);
        QFETCH(int, position);
        QFETCH(QString, expected);
        for (int l = 0; l < 2; ++l) {
            for (int p = 0; p < 2; ++p)
                m_editor->setCurrentCoagMode(idAt(l, p), QStringLiteral("COAG_M6"), p);
        }
        InstrumentListModel *model = m_editor->getInstrumentListForLevel(m_program->levels().first()->id());
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model->coagM6Count(), 2);
        m_editor->setCoagEffect(idAt(0, 0), QStringLiteral("COAG_M6"), 0, 7.5, 0);
        const ModeType *entry = at(level, position)->coag().findMode(QStringLiteral("COAG_M6"));
        QCOMPARE(entry ? entry->effekt() : QString(), expected);
        QCOMPARE(model->data(model->index(1), InstrumentListModel::CoagM6CountRole).toInt(), 2);
    }

    void newCoagM6InstrumentAdoptsTheSiblingsEffect()
    {
        m_editor->setCurrentCoagMode(idAt(0, 0), QStringLiteral("COAG_M6"), 0);
        m_editor->setCoagEffect(idAt(0, 0), QStringLiteral("COAG_M6"), 0, 4.2, 0);
        m_editor->addInstrument(QStringLiteral("MonoKugel"), QString(), 3, 0);
        m_editor->setCurrentCoagMode(idAt(0, 3), QStringLiteral("COAG_M6"), 3);
        QCOMPARE(at(0, 3)->coag().findMode(QStringLiteral("COAG_M6"))->effekt(), QStringLiteral("42"));
        // Level B has no COAG_M6 instrument whose effect it could take.
        m_editor->setCurrentCoagMode(idAt(1, 3), QStringLiteral("COAG_M6"), 3);
        QCOMPARE(at(1, 3)->coag().findMode(QStringLiteral("COAG_M6"))->effekt(), QStringLiteral("1"));
    }

    // ------------------------------------------------------------ type, swaps, names

    void typeChange_data()
    {
        QTest::addColumn<bool>("allLevels");
        QTest::addColumn<QStringList>("levelA");
        QTest::addColumn<QStringList>("levelB");
        QTest::addColumn<QString>("aliasA");
        const QStringList changed { "BiPinzette", "MonoKugel", "ArgonMesser" };
        const QStringList unchanged { "MonoMesser", "MonoKugel", "ArgonMesser" };
        QTest::newRow("this level only, as an alias") << false << changed << unchanged << "BiPinzette";
        QTest::newRow("all levels, without alias") << true << changed << changed << QString();
    }

    void typeChange()
    {
        QFETCH(bool, allLevels);
        QFETCH(QStringList, levelA);
        QFETCH(QStringList, levelB);
        QFETCH(QString, aliasA);
        m_editor->setInstrumentType(idAt(0, 0), QStringLiteral("BiPinzette"), allLevels);
        QCOMPARE(slotTypes(0), levelA);
        QCOMPARE(slotTypes(1), levelB);
        QCOMPARE(at(0, 0)->aliasType(), aliasA);
        QVERIFY(m_set->isModified());
        // The new type's modes replace the old ones: the file gets only what the catalogue allows.
        const InstrumentDefinition *def = InstrumentConfiguration::instance()->findInstrumentDefinition("BiPinzette");
        QVERIFY(def->coagModes().contains(at(0, 0)->coag().selektierterMode()));
        QVERIFY(def->cutModes().contains(at(0, 0)->cut().selektierterMode()));
        for (const ModeType &mode : at(0, 0)->coag().modes())
            QVERIFY2(def->coagModes().contains(mode.modeName()), qPrintable(mode.modeName()));
    }

    void swaps_data()
    {
        QTest::addColumn<bool>("levels");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<QString>("order");
        QTest::addColumn<bool>("modified");
        QTest::newRow("instruments: equal ids") << false << 1 << 1 << "MonoMesser,MonoKugel,ArgonMesser" << false;
        QTest::newRow("instruments: exchanged") << false << 0 << 2 << "ArgonMesser,MonoKugel,MonoMesser" << true;
        QTest::newRow("instruments: first to the end")
            << false << 0 << -1 << "MonoKugel,ArgonMesser,MonoMesser" << true;
        QTest::newRow("levels: equal ids") << true << 0 << 0 << "AB" << false;
        QTest::newRow("levels: exchanged") << true << 0 << 1 << "BA" << true;
        QTest::newRow("levels: first to the end") << true << 0 << -1 << "BA" << true;
    }

    void swaps()
    {
        QFETCH(bool, levels);
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(QString, order);
        QFETCH(bool, modified);
        if (levels) {
            const QString id1 = m_program->levels().at(first)->id();
            const QString id2 = second < 0 ? m_editor->lastElement() : m_program->levels().at(second)->id();
            m_editor->swapProgramLevels(m_program->id(), id1, id2);
            QCOMPARE(levelNames(), order);
            QCOMPARE(m_editor->programLevelList()->elementAt(0)->text(), order.left(1));
        } else {
            const QString id2 = second < 0 ? m_editor->lastElement() : idAt(0, second);
            m_editor->swapInstruments(m_program->levels().first()->id(), idAt(0, first), id2);
            QCOMPARE(slotTypes(0).join(','), order);
            QCOMPARE(slotTypes(1).join(','), order);
            InstrumentListModel *model = m_editor->getInstrumentListForLevel(m_program->levels().at(1)->id());
            QCOMPARE(model->data(model->index(0), InstrumentListModel::InstrumentTypeRole).toString(),
                order.section(',', 0, 0));
        }
        QCOMPARE(m_set->isModified(), modified);
    }

    void protectedNames_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("requested");
        QTest::addColumn<QString>("result");
        QTest::newRow("protected part kept") << "Standard®Messer"
                                             << "Neu"
                                             << "Standard®Neu";
        QTest::newRow("another protected part is ignored") << "Standard®Messer"
                                                           << "Fremd®Neu"
                                                           << "Standard®Neu";
        QTest::newRow("no protected part can be made") << "Messer"
                                                       << "A®B"
                                                       << "B";
        QTest::newRow("plain rename") << "Messer"
                                      << "Skalpell"
                                      << "Skalpell";
    }

    void protectedNames()
    {
        QFETCH(QString, current);
        QFETCH(QString, requested);
        QFETCH(QString, result);
        for (int l = 0; l < 2; ++l)
            at(l, 0)->setName(current);
        m_editor->renameInstrument(idAt(0, 0), requested, true);
        QCOMPARE(at(0, 0)->name(), result);
        QCOMPARE(at(1, 0)->name(), result);
        m_editor->renameInstrument(idAt(0, 1), requested, false);
        QVERIFY(at(1, 1)->name() != at(0, 1)->name());
        m_program->setName(current);
        m_editor->renameProgram(requested);
        QCOMPARE(m_editor->programName(), result);
    }

    void renameLevelRefusesTheEmptyName()
    {
        const QString line
            = QStringLiteral("ProgramViewController::renameProgramLevel: Cannot rename to empty programLevelName");
        const qsizetype before = linesWith(line);
        m_editor->renameProgramLevel(m_program->levels().first()->id(), QString(), 0);
        QCOMPARE(linesWith(line), before + 1);
        QCOMPARE(levelNames(), QStringLiteral("AB"));
        QVERIFY(!m_set->isModified());
    }

    void subInstruments_data()
    {
        QTest::addColumn<QString>("parentType");
        QTest::addColumn<QString>("subType");
        QTest::addColumn<bool>("added");
        QTest::newRow("the parent's own sub-instrument") << "HybridVex"
                                                         << "HybridVex_Argon" << true;
        QTest::newRow("another parent's sub-instrument") << "HybridVex"
                                                         << "MultiElektrode_Nadel" << false;
        QTest::newRow("a top-level type") << "HybridVex"
                                          << "MonoKugel" << false;
        QTest::newRow("under an instrument that is no parent") << "MonoKugel"
                                                               << "HybridVex_Argon" << false;
    }

    void subInstruments()
    {
        QFETCH(QString, parentType);
        QFETCH(QString, subType);
        QFETCH(bool, added);
        m_editor->addInstrument(parentType, QString(), 3, 0);
        QCOMPARE(m_editor->subInstrumentAddButtonEnabled(idAt(0, 3)), parentType == QLatin1String("HybridVex"));
        InstrumentListModel *subs = m_editor->getSubInstrumentListForInstrument(idAt(0, 3));
        QAbstractItemModelTester tester(subs, QAbstractItemModelTester::FailureReportingMode::QtTest);
        m_editor->addSubInstrumentToInstrument(subType, QString(), idAt(0, 3), 3);
        for (int level = 0; level < 2; ++level) {
            QCOMPARE(at(level, 3)->subInstruments().size(), added ? 1 : 0);
            if (added)
                QCOMPARE(at(level, 3)->subInstruments().first()->instrumentType(), subType);
        }
        QCOMPARE(subs->rowCount(), added ? 1 : 0);
        QCOMPARE(m_editor->getListOfSubinstruments(idAt(0, 3)).size(), added ? 1 : 0);
        if (added) {
            QVERIFY(m_editor->isSubInstrument(QString(), at(0, 3)->subInstruments().first()->id()));
            m_editor->deleteInstrument(at(0, 3)->subInstruments().first()->id());
            QCOMPARE(subs->rowCount(), 0);
            QCOMPARE(at(1, 3)->subInstruments().size(), 0);
        }
    }

    void markingLevels()
    {
        const QString a = m_program->levels().at(0)->id();
        const QString b = m_program->levels().at(1)->id();
        m_editor->markForDeleteProgramLevel(b, true, 1);
        QVERIFY(m_editor->programLevelList()->elementAt(1)->markedForDelete());
        // The last unmarked level stays: a program needs one.
        m_editor->markForDeleteProgramLevel(a, true, 0);
        QVERIFY(!m_program->levels().at(0)->isMarkedForDelete());
        QVERIFY(m_storage->saveUserSet(m_set, QStringLiteral("Demo")));
        QCOMPARE(levelNames(), QStringLiteral("A"));
        QCOMPARE(m_editor->getNumberOfProgramlevels(), 1);
        // The saved level went from the editor's list too.
        QCOMPARE(m_editor->programLevelList()->rowCount(), 1);
    }

    // ------------------------------------------------------------ values the generator gets

    // An unknown type once reached the file and made it unreadable.
    void unknownTypesAreRefused_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::newRow("addInstrument") << "add";
        QTest::newRow("addSubInstrumentToInstrument") << "sub";
        QTest::newRow("setInstrumentType") << "type";
    }

    void unknownTypesAreRefused()
    {
        QFETCH(QString, operation);
        const QByteArray before = serialized();
        const QString unknown = QStringLiteral("Unbekannt");
        const qsizetype lines = linesWith(QStringLiteral("instrumentType=Unbekannt"));
        if (operation == QLatin1String("add"))
            m_editor->addInstrument(unknown, QString(), 0, 0);
        else if (operation == QLatin1String("sub"))
            m_editor->addSubInstrumentToInstrument(unknown, QString(), idAt(0, 0), 0);
        else
            m_editor->setInstrumentType(idAt(0, 0), unknown, true);
        QCOMPARE(serialized(), before);
        QVERIFY(!m_set->isModified());
        QCOMPARE(linesWith(QStringLiteral("instrumentType=Unbekannt")), lines + 1);
    }

    // Values beyond the descriptor or the instrument's limits once reached the file as typed.
    void effects_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("index");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("logged");
        QTest::newRow("decimal effect stored tenfold")
            << 0 << false << "COAG_M1" << 0 << QVariant(3.5) << "35" << QString();
        QTest::newRow("whole-number effect") << 0 << true << "CUT_M4" << 0 << QVariant(3) << "3" << QString();
        QTest::newRow("switch from a flag") << 0 << false << "COAG_M2" << 1 << QVariant(true) << "EIN" << QString();
        QTest::newRow("above the descriptor: clamped") << 0 << false << "COAG_M1" << 0 << QVariant(12.0) << "100"
                                                       << "clamped";
        QTest::newRow("above the instrument's limit: clamped") << 1 << false << "COAG_M4" << 0 << QVariant(9.5) << "80"
                                                               << "clamped";
        QTest::newRow("below the descriptor: clamped") << 0 << false << "COAG_M1" << 0 << QVariant(0.0) << "1"
                                                       << "clamped";
        QTest::newRow("flow above the instrument's maximum") << 2 << false << "COAG_M1" << 1 << QVariant(7.0) << "6.0"
                                                             << "clamped";
        QTest::newRow("flow below the instrument's minimum") << 2 << false << "COAG_M1" << 1 << QVariant(0.1) << "0.5"
                                                             << "clamped";
        QTest::newRow("effect index beyond the mode")
            << 0 << false << "COAG_M1" << 2 << QVariant(1.0) << QString() << "Invalid effectIndex=2 for mode=COAG_M1";
        QTest::newRow("negative effect index")
            << 0 << true << "CUT_M1" << -1 << QVariant(1.0) << QString() << "Invalid effectIndex=-1 for mode=CUT_M1";
        QTest::newRow("mode the instrument does not have")
            << 1 << true << "CUT_M1" << 0 << QVariant(2.0) << QString() << "mode=CUT_M1 not allowed";
        QTest::newRow("value that is no number")
            << 0 << false << "COAG_M1" << 0 << QVariant("viel") << QString() << "Invalid effectValue=viel";
    }

    void effects()
    {
        QFETCH(int, position);
        QFETCH(bool, cut);
        QFETCH(QString, mode);
        QFETCH(int, index);
        QFETCH(QVariant, value);
        QFETCH(QString, stored);
        QFETCH(QString, logged);
        const QByteArray before = serialized();
        const qsizetype lines = logged.isEmpty() ? 0 : linesWith(logged);
        if (cut)
            m_editor->setCutEffect(idAt(0, position), mode, index, value, position);
        else
            m_editor->setCoagEffect(idAt(0, position), mode, index, value, position);
        if (!logged.isEmpty())
            QCOMPARE(linesWith(logged), lines + 1);
        if (stored.isEmpty()) {
            QCOMPARE(serialized(), before);
            QVERIFY(!m_set->isModified());
            return;
        }
        const CutCoag &side = cut ? at(0, position)->cut() : at(0, position)->coag();
        const QList<ModeData *> descriptors = InstrumentConfiguration::instance()->getModeDataList(mode);
        const QString attribute = descriptors.at(index)->attributeName();
        QCOMPARE(attribute.isEmpty() ? side.flow() : side.findMode(mode)->attribute(attribute), stored);
        QVERIFY(m_set->isModified());
    }

    // EVX could be switched on for a type whose catalogue entry forbids it.
    void evxAndIrx_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("evxBefore");
        QTest::addColumn<bool>("irxBefore");
        QTest::addColumn<QString>("switched");
        QTest::addColumn<bool>("on");
        QTest::addColumn<bool>("evxAfter");
        QTest::addColumn<bool>("irxAfter");
        QTest::addColumn<bool>("modified");
        QTest::newRow("EVX on switches IRX off")
            << "MonoMesser" << false << true << "EVX" << true << true << false << true;
        QTest::newRow("IRX on switches EVX off")
            << "MonoMesser" << true << false << "IRX" << true << false << true << true;
        QTest::newRow("EVX where the catalogue says AUS stays off")
            << "ThermoSeal" << false << true << "EVX" << true << false << true << false;
        QTest::newRow("EVX off") << "MonoMesser" << true << false << "EVX" << false << false << false << true;
        QTest::newRow("same value changes nothing")
            << "MonoMesser" << true << false << "EVX" << true << true << false << false;
    }

    void evxAndIrx()
    {
        QFETCH(QString, type);
        QFETCH(bool, evxBefore);
        QFETCH(bool, irxBefore);
        QFETCH(QString, switched);
        QFETCH(bool, on);
        QFETCH(bool, evxAfter);
        QFETCH(bool, irxAfter);
        QFETCH(bool, modified);
        m_editor->setInstrumentType(idAt(0, 0), type, true);
        Instrument *instrument = at(0, 0);
        instrument->setEvx(instrument->evxRate(), evxBefore);
        instrument->setIrx(instrument->irxRate(), irxBefore);
        m_set->clearModified();
        if (switched == QLatin1String("EVX"))
            m_editor->setEvxEnabled(instrument->id(), on, 0);
        else
            m_editor->setIrxEnabled(instrument->id(), on, 0);
        QCOMPARE(instrument->evxOn(), evxAfter);
        QCOMPARE(instrument->irxOn(), irxAfter);
        QCOMPARE(m_set->isModified(), modified);
    }

    // A maxSize below three once gave back more characters than asked for.
    void limitTextSize_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxSize");
        QTest::addColumn<QString>("result");
        QTest::newRow("ten characters to eight") << "Abcdefghij" << 8 << "Abcde...";
        QTest::newRow("exactly the size") << "Abcdefgh" << 8 << "Abcdefgh";
        QTest::newRow("three characters unchanged") << "Abc" << 8 << "Abc";
        QTest::newRow("four: one character and the dots") << "Abcdefghij" << 4 << "A...";
        // Below four the dots alone would exceed or fill the room.
        QTest::newRow("three") << "Abcdefghij" << 3 << "Abc";
        QTest::newRow("two") << "Abcdefghij" << 2 << "Ab";
        QTest::newRow("one") << "Abcdefghij" << 1 << "A";
        QTest::newRow("zero") << "Abcdefghij" << 0 << "";
        QTest::newRow("negative") << "Abcdefghij" << -2 << "";
        QTest::newRow("empty text") << "" << 0 << "";
    }

    void limitTextSize()
    {
        QFETCH(QString, text);
        QFETCH(int, maxSize);
        QFETCH(QString, result);
        const QString limited = m_editor->limitTextSize(text, maxSize);
        QCOMPARE(limited, result);
        QVERIFY(limited.size() <= qMax(maxSize, 0));
    }

    // ------------------------------------------------------------ lifetime

    // A set deleted while its program was open once left the per-level
    // models pointing at freed instruments.
    void removedSetClosesTheEditor()
    {
        QSignalSpy closed(m_editor.get(), &ProgramViewController::programClosed);
        QPointer<InstrumentListModel> model = m_editor->getInstrumentListForLevel(m_program->levels().first()->id());
        QAbstractItemModelTester tester(model.data(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model->rowCount(), 3);
        const QString instrumentId = idAt(0, 0);
        m_storage->deleteUserSets({ m_set->id() });
        m_set = nullptr;
        m_program = nullptr;
        QCOMPARE(closed.size(), 1);
        QVERIFY(m_editor->getUserProgramId().isEmpty());
        QCOMPARE(m_editor->programName(), QStringLiteral("undefined-pn"));
        QCOMPARE(m_editor->programLevelList()->rowCount(), 0);
        QVERIFY(m_editor->isAddInstrumentEnabled());
        // Still alive for a scene that binds it, but without rows.
        QVERIFY(model);
        QCOMPARE(model->rowCount(), 0);
        m_editor->setCoagEffect(instrumentId, QStringLiteral("COAG_M1"), 0, 2.0, 0);
        m_editor->editBegin(instrumentId, QStringLiteral("COAG_M1"), 0);
        QVERIFY(!m_editor->editSave());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!model);
    }

    // Menus asked for again and again once piled up; a dropped level's model was freed while bound.
    void modelsAreReusedOrRetired()
    {
        StringListModel *menu = m_editor->getCutModes(idAt(0, 0));
        QCOMPARE(menu->rowCount(), 7);
        QCOMPARE(m_editor->getCutModes(idAt(0, 1)), menu);
        QCOMPARE(menu->rowCount(), 1);
        QCOMPARE(menu->parent(), m_editor.get());
        const QString levelB = m_program->levels().at(1)->id();
        InstrumentListModel *kept = m_editor->getInstrumentListForLevel(m_program->levels().at(0)->id());
        QPointer<InstrumentListModel> dropped = m_editor->getInstrumentListForLevel(levelB);
        m_editor->deleteProgramLevel(levelB);
        QCOMPARE(m_editor->getInstrumentListForLevel(m_program->levels().at(0)->id()), kept);
        QVERIFY(dropped);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!dropped);
        QVERIFY(!m_editor->getInstrumentListForLevel(levelB));
    }

    // ------------------------------------------------------------ edit, cancel, save

    // A value picker's Escape once reloaded the set and threw away every edit made before it.
    void editCancelDropsOnlyTheModeEdit()
    {
        m_editor->setCoagEffect(idAt(0, 0), QStringLiteral("COAG_M1"), 0, 9.0, 0);
        m_editor->markForDeleteInstrument(idAt(0, 1), true, 1);
        const QByteArray edited = serialized();
        m_editor->editBegin(idAt(0, 2), QStringLiteral("COAG_M1"), 2);
        QVERIFY(m_editor->getModeModel()->setValue(0, 2.0));
        m_editor->editCancel();
        QCOMPARE(m_editor->getModeModel()->rowCount(), 0);
        QVERIFY(!m_editor->editSave());
        QVERIFY(m_set->isModified());
        QCOMPARE(serialized(), edited);
    }

    // The page's cancel restores the set from its file; the editor once kept the ids of the replaced tree.
    void pageCancelRestoresTheFile()
    {
        const QByteArray file = serialized();
        m_editor->addProgramLevel(QStringLiteral("C"));
        m_editor->setCoagEffect(idAt(0, 0), QStringLiteral("COAG_M1"), 0, 9.0, 0);
        QVERIFY(serialized() != file);
        QSignalSpy closed(m_editor.get(), &ProgramViewController::programClosed);
        QVERIFY(m_storage->reloadUserSet(m_set));
        QVERIFY(!m_set->isModified());
        QCOMPARE(serialized(), file);
        QCOMPARE(closed.count(), 1);
        QVERIFY(m_editor->getUserProgramId().isEmpty());
        QCOMPARE(m_editor->programLevelList()->rowCount(), 0);
    }

    void editSaveWritesHeldValues_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("effekt");
        QTest::addColumn<QString>("flow");
        QTest::newRow("within the limits") << 1 << "COAG_M4" << QVariantList { 6.5 } << 1 << "65"
                                           << "0";
        QTest::newRow("above the instrument's effect limit") << 1 << "COAG_M4" << QVariantList { 9.9 } << 1 << "80"
                                                             << "0";
        QTest::newRow("gas instrument shows and writes the flow")
            << 2 << "COAG_M1" << QVariantList { 2.0, 3.3 } << 2 << "20"
            << "3.3";
    }

    void editSaveWritesHeldValues()
    {
        QFETCH(int, position);
        QFETCH(QString, mode);
        QFETCH(QVariantList, values);
        QFETCH(int, rows);
        QFETCH(QString, effekt);
        QFETCH(QString, flow);
        at(0, position)->coag().setFlow(position == 2 ? QStringLiteral("1.2") : QStringLiteral("0"));
        m_editor->editBegin(idAt(0, position), mode, position);
        ModeListModel *model = m_editor->getModeModel();
        QCOMPARE(model->rowCount(), rows);
        for (int row = 0; row < values.size(); ++row)
            model->setData(model->index(row), values.at(row), ModeListModel::ValueRole);
        QVERIFY(m_editor->editSave());
        QVERIFY(!m_editor->editSave());
        QCOMPARE(at(0, position)->coag().findMode(mode)->effekt(), effekt);
        QCOMPARE(at(0, position)->coag().flow(), flow);
        // What the store writes reads back the same.
        QVERIFY(m_storage->saveUserSet(m_set, QStringLiteral("Demo")));
        UserSet reread(UserSet::USER_TEMPLATE);
        QVERIFY(XmlUserSetSerializer().readFile(m_storage->getFilePath(m_set), &reread));
        QCOMPARE(XmlUserSetSerializer().toXml(&reread), serialized());
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_ProgramViewController)
#include "tst_programviewcontroller.moc"
