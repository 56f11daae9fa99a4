#include "KelvaraTest.h"

#include "DataPaths.h"
#include "FileSystem.h"
#include "ResourceHelper.h"
#include "Settings.h"
#include "UserSettings.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

class tst_DataPaths : public QObject
{
    Q_OBJECT

private:
    QString usersRoot() const { return DataPaths::kelvaraRoot() + QStringLiteral("/users/"); }

    enum Writer { CredentialsCache, Configuration, BuiltinCopy, UserSettingsFile, UserTree, SavedFile };

    static int unixMode(const QString &path)
    {
        const QFileDevice::Permissions p = QFileInfo(path).permissions();
        const QFileDevice::Permission bits[] = {QFileDevice::ReadOwner, QFileDevice::WriteOwner, QFileDevice::ExeOwner,
                                                QFileDevice::ReadGroup, QFileDevice::WriteGroup, QFileDevice::ExeGroup,
                                                QFileDevice::ReadOther, QFileDevice::WriteOther, QFileDevice::ExeOther};
        int mode = 0;
        for (QFileDevice::Permission bit : bits)
            mode = (mode << 1) | (p.testFlag(bit) ? 1 : 0);
        return mode;
    }

    static void write(Writer writer)
    {
        const QString anna = QStringLiteral("anna");
        switch (writer) {
        case CredentialsCache:
            QVERIFY(Settings::setValue(QStringLiteral("Credentials/anna"), QStringLiteral("anna|x|ADMIN")));
            break;
        case Configuration:
            QVERIFY(Settings::setValue(QStringLiteral("Preferences/Language"), QStringLiteral("Deutsch")));
            break;
        case BuiltinCopy:
            ResourceHelper::copyFile(ResourceHelper::getResourcePath(QStringLiteral("Resources/Config/")),
                                     DataPaths::appDir(), QStringLiteral("AuthorizationMatrix"));
            break;
        case UserSettingsFile:
            UserSettings(anna).setValue(QStringLiteral("UserSettings/Language"), QStringLiteral("Deutsch"));
            break;
        case UserTree:
            DataPaths::prepareUserTree(anna);
            break;
        case SavedFile:
            // As the user-set store does it: the directory first, then the file.
            QVERIFY(DataPaths::ensureDirectory(DataPaths::userSetDirectory(anna, 2)));
            QVERIFY(FileSystem::saveByteArrayToFile(DataPaths::userSetDirectory(anna, 2) + QStringLiteral("/a.xml"), "<x/>"));
            break;
        }
    }

private slots:
    void initTestCase() { KelvaraTest::initializeLogger(); }
    void init() { QDir(usersRoot()).removeRecursively(); }

    void dataTreeIsBelowTheTestDocuments()
    {
        // Test mode must keep every test away from the real documents folder.
        QVERIFY(DataPaths::documentsPath().contains(QStringLiteral(".qttest")));
        QCOMPARE(DataPaths::appDir(), DataPaths::documentsPath() + QStringLiteral("/Kelvara/application"));
        QCOMPARE(DataPaths::applicationLogPath(), DataPaths::appDir() + QStringLiteral("/KelvaraLog.txt"));
        QCOMPARE(DataPaths::authorizationMatrixPath(), DataPaths::appDir() + QStringLiteral("/AuthorizationMatrix"));
    }

    void userPathMatchesCaseInsensitively_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("userName");
        QTest::addColumn<QString>("subPath");
        QTest::addColumn<QString>("expected");
        QTest::newRow("existing lower-case directory is used") << QStringList{"jdoe"} << "JDoe" << "kelvara_logFiles" << "jdoe/kelvara_logFiles";
        QTest::newRow("no directory: the name as given") << QStringList{} << "JDoe" << "x" << "JDoe/x";
        QTest::newRow("other users do not match") << QStringList{"jdoe2", "ajdoe"} << "jdoe" << "" << "jdoe/";
        QTest::newRow("first spelling keeps the directory") << QStringList{"MaxM"} << "maxm" << "a/b" << "MaxM/a/b";
    }

    void userPathMatchesCaseInsensitively()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, userName);
        QFETCH(QString, subPath);
        QFETCH(QString, expected);
        for (const QString &dir : existing)
            QVERIFY(QDir().mkpath(usersRoot() + dir));
        QCOMPARE(DataPaths::userPath(userName, subPath), usersRoot() + expected);
    }

    void userSetDirectories_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("general template") << 1 << "device_dataFiles/QELO3/copy/local_copy_recommendedSetting";
        QTest::newRow("user template") << 2 << "device_dataFiles/QELO3/copy/local_user_templates";
        QTest::newRow("generator download") << 3 << "device_dataFiles/QELO3/copy/local_downloads";
        QTest::newRow("server template") << 4 << "device_dataFiles/QELO3/copy/temp_server_copy_recommendedSetting";
        QTest::newRow("server download") << 5 << "device_dataFiles/QELO3/copy/temp_server_downloads";
        QTest::newRow("unknown type zero") << 0 << "";
        QTest::newRow("unknown type six") << 6 << "";
    }

    void userSetDirectories()
    {
        QFETCH(int, type);
        QFETCH(QString, suffix);
        const QString dir = DataPaths::userSetDirectory(QStringLiteral("anna"), type);
        QCOMPARE(dir, suffix.isEmpty() ? QString() : usersRoot() + QStringLiteral("anna/") + suffix);
    }

    void createUserDirectoriesMakesTheWholeTree()
    {
        DataPaths::createUserDirectories(QStringLiteral("anna"));
        for (const QString &sub : DataPaths::userSubDirectories())
            QVERIFY2(QFileInfo(DataPaths::userPath(QStringLiteral("anna"), sub)).isDir(), qPrintable(sub));
        QCOMPARE(DataPaths::userSubDirectories().size(), 23);
    }

    void everythingWrittenIsPrivate_data()
    {
        QTest::addColumn<int>("writer");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("leftOpen");
        const QString app = QStringLiteral("application/");
        const QString user = QStringLiteral("users/anna/");
        QTest::newRow("credentials cache") << int(CredentialsCache) << app + "Credentials.ini" << false;
        QTest::newRow("credentials cache left open") << int(CredentialsCache) << app + "Credentials.ini" << true;
        QTest::newRow("configuration") << int(Configuration) << app + "KelvaraConfig.ini" << false;
        QTest::newRow("configuration left open") << int(Configuration) << app + "KelvaraConfig.ini" << true;
        QTest::newRow("rights matrix from the resources") << int(BuiltinCopy) << app + "AuthorizationMatrix" << false;
        QTest::newRow("rights matrix left open") << int(BuiltinCopy) << app + "AuthorizationMatrix" << true;
        QTest::newRow("user settings") << int(UserSettingsFile) << user + "UserSettings.ini" << false;
        QTest::newRow("user settings left open") << int(UserSettingsFile) << user + "UserSettings.ini" << true;
        QTest::newRow("catalogue copied at login") << int(UserTree) << user + "release_region/copy_configFiles/kelvara_copy_instruments_230515_000000_V140.ini" << false;
        QTest::newRow("user set") << int(SavedFile) << user + "device_dataFiles/QELO3/copy/local_user_templates/a.xml" << false;
        QTest::newRow("user set left open") << int(SavedFile) << user + "device_dataFiles/QELO3/copy/local_user_templates/a.xml" << true;
    }

    void everythingWrittenIsPrivate()
    {
        // Fault: the tree was open to every local account, which rewrote the credentials cache and the rights matrix.
#ifndef Q_OS_UNIX
        QSKIP("modes are a Unix matter; Windows only clears the read-only flag");
#endif
        QFETCH(int, writer);
        QFETCH(QString, file);
        QFETCH(bool, leftOpen);
        KelvaraTest::resetDataTree();
        const QString root = DataPaths::kelvaraRoot();
        const QString path = root + QLatin1Char('/') + file;
        if (leftOpen) {
            // As an older version left it: every level open to everyone.
            QVERIFY(KelvaraTest::writeFile(path, QByteArray()));
            for (QString dir = QFileInfo(path).path(); dir.startsWith(root); dir = QFileInfo(dir).path())
                QVERIFY(QFile::setPermissions(dir, QFileDevice::Permissions(0x7777)));
            QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions(0x6666)));
        }
        Settings::destroy();
        Settings::create(root);
        write(Writer(writer));
        Settings::destroy();

        QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
        QCOMPARE(QString::number(unixMode(path), 8), QStringLiteral("600"));
        for (QString dir = QFileInfo(path).path(); dir.startsWith(root); dir = QFileInfo(dir).path())
            QCOMPARE(dir + QLatin1Char(' ') + QString::number(unixMode(dir), 8), dir + QStringLiteral(" 700"));
        if (writer == UserTree) {
            for (const QString &sub : DataPaths::userSubDirectories())
                QCOMPARE(sub + QLatin1Char(' ') + QString::number(unixMode(DataPaths::userPath(QStringLiteral("anna"), sub)), 8),
                         sub + QStringLiteral(" 700"));
            QCOMPARE(QString::number(unixMode(DataPaths::tempDir()), 8), QStringLiteral("700"));
        }
    }

    void privateRuleCoversOnlyTheTree()
    {
        // Exports go where the user chose; the private rule is the data tree's.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("export/a.xml"));
        QVERIFY(!FileSystem::isInDataTree(path));
        QVERIFY(FileSystem::isInDataTree(DataPaths::appDir()));
        QVERIFY(!FileSystem::isInDataTree(DataPaths::kelvaraRoot() + QStringLiteral("x/y")));
    }

    void latestFile_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("expected");
        QTest::newRow("case-insensitive sort, last wins") << QStringList{"b_210215.xml", "A_230101.xml"} << "b_210215.xml";
        QTest::newRow("date stamps pick the newest") << QStringList{"list_210215.xml", "list_230515.xml"} << "list_230515.xml";
        QTest::newRow("empty directory") << QStringList{} << "";
        QTest::newRow("no matching file") << QStringList{"a.ini", "b.txt"} << "";
    }

    void latestFile()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        for (const QString &name : files)
            QVERIFY(KelvaraTest::writeFile(dir.filePath(name), "x"));
        QDir(dir.path()).mkdir(QStringLiteral("z_directory.xml")); // directories never count
        const QString result = DataPaths::latestFile(dir.path(), {QStringLiteral("*.xml")});
        QCOMPARE(result, expected.isEmpty() ? QString() : dir.path() + QLatin1Char('/') + expected);
    }

    void fileNameOf_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("backslash wins over slash") << "C:\\data/x\\y.ini" << "y.ini";
        QTest::newRow("slash") << "a/b.ini" << "b.ini";
        QTest::newRow("bare name") << "c.ini" << "c.ini";
        QTest::newRow("trailing separator") << "a/b/" << "";
    }

    void fileNameOf()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(FileSystem::fileNameOf(path), expected);
    }

    // clang-format off
    void safeFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("plain name kept") << "set_231115.xml" << true;
        QTest::newRow("blank and dots inside kept") << "UserSet 1.flex.zip" << true;
        // Pins: hostile names were repaired into another file instead of refused.
        QTest::newRow("parent traversal") << "../x.xml" << false;
        QTest::newRow("folder part") << "a/b.xml" << false;
        QTest::newRow("windows traversal") << "..\\..\\x.xml" << false;
        QTest::newRow("absolute path") << "/etc/passwd" << false;
        QTest::newRow("windows drive") << "C:\\x.xml" << false;
        QTest::newRow("drive without folder") << "C:x.xml" << false;
        QTest::newRow("dot-dot alone") << ".." << false;
        QTest::newRow("dot alone") << "." << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("trailing slash") << "dir/" << false;
        QTest::newRow("line break") << "a\nb.xml" << false;
        QTest::newRow("carriage return at the end") << "x.xml\r" << false;
        QTest::newRow("NUL") << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b.xml")) << false;
        QTest::newRow("escape character") << "a\x1b[2Jb.xml" << false;
        QTest::newRow("reserved character") << "what?.xml" << false;
        QTest::newRow("trailing dot aliases another file on Windows") << "x.xml." << false;
        QTest::newRow("device name") << "NUL.xml" << false;
        QTest::newRow("longest name") << QString(251, QLatin1Char('n')) + QStringLiteral(".xml") << true;
        QTest::newRow("one past the longest name") << QString(252, QLatin1Char('n')) + QStringLiteral(".xml") << false;
    }
    // clang-format on

    void safeFileName()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QCOMPARE(DataPaths::safeFileName(name), accepted ? name : QString());
    }

    void saveShrinksAndReplacesAtomically()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("f.bin"));
        QVERIFY(FileSystem::saveByteArrayToFile(path, QByteArray(100, 'a')));
        QVERIFY(FileSystem::saveByteArrayToFile(path, QByteArray(10, 'b')));
        QCOMPARE(KelvaraTest::readFile(path), QByteArray(10, 'b'));
        // Writing into a folder that does not exist fails and says so.
        QVERIFY(!FileSystem::saveByteArrayToFile(dir.filePath(QStringLiteral("missing/f.bin")), "x"));
        QVERIFY(KelvaraTest::logContains(QStringLiteral("ERROR FileSystem::saveByteArrayToFile: file.open() failed")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("f.bin")});
    }

    // clang-format off
    void copyFile_data()
    {
        QTest::addColumn<QString>("source"); // relative to the test folder; "." is the folder itself
        QTest::addColumn<bool>("copied");
        QTest::newRow("onto itself refused, file untouched") << "t.txt" << false;
        QTest::newRow("missing source keeps the target") << "nothing" << false;
        QTest::newRow("unreadable source keeps the target") << "unreadable" << false;
        QTest::newRow("a directory as source keeps the target") << "." << false;
        QTest::newRow("readable source replaces the target") << "s.txt" << true;
    }
    // clang-format on

    void copyFile()
    {
        QFETCH(QString, source);
        QFETCH(bool, copied);
#ifdef Q_OS_UNIX
        if (source == QLatin1String("unreadable") && geteuid() == 0)
            QSKIP("root reads files without read permission");
#endif
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("t.txt"));
        QVERIFY(KelvaraTest::writeFile(dir.filePath(QStringLiteral("s.txt")), "source"));
        QVERIFY(KelvaraTest::writeFile(dir.filePath(QStringLiteral("unreadable")), "secret"));
        QFile::setPermissions(dir.filePath(QStringLiteral("unreadable")), QFileDevice::WriteOwner);
        QVERIFY(KelvaraTest::writeFile(target, "old target"));
        const QString from = source == QLatin1String(".") ? dir.path() : dir.filePath(source);
        QCOMPARE(FileSystem::copyFile(from, target), copied);
        QCOMPARE(KelvaraTest::readFile(target), copied ? QByteArray("source") : QByteArray("old target"));
        if (source == QLatin1String("t.txt"))
            QVERIFY(KelvaraTest::logContains(QStringLiteral("FileSystem::copyFile: Failed: cannot copy a file onto itself.")));
    }

    void moveFileReplacesTarget()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("s"));
        const QString target = dir.filePath(QStringLiteral("t"));
        QVERIFY(KelvaraTest::writeFile(source, "new"));
        QVERIFY(KelvaraTest::writeFile(target, "old"));
        QVERIFY(FileSystem::moveFile(source, target));
        QVERIFY(!QFile::exists(source));
        QCOMPARE(KelvaraTest::readFile(target), QByteArray("new"));
        QVERIFY(!FileSystem::moveFile(source, target));
        QVERIFY(KelvaraTest::logContains(QStringLiteral("WARN  FileSystem::moveFile: Failed: sourceFile does not exist.")));
    }

    void resourceCopyNeverOverwrites()
    {
        QTemporaryDir dir;
        const QString resources = ResourceHelper::getResourcePath(QStringLiteral("Resources/Config/"));
        QCOMPARE(resources, QStringLiteral(":/Resources/Config"));
        QVERIFY(ResourceHelper::copyFile(resources, dir.filePath(QStringLiteral("new/sub")), QStringLiteral("KelvaraConfig.ini")));
        const QString copied = dir.filePath(QStringLiteral("new/sub/KelvaraConfig.ini"));
        QVERIFY(QFileInfo(copied).isWritable());
        QCOMPARE(KelvaraTest::readFile(copied), KelvaraTest::readFile(QStringLiteral(":/Resources/Config/KelvaraConfig.ini")));

        QVERIFY(KelvaraTest::writeFile(copied, "edited"));
        QVERIFY(!ResourceHelper::copyFile(resources, dir.filePath(QStringLiteral("new/sub")), QStringLiteral("KelvaraConfig.ini")));
        QCOMPARE(KelvaraTest::readFile(copied), QByteArray("edited"));
        QVERIFY(KelvaraTest::logContains(QStringLiteral(": file already exists")));
    }

    void missingResourcePathIsLogged()
    {
        ResourceHelper::getResourcePath(QStringLiteral("Resources/Nothing/"));
        QVERIFY(KelvaraTest::logContains(
            QStringLiteral("ResourceHelper::getResourcePath: resource path does not exist: absolutePathToResource=:/Resources/Nothing")));
    }

    void removeAllFilesKeepsSubdirectories()
    {
        QTemporaryDir dir;
        QVERIFY(KelvaraTest::writeFile(dir.filePath(QStringLiteral("a")), "1"));
        QVERIFY(KelvaraTest::writeFile(dir.filePath(QStringLiteral("sub/b")), "2"));
        DataPaths::removeAllFiles(dir.path());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("a"))));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("sub/b"))));
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_DataPaths)
#include "tst_datapaths.moc"
