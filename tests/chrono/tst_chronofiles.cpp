#include "KelvaraTest.h"

#include "ChronoEnums.h"
#include "ChronoEventBase.h"
#include "ChronoEventListModel.h"
#include "ChronoFileService.h"
#include "ChronoFixData.h"
#include "ChronoFlexParser.h"

#include <QtCore/QTemporaryDir>
#include <QtTest/QAbstractItemModelTester>
#include <QtTest/QSignalSpy>

// The two chrono files: the fixed-data lines, the event log with its filters
// and error statistic, and the background parse of the file service.
class tst_ChronoFiles : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &content)
    {
        const QString path = m_dir.filePath(name);
        KelvaraTest::writeFile(path, content);
        return path;
    }

    /// "TYPE|date|time|detail" per row, as the model shows them.
    static QStringList rows(const ChronoEventListModel &model)
    {
        QStringList result;
        for (int row = 0; row < model.rowCount(); ++row) {
            const QModelIndex index = model.index(row);
            result.append(QStringList({ model.data(index, ChronoEventListModel::EventType).toString(),
                                        model.data(index, ChronoEventListModel::Date).toString(),
                                        model.data(index, ChronoEventListModel::Time).toString(),
                                        model.data(index, ChronoEventListModel::DetailString).toString() })
                              .join(QLatin1Char('|')));
        }
        return result;
    }

    /// A long log, so that a parse is still running when the test acts.
    QString longLog()
    {
        static QString path;
        if (path.isEmpty()) {
            QByteArray text = "#header\n";
            for (int i = 0; i < 300000; ++i)
                text += i % 3 ? "UI_PEDAL;231024_081533123;2PEDAL;1\n" : "ERR_MSG;231024_091533123;NE;CONTACT\n";
            path = write(QStringLiteral("long.flex"), text);
        }
        return path;
    }

    static const QByteArray kLog;

private slots:
    void fixLines_data();
    void fixLines();
    void fixValues();
    void parse_data();
    void parse();
    void errorList();
    void serviceParsesInBackground();
    void changeDuringParseIsApplied();
    void destroyDuringParse();
    void resetSelection();
};

const QByteArray tst_ChronoFiles::kLog = "#CHRONO_FLEX;V2\n"
                                         "P_ON;231024_081533123\n"
                                         "ERR_MSG;231024_081534000;NE_MONITOR;CONTACT\n"
                                         "HF_STA;231024_081535000;45;40;1;12;7;35;1200\n"
                                         "x\n"
                                         "PODED;231024_081536000;2;345\n"
                                         "ERR_MSG;231025_081537000;NE_MONITOR;CONTACT\n"
                                         "UI_NOTE;2023-10-25T08:15:38.000;Service;ok\n"
                                         "ERR_MSG;231025_081539000;9;1;255;12;0\n";

void tst_ChronoFiles::fixLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("display");
    QTest::newRow("SPI") << QByteArray("SPI;190321_142530;12345;QELO 3")
                         << QStringList { "Datum: 2019.03.21  14:25:30", "System-Typ: QELO 3", "S/N: 12345" };
    QTest::newRow("SPI unreadable stamp") << QByteArray("SPI;1903;x;Q")
                                          << QStringList { "Datum: ", "System-Typ: Q", "S/N: 0" };
    QTest::newRow("SYS_VER") << QByteArray("SYS_VER;1.4.1") << QStringList { "Software-Version: 1.4.1", "" };
    QTest::newRow("HFMC_TOT blanks") << QByteArray("HFMC_TOT;COAG AUS;17") << QStringList { "HFMC_TOT: COAG_AUS   17" };
    QTest::newRow("HFMT_TOT") << QByteArray("HFMT_TOT;coagM5;4") << QStringList { "HFMT_TOT: coagM5   4" };
    QTest::newRow("HFME_TOT") << QByteArray("HFME_TOT;x") << QStringList { "HFME_TOT: x   " };
    QTest::newRow("SON_TOT") << QByteArray("SON_TOT;12") << QStringList { "", "SON_TOT: 12" };
    QTest::newRow("SON_TOT not a number") << QByteArray("SON_TOT;abc") << QStringList { "", "SON_TOT: 0" };
    QTest::newRow("HFT_TOT") << QByteArray("HFT_TOT;1") << QStringList { "HFT_TOT: 1" };
    QTest::newRow("HFE_TOT") << QByteArray("HFE_TOT;2") << QStringList { "HFE_TOT: 2" };
    QTest::newRow("APCT_TOT") << QByteArray("APCT_TOT;3") << QStringList { "APCT_TOT: 3" };
    QTest::newRow("EVXT_TOT") << QByteArray("EVXT_TOT;4") << QStringList { "EVXT_TOT: 4", "" };
    QTest::newRow("SOC_CNT") << QByteArray("SOC_CNT;2;10;3")
                             << QStringList { "SOC_CNT:  Buchse: 2   Monopolar: 10   Bipolar: 3" };
    QTest::newRow("unknown key") << QByteArray("spi;190321_142530;1;Q") << QStringList {};
    QTest::newRow("CR LF line") << QByteArray("HFT_TOT;5\r") << QStringList { "HFT_TOT: 5" };
}

void tst_ChronoFiles::fixLines()
{
    QFETCH(QByteArray, line);
    QFETCH(QStringList, display);
    ChronoFixData data;
    QVERIFY(data.readFile(write(QStringLiteral("one.fix"), line + "\n")));
    QCOMPARE(data.fixDataStringList(), display);
}

void tst_ChronoFiles::fixValues()
{
    ChronoFixData data;
    QVERIFY(data.readFile(write(QStringLiteral("values.fix"),
                                "SPI;190321_142530;12345;QELO 3\r\nHFMC_TOT;COAG AUS;17\r\nHFMT_TOT;QELOMODE_CUT_M1;9\r\n"
                                "SOC_CNT;2;10;3\r\n")));
    QCOMPARE(data.devTime(), QDateTime(QDate(2019, 3, 21), QTime(14, 25, 30)));
    QCOMPARE(data.serialNumber(), 12345);
    QCOMPARE(data.hfmcTot().value(QeloModes::QeloMode(-1)), 17);
    QCOMPARE(data.hfmtTot().value(QeloModes::QELOMODE_CUT_M1), 9);
    QCOMPARE(data.socCnt().values(2), (QList<int> { 3, 10 }));
    // A file without SPI keeps the identity of the one before.
    data.clearLines();
    QVERIFY(data.readFile(write(QStringLiteral("nospi.fix"), "HFT_TOT;1\n")));
    QCOMPARE(data.serialNumber(), 12345);
    QCOMPARE(data.fixDataStringList(), QStringList { "HFT_TOT: 1" });
}

void tst_ChronoFiles::parse_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QStringList>("expected");

    const QString err1 = "ERR_MSG|2023-10-24|08:15:34.000|Function:NE_MONITOR Function:CONTACT";
    const QString err2 = "ERR_MSG|2023-10-25|08:15:37.000|Function:NE_MONITOR Function:CONTACT";
    const QString err3 = "ERR_MSG|2023-10-25|08:15:39.000|Module:UGM Error:12 State:SS_ERROR Hint:1 Info:SCM";
    const QString note = "UI_NOTE|2023-10-25|08:15:38.000|Service  ok  ";
    const QString poded = "UNDEFINED|2023-10-24|08:15:36.000|PODED; 231024_081536000; 2; 345; ";
    const QString hf = "HF_STA|2023-10-24|08:15:35.000|PSU:45[°C] UGM:40[°C] Slot:1 Instrument:12 Mode:7 Effect:3.5 Fan:1200[1/s]";
    const QString on = "P_ON|2023-10-24|08:15:33.123|";
    const QStringList all { err3, note, err2, poded, hf, err1, on };

    QTest::newRow("one line") << QByteArray("P_ON;231024_081533123\n") << "" << "" << "" << QStringList {};
    QTest::newRow("one line without LF") << QByteArray("P_ON;231024_081533123") << "" << "" << "" << QStringList {};
    QTest::newRow("last record first") << kLog << "" << "" << "" << all;
    QTest::newRow("CR LF") << QByteArray(kLog).replace("\n", "\r\n") << "" << "" << "" << all;
    QTest::newRow("no LF at the end") << kLog.chopped(1) << "" << "" << "" << all;
    QTest::newRow("event filter keeps undefined events")
        << kLog << "HF_STA|ERR_MSG" << "" << "" << QStringList { err3, err2, poded, hf, err1 };
    QTest::newRow("event filter is case-sensitive") << kLog << "hf_sta" << "" << "" << QStringList { poded };
    QTest::newRow("event filter UNDEFINED") << kLog << "UNDEFINED" << "" << "" << QStringList { poded };
    QTest::newRow("invalid event filter") << kLog << "(" << "" << "" << QStringList { poded };
    QTest::newRow("date filter") << kLog << "" << "10-25" << "" << QStringList { err3, note, err2 };
    QTest::newRow("description filter ignores case") << kLog << "" << "" << "ne_monitor" << QStringList { err2, err1 };
    QTest::newRow("all filters") << kLog << "ERR_MSG" << "2023-10-25" << "function" << QStringList { err2 };
}

void tst_ChronoFiles::parse()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, event);
    QFETCH(QString, date);
    QFETCH(QString, description);
    QFETCH(QStringList, expected);

    ChronoEventListModel model;
    QAbstractItemModelTester tester(&model);
    QList<int> percents;
    ChronoFlexParser::Result result = ChronoFlexParser::parse(write(QStringLiteral("log.flex"), content),
                                                              { event, date, description },
                                                              [&](int percent) { percents.append(percent); });
    QVERIFY(result.readable);
    model.setEvents(std::move(result.events));
    QCOMPARE(rows(model), expected);
    QVERIFY(percents.size() <= 101);
    QVERIFY(std::is_sorted(percents.begin(), percents.end()));
    QCOMPARE(model.data(model.index(model.rowCount()), ChronoEventListModel::EventType), QVariant());
}

void tst_ChronoFiles::errorList()
{
    // Equal counts go by text, descending; filtered-out records count too.
    const QByteArray log = "#\n"
                           "ERR_MSG;231024_081534000;A;x\n"
                           "ERR_MSG;231024_081534000;B;x\n"
                           "ERR_MSG;231024_081534000;B;x\n"
                           "ERR_MSG;231024_081534000;C;x\n"
                           "ERR_MSG;2023-10-24T08:15:00;U;v\n"
                           "ERR_MSG;231024_081534000;too;many;fields\n";
    const ChronoFlexParser::Result result =
        ChronoFlexParser::parse(write(QStringLiteral("errors.flex"), log), { QStringLiteral("P_ON"), {}, {} });
    QCOMPARE(result.events.size(), 1);
    QCOMPARE(result.errorList, (QStringList { "2\tFunction:B Function:x", "1\tU  v  ", "1\tFunction:C Function:x",
                                              "1\tFunction:A Function:x" }));
}

void tst_ChronoFiles::serviceParsesInBackground()
{
    ChronoFileService service;
    QSignalSpy finished(&service, &ChronoFileService::flexParsingFinished);
    QSignalSpy errors(&service, &ChronoFileService::errorListChanged);
    service.setSelectedFlexFile(write(QStringLiteral("service.flex"), kLog));
    QVERIFY(finished.wait(KelvaraTest::timeout(5000)));
    QCOMPARE(service.flexData()->rowCount(), 7);
    QCOMPARE(service.progress(), 100);
    QCOMPARE(errors.size(), 1);
    QCOMPARE(service.errorList().size(), 2);
    // The same selection again does not parse again.
    service.setSelectedFlexFile(service.selectedFlexFile());
    QVERIFY(!service.isParsing());
    // A missing file is an empty list, not an error.
    service.setSelectedFlexFile(m_dir.filePath(QStringLiteral("missing.flex")));
    QVERIFY(finished.wait(KelvaraTest::timeout(5000)));
    QCOMPARE(service.flexData()->rowCount(), 0);
    QCOMPARE(service.progress(), 100);
}

void tst_ChronoFiles::changeDuringParseIsApplied()
{
    // Fault: a filter set while a parse ran was dropped, and the list no
    // longer matched the filter shown.
    ChronoFileService service;
    QSignalSpy finished(&service, &ChronoFileService::flexParsingFinished);
    service.setSelectedFlexFile(longLog());
    QVERIFY(service.isParsing());
    service.setFlexEventFilter(QStringLiteral("ERR_MSG"));
    service.setFlexDateFilter(QStringLiteral("2023"));
    QVERIFY(finished.wait(KelvaraTest::timeout(20000)));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(service.flexData()->rowCount(), 100000);
    QCOMPARE(service.flexData()->data(service.flexData()->index(0), ChronoEventListModel::EventType).toString(),
             QStringLiteral("ERR_MSG"));
    // A file change during a parse: the list is the new file's.
    service.setSelectedFlexFile(longLog() + QStringLiteral("x"));
    service.setSelectedFlexFile(write(QStringLiteral("short.flex"), kLog));
    QVERIFY(finished.wait(KelvaraTest::timeout(20000)));
    QCOMPARE(service.flexData()->rowCount(), 4);
}

void tst_ChronoFiles::destroyDuringParse()
{
    // Fault: the worker went on reading a destroyed service.
    auto service = std::make_unique<ChronoFileService>();
    service->setSelectedFlexFile(longLog());
    QVERIFY(service->isParsing());
    service.reset();
}

void tst_ChronoFiles::resetSelection()
{
    ChronoFileService service;
    QSignalSpy finished(&service, &ChronoFileService::flexParsingFinished);
    QSignalSpy fixChanged(&service, &ChronoFileService::fixDataChanged);
    service.setSelectedFixFile(write(QStringLiteral("reset.fix"), "HFT_TOT;1\n"));
    service.setSelectedFlexFile(write(QStringLiteral("reset.flex"), kLog));
    QVERIFY(finished.wait(KelvaraTest::timeout(5000)));
    QCOMPARE(service.fixData()->fixDataStringList().size(), 1);
    service.resetSelection();
    QCOMPARE(service.flexData()->rowCount(), 0);
    QVERIFY(service.selectedFlexFile().isEmpty());
    QVERIFY(service.selectedFixFile().isEmpty());
    QVERIFY(service.fixData()->fixDataStringList().isEmpty());
    QCOMPARE(fixChanged.size(), 2);
}

KELVARA_TEST_GUILESS_MAIN(tst_ChronoFiles)
#include "tst_chronofiles.moc"
