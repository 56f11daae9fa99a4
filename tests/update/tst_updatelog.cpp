#include "KelvaraTest.h"

#include "UpdateHistoryListModel.h"
#include "UpdateRequest.h"
#include "XmlUpdateLogSerializer.h"

#include <QtTest/QAbstractItemModelTester>

#include <memory>

namespace {

// One entry's seven attributes in file order.
UpdateRequest *entry(const QStringList &fields)
{
    auto *request = new UpdateRequest;
    request->Transferstatus = fields.value(0);
    request->Datetime = fields.value(1);
    request->AlteSwVersion = fields.value(2);
    request->NeueSwVersion = fields.value(3);
    request->Updatestatus = fields.value(4);
    request->Seriennummer = fields.value(5);
    request->Typ = fields.value(6);
    return request;
}

QStringList fieldsOf(const UpdateRequest *r)
{
    return {r->Transferstatus, r->Datetime, r->AlteSwVersion, r->NeueSwVersion, r->Updatestatus, r->Seriennummer, r->Typ};
}

} // namespace

// The update history's entries, their registry, the "UpdateLog.xml" format
// and the list model.
class tst_UpdateLog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { KelvaraTest::initializeLogger(); }

    void writesTheExactDocument()
    {
        QList<UpdateRequest *> list{entry({"TRUE", "2023.06.12 09:15", "1.4.1", "1.4.2", "FALSE", "23104711", "QELO 3"}),
                                    entry({"FALSE", "2023.06.13 10:00", "", "1.5.0", "FALSE", "1", "T & <x>"})};
        const QByteArray expected =
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
            "<UpdateRequests Username=\"servicé\">\n"
            "    <Request Transferstatus=\"TRUE\" Datetime=\"2023.06.12 09:15\" AlteSwVersion=\"1.4.1\" "
            "NeueSwVersion=\"1.4.2\" Updatestatus=\"FALSE\" Seriennummer=\"23104711\" Typ=\"QELO 3\"/>\n"
            "    <Request Transferstatus=\"FALSE\" Datetime=\"2023.06.13 10:00\" AlteSwVersion=\"\" "
            "NeueSwVersion=\"1.5.0\" Updatestatus=\"FALSE\" Seriennummer=\"1\" Typ=\"T &amp; &lt;x&gt;\"/>\n"
            "</UpdateRequests>\n";
        const QByteArray written = XmlUpdateLogSerializer::write(list, QStringLiteral("servicé"));
        QCOMPARE(written, expected);
        QList<UpdateRequest *> read;
        QVERIFY(XmlUpdateLogSerializer::parseUpdateRequests(written, read));
        QCOMPARE(read.size(), 2);
        for (int i = 0; i < 2; ++i)
            QCOMPARE(fieldsOf(read.at(i)), fieldsOf(list.at(i)));
        qDeleteAll(list);
        qDeleteAll(read);
    }

    void parses_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("firstFields");
        QTest::addColumn<int>("count");
        QTest::newRow("missing attributes read empty") << QByteArray("<UpdateRequests><Request Typ=\"Q\"/></UpdateRequests>")
            << true << QStringList{"", "", "", "", "", "", "Q"} << 1;
        QTest::newRow("other elements are ignored")
            << QByteArray("<Other><X Typ=\"no\"/><Request Datetime=\"d\"/><Requests/></Other>") << true
            << QStringList{"", "d", "", "", "", "", ""} << 1;
        // Entries before the fault stay; the caller decides what to do with the file.
        QTest::newRow("malformed keeps what came before")
            << QByteArray("<UpdateRequests><Request Typ=\"a\"/><Request Typ=\"b\"/><Request Typ=") << false
            << QStringList{"", "", "", "", "", "", "a"} << 2;
        QTest::newRow("empty document is malformed") << QByteArray() << false << QStringList() << 0;
    }

    void parses()
    {
        QFETCH(QByteArray, document);
        QFETCH(bool, ok);
        QFETCH(QStringList, firstFields);
        QFETCH(int, count);
        QList<UpdateRequest *> list;
        QCOMPARE(XmlUpdateLogSerializer::parseUpdateRequests(document, list), ok);
        QCOMPARE(list.size(), count);
        if (count)
            QCOMPARE(fieldsOf(list.first()), firstFields);
        qDeleteAll(list);
    }

    void missingFileIsAnError()
    {
        QList<UpdateRequest *> list;
        QVERIFY(!XmlUpdateLogSerializer::parseUpdateRequests(QStringLiteral("/nonexistent/UpdateLog.xml"), list));
        QVERIFY(KelvaraTest::logContains(QStringLiteral("File /nonexistent/UpdateLog.xml does not exist")));
    }

    void registryFollowsLifetime()
    {
        std::unique_ptr<UpdateRequest> first(new UpdateRequest);
        std::unique_ptr<UpdateRequest> second(new UpdateRequest);
        QCOMPARE(second->id().toULongLong(), first->id().toULongLong() + 1);
        QCOMPARE(UpdateRequest::find(first->id()), first.get());
        const QString gone = first->id();
        first.reset();
        QCOMPARE(UpdateRequest::find(gone), nullptr);
        QVERIFY(KelvaraTest::logContains(QStringLiteral("UpdateRequest Id %1 not found in the InstanceMap").arg(gone)));
        QVERIFY(KelvaraTest::logContains(QStringLiteral("Unknown UpdateRequest Id %1").arg(gone)));
    }

    void statusValues_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("value");
        for (const char *falseText : {"", "0", "false", "FALSE", "False"})
            QTest::newRow(falseText) << QString::fromLatin1(falseText) << false;
        for (const char *trueText : {"TRUE", "1", "yes", "00"})
            QTest::newRow(trueText) << QString::fromLatin1(trueText) << true;
    }

    void statusValues()
    {
        QFETCH(QString, text);
        QFETCH(bool, value);
        QCOMPARE(UpdateRequest::statusValue(text), value);
    }

    void modelRoles()
    {
        UpdateHistoryListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        std::unique_ptr<UpdateRequest> request(entry({"TRUE", "2023.06.12 09:15", "1.4.1", "1.4.2", "false", "42", "Q"}));
        model.append(request.get());
        QCOMPARE(model.rowCount(), 1);
        const QModelIndex index = model.index(0);
        const QHash<int, QByteArray> names = model.roleNames();
        QCOMPARE(names.value(257), QByteArray("updateHistoryIdRole"));
        QCOMPARE(names.value(264), QByteArray("updateHistoryUpdateStatusRole"));
        const QVariantList values{request->id(), "2023.06.12 09:15", "Q", "42", "1.4.1", "1.4.2", true, false};
        for (int role = 257; role <= 264; ++role)
            QCOMPARE(model.data(index, role), values.at(role - 257));
        QVERIFY(!model.data(index, 265).isValid());
        QVERIFY(!model.data(model.index(1), 257).isValid());
        model.clear();
        QCOMPARE(model.rowCount(), 0);
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_UpdateLog)

#include "tst_updatelog.moc"
