#include "KelvaraTest.h"

#include "CommunicationController.h"
#include "DataPaths.h"
#include "Qelo3Server.h"
#include "UpdateHistoryListModel.h"
#include "UpdateHistoryViewController.h"
#include "UpdateRequest.h"
#include "XmlUpdateLogSerializer.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

#include <algorithm>
#include <memory>

namespace {

const QString kUser = QStringLiteral("tester");

// "Typ" marks each entry; the other fields are what the sorts look at.
struct Row
{
    QString typ, date, serial, oldVersion, transfer;
};

QByteArray document(const QList<Row> &rows)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<UpdateRequests Username=\"tester\">\n";
    for (const Row &row : rows) {
        xml += QStringLiteral("<Request Transferstatus=\"%1\" Datetime=\"%2\" AlteSwVersion=\"%3\" NeueSwVersion=\"9\" "
                              "Updatestatus=\"FALSE\" Seriennummer=\"%4\" Typ=\"%5\"/>\n")
                   .arg(row.transfer, row.date, row.oldVersion, row.serial, row.typ)
                   .toUtf8();
    }
    return xml + "</UpdateRequests>\n";
}

QList<Row> numberedRows(int count)
{
    QList<Row> rows;
    const QDateTime first(QDate(2020, 1, 1), QTime(8, 0));
    for (int i = 0; i < count; ++i)
        rows.append({QString::number(i), first.addDays(i).toString(QStringLiteral("yyyy.MM.dd hh:mm")), "1", "1", "TRUE"});
    // Newest in the middle: no rule may rely on the file's order.
    std::rotate(rows.begin(), rows.begin() + count / 2, rows.end());
    return rows;
}

} // namespace

// The update history: entries from the generator's identity, the four sorts,
// the 100-entry rule, and a history file that does not parse.
class tst_UpdateHistory : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CommunicationController> m_communication;
    std::unique_ptr<UpdateHistoryViewController> m_history;

    QString logPath() const { return DataPaths::updateLogPath(kUser); }

    QStringList typs() const
    {
        QStringList result;
        for (const UpdateRequest *request : m_history->entries())
            result << request->Typ;
        return result;
    }

    void load(const QByteArray &xml)
    {
        QVERIFY(KelvaraTest::writeFile(logPath(), xml));
        m_history->loadUpdateHistory(kUser);
    }

    int entriesOnDisk() const
    {
        QList<UpdateRequest *> list;
        XmlUpdateLogSerializer::parseUpdateRequests(logPath(), list);
        const int count = int(list.size());
        qDeleteAll(list);
        return count;
    }

private slots:
    void initTestCase() { KelvaraTest::initializeLogger(); }

    void init()
    {
        KelvaraTest::startSettings(true);
        DataPaths::createUserDirectories(kUser);
        m_communication = std::make_unique<CommunicationController>(nullptr);
        m_history = std::make_unique<UpdateHistoryViewController>(nullptr, m_communication.get(), nullptr);
    }

    void cleanup()
    {
        m_history.reset();
        m_communication.reset();
    }

    void entryFromTheGenerator_data()
    {
        QTest::addColumn<QString>("esbFile");
        QTest::addColumn<bool>("updated");
        QTest::addColumn<bool>("transferred");
        QTest::addColumn<QString>("newVersion");
        QTest::newRow("demo release, both done") << "QELO3_Update_Release_1_4_2__230612_090000.esb" << true << true << "1.4.2";
        QTest::newRow("short name kept whole, nothing done") << "Short.esb" << false << false << "Short.esb";
    }

    void entryFromTheGenerator()
    {
        QFETCH(QString, esbFile);
        QFETCH(bool, updated);
        QFETCH(bool, transferred);
        QFETCH(QString, newVersion);
        m_history->loadUpdateHistory(kUser);
        m_communication->qelo3Server()->setDeviceData(QStringLiteral("OP 4"), QStringLiteral("QELO 3"),
                                                      QStringLiteral("23104711"), QStringLiteral("1.4.1"), QString());
        const QString id = m_history->createUpdateLogEntry(esbFile, updated, transferred);
        QCOMPARE(m_history->entries().size(), 1);
        const UpdateRequest *entry = m_history->entries().first();
        QCOMPARE(entry->id(), id);
        QCOMPARE((QStringList{entry->Transferstatus, entry->AlteSwVersion, entry->NeueSwVersion, entry->Updatestatus,
                              entry->Seriennummer, entry->Typ}),
                 (QStringList{transferred ? "TRUE" : "FALSE", "1.4.1", newVersion, updated ? "TRUE" : "FALSE",
                              "23104711", "QELO 3"}));
        QVERIFY(entry->dateTime().isValid());
        QCOMPARE(m_history->model()->rowCount(), 1);
        QCOMPARE(entriesOnDisk(), 1);
        m_history->setUpdateStatusRole(id, !updated);
        QCOMPARE(entry->Updatestatus, updated ? QStringLiteral("FALSE") : QStringLiteral("TRUE"));
        QVERIFY(KelvaraTest::readFile(logPath()).contains(updated ? "Updatestatus=\"FALSE\"" : "Updatestatus=\"TRUE\""));
    }

    void sorts_data()
    {
        QTest::addColumn<QString>("sort");
        QTest::addColumn<QStringList>("order");
        // Equal keys fall back to the date, newest first.
        QTest::newRow("date") << "datum" << QStringList{"d", "c", "b", "a"};
        QTest::newRow("device, equal serials by date") << "device" << QStringList{"c", "d", "b", "a"};
        QTest::newRow("version, equal versions by date") << "version" << QStringList{"b", "d", "c", "a"};
        QTest::newRow("transfer: successful first, newest first") << "transfer" << QStringList{"d", "a", "c", "b"};
    }

    void sorts()
    {
        QFETCH(QString, sort);
        QFETCH(QStringList, order);
        load(document({{"a", "2023.01.01 10:00", "100", "1.4.0", "TRUE"},
                       {"b", "2023.02.01 10:00", "100", "1.4.2", "FALSE"},
                       {"c", "2023.03.01 10:00", "200", "1.4.0", "FALSE"},
                       {"d", "2023.04.01 10:00", "100", "1.4.1", "TRUE"}}));
        const QString method = QStringLiteral("sortBy") + sort.left(1).toUpper() + sort.mid(1);
        QVERIFY(QMetaObject::invokeMethod(m_history.get(), qPrintable(method)));
        QCOMPARE(typs(), order);
        QCOMPARE(m_history->model()->data(m_history->model()->index(0), UpdateHistoryListModel::UpdateHistoryTypRole)
                     .toString(),
                 order.first());
    }

    void hundredEntries_data()
    {
        QTest::addColumn<int>("inFile");
        QTest::addColumn<bool>("sortFirst");
        QTest::newRow("99: nothing goes") << 99 << false;
        // The earliest date goes, wherever a sort has put it.
        QTest::newRow("100 after a date sort") << 100 << true;
        QTest::newRow("100 unsorted") << 100 << false;
        QTest::newRow("a file of 150 keeps the newest") << 150 << false;
    }

    void hundredEntries()
    {
        QFETCH(int, inFile);
        QFETCH(bool, sortFirst);
        load(document(numberedRows(inFile)));
        QCOMPARE(m_history->entries().size(), qMin(inFile, 100));
        if (sortFirst)
            m_history->sortByDatum();
        m_history->createUpdateLogEntry(QStringLiteral("x.esb"), true, true);
        const int kept = qMin(inFile + 1, 100);
        QCOMPARE(m_history->entries().size(), kept);
        QCOMPARE(entriesOnDisk(), kept);
        // Entries 0 .. inFile - 1 by age; the newest kept - 1 of them remain.
        QStringList remaining = typs();
        remaining.removeAll(QString());
        std::sort(remaining.begin(), remaining.end(), [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
        QCOMPARE(remaining.size(), kept - 1);
        QCOMPARE(remaining.first().toInt(), inFile - (kept - 1));
    }

    void unreadableFileIsKeptAside()
    {
        const QByteArray broken = document({{"a", "2023.01.01 10:00", "1", "1", "TRUE"}}).replace("</UpdateRequests>", "<Request Typ=");
        load(broken);
        QCOMPARE(typs(), QStringList{"a"});
        m_history->createUpdateLogEntry(QStringLiteral("x.esb"), false, true);
        const QStringList aside = QDir(QFileInfo(logPath()).absolutePath())
                                      .entryList({QStringLiteral("UpdateLog.xml.bad-*")}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(KelvaraTest::readFile(QFileInfo(logPath()).absolutePath() + QLatin1Char('/') + aside.first()), broken);
        QCOMPARE(entriesOnDisk(), 2);
        // Only the file that did not parse goes aside, and only once.
        m_history->createUpdateLogEntry(QStringLiteral("y.esb"), false, true);
        QCOMPARE(QDir(QFileInfo(logPath()).absolutePath()).entryList({QStringLiteral("UpdateLog.xml.bad-*")}).size(), 1);
    }

    void idsContinueAcrossLoads()
    {
        load(document({{"a", "2023.01.01 10:00", "1", "1", "TRUE"}}));
        const quint64 first = m_history->entries().first()->id().toULongLong();
        m_history->loadUpdateHistory(kUser);
        QCOMPARE(m_history->entries().first()->id().toULongLong(), first + 1);
        m_history->reset();
        QCOMPARE(m_history->model()->rowCount(), 0);
        QVERIFY(m_history->userName().isEmpty());
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_UpdateHistory)

#include "tst_updatehistory.moc"
