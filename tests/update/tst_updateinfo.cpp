#include "KelvaraTest.h"

#include "UpdateInfo.h"

#include <QtCore/QDir>
#include <QtCore/QFile>

// The firmware description file, its fallbacks, and the two rules that read
// a version and a list text from an update's file name.
class tst_UpdateInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { KelvaraTest::initializeLogger(); }

    void displayText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("version");
        QTest::newRow("nine parts") << "A_B_C_1_2_3_b_D_E.esb" << "A 1.2.3b D_E" << "A_B_C_1_2_3_b_D_E.esb";
        QTest::newRow("demo release") << "QELO3_Update_Release_1_4_2__230612_090000.esb" << "QELO3 1.4.2 230612_090000"
                                      << "1.4.2";
        QTest::newRow("demo with suffix") << "QELO3_Update_Release_1_5_0_a_231020_120000.esb"
                                          << "QELO3 1.5.0a 231020_120000" << "1.5.0";
        QTest::newRow("eight parts: the stem") << "A_B_C_1_2_3_D_E.esb" << "A_B_C_1_2_3_D_E" << "A_B_C_1_2_3_D_E.esb";
        QTest::newRow("no ending") << "QELO3_Update_Release_1_4_2__230612_090000" << "QELO3 1.4.2 230612_090000"
                                   << "1.4.2";
        // 26 characters: one short of the version rule.
        QTest::newRow("26 characters") << "QELO3_Update_Release_1_4_2" << "QELO3_Update_Release_1_4_2"
                                       << "QELO3_Update_Release_1_4_2";
        QTest::newRow("27 characters") << "QELO3_Update_Release_1_4_2_" << "QELO3_Update_Release_1_4_2_" << "1.4.2";
    }

    void displayText()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, version);
        QCOMPARE(UpdateInfo::displayText(name), text);
        QCOMPARE(UpdateInfo::versionOfFileName(name), version);
    }

    void texts_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("expected"); // version, hint, change 1 to 3
        const QByteArray both = "[de]\nVersion=1.4.2\nHint=Zeile 1\\nZeile 2\nChange1=a\nChange2=b\nChange3=c\n"
                                "[en]\nVersion=1.4.2e\nHint=Line\\\\nbreak\nChange1=x\n";
        QTest::newRow("German, written line break") << both << "Deutsch"
            << QStringList{"1.4.2", "Zeile 1\r\nZeile 2", "a", "b", "c"};
        QTest::newRow("English, settings writer's line break, missing keys empty") << both << "English"
            << QStringList{"1.4.2e", "Line\r\nbreak", "x", "", ""};
        // A settings reader would cut these at the comma or the semicolon.
        QTest::newRow("comma and semicolon keep the whole hint") << QByteArray("[de]\nHint=Erst a, dann b; fertig\n")
            << "Deutsch" << QStringList{"", "Erst a, dann b; fertig", "", "", ""};
        QTest::newRow("quoted by a settings writer") << QByteArray("[de]\nHint=\"a, b; \\\"c\\\"\"\n") << "Deutsch"
            << QStringList{"", "a, b; \"c\"", "", "", ""};
        QTest::newRow("no group of that language") << QByteArray("[de]\nVersion=1\n") << "English"
            << QStringList{"", "", "", "", ""};
        QTest::newRow("unknown language: the key names") << both << "Klingonisch"
            << QStringList{"Version", "Hint", "Change1", "Change2", "Change3"};
        QTest::newRow("unreadable file: empty texts") << QByteArray("garbage without equals\n") << "Deutsch"
            << QStringList{"", "", "", "", ""};
    }

    void texts()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, language);
        QFETCH(QStringList, expected);
        const UpdateInfo info = UpdateInfo::fromText(file);
        const int warningsBefore = int(KelvaraTest::logLines().filter(QStringLiteral("language not found")).size());
        QCOMPARE((QStringList{info.getVersion(language), info.getHint(language), info.getChange1(language),
                              info.getChange2(language), info.getChange3(language)}),
                 expected);
        const bool known = language == QLatin1String("Deutsch") || language == QLatin1String("English");
        QCOMPARE(KelvaraTest::logLines().filter(QStringLiteral("language not found")).size() - warningsBefore,
                 known ? 0 : 5);
    }

    void readsTheFile()
    {
        const QString path = QDir::temp().filePath(QStringLiteral("tst_updateinfo.esb"));
        QVERIFY(KelvaraTest::writeFile(path, "[en]\nVersion=9.9\n"));
        QCOMPARE(UpdateInfo(path).getVersion(QStringLiteral("English")), QStringLiteral("9.9"));
        QFile::remove(path);
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_UpdateInfo)

#include "tst_updateinfo.moc"
