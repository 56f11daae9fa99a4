#include "KelvaraTest.h"

#include "ChronoEnums.h"
#include "ChronoEventBase.h"
#include "ChronoEventFactory.h"
#include "ChronoEvents.h"

// The event catalogue: one record line in, the row the Chrono page shows out.
class tst_ChronoEvents : public QObject
{
    Q_OBJECT

private slots:
    void rows_data();
    void rows();
    void classRefusesUnknownFieldCounts_data();
    void classRefusesUnknownFieldCounts();
};

void tst_ChronoEvents::rows_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("detail");

    const QString d = QStringLiteral("2019-03-21");
    const QString t = QStringLiteral("14:25:30.123");
    auto row = [&](const char *name, const char *line, const char *type, const QString &detail,
                   const QString &date = QStringLiteral("2019-03-21"), const QString &time = QStringLiteral("14:25:30.123")) {
        QTest::newRow(name) << QByteArray(line) << QString::fromLatin1(type) << date << time << detail;
    };
    row("HF_STA 9 fields", "HF_STA;190321_142530123;45;40;1;12;7;35;1200", "HF_STA",
        QStringLiteral("PSU:45[°C] UGM:40[°C] Slot:1 Instrument:12 Mode:7 Effect:3.5 Fan:1200[1/s]"));
    row("HF_STA 10 fields shows the last as fan", "HF_STA;190321_142530123;45;40;1;12;7;35;999;1300", "HF_STA",
        QStringLiteral("PSU:45[°C] UGM:40[°C] Slot:1 Instrument:12 Mode:7 Effect:3.5 Fan: 1300[1/s]"));
    row("HF_STA 11 fields names the socket", "HF_STA;190321_142530123;45;40;1;5;12;7;35;999;1300", "HF_STA",
        QStringLiteral("PSU:45[°C] UGM:40[°C] Slot:1 Socket:Bipolar Instrument:12 Mode:7 Effect:3.5 Fan: 1300[1/s]"));
    row("HF_STA socket without a name", "HF_STA;190321_142530123;45;40;1;4;12;7;35;999;1300", "HF_STA",
        QStringLiteral("PSU:45[°C] UGM:40[°C] Slot:1 Socket: Instrument:12 Mode:7 Effect:3.5 Fan: 1300[1/s]"));
    row("HF_STA one field missing is undefined", "HF_STA;190321_142530123;45;40;1;12;7;35", "UNDEFINED",
        QStringLiteral("HF_STA; 190321_142530123; 45; 40; 1; 12; 7; 35; "));
    row("HF_STA one field too many is undefined", "HF_STA;190321_142530123;1;2;3;4;5;6;7;8;9;10", "UNDEFINED",
        QStringLiteral("HF_STA; 190321_142530123; 1; 2; 3; 4; 5; 6; 7; 8; 9; 10; "));
    row("NOTE_MSG names module and state", "NOTE_MSG;190321_142530123;19;3;80;42;2", "NOTE_MSG",
        QStringLiteral("Module:EVX2 Error:42 State:SS_IDLE Hint:3 Info:UI"));
    row("NOTE_MSG unknown module is empty", "NOTE_MSG;190321_142530123;10;x;7;42;255", "NOTE_MSG",
        QStringLiteral("Module: Error:42 State: Hint:0 Info:NOTYPE"));
    row("NOTE_MSG one too many", "NOTE_MSG;190321_142530123;19;3;80;42;2;1", "UNDEFINED",
        QStringLiteral("NOTE_MSG; 190321_142530123; 19; 3; 80; 42; 2; 1; "));
    row("APC_STA", "APC_STA;190321_142530123;1.5", "APC_STA", QStringLiteral("Flow:1.5[l/min]"));
    row("EVX_STA", "EVX_STA;190321_142530123;60", "EVX_STA", QStringLiteral("Flow:60[%]"));
    row("EVX_STA missing field", "EVX_STA;190321_142530123", "UNDEFINED", QStringLiteral("EVX_STA; 190321_142530123; "));
    row("HF_STO drops the device's units", "HF_STO;190321_142530123;1,5s;45;40;800W;400W;300V;250mA;120J;1400", "HF_STO",
        QStringLiteral("Duration:1.5[s] PSU:45[°C] UGM:40[°C] P_MAX:800[dW] P_AVG:400[dW] U_MAX:300[V] I_MAX:250[mA] "
                       "Energy:120[J] Fan:1400[1/s]"));
    row("HF_STO without units", "HF_STO;190321_142530123;2;45;40;800;400;300;250;120;1400", "HF_STO",
        QStringLiteral("Duration:2[s] PSU:45[°C] UGM:40[°C] P_MAX:800[dW] P_AVG:400[dW] U_MAX:300[V] I_MAX:250[mA] "
                       "Energy:120[J] Fan:1400[1/s]"));
    row("ERR_MSG of 4 fields", "ERR_MSG;190321_142530123;NE_MONITOR;CONTACT", "ERR_MSG",
        QStringLiteral("Function:NE_MONITOR Function:CONTACT"));
    row("ERR_MSG of 7 fields", "ERR_MSG;190321_142530123;9;1;255;12;0", "ERR_MSG",
        QStringLiteral("Module:UGM Error:12 State:SS_ERROR Hint:1 Info:SCM"));
    row("ERR_MSG of 5 fields", "ERR_MSG;190321_142530123;a;b;c", "UNDEFINED",
        QStringLiteral("ERR_MSG; 190321_142530123; a; b; c; "));
    row("NEW_SOC", "NEW_SOC;190321_142530123;2;3", "NEW_SOC", QStringLiteral("Slot:2 Socket:3"));
    row("UI_WLAN", "UI_WLAN;190321_142530123;CONNECTED;2", "UI_WLAN", QStringLiteral("State:CONNECTED Tries:2"));
    row("UI_APCFLOW", "UI_APCFLOW;190321_142530123;TOUCH;COAG;3;12", "UI_APCFLOW",
        QStringLiteral("Quelle: TOUCH Cut/Coag: COAG Buchse: 3 APC_Flow: 12"));
    row("UI_EVXFLOW", "UI_EVXFLOW;190321_142530123;OP;80", "UI_EVXFLOW", QStringLiteral("Parameter: OP Flow:80[%]"));
    row("P_ON", "P_ON;190321_142530123", "P_ON", QString());
    row("P_OFF", "P_OFF;190321_142530123", "P_OFF", QString());
    row("L_RESET", "L_RESET;190321_142530123", "L_RESET", QString());
    row("P_ON with a payload", "P_ON;190321_142530123;x", "UNDEFINED", QStringLiteral("P_ON; 190321_142530123; x; "));
    row("UI_CUTMODE defined mode", "UI_CUTMODE;190321_142530123;TOUCH;2;41", "UI_CUTMODE",
        QStringLiteral("Source:TOUCH Slot:2 Mode:41"));
    row("UI_CUTMODE undefined mode", "UI_CUTMODE;190321_142530123;TOUCH;2;99", "UI_CUTMODE",
        QStringLiteral("Source:TOUCH Slot:2 Mode:-1"));
    row("UI_CUTMODE off", "UI_CUTMODE;190321_142530123;TOUCH;2;0", "UI_CUTMODE", QStringLiteral("Source:TOUCH Slot:2 Mode:0"));
    row("UI_COAGMODE defined mode", "UI_COAGMODE;190321_142530123;TOUCH;2;197", "UI_COAGMODE",
        QStringLiteral("Source:TOUCH Slot:2 Mode:197"));
    row("UI_COAGMODE cut number", "UI_COAGMODE;190321_142530123;TOUCH;2;0", "UI_COAGMODE",
        QStringLiteral("Source:TOUCH Slot:2 Mode:-1"));
    row("UI_CUTEFFEKT", "UI_CUTEFFEKT;190321_142530123;TOUCH;2;35", "UI_CUTEFFEKT",
        QStringLiteral("Source:TOUCH Slot:2 Effect:35"));
    row("UI_COAGEFFEKT", "UI_COAGEFFEKT;190321_142530123;TOUCH;2;35", "UI_COAGEFFEKT",
        QStringLiteral("Source:TOUCH Slot:2 Effect:35"));
    row("UI_AKTI", "UI_AKTI;190321_142530123;TOUCH;2;FS1", "UI_AKTI", QStringLiteral("Source:TOUCH Slot:2 Assignment:FS1"));
    row("UI_INFO", "UI_INFO;190321_142530123;TOUCH;2;AUTOSTOP", "UI_INFO",
        QStringLiteral("Source:TOUCH Slot:2 ModeAdditions:AUTOSTOP"));
    row("UI_EXCEPTION", "UI_EXCEPTION;190321_142530123;TIMEOUT;MAX", "UI_EXCEPTION", QStringLiteral("Type:TIMEOUT Info:MAX"));
    row("UI_PEDAL", "UI_PEDAL;190321_142530123;2PEDAL;1", "UI_PEDAL", QStringLiteral("Type:2PEDAL Connected:1"));
    row("UI_NOTE joins its words", "UI_NOTE;190321_142530123;Hello;World", "UI_NOTE", QStringLiteral("Hello World"));
    row("UI_NOTE without words", "UI_NOTE;190321_142530123", "UI_NOTE", QString());
    row("UI_CUTM4DAUER", "UI_CUTM4DAUER;190321_142530123;TOUCH;2;3", "UI_CUTM4DAUER",
        QStringLiteral("Source:TOUCH Slot:2 Duration:3"));
    row("UI_CUTM4INTERVAL", "UI_CUTM4INTERVAL;190321_142530123;TOUCH;2;7", "UI_CUTM4INTERVAL",
        QStringLiteral("Source:TOUCH Slot:2 Interval:7"));
    row("NM_TELE1", "NM_TELE1;190321_142530123;92;8;-3;62", "NM_TELE1", QStringLiteral("C:92 R:8 X:-3 Z:62"));
    row("NM_TELE2", "NM_TELE2;190321_142530123;5;120;40;12", "NM_TELE2", QStringLiteral("t:5 I:120 U:40 Phi: 12"));
    row("PODED is an undefined event", "PODED;190321_142530123;2;345", "UNDEFINED",
        QStringLiteral("PODED; 190321_142530123; 2; 345; "));
    row("unknown keyword", "BOOT;190321_142530123;x", "UNDEFINED", QStringLiteral("BOOT; 190321_142530123; x; "));
    row("lower-case typed keyword", "hf_sta;190321_142530123;45;40;1;12;7;35;1200", "HF_STA",
        QStringLiteral("PSU:45[°C] UGM:40[°C] Slot:1 Instrument:12 Mode:7 Effect:3.5 Fan:1200[1/s]"));
    row("padded fields are simplified", "UI_WLAN;  190321_142530123 ;  NOT   FOUND ; 2 ", "UI_WLAN",
        QStringLiteral("State:NOT FOUND Tries:2"));
    // Fault: the CR of a CR LF file stayed in the last field.
    row("CR LF line", "UI_PEDAL;190321_142530123;2PEDAL;1\r", "UI_PEDAL", QStringLiteral("Type:2PEDAL Connected:1"));
    row("universal record", "UI_NOTE;2019-03-21T14:25:30.123;Service;bestanden", "UI_NOTE",
        QStringLiteral("Service  bestanden  "), d, t);
    row("universal record, lower case", "ui_note;2019-03-21T14:25:30;x", "", QStringLiteral("x  "), d,
        QStringLiteral("14:25:30"));
    row("universal record without payload", "ERR_MSG;2019-03-21T14:25:30", "ERR_MSG", QString(), d,
        QStringLiteral("14:25:30"));
    row("stamp of 15 characters", "UI_PEDAL;190321_14253012;2PEDAL;1", "UI_PEDAL",
        QStringLiteral("Type:2PEDAL Connected:1"), QString(), QString());
    row("stamp with T elsewhere", "UI_PEDAL;19T21;2PEDAL;1", "UI_PEDAL", QStringLiteral("Type:2PEDAL Connected:1"),
        QStringLiteral("19"), QStringLiteral("21"));
}

void tst_ChronoEvents::rows()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, type);
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(QString, detail);

    const std::unique_ptr<ChronoEventBase> event = ChronoEventFactory::create(line);
    QVERIFY(event);
    QVERIFY(event->isValid());
    QCOMPARE(ChronoEnums::eventKeyword(event->type()), type);
    QCOMPARE(event->date(), date);
    QCOMPARE(event->time(), time);
    QCOMPARE(event->getDetailString(), detail);

    // The parser's own path to the same texts, without an event object.
    ChronoRecord record;
    QVERIFY(ChronoEventFactory::read(line, record));
    QCOMPARE(ChronoEventFactory::detail(record), detail);
    QCOMPARE(ChronoEventFactory::date(record), date);
}

void tst_ChronoEvents::classRefusesUnknownFieldCounts_data()
{
    QTest::addColumn<int>("fields");
    QTest::addColumn<bool>("valid");
    QTest::newRow("8") << 8 << false;
    QTest::newRow("9") << 9 << true;
    QTest::newRow("10") << 10 << true;
    QTest::newRow("11") << 11 << true;
    QTest::newRow("12") << 12 << false;
}

void tst_ChronoEvents::classRefusesUnknownFieldCounts()
{
    QFETCH(int, fields);
    QFETCH(bool, valid);
    QList<QByteArray> record = { "HF_STA", "190321_142530123" };
    while (record.size() < fields)
        record.append("1");
    const ChronoHFStaEvent event(record);
    QCOMPARE(event.isValid(), valid);
    QCOMPARE(event.type(), int(ChronoEventTypes::HF_STA));
    QCOMPARE(event.date(), QStringLiteral("2019-03-21"));
    QCOMPARE(event.getDetailString().isEmpty(), !valid);
}

KELVARA_TEST_GUILESS_MAIN(tst_ChronoEvents)
#include "tst_chronoevents.moc"
