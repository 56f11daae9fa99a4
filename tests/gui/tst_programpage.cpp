#include "CopyViewController.h"
#include "GuiFixture.h"
#include "InstrumentListModel.h"
#include "KelvaraTest.h"
#include "ProgramViewController.h"
#include "StringListModel.h"
#include "ProgramGroup.h"
#include "UserProgram.h"
#include "UserSet.h"
#include "UserSetStorage.h"

#include <QtCore/QAbstractItemModel>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtQuickTest/quicktest.h>
#include <QtTest/QTest>

enum { PageCopy = 3 };
enum { IdRole = 257, TextRole = 258 };
enum { CoagModeRole = InstrumentListModel::InstrumentCoagModeRole,
       CoagEffectRole = InstrumentListModel::InstrumentCoagEffectRole };

// The program editor's page and dialogs on the real controllers and the
// general-surgery template: opened from the edit page, driven by mouse and
// keyboard, and left by going back or by cancelling.
class tst_ProgramPage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GuiFixture> m_gui;
    QString m_setId;

    ProgramViewController *program() const { return m_gui->programViewController(); }
    CopyViewController *copy() const { return m_gui->copyViewController(); }
    QQuickWindow *window() const { return m_gui->window(); }

    QQuickItem *item(const QString &name) const
    {
        QQuickTest::qWaitForPolish(window());
        return m_gui->findItem(name);
    }

    // The first visible item named `name` below the item named `parentName`.
    QQuickItem *findIn(const QString &parentName, const QString &name) const
    {
        QQuickItem *parent = item(parentName);
        QList<QQuickItem *> pending = parent ? parent->childItems() : QList<QQuickItem *>();
        while (!pending.isEmpty()) {
            QQuickItem *child = pending.takeFirst();
            if (child->objectName() == name && child->isVisible())
                return child;
            pending += child->childItems();
        }
        return nullptr;
    }

    // The levels of the set's first program as the store holds them.
    int storedLevelCount() const
    {
        const QList<UserSet *> sets = m_gui->userSetStorage()->userSets(UserSet::GENERAL_TEMPLATE);
        for (const UserSet *set : sets) {
            if (set->id() == m_setId)
                return set->programGroups().first()->programs().first()->levels().size();
        }
        return -1;
    }

    int depth() const { return m_gui->page()->property("depth").toInt(); }
    QObject *programPage() const { return m_gui->page()->property("programPage").value<QObject *>(); }
    QAbstractItemModel *levels() const { return program()->programLevelList(); }

    QAbstractItemModel *instruments(int levelRow = 0) const
    {
        return program()->getInstrumentListForLevel(levels()->index(levelRow, 0).data(IdRole).toString());
    }

    QString firstInstrument(int role) const { return instruments()->index(0, 0).data(role).toString(); }

    void typeText(const QString &text)
    {
        for (const QChar character : text)
            QTest::keyClick(window(), character.toLatin1());
    }

    void key(Qt::Key key) { QTest::keyClick(window(), key); }

    // The general-surgery template, its first group and first program, in
    // the editor.
    void openProgram()
    {
        QVERIFY(m_gui->loadMainWindow());
        m_gui->logIn();
        m_gui->setPage(PageCopy);
        const QList<UserSet *> sets = m_gui->userSetStorage()->userSets(UserSet::GENERAL_TEMPLATE);
        for (const UserSet *set : sets) {
            if (set->fileName().startsWith(QLatin1String("Q3_Allgemeinchirurgie")))
                m_setId = set->id();
        }
        QVERIFY(m_gui->click(item(QStringLiteral("userSet_") + m_setId)));
        QVERIFY(m_gui->click(item(QStringLiteral("openButton"))));
        QVERIFY(m_gui->click(item(QStringLiteral("editButton"))));
        QVERIFY(!item(QStringLiteral("openProgramButton"))->isEnabled());
        QVERIFY(m_gui->click(item(QStringLiteral("editProgram_0"))));
        QVERIFY(m_gui->click(item(QStringLiteral("openProgramButton"))));
        QCOMPARE(depth(), 4);
        QVERIFY(programPage());
        QCOMPARE(program()->getUserSetId(), m_setId);
        QVERIFY(levels()->rowCount() > 0);
        QVERIFY(instruments()->rowCount() > 0);
    }

    // Opens the dialog behind `button` and checks it is the expected one.
    void openDialog(const QString &button, const QString &dialog)
    {
        QVERIFY2(m_gui->click(item(button)), qPrintable(button));
        QCOMPARE(m_gui->dialogName(), dialog);
    }

private slots:
    void initTestCase() { GuiFixture::prepareTestCase(); }

    void init()
    {
        m_gui = GuiFixture::start();
    }

    void cleanup()
    {
        const QStringList warnings = GuiFixture::finish(m_gui);
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    }

    // Fault: the page showed the levels of the model but the rows of
    // another level, or lost the images the catalogue names.
    void showsTheProgramsLevelsAndInstruments()
    {
        openProgram();
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(programPage()->property("levels").value<QObject *>()->property("count").toInt(),
                 levels()->rowCount());
        QCOMPARE(programPage()->property("instrumentRows").value<QObject *>()->property("count").toInt(),
                 instruments()->rowCount());
        QQuickItem *image = findIn(QStringLiteral("instrument_0"), QStringLiteral("instrumentImage"));
        QVERIFY(image);
        QTRY_COMPARE(image->property("status").toInt(), 1); // Image.Ready
        QVERIFY(item(QStringLiteral("programName"))->property("text").toString().contains(program()->programName()));
    }

    // The name dialogs: Enter accepts what was typed, Escape leaves all as it was.
    void nameDialogs_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<int>("levelDelta");
        QTest::addColumn<QString>("programName");
        QTest::newRow("new level, Enter") << "addLevelButton" << "AddLevelDialog" << true << 1 << QString();
        QTest::newRow("new level, Escape") << "addLevelButton" << "AddLevelDialog" << false << 0 << QString();
        QTest::newRow("program name, Enter") << "renameProgramButton" << "RenameProgramDialog" << true << 0
                                             << "Neu";
        QTest::newRow("program name, Escape") << "renameProgramButton" << "RenameProgramDialog" << false << 0
                                              << QString();
    }

    void nameDialogs()
    {
        QFETCH(QString, button);
        QFETCH(QString, dialog);
        QFETCH(bool, accept);
        QFETCH(int, levelDelta);
        QFETCH(QString, programName);
        openProgram();
        if (QTest::currentTestFailed())
            return;
        const int levelCount = levels()->rowCount();
        const QString name = program()->programName();
        openDialog(button, dialog);
        // The rename starts from the current name; typing replaces it.
        QTest::keySequence(window(), QKeySequence::SelectAll);
        typeText(QStringLiteral("Neu"));
        key(accept ? Qt::Key_Return : Qt::Key_Escape);
        QVERIFY(m_gui->dialogName().isEmpty());
        QCOMPARE(levels()->rowCount(), levelCount + levelDelta);
        QCOMPARE(program()->programName(), programName.isEmpty() ? name : programName);
        if (levelDelta > 0) {
            QCOMPARE(levels()->index(levelCount, 0).data(TextRole).toString(), QStringLiteral("Neu"));
            QTRY_VERIFY(item(QStringLiteral("levelTab_%1").arg(levelCount)));
        }
        QCOMPARE(copy()->isUserSetModified(m_setId), accept);
    }

    // Fault: a new instrument reached only the level it was added from, so
    // the levels' slots no longer lined up.
    void addInstrumentDialogAddsToEveryLevel()
    {
        openProgram();
        if (QTest::currentTestFailed())
            return;
        QList<int> counts;
        for (int level = 0; level < levels()->rowCount(); ++level)
            counts << instruments(level)->rowCount();
        QVERIFY(item(QStringLiteral("addInstrumentButton"))->isEnabled());
        openDialog(QStringLiteral("addInstrumentButton"), QStringLiteral("AddInstrumentDialog"));
        QObject *catalogue = m_gui->dialog()->findChild<QObject *>(QStringLiteral("catalogueList"));
        QVERIFY(catalogue);
        const QString type = catalogue->property("selectedId").toString();
        QVERIFY(!type.isEmpty());
        key(Qt::Key_Return);
        QVERIFY(m_gui->dialogName().isEmpty());
        for (int level = 0; level < levels()->rowCount(); ++level) {
            QAbstractItemModel *model = instruments(level);
            QCOMPARE(model->rowCount(), counts.at(level) + 1);
            QCOMPARE(model->index(counts.at(level), 0).data(InstrumentListModel::InstrumentTypeRole).toString(), type);
        }
    }

    // Fault: the sub-instrument chosen with a new instrument was lost, or
    // went to an instrument that was there before.
    void addInstrumentWithSubInstrument_data()
    {
        QTest::addColumn<bool>("withTheInstrument");
        QTest::newRow("chosen with the instrument") << true;
        QTest::newRow("added with the row's button") << false;
    }

    void addInstrumentWithSubInstrument()
    {
        QFETCH(bool, withTheInstrument);
        openProgram();
        if (QTest::currentTestFailed())
            return;
        const int count = instruments()->rowCount();
        openDialog(QStringLiteral("addInstrumentButton"), QStringLiteral("AddInstrumentDialog"));
        QObject *catalogue = m_gui->dialog()->findChild<QObject *>(QStringLiteral("catalogueList"));
        QVERIFY(catalogue);
        catalogue->setProperty("selectedId", QStringLiteral("MultiElektrode"));
        if (withTheInstrument)
            QVERIFY(m_gui->click(item(QStringLiteral("withSubInstrumentOption"))));
        key(Qt::Key_Return);
        QVERIFY(m_gui->dialogName().isEmpty());
        QCOMPARE(instruments()->rowCount(), count + 1);
        const QString added = instruments()->index(count, 0).data(IdRole).toString();
        QCOMPARE(program()->getListOfSubinstruments(added).size(), withTheInstrument ? 1 : 0);
        if (!withTheInstrument) {
            QTRY_VERIFY(findIn(QStringLiteral("instrument_%1").arg(count), QStringLiteral("addSubInstrumentButton")));
            QVERIFY(m_gui->click(findIn(QStringLiteral("instrument_%1").arg(count),
                                        QStringLiteral("addSubInstrumentButton"))));
            QCOMPARE(m_gui->dialogName(), QStringLiteral("AddSubInstrumentDialog"));
            key(Qt::Key_Return);
            QVERIFY(m_gui->dialogName().isEmpty());
        }
        const QStringList subs = program()->getListOfSubinstruments(added);
        QCOMPARE(subs.size(), 1);
        const QString subType = program()->getSubInstrumentListForInstrument(added)->index(0, 0)
                                    .data(InstrumentListModel::InstrumentTypeRole).toString();
        QVERIFY(program()->isSubInstrument(subType, subs.first()));
        for (int row = 0; row < count; ++row)
            QVERIFY(program()->getListOfSubinstruments(instruments()->index(row, 0).data(IdRole).toString()).isEmpty());
        QTRY_VERIFY(item(QStringLiteral("subInstrument_0")));
    }

    // Fault: the mode menu showed the modes but the choice never reached
    // the instrument.
    void modeDialogSetsTheChosenMode()
    {
        openProgram();
        if (QTest::currentTestFailed())
            return;
        const QString before = firstInstrument(CoagModeRole);
        QVERIFY(m_gui->click(findIn(QStringLiteral("instrument_0"), QStringLiteral("coagModeButton"))));
        QCOMPARE(m_gui->dialogName(), QStringLiteral("ModeDialog"));
        QObject *list = m_gui->dialog()->findChild<QObject *>(QStringLiteral("modeList"));
        QVERIFY(list);
        QCOMPARE(list->property("selectedId").toString(), before);
        key(before == QLatin1String("COAG_AUS") ? Qt::Key_Down : Qt::Key_Up);
        const QString chosen = list->property("selectedId").toString();
        QVERIFY(chosen != before);
        key(Qt::Key_Return);
        QVERIFY(m_gui->dialogName().isEmpty());
        QCOMPARE(firstInstrument(CoagModeRole), chosen);
        QVERIFY(copy()->isUserSetModified(m_setId));
    }

    // Fault: a chosen rate missed the instrument or its row's button, or Escape set it anyway.
    void rateDialogSetsTheRate_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("role");
        QTest::addColumn<bool>("accept");
        const int evx = InstrumentListModel::InstrumentEvxValueRole;
        const int irx = InstrumentListModel::InstrumentIrxValueRole;
        QTest::newRow("EVX, Enter") << "evxValueButton" << evx << true;
        QTest::newRow("EVX, Escape") << "evxValueButton" << evx << false;
        QTest::newRow("IRX, Enter") << "irxValueButton" << irx << true;
        QTest::newRow("IRX, Escape") << "irxValueButton" << irx << false;
    }

    void rateDialogSetsTheRate()
    {
        QFETCH(QString, button);
        QFETCH(int, role);
        QFETCH(bool, accept);
        openProgram();
        if (QTest::currentTestFailed())
            return;
        // The first instrument that EVX applies to.
        int row = 0;
        while (row < instruments()->rowCount()
               && !instruments()->index(row, 0).data(InstrumentListModel::InstrumentCanHaveEvxRole).toBool())
            ++row;
        QVERIFY(row < instruments()->rowCount());
        const QString before = instruments()->index(row, 0).data(role).toString();
        QQuickItem *rate = findIn(QStringLiteral("instrument_%1").arg(row), button);
        QVERIFY(rate);
        QCOMPARE(rate->property("text").toString(), before);
        QVERIFY(m_gui->click(rate));
        QCOMPARE(m_gui->dialogName(), QStringLiteral("RateDialog"));
        QObject *list = m_gui->dialog()->findChild<QObject *>(QStringLiteral("rateList"));
        QVERIFY(list);
        // The current rate is preselected; one the menu lacks (a set's "0")
        // starts from the menu's first value.
        const auto *menu = list->property("model").value<StringListModel *>();
        QVERIFY(menu);
        QCOMPARE(list->property("selectedId").toString(),
                 menu->indexOf(before) >= 0 ? before : menu->index(0, 0).data(IdRole).toString());
        // Down, or Up from the last value.
        key(Qt::Key_Down);
        if (list->property("selectedId").toString() == before)
            key(Qt::Key_Up);
        const QString chosen = list->property("selectedId").toString();
        QVERIFY(chosen != before);
        key(accept ? Qt::Key_Return : Qt::Key_Escape);
        QVERIFY(m_gui->dialogName().isEmpty());
        QCOMPARE(instruments()->index(row, 0).data(role).toString(), accept ? chosen : before);
        QTRY_COMPARE(rate->property("text").toString(), accept ? chosen : before);
        QCOMPARE(copy()->isUserSetModified(m_setId), accept);
    }

    // The value picker writes on OK only: cancelling leaves the effect.
    void valuePickerWritesOnAcceptOnly_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("accepted") << true;
        QTest::newRow("cancelled") << false;
    }

    void valuePickerWritesOnAcceptOnly()
    {
        QFETCH(bool, accept);
        openProgram();
        if (QTest::currentTestFailed())
            return;
        const QString before = firstInstrument(CoagEffectRole);
        QVERIFY(!before.isEmpty());
        QVERIFY(m_gui->click(findIn(QStringLiteral("instrument_0"), QStringLiteral("coagEffectButton"))));
        QCOMPARE(m_gui->dialogName(), QStringLiteral("ValuePicker"));
        QQuickItem *increase = nullptr;
        for (QQuickItem *candidate : m_gui->allItems()) {
            if (candidate->objectName() == QLatin1String("increaseButton") && candidate->isVisible()
                    && candidate->isEnabled()) {
                increase = candidate;
                break;
            }
        }
        QVERIFY(increase);
        QVERIFY(m_gui->click(increase));
        key(accept ? Qt::Key_Return : Qt::Key_Escape);
        QVERIFY(m_gui->dialogName().isEmpty());
        QCOMPARE(firstInstrument(CoagEffectRole) != before, accept);
        QCOMPARE(copy()->isUserSetModified(m_setId), accept);
    }

    // Fault: a dialog of the editor failed to load or bind its parameters
    // (a warning), or changed the set although the user escaped it.
    void dialogsOpenFromThePageAndEscape_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("next");
        const QString first = QStringLiteral("instrument_0");
        QTest::newRow("rename and type") << first << "instrumentName" << "EditInstrumentDialog" << QString();
        QTest::newRow("type choice") << first << "instrumentName" << "EditInstrumentDialog" << "changeTypeLink";
        QTest::newRow("activation") << first << "activationButton" << "InstrumentActivationDialog" << QString();
        QTest::newRow("cut mode") << first << "cutModeButton" << "ModeDialog" << QString();
        QTest::newRow("level name") << "levelTab_0" << "renameLevelButton" << "AddLevelDialog" << QString();
        QTest::newRow("new instrument") << "ProgrammPage" << "addInstrumentButton" << "AddInstrumentDialog" << QString();
    }

    void dialogsOpenFromThePageAndEscape()
    {
        QFETCH(QString, row);
        QFETCH(QString, button);
        QFETCH(QString, dialog);
        QFETCH(QString, next);
        openProgram();
        if (QTest::currentTestFailed())
            return;
        QVERIFY(m_gui->click(findIn(row, button)));
        QCOMPARE(m_gui->dialogName(), dialog);
        if (!next.isEmpty()) {
            QVERIFY(m_gui->click(item(next)));
            QCOMPARE(m_gui->dialogName(), QStringLiteral("ChooseTypeDialog"));
            QVERIFY(m_gui->dialog()->property("type").toString() == firstInstrument(InstrumentListModel::InstrumentTypeRole));
        }
        key(Qt::Key_Escape);
        QVERIFY(m_gui->dialogName().isEmpty());
        QVERIFY(!copy()->isUserSetModified(m_setId));
    }

    // A type change in a program of several levels asks for which of them;
    // "this level only" leaves the other levels' instrument as it was. The
    // new type takes sub-instruments where the old one did not, or the
    // reverse.
    void typeChangeAsksForTheLevels_data()
    {
        QTest::addColumn<bool>("allLevels");
        QTest::newRow("this level") << false;
        QTest::newRow("all levels") << true;
    }

    void typeChangeAsksForTheLevels()
    {
        QFETCH(bool, allLevels);
        openProgram();
        if (QTest::currentTestFailed())
            return;
        QVERIFY(levels()->rowCount() > 1);
        const QString before = instruments(1)->index(0, 0).data(InstrumentListModel::InstrumentTypeRole).toString();
        m_gui->showDialog(QStringLiteral("ChooseTypeDialog"),
                          QVariantList{firstInstrument(InstrumentListModel::InstrumentTypeRole),
                                       firstInstrument(IdRole), levels()->index(0, 0).data(TextRole)});
        QObject *types = m_gui->dialog()->findChild<QObject *>(QStringLiteral("typeList"));
        QVERIFY(types);
        // A type that differs from the old one in taking sub-instruments.
        const QString id = firstInstrument(IdRole);
        const QString type = firstInstrument(InstrumentListModel::InstrumentTypeRole);
        QString chosen;
        for (const QString &candidate : program()->getNonIOSKInstrumentsList(program()->isMonopolarId(id))) {
            if (chosen.isEmpty() && program()->hasSubInstrument(candidate) != program()->hasSubInstrument(type))
                chosen = candidate;
        }
        QVERIFY(!chosen.isEmpty());
        types->setProperty("selectedId", chosen);
        QQuickItem *addSub = findIn(QStringLiteral("instrument_0"), QStringLiteral("addSubInstrumentButton"));
        QVERIFY(addSub);
        QCOMPARE(addSub->isEnabled(), program()->hasSubInstrument(type));
        key(Qt::Key_Return);
        QCOMPARE(m_gui->dialogName(), QStringLiteral("AliasQuestionDialog"));
        if (allLevels)
            QVERIFY(m_gui->click(item(QStringLiteral("allLevelsButton"))));
        else
            key(Qt::Key_Return);
        QVERIFY(m_gui->dialogName().isEmpty());
        QCOMPARE(firstInstrument(InstrumentListModel::InstrumentTypeRole), chosen);
        QCOMPARE(instruments(1)->index(0, 0).data(InstrumentListModel::InstrumentTypeRole).toString(),
                 allLevels ? chosen : before);
        // Fault: the add-sub-instrument button kept the answer for the type
        // its row was built with.
        QTRY_COMPARE(addSub->isEnabled(), program()->hasSubInstrument(chosen));
    }

    // Fault: switching on one pedal kind left the exclusive others set, or
    // the switch-off of the old one cleared the new one again.
    void activationDialogSwitchesExclusively_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("accepted") << true;
        QTest::newRow("escaped") << false;
    }

    void activationDialogSwitchesExclusively()
    {
        QFETCH(bool, accept);
        openProgram();
        if (QTest::currentTestFailed())
            return;
        const auto images = [this] {
            QStringList names;
            for (int role = InstrumentListModel::InstrumentActivationImage1Role;
                 role <= InstrumentListModel::InstrumentActivationImage3Role; ++role)
                names << firstInstrument(role).section(QLatin1Char('/'), -1);
            return names;
        };
        const QStringList before = images();
        QVERIFY(before.contains(QStringLiteral("aktivierungsart_weiss_1FuS.png")));
        QVERIFY(m_gui->click(findIn(QStringLiteral("instrument_0"), QStringLiteral("activationButton"))));
        QCOMPARE(m_gui->dialogName(), QStringLiteral("InstrumentActivationDialog"));
        QVERIFY(m_gui->click(item(QStringLiteral("activation_ACTIVATION_2FUSS"))));
        QVERIFY(!item(QStringLiteral("activation_ACTIVATION_1FUSS"))->property("checked").toBool());
        key(accept ? Qt::Key_Return : Qt::Key_Escape);
        QVERIFY(m_gui->dialogName().isEmpty());
        const QStringList after = images();
        QCOMPARE(after.contains(QStringLiteral("aktivierungsart_weiss_2FuS.png")), accept);
        QCOMPARE(after.contains(QStringLiteral("aktivierungsart_weiss_1FuS.png")), !accept);
        QCOMPARE(after.contains(QStringLiteral("aktivierungsart_weiss_2FuS_CUT.png")),
                 before.contains(QStringLiteral("aktivierungsart_weiss_2FuS_CUT.png")) && !accept);
    }

    // Fault: a move named the wrong neighbour, so the rows stayed or jumped.
    void movesSwapNeighbours_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("levels");
        QTest::newRow("instrument down") << "instrument_0" << "moveDownButton" << false;
        QTest::newRow("instrument up") << "instrument_1" << "moveUpButton" << false;
        QTest::newRow("level right") << "levelTab_0" << "moveLevelRightButton" << true;
    }

    void movesSwapNeighbours()
    {
        QFETCH(QString, row);
        QFETCH(QString, button);
        QFETCH(bool, levels);
        openProgram();
        if (QTest::currentTestFailed())
            return;
        const auto ids = [&] {
            QAbstractItemModel *model = levels ? this->levels() : instruments();
            return QStringList{model->index(0, 0).data(IdRole).toString(), model->index(1, 0).data(IdRole).toString()};
        };
        const QStringList before = ids();
        QVERIFY(m_gui->click(findIn(row, button)));
        QCOMPARE(ids(), (QStringList{before.at(1), before.at(0)}));
        QVERIFY(copy()->isUserSetModified(m_setId));
    }

    // Back keeps the edits for the edit page's save; cancel discards them
    // after the question, and leaves the set as its file holds it.
    void leavingTheEditor_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("depthAfter");
        QTest::addColumn<bool>("modifiedAfter");
        QTest::newRow("back") << "backToEditButton" << false << 3 << true;
        QTest::newRow("cancel, confirmed") << "cancelProgramButton" << true << 2 << false;
        QTest::newRow("cancel, kept editing") << "cancelProgramButton" << false << 4 << true;
    }

    void leavingTheEditor()
    {
        QFETCH(QString, button);
        QFETCH(bool, confirm);
        QFETCH(int, depthAfter);
        QFETCH(bool, modifiedAfter);
        openProgram();
        if (QTest::currentTestFailed())
            return;
        const int levelCount = levels()->rowCount();
        openDialog(QStringLiteral("addLevelButton"), QStringLiteral("AddLevelDialog"));
        typeText(QStringLiteral("Extra"));
        key(Qt::Key_Return);
        QVERIFY(copy()->isUserSetModified(m_setId));
        QVERIFY(m_gui->click(item(button)));
        if (button == QLatin1String("cancelProgramButton")) {
            QCOMPARE(m_gui->dialogName(), QStringLiteral("CancelEditDialog"));
            key(confirm ? Qt::Key_Return : Qt::Key_Escape);
        }
        QTRY_COMPARE(depth(), depthAfter);
        QCOMPARE(copy()->isUserSetModified(m_setId), modifiedAfter);
        QCOMPARE(storedLevelCount(), modifiedAfter ? levelCount + 1 : levelCount);
    }
};

QTEST_MAIN(tst_ProgramPage)
#include "tst_programpage.moc"
