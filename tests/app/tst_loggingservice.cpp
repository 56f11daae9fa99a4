#include "KelvaraTest.h"

#include "DataPaths.h"
#include "LoggingService.h"

#include <QtCore/QDir>
#include <QtCore/QRegularExpression>
#include <QtXml/QDomDocument>

class tst_LoggingService : public QObject
{
    Q_OBJECT

private:
    static QString logDir(const QString &user) { return DataPaths::userPath(user, QStringLiteral("kelvara_logFiles")); }

    static QStringList writtenFiles(const QString &user)
    {
        return QDir(logDir(user)).entryList({QStringLiteral("kelvara_*.xml")}, QDir::Files);
    }

    static QByteArray onlyFile(const QString &user)
    {
        const QStringList files = writtenFiles(user);
        return files.size() == 1 ? KelvaraTest::readFile(logDir(user) + QLatin1Char('/') + files.first()) : QByteArray();
    }

    // Removes the time stamps, which are the only varying part of an entry.
    static QString withoutTimes(const QString &text)
    {
        QString result = text;
        return result.replace(QRegularExpression(QStringLiteral("Datetime=\"\\d{4}\\.\\d{2}\\.\\d{2} \\d{2}:\\d{2}:\\d{2}\"")),
                              QStringLiteral("Datetime=\"T\""));
    }

private slots:
    void initTestCase() { KelvaraTest::initializeLogger(); }
    void init() { KelvaraTest::resetDataTree(); }

    void loginDownloadLogoutFile()
    {
        LoggingService service;
        service.login(QStringLiteral("JDoe"), QStringLiteral("ADMIN"), QStringLiteral("English"), QStringLiteral("CopyPage"),
                      QStringLiteral("1.4.1"));
        service.download(QStringLiteral("USERSET"), QStringLiteral("QELO3"), QStringLiteral("set.xml"));
        service.logout(QStringLiteral("JDoe"), QStringLiteral("ADMIN"), QStringLiteral("jdoe"));

        const QStringList files = writtenFiles(QStringLiteral("jdoe"));
        QCOMPARE(files.size(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral("^kelvara_jdoe_ADMIN_\\d{6}_\\d{6}\\.xml$")).match(files.first()).hasMatch(),
                 qPrintable(files.first()));

        const QString expected = QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n"
            "<KelvaraUserLog XMLDokumententypversion=\"1.0\">\r\n"
            "    <Login      Datetime=\"T\" UserID=\"JDoe\" Rolle=\"ADMIN\" Sprache=\"English\" Startmodul=\"CopyPage\" AppVersion=\"1.4.1\" />\r\n"
            "    <Download   Datetime=\"T\" FileType=\"USERSET\" System=\"QELO3\" Filename=\"set.xml\" />\r\n"
            "    <Logout     Datetime=\"T\" UserID=\"JDoe\" />\r\n"
            "</KelvaraUserLog>\r\n");
        QCOMPARE(withoutTimes(QString::fromLatin1(onlyFile(QStringLiteral("jdoe")))), expected);
        QVERIFY(service.entries().isEmpty());
        QVERIFY(KelvaraTest::logContains(QStringLiteral(
            "INFO  LoggingService::login: userName=JDoe, role=ADMIN, language=English, startModule=CopyPage, appVersion=1.4.1")));
    }

    void entryFormats_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<QString>("expected");
        QTest::newRow("encrypted server connect shows TRUE") << 0
            << "<Connect    Datetime=\"T\" System=\"HALVO_SERVER\" Host=\"srv\" Port=\"8081\" SslEncryption=\"TRUE\" />";
        QTest::newRow("generator disconnect shows FALSE") << 1
            << "<Disconnect Datetime=\"T\" System=\"QELO3\" Host=\"gen\" Port=\"8080\" SslEncryption=\"FALSE\" />";
        QTest::newRow("upload") << 2 << "<Upload     Datetime=\"T\" FileType=\"USERSET\" System=\"HALVO_SERVER\" Filename=\"a.xml\" />";
        QTest::newRow("error keeps its line break") << 3 << "<Error      Datetime=\"T\" > \nfirst line\nsecond line\n</Error>";
        QTest::newRow("device info") << 4
            << "<DeviceInfo Datetime=\"T\" SerialNumber=\"SN1\" Name=\"OR 3\" SoftwareVersion=\"1.4.2\" Type=\"QELO 3\" />";
        QTest::newRow("empty role name") << 5
            << "<Login      Datetime=\"T\" UserID=\"x\" Rolle=\"\" Sprache=\"Deutsch\" Startmodul=\"ChronoPage\" AppVersion=\"1\" />";
        QTest::newRow("special characters are escaped") << 6
            << "<Download   Datetime=\"T\" FileType=\"USERSET\" System=\"QELO3\" Filename=\"a&quot;b&lt;c&gt;&amp;.xml\" />";
    }

    void entryFormats()
    {
        QFETCH(int, operation);
        QFETCH(QString, expected);
        LoggingService service;
        switch (operation) {
        case 0: service.connectHalvoServer(QStringLiteral("srv"), QStringLiteral("8081"), true); break;
        case 1: service.disconnectQelo3(QStringLiteral("gen"), QStringLiteral("8080"), false); break;
        case 2: service.upload(QStringLiteral("USERSET"), QStringLiteral("HALVO_SERVER"), QStringLiteral("a.xml")); break;
        case 3: service.error(QStringLiteral("first line\nsecond line")); break;
        case 4: service.qelo3DeviceInfo(QStringLiteral("SN1"), QStringLiteral("OR 3"), QStringLiteral("1.4.2"), QStringLiteral("QELO 3")); break;
        case 5: service.login(QStringLiteral("x"), QString(), QStringLiteral("Deutsch"), QStringLiteral("ChronoPage"), QStringLiteral("1")); break;
        default: service.download(QStringLiteral("USERSET"), QStringLiteral("QELO3"), QStringLiteral("a\"b<c>&.xml")); break;
        }
        QCOMPARE(service.entries().size(), 1);
        QCOMPARE(withoutTimes(service.entries().first()), expected);
    }

    void hostileUserNameKeepsTheFileWellFormed()
    {
        LoggingService service;
        const QString name = QStringLiteral("o\"brien<x>");
        service.login(name, QStringLiteral("MEDIC_NURSE"), QStringLiteral("Deutsch"), QStringLiteral("CopyPage"), QStringLiteral("1.4.1"));
        service.error(QStringLiteral("</Error><Injected/>"));
        QVERIFY(!service.saveLogfile(QStringLiteral("plain"), QStringLiteral("MEDIC_NURSE")).isEmpty());
        QDomDocument document;
        QString message;
        QVERIFY2(document.setContent(onlyFile(QStringLiteral("plain")), &message), qPrintable(message));
        const QDomElement login = document.documentElement().firstChildElement(QStringLiteral("Login"));
        QCOMPARE(login.attribute(QStringLiteral("UserID")), name);
        QVERIFY(document.documentElement().firstChildElement(QStringLiteral("Injected")).isNull());
    }

    void fileIsWindows1252()
    {
        LoggingService service;
        service.download(QStringLiteral("USERSET"), QStringLiteral("QELO3"), QStringLiteral("Größe €.xml"));
        QVERIFY(!service.saveLogfile(QStringLiteral("enc"), QStringLiteral("ADMIN")).isEmpty());
        const QByteArray bytes = onlyFile(QStringLiteral("enc"));
        QVERIFY(bytes.contains(QByteArray("Gr\xf6\xdf" "e \x80.xml")));
    }

    void unwritableFileDropsEntriesWithError()
    {
        LoggingService service;
        // A file where the log folder should be makes the write fail.
        QVERIFY(KelvaraTest::writeFile(DataPaths::userPath(QStringLiteral("blocked"), QStringLiteral("kelvara_logFiles")), "x"));
        service.download(QStringLiteral("USERSET"), QStringLiteral("QELO3"), QStringLiteral("a.xml"));
        service.logout(QStringLiteral("blocked"), QStringLiteral("ADMIN"), QStringLiteral("blocked"));
        QVERIFY(service.entries().isEmpty());
        QVERIFY(KelvaraTest::logContains(QStringLiteral("LoggingService::saveLogfile: Could not open ApplicationLogfile for writing!")));
    }

    void peerValuesAreBoundedAndEscaped_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("written");
        const QString k = QString(LoggingService::kMaxFieldLength - 1, QLatin1Char('n'));
        QTest::newRow("one below the limit kept") << k << k;
        QTest::newRow("exactly the limit kept") << k + QLatin1Char('n') << k + QLatin1Char('n');
        QTest::newRow("one above the limit cut and marked") << k + QStringLiteral("nn") << k + QLatin1Char('n') + LoggingService::kCutMarker;
        // A 31 MB identity from the generator was kept whole until the logout.
        QTest::newRow("huge identity cut") << QString(4 * 1024 * 1024, QLatin1Char('n')) << k + QLatin1Char('n') + LoggingService::kCutMarker;
        // Control characters from a peer forged log lines and broke the XML file.
        QTest::newRow("control characters escaped") << QStringLiteral("a\x1b[2J\nb\x7f") << QStringLiteral("a\\x1b[2J\\x0ab\\x7f");
    }

    void peerValuesAreBoundedAndEscaped()
    {
        QFETCH(QString, value);
        QFETCH(QString, written);
        LoggingService service;
        service.qelo3DeviceInfo(value, QStringLiteral("n"), QStringLiteral("1"), QStringLiteral("t"));
        QCOMPARE(service.entries().size(), 1);
        QCOMPARE(service.entries().first().section(QLatin1Char('"'), 3, 3), written);
        QVERIFY(KelvaraTest::logLines().last().endsWith(QStringLiteral("serialNumber=%1, name=n, softwareVersion=1, type=t").arg(written)));
    }

    // The entry list grew without bound while nobody logged out.
    void oldestEntriesDroppedWithOneWarning()
    {
        LoggingService service;
        const QString warning = QStringLiteral("LoggingService::append: more than %1 entries").arg(LoggingService::kMaxEntries);
        const qsizetype warningsBefore = KelvaraTest::logLines().filter(warning).size();
        for (int i = 0; i < LoggingService::kMaxEntries + 2; ++i)
            service.upload(QStringLiteral("USERSET"), QStringLiteral("QELO3"), QString::number(i));
        QCOMPARE(service.entries().size(), LoggingService::kMaxEntries);
        QVERIFY(service.entries().first().contains(QStringLiteral("Filename=\"2\"")));
        QCOMPARE(KelvaraTest::logLines().filter(warning).size(), warningsBefore + 1);
    }

    // A directory name that is no plain folder name is refused, not followed.
    void unsafeUserDirectoryIsRefused_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::newRow("empty") << "";
        QTest::newRow("parent") << "..";
        QTest::newRow("separator") << "a/b";
    }

    void unsafeUserDirectoryIsRefused()
    {
        QFETCH(QString, directory);
        LoggingService service;
        service.logout(QStringLiteral("x"), QStringLiteral("ADMIN"), directory);
        QVERIFY(service.entries().isEmpty());
        QVERIFY(KelvaraTest::usersFolderIsEmpty());
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_LoggingService)
#include "tst_loggingservice.moc"
