#include "../userset/UserSetTestData.h"
#include "KelvaraTest.h"

#include "AllUserSetsFilterModel.h"
#include "AllUserSetsListModel.h"
#include "DataPaths.h"
#include "UserSet.h"
#include "UserSetStorage.h"

#include <QtCore/QDir>
#include <QtTest/QAbstractItemModelTester>
#include <QtTest/QSignalSpy>

#include <memory>

namespace {

const QString kImages = QStringLiteral("qrc:/Resources/Images/128x128_content-elemente/");

UserSetFileRecord serverRecord(const QString &fileName, bool received)
{
    UserSetFileRecord record;
    record.fileName = fileName;
    record.received = received;
    return record;
}

} // namespace

// The list behind the Copy page: every set of the user under its header,
// filtered on a worker pass, selectable per view.
class tst_AllUserSetsListModel : public QObject
{
    Q_OBJECT

private:
    const QString m_user = QStringLiteral("tester");
    std::unique_ptr<UserSetStorage> m_storage;
    std::unique_ptr<AllUserSetsListModel> m_model;
    std::unique_ptr<AllUserSetsFilterModel> m_filterModel;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
    std::unique_ptr<QAbstractItemModelTester> m_filterTester;

    /// Two general templates, an own template, a download, two server sets
    /// (one of them fetched); the model follows the store from the start.
    void buildStore(int extraServerSets = 0)
    {
        const QByteArray document = UserSetTestData::minimalDocument();
        const auto write = [&](int type, const QString &name) {
            return KelvaraTest::writeFile(
                DataPaths::userSetDirectory(m_user, type) + QLatin1Char('/') + name, document);
        };
        QVERIFY(write(1, QStringLiteral("Q3_Std Set_SN1_240101_120000_V140.xml")));
        QVERIFY(write(1, QStringLiteral("Q3_std set_SN1_240102_120000_V141.xml")));
        QVERIFY(write(2, QStringLiteral("Mine.xml")));
        m_storage->loadAll();
        for (int i = 0; i < extraServerSets; ++i) {
            auto *set = new UserSet(UserSet::HALVO_SERVER_QELO3_DOWNLOAD);
            set->setFileRecord(serverRecord(QStringLiteral("Q3_Server %1_SN5_240106_120000_V4.xml").arg(i), false));
            m_storage->adoptUserSet(set);
        }
        m_model->setStorage(m_storage.get());
        QVERIFY(m_storage->qelo3UserSetReceived(document, QStringLiteral("Q3_Download_SN3_240104_120000_V2.xml")));
        QList<UserSetFileRecord> records { serverRecord(
            QStringLiteral("Q3_Server Std_SN4_240105_120000_V3.xml"), false) };
        m_storage->addServerUserSets(records, UserSet::HALVO_SERVER_GENERAL_TEMPLATE);
        records = { serverRecord(QStringLiteral("Q3_Server Dl_SN5_240106_120000_V4.xml"), true) };
        m_storage->addServerUserSets(records, UserSet::HALVO_SERVER_QELO3_DOWNLOAD);
    }

    int rowOfName(const QString &namePrefix) const
    {
        for (int row = 0; row < m_model->rowCount(); ++row) {
            if (value(row, AllUserSetsListModel::UserSetNameRole).toString().startsWith(namePrefix))
                return row;
        }
        return -1;
    }
    QString idOfName(const QString &namePrefix) const
    {
        return value(rowOfName(namePrefix), AllUserSetsListModel::UserSetIdRole).toString();
    }
    QVariant value(int row, int role) const { return m_model->data(m_model->index(row), role); }

    /// The names (header texts too) of the rows the current view shows.
    QStringList visibleNames() const
    {
        QStringList names;
        for (int row = 0; row < m_model->rowCount(); ++row) {
            if (value(row, AllUserSetsListModel::IsVisibleRole).toBool())
                names << value(row, AllUserSetsListModel::UserSetNameRole).toString().section(QLatin1Char('_'), 0, 0);
        }
        return names;
    }
    QStringList filterModelNames() const
    {
        QStringList names;
        for (int row = 0; row < m_filterModel->rowCount(); ++row)
            names << m_filterModel->index(row, 0)
                         .data(AllUserSetsListModel::UserSetNameRole)
                         .toString()
                         .section(QLatin1Char('_'), 0, 0);
        return names;
    }
    bool waitForPass()
    {
        QSignalSpy finished(m_model.get(), &AllUserSetsListModel::threadFinished);
        return !m_model->isFiltering() || finished.wait(KelvaraTest::timeout(5000));
    }

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        QVERIFY(UserSetTestData::loadBuiltinCatalogue());
    }
    void init()
    {
        QDir(DataPaths::kelvaraRoot() + QStringLiteral("/users")).removeRecursively();
        DataPaths::createUserDirectories(m_user);
        m_storage = std::make_unique<UserSetStorage>();
        m_storage->setUserName(m_user);
        m_model = std::make_unique<AllUserSetsListModel>();
        m_filterModel = std::make_unique<AllUserSetsFilterModel>();
        m_filterModel->setSourceModel(m_model.get());
        m_tester = std::make_unique<QAbstractItemModelTester>(
            m_model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        m_filterTester = std::make_unique<QAbstractItemModelTester>(
            m_filterModel.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        m_model->setMultipleSelectionActive(false);
    }
    void cleanup()
    {
        m_filterTester.reset();
        m_tester.reset();
        m_filterModel.reset();
        m_model.reset();
        m_storage.reset();
    }

    void groupsSortedUnderHeaders()
    {
        buildStore();
        QStringList ids;
        QStringList names;
        for (int row = 0; row < m_model->rowCount(); ++row) {
            ids << value(row, AllUserSetsListModel::UserSetIdRole).toString();
            names << value(row, AllUserSetsListModel::UserSetNameRole).toString().section(QLatin1Char('_'), 0, 0);
        }
        // Fault: sets that arrived after the rebuild were appended at the end instead of into their group.
        const QStringList expected { "STANDARD VORLAGEN", "Std Set", "std set", "EIGENE VORLAGEN", "Mine",
            "QELO 3 DOWNLOADS", "Download", "STANDARD VORLAGEN", "Server Std", "QELO 3 DOWNLOADS", "Server Dl" };
        QCOMPARE(names, expected);
        QCOMPARE(ids.first(), QStringLiteral("#1"));
        QCOMPARE(ids.at(9), QStringLiteral("#5"));
        const int std = rowOfName(QStringLiteral("Std Set"));
        QCOMPARE(value(std, AllUserSetsListModel::UserSetVersionRole).toString(), QStringLiteral("V140"));
        QCOMPARE(value(std, AllUserSetsListModel::UserSetBaseNameRole).toString(),
            QStringLiteral("Q3_Std Set_SN1_240101_120000_V140"));
        QCOMPARE(m_model->roleNames().value(AllUserSetsListModel::IsSelectedRole), QByteArray("isSelectedRole"));
        QCOMPARE(int(AllUserSetsListModel::IsSelectedRole), 271);
    }

    void viewsAndCounts_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("headers");
        QTest::addColumn<int>("sets");
        QTest::addColumn<QStringList>("visible");
        QTest::newRow("no view yet") << int(AllUserSetsListModel::NoView) << 0 << 0 << QStringList();
        QTest::newRow("server view") << 0 << 2 << 2
                                     << QStringList { "STANDARD VORLAGEN", "Server Std", "QELO 3 DOWNLOADS",
                                            "Server Dl" };
        QTest::newRow("local view") << 1 << 3 << 4
                                    << QStringList { "STANDARD VORLAGEN", "Std Set", "std set", "EIGENE VORLAGEN",
                                           "Mine", "QELO 3 DOWNLOADS", "Download" };
        QTest::newRow("second local view") << 2 << 0 << 0
                                           << QStringList { "STANDARD VORLAGEN", "Std Set", "std set",
                                                  "EIGENE VORLAGEN", "Mine", "QELO 3 DOWNLOADS", "Download" };
    }
    // Fault: the server rows counted in the local view's headers and totals.
    void viewsAndCounts()
    {
        QFETCH(int, view);
        QFETCH(int, headers);
        QFETCH(int, sets);
        QFETCH(QStringList, visible);
        buildStore();
        m_model->setView(view);
        QCOMPARE(m_model->view(), view);
        QCOMPARE(m_model->getHeaderCount(), headers);
        QCOMPARE(m_model->getCurrentViewCount(), sets);
        QCOMPARE(visibleNames(), visible);
        QCOMPARE(m_model->getVisibleCount(), int(visible.size()));
        QCOMPARE(filterModelNames(), visible);
    }

    void filterMatchesNames_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("visible");
        const QString std1 = QStringLiteral("STANDARD VORLAGEN");
        const QString own = QStringLiteral("EIGENE VORLAGEN");
        const QString dl = QStringLiteral("QELO 3 DOWNLOADS");
        QTest::newRow("empty filter shows the view")
            << 1 << QString() << QStringList { std1, "Std Set", "std set", own, "Mine", dl, "Download" };
        // Fault: a case-insensitive match let "Std" keep "std set".
        QTest::newRow("case-sensitive") << 1 << "Std" << QStringList { std1, "Std Set", own, dl };
        // Fault: headers were filtered with the sets and the groups vanished.
        QTest::newRow("headers stay") << 1 << "nothing" << QStringList { std1, own, dl };
        QTest::newRow("server view") << 0 << "Dl" << QStringList { std1, dl, "Server Dl" };
        QTest::newRow("second local view") << 2 << "et" << QStringList { std1, "Std Set", "std set", own, dl };
    }
    void filterMatchesNames()
    {
        QFETCH(int, view);
        QFETCH(QString, filter);
        QFETCH(QStringList, visible);
        buildStore();
        m_model->setView(view);
        m_model->setFilter(filter);
        QVERIFY(waitForPass());
        QCOMPARE(m_model->getFilter(), filter);
        QCOMPARE(visibleNames(), visible);
        QCOMPARE(m_model->getVisibleCount(), int(visible.size()));
        QCOMPARE(filterModelNames(), visible);
        // Fault: another view's filter text leaked into this view.
        m_model->setView(view == 0 ? 1 : 0);
        QCOMPARE(m_model->getFilter(), QString());
        QCOMPARE(m_model->getVisibleCount(), view == 0 ? 7 : 4);
        m_model->resetFilter();
        QCOMPARE(m_model->view(), 1);
        QCOMPARE(m_model->getVisibleCount(), 7);
    }

    void successivePassesAgreeWithAFreshFilter_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::newRow("typing on") << QStringList { "S", "St", "Std" };
        QTest::newRow("deleting back") << QStringList { "Std", "St", "" };
        QTest::newRow("neither longer nor shorter") << QStringList { "Std", "td", "set" };
        QTest::newRow("case changes") << QStringList { "s", "st", "St" };
    }
    void successivePassesAgreeWithAFreshFilter()
    {
        QFETCH(QStringList, typed);
        buildStore();
        m_model->setView(1);
        for (const QString &filter : typed) {
            m_model->setFilter(filter);
            QVERIFY(waitForPass());
        }
        // A set that arrives under a filter is filtered like the others.
        const QByteArray document = UserSetTestData::minimalDocument();
        QVERIFY(m_storage->qelo3UserSetReceived(document, QStringLiteral("Q3_Late Std set_SN3_240104_120000_V2.xml")));
        // Fault: a pass that only re-checked the rows the last text had kept
        // took the wrong ones when the new text was not an extension of it.
        const QString last = typed.last();
        QStringList expected;
        for (int row = 0; value(row, AllUserSetsListModel::UserSetIdRole) != QStringLiteral("#4"); ++row) {
            const QString name = value(row, AllUserSetsListModel::UserSetNameRole).toString();
            if (value(row, AllUserSetsListModel::IsHeaderRole).toBool() || name.contains(last))
                expected << name.section(QLatin1Char('_'), 0, 0);
        }
        QCOMPARE(visibleNames(), expected);
        QCOMPARE(filterModelNames(), expected);
    }

    void typingDuringPassAppliesOnlyTheLast()
    {
        buildStore();
        m_model->setView(1);
        QVERIFY(m_model->selectById(idOfName(QStringLiteral("std set"))));
        QSignalSpy started(m_model.get(), &AllUserSetsListModel::threadStarted);
        QSignalSpy finished(m_model.get(), &AllUserSetsListModel::threadFinished);
        QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);
        QSignalSpy selected(m_model.get(), &AllUserSetsListModel::selectedIndexChanged);
        for (const char *typed : { "S", "St", "Sx", "St", "Std" })
            m_model->setFilter(QString::fromLatin1(typed));
        QVERIFY(finished.wait(KelvaraTest::timeout(5000)));
        // Fault: each cancelled keystroke notified its own half-done pass.
        QCOMPARE(started.size(), 1);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(changed.size(), 1);
        const int stdSet = rowOfName(QStringLiteral("std set"));
        QCOMPARE(changed.first().at(0).value<QModelIndex>().row(), stdSet);
        QCOMPARE(changed.first().at(1).value<QModelIndex>().row(), rowOfName(QStringLiteral("Download")));
        QCOMPARE(
            visibleNames(), QStringList({ "STANDARD VORLAGEN", "Std Set", "EIGENE VORLAGEN", "QELO 3 DOWNLOADS" }));
        // Fault: a filtered-out selection kept its old position in the list.
        QCOMPARE(selected.last().at(0).toInt(), -1);
        QCOMPARE(m_model->selectedIndex(), -1);
    }

    void selection_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("byName");
        QTest::addColumn<int>("index");
        QTest::newRow("local set by id") << 1 << "Mine" << false << 4;
        QTest::newRow("local set by name") << 1 << "Mine" << true << 4;
        QTest::newRow("server set by id") << 0 << "Server Dl" << false << 3;
        QTest::newRow("server set is not in the local view") << 1 << "Server Dl" << false << -1;
        QTest::newRow("local set is not in the server view by name") << 0 << "Mine" << true << -1;
    }
    // Fault: a set of the other view could be selected and gave a position in this one.
    void selection()
    {
        QFETCH(int, view);
        QFETCH(QString, name);
        QFETCH(bool, byName);
        QFETCH(int, index);
        buildStore();
        m_model->setView(view);
        const int row = rowOfName(name);
        const bool ok = byName
            ? m_model->selectByName(value(row, AllUserSetsListModel::UserSetNameRole).toString(), view)
            : m_model->selectById(value(row, AllUserSetsListModel::UserSetIdRole).toString());
        QCOMPARE(ok, index >= 0);
        QCOMPARE(m_model->selectedIndex(), index);
        QCOMPARE(value(row, AllUserSetsListModel::IsSelectedRole).toBool(), ok);
        QCOMPARE(m_model->selectedId(), ok ? value(row, AllUserSetsListModel::UserSetIdRole).toString() : QString());
        m_model->clearSelection();
        QCOMPARE(m_model->selectedIndex(), -1);
    }

    void icons_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("multiple");
        QTest::addColumn<bool>("mark");
        QTest::addColumn<QString>("icon");
        QTest::newRow("open header") << 1 << "EIGENE" << false << false << "akkordeon_open.png";
        QTest::newRow("set of another view") << 1 << "Server Std" << false << false << "";
        QTest::newRow("downloaded server set") << 0 << "Server Dl" << false << false << "herunterladen.png";
        QTest::newRow("server set not fetched") << 0 << "Server Std" << false << false << "";
        QTest::newRow("uploaded download") << 1 << "Download" << false << false << "database.png";
        QTest::newRow("own template") << 1 << "Mine" << false << false << "";
        QTest::newRow("check box empty") << 0 << "Server Dl" << true << false << "checkbox_empty.png";
        QTest::newRow("check box ticked") << 1 << "Mine" << true << true << "checkbox_complete.png";
        QTest::newRow("second view shows no set icon") << 2 << "Download" << false << false << "";
        QTest::newRow("second view header") << 2 << "QELO 3" << false << false << "akkordeon_open.png";
    }
    // Fault: status icons showed over check boxes and on rows of another view.
    void icons()
    {
        QFETCH(int, view);
        QFETCH(QString, name);
        QFETCH(bool, multiple);
        QFETCH(bool, mark);
        QFETCH(QString, icon);
        buildStore();
        const QString downloadId = idOfName(QStringLiteral("Download"));
        m_storage->getUserSet(downloadId)->setUploaded(true);
        m_model->refreshUserSet(downloadId);
        m_model->setView(view);
        m_model->setMultipleSelectionActive(multiple);
        QCOMPARE(m_model->isMultipleSelectionActive(), multiple);
        if (mark)
            m_model->toggleMarked(idOfName(name));
        const QString expected = icon.isEmpty() ? QString() : kImages + icon;
        QCOMPARE(value(rowOfName(name), AllUserSetsListModel::IconSourceRole).toString(), expected);
        QCOMPARE(m_model->markedIds(), mark ? QStringList { idOfName(name) } : QStringList());
        m_model->setMultipleSelectionActive(false);
    }

    void headerToggleCollapsesItsGroup()
    {
        buildStore();
        m_model->setView(1);
        QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);
        m_model->toggleHeader(QStringLiteral("#1"));
        const int header = 0;
        QCOMPARE(value(header, AllUserSetsListModel::IconSourceRole).toString(), kImages + "akkordeon_close.png");
        QCOMPARE(visibleNames(),
            QStringList({ "STANDARD VORLAGEN", "EIGENE VORLAGEN", "Mine", "QELO 3 DOWNLOADS", "Download" }));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().at(1).value<QModelIndex>().row(), 2);
        // Fault: a set arriving in a closed group showed up on its own.
        const QByteArray document = UserSetTestData::minimalDocument();
        QVERIFY(KelvaraTest::writeFile(
            DataPaths::userSetDirectory(m_user, 1) + QStringLiteral("/Q3_Added_SN1_240101_120000_V1.xml"), document));
        m_storage->loadAll();
        m_model->rebuild();
        QCOMPARE(m_model->getVisibleCount(), 5);
        m_model->toggleHeader(QStringLiteral("#1"));
        QCOMPARE(m_model->getVisibleCount(), 8);
        QCOMPARE(filterModelNames(), visibleNames());
    }

    void removalDuringPassLeavesNoDanglingRow()
    {
        buildStore(3000);
        m_model->setView(0);
        const QString removed = idOfName(QStringLiteral("Server 17_"));
        QVERIFY(m_model->selectById(removed));
        QSignalSpy selected(m_model.get(), &AllUserSetsListModel::selectedIndexChanged);
        m_model->setFilter(QStringLiteral("Server 1"));
        QVERIFY(m_model->isFiltering());
        // Fault: the store deleted the set while the pass still held its row.
        m_storage->deleteUserSets({ removed });
        QCOMPARE(selected.first().at(0).toInt(), -1);
        QVERIFY(waitForPass());
        QCOMPARE(m_model->selectedId(), QString());
        QCOMPARE(m_model->rowCount(), 5 + 6 + 3000 - 1);
        int visible = 0;
        for (int row = 0; row < m_model->rowCount(); ++row) {
            for (int role = AllUserSetsListModel::UserSetIdRole; role <= AllUserSetsListModel::IsSelectedRole; ++role)
                value(row, role);
            QVERIFY(value(row, AllUserSetsListModel::UserSetIdRole).toString() != removed);
            visible += value(row, AllUserSetsListModel::IsVisibleRole).toBool() ? 1 : 0;
        }
        // "Server 1", "Server 10".."Server 19", "Server 100".."Server 199", "Server 1000".."Server 1999", minus one.
        QCOMPARE(visible, 2 + 1 + 10 + 100 + 1000 - 1);
        QCOMPARE(m_filterModel->rowCount(), visible);
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_AllUserSetsListModel)
#include "tst_allusersetslistmodel.moc"
