#include "KelvaraTest.h"

#include "../userset/UserSetTestData.h"
#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "InstrumentListModel.h"
#include "ModeData.h"
#include "ModeListModel.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "UserProgram.h"
#include "UserSet.h"

#include <QtTest/QAbstractItemModelTester>
#include <QtTest/QSignalSpy>

#include <memory>

// The two models of the program editor: the parameters of one mode while they
// are edited, and the instruments of one level. Both are what the scenes bind
// to, so roles, limits and change notifications are their interface.
class tst_ProgramEditorModels : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<UserSet> m_set;
    ProgramLevel *m_level = nullptr;

    /// A fresh instrument of `type` in the test level.
    Instrument *instrument(const QString &type)
    {
        auto *added = new Instrument(m_level);
        InstrumentConfiguration::instance()->initializeInstrument(
            added, type, InstrumentConfiguration::instance()->findInstrumentDefinition(type));
        m_level->appendInstrument(added);
        return added;
    }

    static ModeListModel *modeModel(const QString &mode, QObject *parent)
    {
        auto *model = new ModeListModel(parent);
        new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
        model->setDescriptors(
            InstrumentConfiguration::instance()->getModeDataList(mode), mode.startsWith(QLatin1String("CUT")));
        return model;
    }

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        QVERIFY(UserSetTestData::loadBuiltinCatalogue());
    }

    void init()
    {
        m_set = std::make_unique<UserSet>(2);
        auto *group = new ProgramGroup(m_set.get());
        m_set->appendProgramGroup(group);
        auto *program = new UserProgram(group);
        group->appendProgram(program);
        m_level = new ProgramLevel(program);
        program->appendLevel(m_level);
    }

    void cleanup() { m_set.reset(); }

    // ------------------------------------------------------------ ModeListModel

    void modeRowsAndRoleNames_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("showLast");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("off mode has no rows") << "CUT_AUS" << true << 0 << QStringList();
        QTest::newRow("cutM4 with flow") << "CUT_M4" << true << 4
                                         << QStringList { "Effekt", "Dauer", "Intervall", "Flow" };
        QTest::newRow("cutM4 without the last row")
            << "CUT_M4" << false << 3 << QStringList { "Effekt", "Dauer", "Intervall" };
        QTest::newRow("coagM8") << "COAG_M8" << true << 3 << QStringList { "Effekt", "Modulation", "Flow" };
    }

    void modeRowsAndRoleNames()
    {
        QFETCH(QString, mode);
        QFETCH(bool, showLast);
        QFETCH(int, rows);
        QFETCH(QStringList, titles);
        ModeListModel *model = modeModel(mode, this);
        model->setShowLast(showLast);
        QCOMPARE(model->rowCount(), rows);
        QStringList shown;
        for (int row = 0; row < rows; ++row) {
            QCOMPARE(model->data(model->index(row), ModeListModel::IdRole).toInt(), row);
            shown << model->data(model->index(row), ModeListModel::TitleRole).toString();
        }
        QCOMPARE(shown, titles);
        const QHash<int, QByteArray> names = model->roleNames();
        QCOMPARE(names.value(257), QByteArray("idRole"));
        QCOMPARE(names.value(263), QByteArray("valueRole"));
        QCOMPARE(names.value(265), QByteArray("isSwitchRole"));
        delete model;
    }

    // A limit above the descriptor's range once widened what the editor offered.
    void modeLimits_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("row");
        QTest::addColumn<double>("maxCut");
        QTest::addColumn<double>("maxCoag");
        QTest::addColumn<double>("minFlow");
        QTest::addColumn<double>("maxFlow");
        QTest::addColumn<QVariant>("minimum");
        QTest::addColumn<QVariant>("maximum");
        const double unset = ModeListModel::kUnset;
        QTest::newRow("no limits: the descriptor's range")
            << "COAG_M1" << 0 << unset << unset << unset << unset << QVariant(0.1) << QVariant(10.0);
        QTest::newRow("coag effect limit on a coag mode")
            << "COAG_M1" << 0 << unset << 6.0 << unset << unset << QVariant(0.1) << QVariant(6.0);
        QTest::newRow("cut effect limit does not reach a coag mode")
            << "COAG_M1" << 0 << 6.0 << unset << unset << unset << QVariant(0.1) << QVariant(10.0);
        QTest::newRow("cut effect limit on a whole-number cut mode")
            << "CUT_M4" << 0 << 3.0 << unset << unset << unset << QVariant(1) << QVariant(3);
        QTest::newRow("flow limits on the flow row")
            << "COAG_M9" << 1 << unset << unset << 0.2 << 2.0 << QVariant(0.2) << QVariant(2.0);
        // A limit beyond the descriptor must not widen what the generator accepts.
        QTest::newRow("flow limit above the descriptor")
            << "COAG_M9" << 1 << unset << unset << unset << 20.0 << QVariant(0.0) << QVariant(8.0);
        QTest::newRow("effect limit does not reach the flow")
            << "COAG_M9" << 1 << unset << 3.0 << unset << unset << QVariant(0.0) << QVariant(8.0);
    }

    void modeLimits()
    {
        QFETCH(QString, mode);
        QFETCH(int, row);
        QFETCH(double, maxCut);
        QFETCH(double, maxCoag);
        QFETCH(double, minFlow);
        QFETCH(double, maxFlow);
        QFETCH(QVariant, minimum);
        QFETCH(QVariant, maximum);
        std::unique_ptr<ModeListModel> model(modeModel(mode, nullptr));
        model->setMaxCutEffect(maxCut);
        model->setMaxCoagEffect(maxCoag);
        model->setFlowLimits(minFlow, maxFlow);
        QCOMPARE(model->data(model->index(row), ModeListModel::MinValueRole), minimum);
        QCOMPARE(model->data(model->index(row), ModeListModel::MaxValueRole), maximum);
        // Above the maximum and below the minimum, an edit lands on the limit.
        QVERIFY(model->setData(model->index(row), 1000, ModeListModel::ValueRole));
        QCOMPARE(model->data(model->index(row), ModeListModel::ValueRole), maximum);
        QVERIFY(model->setData(model->index(row), -5, ModeListModel::ValueRole));
        QCOMPARE(model->data(model->index(row), ModeListModel::ValueRole), minimum);
        model->resetLimits();
        QCOMPARE(model->maxCoagEffect(), ModeListModel::kUnset);
    }

    void modeValueEdits_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("notifications");
        QTest::newRow("decimal effect") << "COAG_M1" << 0 << int(ModeListModel::ValueRole) << QVariant(3.5) << true
                                        << QVariant(3.5) << 1;
        QTest::newRow("decimal effect rounded to its decimals")
            << "COAG_M1" << 0 << int(ModeListModel::ValueRole) << QVariant(3.54) << true << QVariant(3.5) << 1;
        QTest::newRow("whole number rounded")
            << "CUT_M4" << 1 << int(ModeListModel::ValueRole) << QVariant(2.6) << true << QVariant(3) << 1;
        QTest::newRow("switch on") << "COAG_M2" << 1 << int(ModeListModel::ValueRole) << QVariant(true) << true
                                   << QVariant(1) << 1;
        QTest::newRow("same value: no notification")
            << "COAG_M1" << 0 << int(ModeListModel::ValueRole) << QVariant(1.0) << true << QVariant(1.0) << 0;
        QTest::newRow("text that is no number refused")
            << "COAG_M1" << 0 << int(ModeListModel::ValueRole) << QVariant(QStringLiteral("viel")) << false
            << QVariant(1.0) << 0;
        QTest::newRow("other role refused")
            << "COAG_M1" << 0 << int(ModeListModel::MaxValueRole) << QVariant(2.0) << false << QVariant(1.0) << 0;
        QTest::newRow("row outside refused")
            << "COAG_M1" << 7 << int(ModeListModel::ValueRole) << QVariant(2.0) << false << QVariant() << 0;
    }

    void modeValueEdits()
    {
        QFETCH(QString, mode);
        QFETCH(int, row);
        QFETCH(int, role);
        QFETCH(QVariant, input);
        QFETCH(bool, accepted);
        QFETCH(QVariant, stored);
        QFETCH(int, notifications);
        std::unique_ptr<ModeListModel> model(modeModel(mode, nullptr));
        QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
        QCOMPARE(model->setData(model->index(row), input, role), accepted);
        QCOMPARE(model->value(row), stored);
        QCOMPARE(changed.size(), notifications);
    }

    // Two editors on the same mode once wrote into the shared catalogue
    // descriptors and so into each other.
    void modeValuesStayInTheModel()
    {
        std::unique_ptr<ModeListModel> first(modeModel(QStringLiteral("COAG_M1"), nullptr));
        std::unique_ptr<ModeListModel> second(modeModel(QStringLiteral("COAG_M1"), nullptr));
        first->setValues({ 7.5, 2.0 });
        QCOMPARE(first->values(), (QVariantList { 7.5, 2.0 }));
        QCOMPARE(second->values(), (QVariantList { 1.0, 0.0 }));
        QCOMPARE(
            InstrumentConfiguration::instance()->getModeDataList(QStringLiteral("COAG_M1")).first()->defaultValue(),
            1.0);
    }

    // ------------------------------------------------------- InstrumentListModel

    void instrumentRoles_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("cutMode");
        QTest::addColumn<QString>("aliasType");
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("value");
        const QString images = QStringLiteral("qrc:/Resources/Images/CopyModul/");
        QTest::newRow("258 name without the separator")
            << "MonoMesser" << QString() << QString() << 258 << QVariant(QStringLiteral("StandardMesser"));
        QTest::newRow("259 type") << "MonoMesser" << QString() << QString() << 259
                                  << QVariant(QStringLiteral("MonoMesser"));
        QTest::newRow("260 monopolar type shown with mono")
            << "MonoMesser" << QString() << QString() << 260 << QVariant(QStringLiteral("Knife electrode mono"));
        QTest::newRow("260 bipolar type shown with bipo")
            << "BiPinzette" << QString() << QString() << 260 << QVariant(QStringLiteral("Bipolar forceps bipo"));
        QTest::newRow("260 alias type wins")
            << "MonoMesser" << QString() << "BiPinzette" << 260 << QVariant(QStringLiteral("Bipolar forceps bipo"));
        QTest::newRow("259 effective type is the alias")
            << "MonoMesser" << QString() << "BiPinzette" << 259 << QVariant(QStringLiteral("BiPinzette"));
        QTest::newRow("263 allowed cut mode") << "MonoMesser"
                                              << "CUT_M4" << QString() << 263 << QVariant(QStringLiteral("cutM4 I"));
        QTest::newRow("263 cut mode the type does not allow")
            << "MonoMesser"
            << "CUT_M7" << QString() << 263 << QVariant(QStringLiteral("no sync"));
        QTest::newRow("263 unknown type") << "Unbekannt"
                                          << "CUT_M1" << QString() << 263 << QVariant(QStringLiteral("no sync"));
        QTest::newRow("263 gas instrument's cut mode")
            << "ArgonMesser"
            << "CUT_M1" << QString() << 263 << QVariant(QStringLiteral("cutM1 argon"));
        QTest::newRow("267 effect with the flow of a gas instrument")
            << "ArgonMesser" << QString() << QString() << 267 << QVariant(QStringLiteral("30 / AUS/1.2"));
        QTest::newRow("272 first activation image")
            << "MonoMesser" << QString() << QString() << 272
            << QVariant(images + "Aktivierungselemente/aktivierungsart_weiss_hand.png");
        QTest::newRow("274 no third activation image")
            << "MonoMesser" << QString() << QString() << 274 << QVariant(QString());
        QTest::newRow("277 EVX allowed") << "MonoMesser" << QString() << QString() << 277 << QVariant(true);
        QTest::newRow("277 EVX not allowed") << "ThermoSeal" << QString() << QString() << 277 << QVariant(false);
        QTest::newRow("278 image") << "MonoMesser" << QString() << QString() << 278
                                   << QVariant(images + "Instrumente/instrument_weiss_monopolar_messer.png");
        QTest::newRow("278 unknown type has no image") << "Unbekannt" << QString() << QString() << 278 << QVariant();
    }

    void instrumentRoles()
    {
        QFETCH(QString, type);
        QFETCH(QString, cutMode);
        QFETCH(QString, aliasType);
        QFETCH(int, role);
        QFETCH(QVariant, value);
        Instrument *added = instrument(type);
        added->setName(QStringLiteral("Standard®Messer"));
        if (!cutMode.isEmpty())
            added->cut().setSelektierterMode(cutMode);
        if (!aliasType.isEmpty())
            added->setAlias(aliasType, QStringLiteral("Zange"));
        InstrumentListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.addInstrument(added);
        QCOMPARE(model.data(model.index(0), role), value);
    }

    void instrumentRoleNames()
    {
        InstrumentListModel model;
        const QHash<int, QByteArray> names = model.roleNames();
        QCOMPARE(names.size(), 23);
        QCOMPARE(names.value(257), QByteArray("instrumentIdRole"));
        QCOMPARE(names.value(272), QByteArray("instrumentActivationImage1Role"));
        QCOMPARE(names.value(276), QByteArray("coagM6CountRole"));
        QCOMPARE(names.value(279), QByteArray("instrumentParentId"));
    }

    void coagM6Count_data()
    {
        QTest::addColumn<QStringList>("coagModes");
        QTest::addColumn<int>("changeRow");
        QTest::addColumn<QString>("changeTo");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("two COAG_M6, one leaves") << QStringList { "COAG_M6", "COAG_M6" } << 1 << "COAG_M1" << 2 << 1;
        QTest::newRow("one joins") << QStringList { "COAG_M6", "COAG_M3" } << 1 << "COAG_M6" << 1 << 2;
        QTest::newRow("none") << QStringList { "COAG_M1", "COAG_M3" } << 0 << "COAG_M4" << 0 << 0;
    }

    void coagM6Count()
    {
        QFETCH(QStringList, coagModes);
        QFETCH(int, changeRow);
        QFETCH(QString, changeTo);
        QFETCH(int, before);
        QFETCH(int, after);
        InstrumentListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QList<Instrument *> added;
        for (const QString &mode : coagModes) {
            added << instrument(QStringLiteral("MonoKugel"));
            added.last()->coag().setSelektierterMode(mode);
            model.addInstrument(added.last());
        }
        for (int row = 0; row < model.rowCount(); ++row)
            QCOMPARE(model.data(model.index(row), InstrumentListModel::CoagM6CountRole).toInt(), before);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        added.at(changeRow)->coag().setSelektierterMode(changeTo);
        // The editor names the row it saw, which need not be the model's row.
        added.at(changeRow)->touch(99);
        QCOMPARE(model.coagM6Count(), after);
        for (int row = 0; row < model.rowCount(); ++row)
            QCOMPARE(model.data(model.index(row), InstrumentListModel::CoagM6CountRole).toInt(), after);
        QVERIFY(!changed.isEmpty());
        const int firstRow = changed.first().at(0).value<QModelIndex>().row();
        QCOMPARE(firstRow, before == after ? changeRow : 0);
    }

    // A deleted instrument once stayed in the level's model as a dangling row.
    void deletedInstrumentLeavesItsRow()
    {
        InstrumentListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        Instrument *first = instrument(QStringLiteral("MonoKugel"));
        Instrument *second = instrument(QStringLiteral("MonoKugel"));
        first->coag().setSelektierterMode(QStringLiteral("COAG_M6"));
        second->coag().setSelektierterMode(QStringLiteral("COAG_M6"));
        model.setInstruments({ first, second });
        QCOMPARE(model.coagM6Count(), 2);
        const QString secondId = second->id();
        m_level->removeInstrumentAt(0);
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.data(model.index(0), InstrumentListModel::InstrumentIdRole).toString(), secondId);
        QCOMPARE(model.coagM6Count(), 1);
        m_set.reset();
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(!model.data(model.index(0), InstrumentListModel::InstrumentIdRole).isValid());
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_ProgramEditorModels)
#include "tst_programeditormodels.moc"
