#include "KelvaraTest.h"
#include "UserSetTestData.h"

#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "InstrumentDefinition.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "UserProgram.h"
#include "UserSet.h"

#include <QtTest/QSignalSpy>

#include <memory>

class tst_UserSetModel : public QObject
{
    Q_OBJECT

private:
    /// A set with one group and one program of `levels` levels, each with the given types.
    static std::unique_ptr<UserSet> makeSet(int levels, const QStringList &types)
    {
        auto set = std::make_unique<UserSet>(UserSet::USER_TEMPLATE);
        auto *group = new ProgramGroup(set.get());
        group->setName(QStringLiteral("G"));
        set->appendProgramGroup(group);
        auto *program = new UserProgram(group);
        program->setName(QStringLiteral("P"));
        group->appendProgram(program);
        for (int l = 0; l < levels; ++l) {
            auto *level = new ProgramLevel(program);
            program->appendLevel(level);
            for (const QString &type : types) {
                auto *instrument = new Instrument(level);
                InstrumentConfiguration::instance()->initializeInstrument(
                    instrument, type, InstrumentConfiguration::instance()->findInstrumentDefinition(type));
                level->appendInstrument(instrument);
            }
        }
        set->clearModified();
        return set;
    }

    static UserProgram *programOf(UserSet *set) { return set->programGroups().first()->programs().first(); }

private slots:
    // Must stay first: the id counters start fresh in every process.
    void firstIdsOfARun()
    {
        Instrument first;
        Instrument second;
        QCOMPARE(first.id(), QStringLiteral("5001"));
        QCOMPARE(second.id(), QStringLiteral("5002"));
        UserSet set;
        ProgramGroup group;
        UserProgram program;
        ProgramLevel level;
        QCOMPARE(set.id(), QStringLiteral("1001"));
        QCOMPARE(group.id(), QStringLiteral("2001"));
        QCOMPARE(program.id(), QStringLiteral("3001"));
        QCOMPARE(level.id(), QStringLiteral("4001"));
        set.reset(UserSet::QELO3_DOWNLOAD);
        QCOMPARE(set.id(), QStringLiteral("1002"));
        QCOMPARE(set.userSetType(), int(UserSet::QELO3_DOWNLOAD));
    }

    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        QVERIFY(UserSetTestData::loadBuiltinCatalogue());
    }

    void registriesFindRegisteredObjectsOnly()
    {
        QString id;
        {
            auto *instrument = new Instrument;
            id = instrument->id();
            QCOMPARE(Instrument::findById(id), instrument);
            std::unique_ptr<Instrument> clone(instrument->clone());
            QCOMPARE(clone->id(), id);
            QVERIFY(clone->isClone());
            QCOMPARE(Instrument::findById(id), instrument);
            delete instrument;
        }
        QVERIFY(!Instrument::findById(id));
        QVERIFY(KelvaraTest::logContains(QStringLiteral("Instrument Id %1 not found in the InstanceMap").arg(id)));
        QVERIFY(KelvaraTest::logContains(QStringLiteral("Unknown Instrument Id %1").arg(id)));
        QVERIFY(!ProgramGroup::findById(QStringLiteral("nope")));
        QVERIFY(KelvaraTest::logContains(QStringLiteral("ProgramGroup Id nope not found in the InstanceMap")));
        QVERIFY(!UserProgram::findById(QStringLiteral("nope")));
        QVERIFY(KelvaraTest::logContains(QStringLiteral("Unknown UserProgram Id nope")));
        QVERIFY(!ProgramLevel::findById(QStringLiteral("nope")));
        QVERIFY(KelvaraTest::logContains(QStringLiteral("Unknown ProgramLevel Id nope")));
    }

    void cloneAndRestore()
    {
        auto set = makeSet(2, { QStringLiteral("MonoMesser"), QStringLiteral("BiPinzette") });
        UserProgram *program = programOf(set.get());
        Instrument *instrument = program->levels().at(1)->instruments().at(0);
        const QString name = instrument->name();
        std::unique_ptr<UserSet> backup(set->clone());
        QVERIFY(backup->isClone());
        QCOMPARE(backup->id(), set->id());
        const Instrument *clonedInstrument
            = backup->programGroups().first()->programs().first()->levels().at(1)->instruments().at(0);
        QCOMPARE(clonedInstrument->id(), instrument->id());
        QCOMPARE(Instrument::findById(instrument->id()), instrument);

        instrument->setName(QStringLiteral("changed"));
        instrument->coag().setSelektierterMode(QStringLiteral("COAG_M3"));
        program->setName(QStringLiteral("renamed"));
        QVERIFY(set->restore(*backup));
        QCOMPARE(instrument->name(), name);
        QCOMPARE(instrument->coag().selektierterMode(), QStringLiteral("COAG_M1"));
        QCOMPARE(program->name(), QStringLiteral("P"));
        QVERIFY(!set->isClone());
        QCOMPARE(Instrument::findById(instrument->id()), instrument);
    }

    void restoreRefusesNonClonesAndBiggerSources()
    {
        auto set = makeSet(1, { QStringLiteral("MonoMesser") });
        auto other = makeSet(1, { QStringLiteral("MonoMesser") });
        set->setLastUsedProgramGroup(QStringLiteral("mine"));
        QVERIFY(!set->restore(*other));
        QCOMPARE(set->lastUsedProgramGroup(), QStringLiteral("mine"));

        std::unique_ptr<UserSet> backup(set->clone());
        // Removing a slot after the backup: the backup has more children than the set now.
        programOf(set.get())->deleteInstrument(programOf(set.get())->levels().first()->instruments().first()->id());
        QVERIFY(!set->restore(*backup));
        QVERIFY(KelvaraTest::logContains(
            QStringLiteral("ProgramLevel::copy: Invalid clone! clone: 1 elements - this: 0 elements")));
        QVERIFY(programOf(set.get())->levels().first()->instruments().isEmpty());
    }

    void uniqueNames_data()
    {
        QTest::addColumn<QStringList>("siblings");
        QTest::addColumn<QString>("requested");
        QTest::addColumn<bool>("keepName");
        QTest::addColumn<bool>("force");
        QTest::addColumn<QString>("expected");
        const QString neu = UserProgram::defaultName();
        QTest::newRow("default text skips a taken number to 42")
            << QStringList { "A", "B", neu + "4" } << QString() << false << false << neu + "42";
        QTest::newRow("empty name with keep flag keeps the current name")
            << QStringList { "Current", "B" } << QString() << true << false << "Current";
        QTest::newRow("own name without force stays")
            << QStringList { "Current", "B" } << "Current" << false << false << "Current";
        QTest::newRow("own name with force gets a number")
            << QStringList { "Current", "B" } << "Current" << false << true << "Current2";
        QTest::newRow("taken name counts up") << QStringList { "Current", "B", "B2" } << "B" << false << false << "B3";
        QTest::newRow("free name unchanged") << QStringList { "Current" } << "Neu" << false << false << "Neu";
    }
    void uniqueNames()
    {
        QFETCH(QStringList, siblings);
        QFETCH(QString, requested);
        QFETCH(bool, keepName);
        QFETCH(bool, force);
        QFETCH(QString, expected);
        UserSet set;
        auto *group = new ProgramGroup(&set);
        set.appendProgramGroup(group);
        for (const QString &name : siblings) {
            auto *program = new UserProgram(group);
            program->setName(name);
            group->appendProgram(program);
        }
        QCOMPARE(group->makeUniqueProgramName(group->programs().first(), requested, keepName, force), expected);
        // Groups follow the same rule among the set's groups, with their own default text.
        const auto asGroupName
            = [](QString name) { return name.replace(UserProgram::defaultName(), ProgramGroup::defaultName()); };
        group->setName(siblings.first());
        for (int i = 1; i < siblings.size(); ++i) {
            auto *sibling = new ProgramGroup(&set);
            sibling->setName(asGroupName(siblings.at(i)));
            set.appendProgramGroup(sibling);
        }
        QCOMPARE(set.makeUniqueProgramGroupName(group, requested, keepName, force), asGroupName(expected));
    }

    void limits()
    {
        auto set = makeSet(2, QStringList(5, QStringLiteral("MonoMesser")));
        UserProgram *program = programOf(set.get());
        QVERIFY(program->isAddInstrumentEnabled());
        program->addInstrument(QStringLiteral("MonoKugel"), QStringLiteral("Kugel"));
        QCOMPARE(program->levels().at(1)->instruments().size(), UserProgram::kMaxInstruments);
        QVERIFY(!program->isAddInstrumentEnabled());
        UserProgram empty;
        QVERIFY(empty.isAddInstrumentEnabled());
        QVERIFY(set->isModified());
    }

    void positionOperationsReachEveryLevel_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("position");
        QTest::newRow("delete position 2 of three levels") << "delete" << 1;
        QTest::newRow("rename position 3") << "rename" << 2;
        QTest::newRow("set type and drop alias at position 1") << "type" << 0;
        QTest::newRow("mark position 2") << "mark" << 1;
    }
    void positionOperationsReachEveryLevel()
    {
        QFETCH(QString, operation);
        QFETCH(int, position);
        auto set
            = makeSet(3, { QStringLiteral("MonoMesser"), QStringLiteral("BiPinzette"), QStringLiteral("MonoKugel") });
        UserProgram *program = programOf(set.get());
        Instrument *chosen = program->levels().at(2)->instruments().at(position);
        const QString chosenId = chosen->id();
        chosen->setAlias(QStringLiteral("BiSchere"), QStringLiteral("Alias"));
        if (operation == QLatin1String("delete")) {
            QVERIFY(program->deleteInstrument(chosenId));
            for (const ProgramLevel *level : program->levels())
                QCOMPARE(level->instruments().size(), 2);
            QVERIFY(!Instrument::findById(chosenId));
        } else if (operation == QLatin1String("rename")) {
            QVERIFY(program->renameInstrumentsOnPosition(position, QStringLiteral("Neu")));
            for (const ProgramLevel *level : program->levels())
                QCOMPARE(level->instruments().at(position)->name(), QStringLiteral("Neu"));
        } else if (operation == QLatin1String("type")) {
            QVERIFY(program->setTypeAndDeleteAlias(position, QStringLiteral("ArgonMesser")));
            for (const ProgramLevel *level : program->levels()) {
                QCOMPARE(level->instruments().at(position)->instrumentType(), QStringLiteral("ArgonMesser"));
                QVERIFY(level->instruments().at(position)->aliasType().isEmpty());
            }
        } else {
            QVERIFY(program->markForDeleteInstrument(chosenId, true));
            for (const ProgramLevel *level : program->levels()) {
                for (int p = 0; p < 3; ++p)
                    QCOMPARE(level->instruments().at(p)->isMarkedForDelete(), p == position);
            }
        }
        QVERIFY(set->isModified());
    }

    void reordering_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<bool>("done");
        QTest::addColumn<QString>("order");
        QTest::newRow("swap levels") << "swapLevels" << 0 << 2 << true << "CBA";
        QTest::newRow("swap levels outside") << "swapLevels" << 0 << 3 << false << "ABC";
        QTest::newRow("move level before the first") << "moveLevel" << 2 << 0 << true << "CAB";
        QTest::newRow("move level to the end") << "moveLevel" << 0 << 3 << true << "BCA";
        QTest::newRow("move level beyond the end appends") << "moveLevel" << 0 << 99 << true << "BCA";
        QTest::newRow("move level from outside") << "moveLevel" << 5 << 0 << false << "ABC";
        QTest::newRow("insert level in the middle") << "insertLevel" << 1 << 0 << true << "AxBC";
        QTest::newRow("insert level outside appends") << "insertLevel" << -1 << 0 << true << "ABCx";
        QTest::newRow("move program to the front") << "moveProgram" << 2 << 0 << true << "CAB";
        QTest::newRow("move program after the next") << "moveProgram" << 0 << 2 << true << "BAC";
        QTest::newRow("swap slots in every level") << "swapSlots" << 0 << 2 << true << "CBA";
        QTest::newRow("swap slots outside") << "swapSlots" << 0 << 4 << false << "ABC";
        QTest::newRow("slot to the end in every level") << "slotToEnd" << 0 << 0 << true << "BCA";
    }

    void reordering()
    {
        QFETCH(QString, operation);
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(bool, done);
        QFETCH(QString, order);
        std::unique_ptr<UserSet> set = makeSet(3, { "MonoMesser", "MonoKugel", "BiPinzette" });
        ProgramGroup *group = set->programGroups().first();
        UserProgram *program = programOf(set.get());
        for (const QString &name : { QStringLiteral("B"), QStringLiteral("C") }) {
            group->appendProgram(new UserProgram(group));
            group->programs().last()->setName(name);
        }
        program->setName(QStringLiteral("A"));
        const QStringList letters { "A", "B", "C" };
        for (int l = 0; l < 3; ++l) {
            program->levels().at(l)->setName(letters.at(l));
            for (int p = 0; p < 3; ++p)
                program->levels().at(l)->instruments().at(p)->setName(letters.at(p));
        }
        bool result = true;
        if (operation == QLatin1String("swapLevels"))
            result = program->swapLevels(first, second);
        else if (operation == QLatin1String("moveLevel"))
            result = program->moveLevel(first, second);
        else if (operation == QLatin1String("insertLevel")) {
            auto *level = new ProgramLevel(program);
            level->setName(QStringLiteral("x"));
            program->insertLevel(first, level);
        } else if (operation == QLatin1String("moveProgram"))
            result = group->moveProgram(first, second);
        else if (operation == QLatin1String("swapSlots"))
            result = program->swapInstrumentsOnPosition(first, second);
        else
            result = program->moveInstrumentToEndOnPosition(first);
        QCOMPARE(result, done);
        auto names = [](const auto &list) {
            QString joined;
            for (const auto *node : list)
                joined += node->name();
            return joined;
        };
        if (operation.contains(QLatin1String("lot"))) {
            // The slots stay the same physical instruments in every level.
            for (const ProgramLevel *level : program->levels())
                QCOMPARE(names(level->instruments()), order);
        } else {
            QCOMPARE(operation == QLatin1String("moveProgram") ? names(group->programs()) : names(program->levels()),
                     order);
        }
    }

    void markedLevelsGoWithTheSave_data()
    {
        QTest::addColumn<QList<bool>>("marks");
        QTest::addColumn<QString>("kept");
        QTest::newRow("none marked") << QList<bool> { false, false, false } << "ABC";
        QTest::newRow("middle marked") << QList<bool> { false, true, false } << "AC";
        QTest::newRow("first and last marked") << QList<bool> { true, false, true } << "B";
        // A program needs one level: the last one standing stays, unmarked.
        QTest::newRow("all marked keep the first") << QList<bool> { true, true, true } << "A";
    }

    void markedLevelsGoWithTheSave()
    {
        QFETCH(QList<bool>, marks);
        QFETCH(QString, kept);
        std::unique_ptr<UserSet> set = makeSet(3, { "MonoMesser" });
        UserProgram *program = programOf(set.get());
        for (int l = 0; l < 3; ++l) {
            program->levels().at(l)->setName(QString(QLatin1Char('A' + l)));
            program->levels().at(l)->setMarkedForDelete(marks.at(l));
        }
        // A clone keeps the mark, so a restored set shows it again.
        std::unique_ptr<UserSet> clone(set->clone());
        QCOMPARE(clone->programGroups().first()->programs().first()->levels().at(1)->isMarkedForDelete(), marks.at(1));
        set->removeMarkedForDelete();
        QString names;
        for (const ProgramLevel *level : program->levels()) {
            names += level->name();
            QVERIFY(!level->isMarkedForDelete());
        }
        QCOMPARE(names, kept);
    }

    void positionErrors()
    {
        auto set = makeSet(2, { QStringLiteral("MonoMesser"), QStringLiteral("BiPinzette") });
        UserProgram *program = programOf(set.get());
        // A shorter second level is skipped with an error; the first is still renamed.
        program->levels().at(1)->removeInstrumentAt(1);
        QVERIFY(program->renameInstrumentsOnPosition(1, QStringLiteral("X")));
        QCOMPARE(program->levels().at(0)->instruments().at(1)->name(), QStringLiteral("X"));
        QVERIFY(KelvaraTest::logContains(QStringLiteral(
            "UserProgram::renameInstrumentsOnPosition: Invalid position beyond end-of-list: position=1")));
        QVERIFY(!program->deleteInstrument(QStringLiteral("999999")));
        QVERIFY(KelvaraTest::logContains(
            QStringLiteral("UserProgram::deleteInstrument: Cannot findById instrumentId=999999")));
        Instrument loose;
        QVERIFY(!program->markForDeleteInstrument(loose.id(), true));
        QVERIFY(KelvaraTest::logContains(QStringLiteral("Cannot find the position of the instrument")));
    }

    void subInstrumentsAndMarking()
    {
        auto set = makeSet(2, { QStringLiteral("MonoKugel"), QStringLiteral("MultiElektrode") });
        UserProgram *program = programOf(set.get());
        const QString parentId = program->levels().first()->instruments().at(1)->id();
        QVERIFY(program->addAdditionalSubInstrument(parentId, QStringLiteral("MultiElektrode_Nadel")));
        QVERIFY(program->addAdditionalSubInstrument(parentId, QStringLiteral("MultiElektrode_Spatel")));
        for (const ProgramLevel *level : program->levels()) {
            const Instrument *parent = level->instruments().at(1);
            QCOMPARE(parent->subInstruments().size(), 2);
            QCOMPARE(parent->subInstruments().first()->name(), UserProgram::defaultSubProgramName());
            QCOMPARE(parent->subInstruments().first()->parentInstrumentId(), parent->id());
            QCOMPARE(parent->subInstruments().at(1)->datensatznummer(), QStringLiteral("162"));
        }
        Instrument *parent = program->levels().at(1)->instruments().at(1);
        QVERIFY(program->markForDeleteInstrument(parent->subInstruments().at(0)->id(), true));
        QVERIFY(!parent->isMarkedForDelete());
        // The last unmarked sub-instrument marks the parent, in every level.
        QVERIFY(program->markForDeleteInstrument(parent->subInstruments().at(1)->id(), true));
        for (const ProgramLevel *level : program->levels())
            QVERIFY(level->instruments().at(1)->isMarkedForDelete());
        QVERIFY(program->markForDeleteInstrument(parent->subInstruments().at(0)->id(), false));
        for (const ProgramLevel *level : program->levels())
            QVERIFY(!level->instruments().at(1)->isMarkedForDelete());

        // Saving drops what is marked: the marked sub-instrument goes, the parent stays.
        set->removeMarkedForDelete();
        QCOMPARE(parent->subInstruments().size(), 1);
        QCOMPARE(parent->subInstruments().first()->datensatznummer(), QStringLiteral("161"));
    }

    void aliasIsTheEffectiveType()
    {
        Instrument instrument;
        instrument.setInstrumentType(QStringLiteral("MonoMesser"));
        instrument.setName(QStringLiteral("Own"));
        QCOMPARE(instrument.effectiveType(), QStringLiteral("MonoMesser"));
        instrument.setAlias(QStringLiteral("BiPinzette"), QStringLiteral("Alias"));
        QCOMPARE(instrument.effectiveType(), QStringLiteral("BiPinzette"));
        QCOMPARE(instrument.effectiveName(), QStringLiteral("Alias"));
        QCOMPARE(instrument.definition()->instrumentType(), QStringLiteral("BiPinzette"));
    }

    // Each row: "type cut-source coag-source coag-mode autostop" and the bits derived from them.
    void activationFromSources_data()
    {
        QTest::addColumn<QString>("sources");
        QTest::addColumn<quint32>("bits");
        QTest::newRow("AUS AUTOSTART is 32") << "BiPinzette AUS AUTOSTART COAG_M7 AUS" << 32u;
        QTest::newRow("AUS SINGLE is 2") << "BiPinzette AUS SINGLE COAG_M7 AUS" << 2u;
        QTest::newRow("AUS DOUBLE is 16") << "BiPinzette AUS DOUBLE COAG_M7 AUS" << 16u;
        QTest::newRow("DOUBLE AUS is 8") << "BiPinzette DOUBLE AUS COAG_M7 AUS" << 8u;
        QTest::newRow("DOUBLE SINGLE is 2+8") << "BiPinzette DOUBLE SINGLE COAG_M7 AUS" << 10u;
        QTest::newRow("DOUBLE DOUBLE is 4") << "BiPinzette DOUBLE DOUBLE COAG_M7 AUS" << 4u;
        QTest::newRow("other pair is none") << "BiPinzette SINGLE SINGLE COAG_M7 AUS" << 0u;
        QTest::newRow("autostop mode with EIN adds 64") << "BiPinzette AUS SINGLE COAG_M12 EIN" << 66u;
        QTest::newRow("autostop EIN ignored outside autostop modes") << "BiPinzette AUS SINGLE COAG_M7 EIN" << 2u;
        QTest::newRow("finger switch adds 1") << "MonoMesser AUS SINGLE COAG_M1 AUS" << 3u;
        QTest::newRow("autostart refused for prevent-autostart type") << "ThermoSeal AUS AUTOSTART COAG_M14 AUS" << 0u;
    }
    void activationFromSources()
    {
        QFETCH(QString, sources);
        QFETCH(quint32, bits);
        const QStringList field = sources.split(QLatin1Char(' '));
        Instrument instrument;
        instrument.setInstrumentType(field.at(0));
        instrument.cut().setAktivierungsquelle(field.at(1));
        instrument.coag().setAktivierungsquelle(field.at(2));
        instrument.coag().setSelektierterMode(field.at(3));
        instrument.coag().setAutostop(field.at(4));
        instrument.deriveActivation();
        QCOMPARE(instrument.activation(), bits);
    }

    // Each row: the bits, then "coag-mode cut-source coag-source autostop" with the sources written back.
    void sourcesFromActivation_data()
    {
        QTest::addColumn<quint32>("bits");
        QTest::addColumn<QString>("sources");
        QTest::newRow("2 is AUS SINGLE") << 2u << "COAG_M1 AUS SINGLE kept";
        QTest::newRow("4 is DOUBLE DOUBLE") << 4u << "COAG_M1 DOUBLE DOUBLE kept";
        QTest::newRow("8 is DOUBLE AUS") << 8u << "COAG_M1 DOUBLE AUS kept";
        QTest::newRow("10 is DOUBLE SINGLE") << 10u << "COAG_M1 DOUBLE SINGLE kept";
        QTest::newRow("16 is AUS DOUBLE") << 16u << "COAG_M1 AUS DOUBLE kept";
        QTest::newRow("32 is AUS AUTOSTART") << 32u << "COAG_M7 AUS AUTOSTART kept";
        QTest::newRow("hand and autostop ignored for sources") << (1u | 64u | 2u) << "COAG_M3 AUS SINGLE EIN";
        QTest::newRow("autostop mode without 64 writes AUS") << 2u << "COAG_M2 AUS SINGLE AUS";
        QTest::newRow("nothing is AUS AUS") << 0u << "COAG_M1 AUS AUS kept";
    }
    void sourcesFromActivation()
    {
        QFETCH(quint32, bits);
        QFETCH(QString, sources);
        const QString coagMode = sources.section(QLatin1Char(' '), 0, 0);
        Instrument instrument;
        instrument.coag().setSelektierterMode(coagMode);
        instrument.coag().setAutostop(QStringLiteral("kept"));
        instrument.setActivation(bits);
        instrument.applyActivationToSources();
        const QStringList written = { coagMode, instrument.cut().aktivierungsquelle(),
            instrument.coag().aktivierungsquelle(), instrument.coag().autostop() };
        QCOMPARE(written.join(QLatin1Char(' ')), sources);
    }

    void settingActivationTypes_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<quint32>("before");
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<bool>("on");
        QTest::addColumn<quint32>("after");
        QTest::newRow("one foot replaces two foot") << "BiPinzette" << 4u << "ACTIVATION_1FUSS" << true << 2u;
        QTest::newRow("autostop combines") << "BiPinzette" << 2u << "ACTIVATION_AUTOSTOP" << true << 66u;
        QTest::newRow("switching off clears") << "BiPinzette" << 66u << "ACTIVATION_1FUSS" << false << 64u;
        QTest::newRow("finger switch keeps hand") << "MonoMesser" << 0u << "ACTIVATION_2FUSS_CUT" << true << 9u;
    }
    void settingActivationTypes()
    {
        QFETCH(QString, type);
        QFETCH(quint32, before);
        QFETCH(QString, identifier);
        QFETCH(bool, on);
        QFETCH(quint32, after);
        Instrument instrument;
        instrument.setInstrumentType(type);
        instrument.setActivation(before);
        QSignalSpy changed(&instrument, qOverload<>(&Instrument::dataChanged));
        QVERIFY(instrument.setActivationType(identifier, on));
        QCOMPARE(instrument.activation(), after);
        QCOMPARE(changed.count(), 1);
    }

    void autostartSwitchesCutOff()
    {
        Instrument instrument;
        instrument.setInstrumentType(QStringLiteral("BiPinzette"));
        instrument.cut().setSelektierterMode(QStringLiteral("CUT_M6"));
        instrument.setActivationType(QStringLiteral("ACTIVATION_AUTOSTART"), true);
        QCOMPARE(instrument.activation(), 32u);
        QCOMPARE(instrument.cut().selektierterMode(), QStringLiteral("CUT_AUS"));
    }

    // Each row: "type coag-mode two-pedal-divisible autostart-allowed" and the rows offered.
    void offeredActivationTypes_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("bipolar autostart mode offers everything")
            << "BiPinzette COAG_M12 EIN EIN"
            << QStringList { "ACTIVATION_1FUSS", "ACTIVATION_2FUSS", "ACTIVATION_2FUSS_CUT", "ACTIVATION_2FUSS_COAG",
                   "ACTIVATION_AUTOSTART", "ACTIVATION_AUTOSTOP" };
        QTest::newRow("no divisible pedal, no autostart setup")
            << "BiPinzette COAG_M12 AUS AUS"
            << QStringList { "ACTIVATION_1FUSS", "ACTIVATION_2FUSS", "ACTIVATION_AUTOSTOP" };
        QTest::newRow("monopolar never autostarts")
            << "MonoMesser COAG_M3 AUS EIN"
            << QStringList { "ACTIVATION_1FUSS", "ACTIVATION_2FUSS", "ACTIVATION_AUTOSTOP" };
        QTest::newRow("prevent-foot-switch type offers no pedal") << "MonoHandstueck COAG_M1 EIN EIN" << QStringList {};
        QTest::newRow("prevent-autostart and hide-autostop type")
            << "ThermoSeal COAG_M12 AUS EIN" << QStringList { "ACTIVATION_1FUSS", "ACTIVATION_2FUSS" };
    }
    void offeredActivationTypes()
    {
        QFETCH(QString, situation);
        QFETCH(QStringList, offered);
        const QStringList field = situation.split(QLatin1Char(' '));
        auto set = makeSet(1, { field.at(0) });
        set->setSetup(UserSet::ZweiPedalFussschalterTeilbar, field.at(2));
        set->setSetup(UserSet::AutostartErlaubt, field.at(3));
        Instrument *instrument = programOf(set.get())->levels().first()->instruments().first();
        instrument->coag().setSelektierterMode(field.at(1));
        instrument->setActivation(Instrument::ActivationOneFoot);
        QStringList actual;
        bool oneFootChecked = false;
        for (const CatalogueEntry &row : InstrumentConfiguration::instance()->getActivationTypes(instrument)) {
            actual.append(row.identifier);
            QVERIFY(row.image.contains(QStringLiteral("_grau_")));
            if (row.identifier == QLatin1String("ACTIVATION_1FUSS"))
                oneFootChecked = row.checked;
        }
        QCOMPARE(actual, offered);
        QCOMPARE(oneFootChecked, offered.contains(QStringLiteral("ACTIVATION_1FUSS")));
    }

    void modeParameterEditing()
    {
        CutCoag coag(CutCoag::Coag);
        QVERIFY(!coag.setModeParameter(QStringLiteral("Nothing"), 0, QStringLiteral("1")));
        QVERIFY(coag.modes().isEmpty());
        QVERIFY(coag.setModeParameter(QStringLiteral("COAG_M8"), 1, QStringLiteral("120")));
        QCOMPARE(coag.modes().size(), 1);
        QCOMPARE(coag.findMode(QStringLiteral("COAG_M8"))->modulation(), QStringLiteral("120"));
        QCOMPARE(coag.findMode(QStringLiteral("COAG_M8"))->effekt(), QStringLiteral("1"));
        // The flow descriptor comes last and edits the side itself.
        QVERIFY(coag.setModeParameter(QStringLiteral("COAG_M8"), 2, QStringLiteral("2.5")));
        QCOMPARE(coag.flow(), QStringLiteral("2.5"));
        QVERIFY(!coag.setModeParameter(QStringLiteral("COAG_M8"), 3, QStringLiteral("x")));
        QCOMPARE(coag.modes().size(), 1);
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_UserSetModel)
#include "tst_usersetmodel.moc"
