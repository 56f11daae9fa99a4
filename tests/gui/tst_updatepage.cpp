#include "GuiFixture.h"
#include "KelvaraTest.h"
#include "UpdateHistoryViewController.h"
#include "UpdateRequest.h"

#include <QtQuick/QQuickItem>

#include <algorithm>
#include <QtTest/QTest>

namespace {

const QString kLocal = QStringLiteral("QELO3_Update_Release_1_4_2__230612_090000.esb");
const QString kServerOnly = QStringLiteral("QELO3_Update_Release_1_5_0_a_231020_120000.esb");

} // namespace

// The Update page on the real controllers: which transfers the user's
// rights allow, and the dialogs that record an upload's result.
class tst_UpdatePage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GuiFixture> m_gui;

    bool enabled(const QString &name) const
    {
        const QQuickItem *item = m_gui->findItem(name);
        return item && item->isEnabled();
    }

private slots:
    void initTestCase() { GuiFixture::prepareTestCase(); }

    void init()
    {
        m_gui = GuiFixture::start();
        QVERIFY(m_gui->loadMainWindow());
        m_gui->fillUpdateDemo();
        m_gui->logIn();
        m_gui->setPage(4);
        QTRY_VERIFY_WITH_TIMEOUT(m_gui->page() && m_gui->page()->objectName() == QLatin1String("UpdatePage"),
                                 KelvaraTest::timeout(5000));
    }

    void cleanup()
    {
        const QStringList warnings = GuiFixture::finish(m_gui);
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    }

    void rightsGateTheTransfers_data()
    {
        QTest::addColumn<bool>("deviceRight");
        QTest::addColumn<bool>("serverRight");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<bool>("upload");
        QTest::addColumn<bool>("download");
        QTest::addColumn<bool>("import");
        QTest::newRow("both rights, server update") << true << true << kServerOnly << false << true << true;
        QTest::newRow("both rights, local update") << true << true << kLocal << true << false << true;
        QTest::newRow("server right only") << false << true << kServerOnly << false << true << false;
        QTest::newRow("server right only, local update") << false << true << kLocal << false << false << false;
        QTest::newRow("generator right only") << true << false << kServerOnly << false << false << true;
        QTest::newRow("no transfer right") << false << false << kLocal << false << false << false;
    }

    void rightsGateTheTransfers()
    {
        QFETCH(bool, deviceRight);
        QFETCH(bool, serverRight);
        QFETCH(QString, selection);
        QFETCH(bool, upload);
        QFETCH(bool, download);
        QFETCH(bool, import);
        m_gui->loginViewController()->setProperty("isAllowedUpdateDeviceFiletransferWithStk", deviceRight);
        m_gui->loginViewController()->setProperty("isAllowedUpdateServerFiletransferWithStk", serverRight);
        QVERIFY(QMetaObject::invokeMethod(m_gui->page(), "select", Q_ARG(QVariant, selection),
                                          Q_ARG(QVariant, selection), Q_ARG(QVariant, selection == kServerOnly)));
        QCOMPARE(enabled(QStringLiteral("uploadButton")), upload);
        QCOMPARE(enabled(QStringLiteral("downloadButton")), download);
        QCOMPARE(enabled(QStringLiteral("importButton")), import);
    }

    // Fault: a refused upload must not look like a running one.
    void refusedUploadSaysWhy()
    {
        QVERIFY(QMetaObject::invokeMethod(m_gui->page(), "select", Q_ARG(QVariant, kLocal), Q_ARG(QVariant, kLocal),
                                          Q_ARG(QVariant, false)));
        m_gui->showDialog(QStringLiteral("Qelo3UpdatePageDialog"));
        QVERIFY(m_gui->click(QStringLiteral("acceptButton")));
        // The fixture's generator link is not connected.
        QTRY_COMPARE(m_gui->dialogName(), QStringLiteral("InformationDialog"));
        const QQuickItem *message = m_gui->findItem(QStringLiteral("message"));
        QVERIFY(message);
        QVERIFY(message->property("text").toString().startsWith(QStringLiteral("Es besteht keine Verbindung")));
    }

    void uploadResultReachesTheHistory_data()
    {
        QTest::addColumn<bool>("transferred");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("button");
        QTest::newRow("transferred and installed") << true << true << "acceptButton";
        QTest::newRow("transferred, not installed") << true << false << "cancelButton";
        QTest::newRow("transfer failed") << false << false << "acceptButton";
    }

    void uploadResultReachesTheHistory()
    {
        QFETCH(bool, transferred);
        QFETCH(bool, installed);
        QFETCH(QString, button);
        UpdateHistoryViewController *history = m_gui->updateHistoryViewController();
        const qsizetype before = history->entries().size();
        m_gui->showDialog(QStringLiteral("UpdateQelo3UploadDialog"), QVariantList{kServerOnly, transferred});
        QVERIFY(m_gui->click(button));
        QTRY_COMPARE(history->entries().size(), before + 1);
        // The newest id; the history page sorts the list when it comes up.
        const UpdateRequest *entry = *std::max_element(history->entries().cbegin(), history->entries().cend(),
            [](const UpdateRequest *a, const UpdateRequest *b) { return a->id().toULongLong() < b->id().toULongLong(); });
        QCOMPARE(entry->NeueSwVersion, QStringLiteral("1.5.0"));
        QCOMPARE(entry->Transferstatus, UpdateRequest::statusText(transferred));
        QCOMPARE(entry->Updatestatus, UpdateRequest::statusText(installed));
        QTRY_VERIFY(m_gui->page()->property("showHistory").toBool());

        // The history dialog sets the installation result afterwards.
        m_gui->showDialog(QStringLiteral("UpdateHistoryDialog"), entry->id());
        QVERIFY(m_gui->click(installed ? QStringLiteral("failedButton") : QStringLiteral("installedButton")));
        QTRY_COMPARE(entry->Updatestatus, UpdateRequest::statusText(!installed));
    }
};

KELVARA_TEST_MAIN(tst_UpdatePage)

#include "tst_updatepage.moc"
