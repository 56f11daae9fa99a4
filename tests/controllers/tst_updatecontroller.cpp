#include "KelvaraTest.h"

#include "DataPaths.h"
#include "FileTransfer.h"
#include "ProtocolTypes.h"
#include "StringListElement.h"
#include "StringListModel.h"
#include "TranslationService.h"
#include "UpdateViewController.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtTest/QSignalSpy>

#include <memory>

namespace {

const QString kUser = QStringLiteral("tester");
const QString kDemo = QStringLiteral("QELO3_Update_Release_1_4_2__230612_090000.esb");
const QByteArray kDescription = "[de]\nVersion=1.4.2\nHint=Hinweis, mit Komma\n[en]\nVersion=1.4.2\nHint=Hint\n";

QStringList rows(const StringListModel *model, bool downloadedFlag = false)
{
    QStringList result;
    for (const StringListElement *element : model->elements()) {
        result << element->id() + QLatin1Char('|') + element->text() + QLatin1Char('|')
                      + QString::number(downloadedFlag ? element->isDownloaded() : element->isSelected());
    }
    return result;
}

} // namespace

// The Update controller on its own: folders, overviews, selection, deletion,
// stored descriptions, imports and the refusals of transfers that cannot start.
class tst_UpdateController : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TranslationService> m_translation;
    std::unique_ptr<UpdateViewController> m_controller;

    QString local(const QString &name = QString()) const { return m_controller->localFolder() + QLatin1Char('/') + name; }
    QString server(const QString &name = QString()) const { return m_controller->serverFolder() + QLatin1Char('/') + name; }

    void putPair(const QString &folder, const QString &esb, const QByteArray &container = "esc")
    {
        QVERIFY(KelvaraTest::writeFile(folder + esb, kDescription));
        QVERIFY(KelvaraTest::writeFile(folder + UpdateViewController::containerName(esb), container));
    }

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        m_translation = std::make_unique<TranslationService>();
    }

    void init()
    {
        KelvaraTest::startSettings(true);
        DataPaths::createUserDirectories(kUser);
        m_controller = std::make_unique<UpdateViewController>(nullptr, nullptr, m_translation.get());
        m_controller->onUserLoggedIn(kUser);
    }

    void cleanup() { m_controller.reset(); }

    void overviewsShowBothFolders()
    {
        putPair(local(), QStringLiteral("Z_local.esb"));
        putPair(local(), kDemo);
        QVERIFY(KelvaraTest::writeFile(server(kDemo), kDescription));
        QVERIFY(KelvaraTest::writeFile(server(QStringLiteral("A_B_C_1_5_0_a_231020_120000.esb")), kDescription));
        m_controller->reload();
        QCOMPARE(rows(m_controller->localOverview()),
                 (QStringList{kDemo + "|QELO3 1.4.2 230612_090000|0", "Z_local.esb|Z_local|0"}));
        // A server update whose description is here already is marked downloaded.
        QCOMPARE(rows(m_controller->serverOverview(), true),
                 (QStringList{"A_B_C_1_5_0_a_231020_120000.esb|A 1.5.0a 231020_120000|0",
                              kDemo + "|QELO3 1.4.2 230612_090000|1"}));
        QVERIFY(m_translation->switchLanguage(QStringLiteral("Deutsch")));
        QCOMPARE(m_controller->getDetailHint(kDemo, true), QStringLiteral("Hinweis, mit Komma"));
        QCOMPARE(m_controller->getDetailVersion(kDemo, false), QStringLiteral("1.4.2"));
        QCOMPARE(m_controller->getDetailVersion(QStringLiteral("Z_local.esb"), true), QString());
        m_controller->reset();
        QCOMPARE(m_controller->localOverview()->rowCount(), 0);
        QCOMPARE(m_controller->serverOverview()->rowCount(), 0);
    }

    void selection_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("selected");
        for (const char *yes : {"true", "TRUE", "True", "1"})
            QTest::newRow(yes) << QString::fromLatin1(yes) << true;
        for (const char *no : {"false", "yes", "", "2"})
            QTest::newRow(no) << QString::fromLatin1(no) << false;
    }

    void selection()
    {
        QFETCH(QString, text);
        QFETCH(bool, selected);
        putPair(local(), kDemo);
        m_controller->reload();
        m_controller->setSelected(kDemo, QStringLiteral("true"));
        m_controller->setSelected(kDemo, text);
        QCOMPARE(m_controller->localOverview()->elementAt(0)->isSelected(), selected);
        m_controller->setSelected(QStringLiteral("unknown.esb"), QStringLiteral("true"));
        QCOMPARE(m_controller->localOverview()->rowCount(), 1);
    }

    void deleteRemovesBothFilesOfTheSelected()
    {
        putPair(local(), kDemo);
        putPair(local(), QStringLiteral("kept.esb"));
        m_controller->reload();
        m_controller->setSelected(kDemo, QStringLiteral("1"));
        m_controller->deleteSelectedUpdates();
        QVERIFY(!QFileInfo::exists(local(kDemo)));
        QVERIFY(!QFileInfo::exists(local(UpdateViewController::containerName(kDemo))));
        QVERIFY(QFileInfo::exists(local(QStringLiteral("kept.esc"))));
        QCOMPARE(m_controller->localOverview()->rowCount(), 1);
    }

    void serverDescriptions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("stored");
        QTest::newRow("plain .esb name") << kDemo << true;
        // Each of these would write beside or outside the server folder.
        QTest::newRow("folder part") << "../" + kDemo << false;
        QTest::newRow("absolute") << "/tmp/x.esb" << false;
        QTest::newRow("not a description") << "x.esc" << false;
        QTest::newRow("only the ending") << ".esb" << false;
        QTest::newRow("empty") << QString() << false;
    }

    void serverDescriptions()
    {
        QFETCH(QString, name);
        QFETCH(bool, stored);
        const FileTransfer message(1, false, FileType::FirmwareDescription, QString(), name, 0, kDescription, 0);
        QCOMPARE(m_controller->storeServerDescription(message), stored);
        QCOMPARE(QDir(m_controller->serverFolder()).entryList(QDir::Files).size(), stored ? 1 : 0);
        QCOMPARE(QDir(m_controller->localFolder()).entryList(QDir::Files).size(), 0);
        QCOMPARE(m_controller->serverOverview()->rowCount(), stored ? 1 : 0);
        if (!stored)
            QVERIFY(KelvaraTest::logContains(QStringLiteral("dropped description \"%1\"").arg(name)));
    }

    void import_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("withContainer");
        QTest::addColumn<bool>("blockDescription");
        QTest::addColumn<bool>("imported");
        QTest::newRow("pair") << kDemo << true << false << true;
        // Rewriting every "esb" would look for "Tesc_1.esc".
        QTest::newRow("esb inside the stem") << "Tesb_1.esb" << true << false << true;
        QTest::newRow("upper-case ending") << "UPPER.ESB" << true << false << true;
        QTest::newRow("no container") << kDemo << false << false << false;
        // The container went first and is taken back when the description fails.
        QTest::newRow("description cannot be copied") << kDemo << true << true << false;
    }

    void import()
    {
        QFETCH(QString, name);
        QFETCH(bool, withContainer);
        QFETCH(bool, blockDescription);
        QFETCH(bool, imported);
        const QString source = QDir::tempPath() + QStringLiteral("/tst_updatecontroller/");
        QDir(source).removeRecursively();
        putPair(source, name, "container");
        if (!withContainer)
            QFile::remove(source + UpdateViewController::containerName(name));
        if (blockDescription)
            QVERIFY(QDir().mkpath(local(name) + QStringLiteral(".part")));
        QCOMPARE(m_controller->importQelo3FirmwareUpdate(source + name), imported);
        QCOMPARE(QFileInfo::exists(local(name)), imported);
        QCOMPARE(QFileInfo::exists(local(UpdateViewController::containerName(name))), imported);
        if (imported)
            QCOMPARE(KelvaraTest::readFile(local(UpdateViewController::containerName(name))), QByteArray("container"));
        QCOMPARE(m_controller->localOverview()->rowCount(), imported ? 1 : 0);
        QDir(source).removeRecursively();
    }

    void transfersThatCannotStart_data()
    {
        QTest::addColumn<bool>("upload");
        QTest::addColumn<bool>("filesThere");
        QTest::addColumn<int>("refusal");
        QTest::newRow("upload of a missing update") << true << false << int(UpdateViewController::NotFound);
        QTest::newRow("upload without a generator") << true << true << int(UpdateViewController::NoConnection);
        QTest::newRow("download of an unknown update") << false << false << int(UpdateViewController::NotFound);
        QTest::newRow("download without a server") << false << true << int(UpdateViewController::NoConnection);
    }

    void transfersThatCannotStart()
    {
        QFETCH(bool, upload);
        QFETCH(bool, filesThere);
        QFETCH(int, refusal);
        if (filesThere) {
            putPair(local(), kDemo);
            QVERIFY(KelvaraTest::writeFile(server(kDemo), kDescription));
        }
        QSignalSpy refused(m_controller.get(), &UpdateViewController::transferRefused);
        QVERIFY(!(upload ? m_controller->uploadToQelo3(kDemo) : m_controller->downloadFromServer(kDemo)));
        QCOMPARE(refused.size(), 1);
        QCOMPARE(refused.first().at(0).toInt(), refusal);
        QCOMPARE(m_controller->lastRefusal(), refusal);
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_UpdateController)

#include "tst_updatecontroller.moc"
