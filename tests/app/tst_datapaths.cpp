#include "KelvaraTest.h"

#include "DataPaths.h"
#include "FileSystem.h"
#include "ResourceHelper.h"

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

    void copyFileCases()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("s.txt"));
        const QString target = dir.filePath(QStringLiteral("t.txt"));
        QVERIFY(KelvaraTest::writeFile(source, "source"));
        QVERIFY(KelvaraTest::writeFile(target, "old target"));

        QVERIFY(!FileSystem::copyFile(source, source));
        QCOMPARE(KelvaraTest::readFile(source), QByteArray("source"));
        QVERIFY(KelvaraTest::logContains(QStringLiteral("FileSystem::copyFile: Failed: cannot copy a file onto itself.")));

        QVERIFY(!FileSystem::copyFile(dir.filePath(QStringLiteral("nothing")), target));
        QCOMPARE(KelvaraTest::readFile(target), QByteArray("old target"));

        QVERIFY(FileSystem::copyFile(source, target));
        QCOMPARE(KelvaraTest::readFile(target), QByteArray("source"));
    }

    void copyFromUnreadableSourceKeepsTarget()
    {
#ifdef Q_OS_UNIX
        if (geteuid() == 0)
            QSKIP("root reads files without read permission");
#endif
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("s.txt"));
        const QString target = dir.filePath(QStringLiteral("t.txt"));
        QVERIFY(KelvaraTest::writeFile(source, "secret"));
        QVERIFY(KelvaraTest::writeFile(target, "old"));
        QFile::setPermissions(source, QFileDevice::WriteOwner);
        QVERIFY(!FileSystem::copyFile(source, target));
        QCOMPARE(KelvaraTest::readFile(target), QByteArray("old"));
    }

    void copyFromDirectoryKeepsTarget()
    {
        // A directory cannot be read as a file: the target must survive.
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("t.txt"));
        QVERIFY(KelvaraTest::writeFile(target, "old"));
        QVERIFY(!FileSystem::copyFile(dir.path(), target));
        QCOMPARE(KelvaraTest::readFile(target), QByteArray("old"));
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
