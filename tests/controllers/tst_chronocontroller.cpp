#include "KelvaraTest.h"

#include "ChronoFolderEntry.h"
#include "ChronoFolderModel.h"
#include "ChronoViewController.h"
#include "ChronoZip.h"
#include "CommunicationController.h"
#include "DataPaths.h"
#include "NativeFunctionsWrapperWindows.h"

#include <QtCore/QDirIterator>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>
#include <QtTest/QAbstractItemModelTester>
#include <QtTest/QSignalSpy>

#include <zip.h>

// Filing, unpacking, deleting and exporting of the Chrono module, with
// archives built here to break the rules a delivery must keep.
class tst_ChronoController : public QObject
{
    Q_OBJECT

private:
    struct Entry
    {
        QByteArray name;
        QByteArray data;
        /// Unix mode for the external attributes; 0 keeps libzip's default.
        zip_uint32_t mode = 0;
        bool directory = false;
    };

    NativeFunctionsWrapperWindows m_native;
    std::unique_ptr<CommunicationController> m_communication;
    std::unique_ptr<ChronoViewController> m_controller;
    QTemporaryDir m_outside;

    static const QString kUser;

    QString root() const { return m_controller->chronoRoot(); }
    QString scratch() const { return m_controller->scratchFolder(); }

    /// Every file below `directory`, relative to it, sorted.
    static QStringList filesBelow(const QString &directory)
    {
        QStringList files;
        QDirIterator it(directory, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files.append(QDir(directory).relativeFilePath(it.next()));
        files.sort();
        return files;
    }

    static QByteArray makeZip(const QList<Entry> &entries, zip_int32_t method = ZIP_CM_DEFLATE)
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.zip"));
        int error = 0;
        zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE, &error);
        QList<QByteArray> keep;
        for (const Entry &entry : entries) {
            zip_int64_t index;
            if (entry.directory) {
                index = zip_dir_add(archive, entry.name.constData(), 0);
            } else {
                keep.append(entry.data);
                zip_source_t *source = zip_source_buffer(archive, keep.last().constData(), zip_uint64_t(keep.last().size()), 0);
                index = zip_file_add(archive, entry.name.constData(), source, ZIP_FL_OVERWRITE);
                zip_set_file_compression(archive, zip_uint64_t(index), method, 9);
            }
            if (entry.mode)
                zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, entry.mode << 16);
        }
        zip_close(archive);
        return KelvaraTest::readFile(path);
    }

    /// An archive in the user's outside folder, as a user would import it.
    QString archive(const QString &name, const QByteArray &zip)
    {
        const QString path = m_outside.filePath(name);
        KelvaraTest::writeFile(path, zip);
        return path;
    }

    static QByteArray nested(int depth, const QByteArray &name)
    {
        QByteArray zip = makeZip({ { "23104711_231024_081533.flex", "#\nP_ON;231024_081533123\n" } });
        for (int level = 1; level < depth; ++level)
            zip = makeZip({ { name, zip } });
        return zip;
    }

    static const QByteArray kFlex;

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void filing_data();
    void filing();
    void flexDeliveryReplacesLogKeepsFix();
    void archives_data();
    void archives();
    void deleteRules_data();
    void deleteRules();
    void deletingLastFileRemovesFolder();
    void compress();
    void logoutForgetsEverything();
    void waitingEndsWithoutGenerator();
};

const QString tst_ChronoController::kUser = QStringLiteral("tech");
const QByteArray tst_ChronoController::kFlex = "#\nP_ON;231024_081533123\nP_OFF;231024_091533123\n";

void tst_ChronoController::initTestCase()
{
    KelvaraTest::initializeLogger();
    QVERIFY(m_outside.isValid());
}

void tst_ChronoController::init()
{
    KelvaraTest::startSettings(true);
    DataPaths::createUserDirectories(kUser);
    m_communication = std::make_unique<CommunicationController>(&m_native);
    m_controller = std::make_unique<ChronoViewController>(m_communication.get());
    m_controller->setDataRoot(kUser);
}

void tst_ChronoController::cleanup()
{
    m_controller.reset();
    m_communication.reset();
    QDir(m_outside.path()).removeRecursively();
    QDir().mkpath(m_outside.path());
}

void tst_ChronoController::filing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folder");
    QTest::newRow("fix by serial and day") << "23104711_231024_081533.fix" << "23104711 231024";
    QTest::newRow("fix of placeholder serial") << "A0000_231024_081533.fix" << "undefined";
    QTest::newRow("fix without parts") << "device.fix" << "device";
    QTest::newRow("flex by serial and day") << "23104711_231024_081533.flex" << "23104711 231024";
    QTest::newRow("flex of placeholder serial") << "A0000_231024.flex" << "undefined";
    // Fault: a name from the peer made a folder name with characters no file system takes.
    QTest::newRow("unsafe characters dropped") << "#23$10%47_23&1024_x.flex" << "231047 231024";
    QTest::newRow("nothing usable left") << "###_$$$_x.fix" << "undefined";
}

void tst_ChronoController::filing()
{
    QFETCH(QString, name);
    QFETCH(QString, folder);
    QAbstractItemModelTester tester(m_controller->folderModel());
    const QString source = m_outside.filePath(QStringLiteral("in.") + QFileInfo(name).suffix());
    KelvaraTest::writeFile(source, name.endsWith(QLatin1String(".fix")) ? QByteArray("HFT_TOT;3\n") : kFlex);
    const QString path = m_outside.filePath(name);
    QVERIFY(QFile::rename(source, path));
    QVERIFY(m_controller->importChronoFile(path));
    QCOMPARE(filesBelow(root()), QStringList { folder + QLatin1Char('/') + name });
    QCOMPARE(m_controller->folderModel()->rowCount(), 1);
    QCOMPARE(m_controller->folderModel()->entries().constFirst()->parentFolderName(), folder);
    // The user's file stays where it was.
    QVERIFY(QFileInfo::exists(path));
}

void tst_ChronoController::flexDeliveryReplacesLogKeepsFix()
{
    const QString fix = archive(QStringLiteral("23104711_231024_081533.fix"), "HFT_TOT;3\n");
    const QString first = archive(QStringLiteral("23104711_231024_081533.flex"), kFlex);
    const QString second = archive(QStringLiteral("23104711_231024_091533.flex"), kFlex + "P_ON;231024_101533123\n");
    QVERIFY(m_controller->importChronoFile(fix));
    QVERIFY(m_controller->importChronoFile(first));
    QVERIFY(m_controller->importChronoFile(second));
    QCOMPARE(filesBelow(root()), (QStringList { "23104711 231024/23104711_231024_081533.fix",
                                                "23104711 231024/23104711_231024_091533.flex" }));
    QCOMPARE(m_controller->fileService()->selectedFlexFile(), root() + "/23104711 231024/23104711_231024_091533.flex");
    QCOMPARE(m_controller->fileService()->selectedFixFile(), root() + "/23104711 231024/23104711_231024_081533.fix");
}

void tst_ChronoController::archives_data()
{
    QTest::addColumn<QByteArray>("zip");
    QTest::addColumn<QStringList>("filed");
    const QByteArray flexName = "23104711_231024_081533.flex";
    const QStringList one { "23104711 231024/23104711_231024_081533.flex" };
    const QStringList none;

    QTest::newRow("plain delivery") << makeZip({ { flexName, kFlex } }) << one;
    QTest::newRow("zip in a zip") << nested(2, "inner.flex.zip") << one;
    QTest::newRow("depth 3") << nested(3, "inner.zip") << one;
    QTest::newRow("depth 5 refused") << nested(5, "inner.zip") << none;
    // Fault: an inner archive named like the outer one replaced it while it was read.
    QTest::newRow("self-nesting name") << nested(3, "log.flex.zip") << one;
    QTest::newRow("escaping name reduced") << makeZip({ { "../../../" + flexName, kFlex } }) << one;
    QTest::newRow("absolute name reduced") << makeZip({ { "/tmp/" + flexName, kFlex } }) << one;
    QTest::newRow("backslash name reduced") << makeZip({ { "..\\..\\" + flexName, kFlex } }) << one;
    QTest::newRow("directory and link skipped")
        << makeZip({ { "dir/", {}, 0, true }, { "evil.flex", "/etc/passwd", 0120777 }, { flexName, kFlex } }) << one;
    QTest::newRow("only unusable names") << makeZip({ { "a/", {}, 0, true }, { "x/..", kFlex } }) << none;
    QTest::newRow("bomb refused") << makeZip({ { flexName, QByteArray(8 * 1024 * 1024, '\0') } }) << none;
    QList<Entry> many;
    for (int i = 0; i <= ChronoZip::kMaxEntries; ++i)
        many.append({ QByteArray::number(i) + ".txt", "x" });
    QTest::newRow("too many entries refused") << makeZip(many) << none;
    QByteArray damaged = makeZip({ { flexName, kFlex }, { "other.fix", "HFT_TOT;1\n" } }, ZIP_CM_STORE);
    damaged[damaged.indexOf("P_OFF")] = 'X';
    QTest::newRow("CRC error refused") << damaged << none;
    QTest::newRow("not an archive") << QByteArray("PK\x03\x04 nothing") << none;
}

void tst_ChronoController::archives()
{
    QFETCH(QByteArray, zip);
    QFETCH(QStringList, filed);
    QSignalSpy errors(m_controller.get(), &ChronoViewController::chronoError);
    KelvaraTest::writeFile(scratch() + QStringLiteral("/stale.flex"), kFlex);
    const QString path = archive(QStringLiteral("log.flex.zip"), zip);
    QCOMPARE(m_controller->importChronoFile(path), !filed.isEmpty());
    QCOMPARE(filesBelow(root()), filed);
    QCOMPARE(errors.isEmpty(), !filed.isEmpty());
    // Nothing escaped the scratch folder, nothing half-written stays in it,
    // and an earlier delivery's files are not filed with this one.
    const QString user = DataPaths::userPath(kUser, QString());
    const QStringList elsewhere = filesBelow(user).filter(QRegularExpression(
        QStringLiteral("^(?!%1|%2)").arg(QDir(user).relativeFilePath(root()), QDir(user).relativeFilePath(scratch()))));
    QCOMPARE(elsewhere, QStringList());
    const QStringList left = filesBelow(scratch());
    if (filed.isEmpty())
        QCOMPARE(left.filter(QRegularExpression(QStringLiteral("\\.zip$"))), left);
    else
        QCOMPARE(left, QStringList { QFileInfo(filed.constFirst()).fileName() });
    QVERIFY(QFileInfo::exists(path));
}

void tst_ChronoController::deleteRules_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("removed");
    QTest::newRow("stored file") << "folder/a.flex" << true;
    QTest::newRow("file beside the folders") << "b.flex" << false;
    QTest::newRow("file one folder deeper") << "folder/deeper/c.flex" << false;
    QTest::newRow("a folder") << "folder/deeper" << false;
    QTest::newRow("the root") << "." << false;
    QTest::newRow("through the parent") << "folder/../b.flex" << false;
    QTest::newRow("outside the root") << "OUTSIDE" << false;
    QTest::newRow("missing file") << "folder/none.flex" << false;
}

void tst_ChronoController::deleteRules()
{
    QFETCH(QString, target);
    QFETCH(bool, removed);
    for (const char *file : { "folder/a.flex", "b.flex", "folder/deeper/c.flex" })
        KelvaraTest::writeFile(root() + QLatin1Char('/') + QLatin1String(file), kFlex);
    const QString outside = m_outside.filePath(QStringLiteral("user.flex"));
    KelvaraTest::writeFile(outside, kFlex);
    const QString path = target == QLatin1String("OUTSIDE") ? outside : root() + QLatin1Char('/') + target;
    const QStringList before = filesBelow(root());
    QCOMPARE(m_controller->deleteFile(path), removed);
    QCOMPARE(filesBelow(root()).size(), before.size() - (removed ? 1 : 0));
    QVERIFY(QFileInfo::exists(outside));
    QVERIFY(QFileInfo(root()).isDir());
}

void tst_ChronoController::deletingLastFileRemovesFolder()
{
    const QString path = archive(QStringLiteral("23104711_231024_081533.fix"), "HFT_TOT;3\n");
    QVERIFY(m_controller->importChronoFile(path));
    QCOMPARE(m_controller->folderModel()->rowCount(), 1);
    const QString stored = m_controller->folderModel()->entries().constFirst()->absoluteFilePath();
    QVERIFY(m_controller->deleteFile(stored));
    QCOMPARE(m_controller->folderModel()->rowCount(), 0);
    QVERIFY(!QFileInfo::exists(QFileInfo(stored).absolutePath()));
    QVERIFY(m_controller->fileService()->selectedFixFile().isEmpty());
}

void tst_ChronoController::compress()
{
    const QString folder = root() + QStringLiteral("/23104711 231024");
    QDir().mkpath(folder + QStringLiteral("/sub"));
    QSignalSpy errors(m_controller.get(), &ChronoViewController::chronoError);
    // An empty folder gives no archive, and no error either.
    QCOMPARE(m_controller->compressDirectory(folder, m_outside.path()), QString());
    QVERIFY(errors.isEmpty());
    KelvaraTest::writeFile(folder + QStringLiteral("/a.fix"), "HFT_TOT;3\n");
    KelvaraTest::writeFile(folder + QStringLiteral("/a.flex"), kFlex);
    KelvaraTest::writeFile(folder + QStringLiteral("/sub/hidden.flex"), kFlex);
    const QString made = m_controller->compressDirectory(folder, m_outside.path());
    QVERIFY(QFileInfo(made).isFile());
    QVERIFY(QFileInfo(made).fileName().startsWith(QStringLiteral("23104711 231024 Chrono_Files_")));
    const QString check = m_outside.filePath(QStringLiteral("check"));
    QVERIFY(ChronoZip::unpack(made, check));
    QCOMPARE(filesBelow(check), (QStringList { "a.fix", "a.flex" }));
    QCOMPARE(KelvaraTest::readFile(check + QStringLiteral("/a.flex")), kFlex);
    // Fault: a failed export was silent.
    QCOMPARE(m_controller->compressDirectory(folder, m_outside.filePath(QStringLiteral("missing"))), QString());
    QCOMPARE(errors.size(), 1);
}

void tst_ChronoController::logoutForgetsEverything()
{
    QVERIFY(m_controller->importChronoFile(archive(QStringLiteral("23104711_231024_081533.fix"), "HFT_TOT;3\n")));
    QVERIFY(!m_controller->fileService()->fixData()->fixDataStringList().isEmpty());
    m_controller->userHasLoggedOut();
    QCOMPARE(m_controller->folderModel()->rowCount(), 0);
    QVERIFY(m_controller->fileService()->selectedFixFile().isEmpty());
    QVERIFY(m_controller->fileService()->fixData()->fixDataStringList().isEmpty());
    QVERIFY(!m_controller->importChronoFile(archive(QStringLiteral("later.fix"), "HFT_TOT;3\n")));
}

void tst_ChronoController::waitingEndsWithoutGenerator()
{
    // Fault: with no generator the waiting flags held the page until cancelled.
    QSignalSpy fix(m_controller.get(), &ChronoViewController::chronoFixAwaitedChanged);
    QSignalSpy errors(m_controller.get(), &ChronoViewController::chronoError);
    m_controller->getQelo3ChronoListOrFiles();
    QVERIFY(!m_controller->chronoFixAwaited());
    QVERIFY(!m_controller->chronoFlexAwaited());
    QCOMPARE(fix.size(), 2);
    QCOMPARE(errors.size(), 1);
}

KELVARA_TEST_GUILESS_MAIN(tst_ChronoController)
#include "tst_chronocontroller.moc"
