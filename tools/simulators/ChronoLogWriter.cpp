#include "ChronoLogWriter.h"

#include <QtCore/QDateTime>
#include <QtCore/QRandomGenerator>
#include <QtCore/QSet>

#include <algorithm>

namespace {

constexpr int kSerialNumber = 23104711;

// A simulated stretch of operating days. Every record kind
// the application knows appears at least once; missing kinds are appended at
// the end of the budget so that even a short file shows all of them.


class FlexWriter
{
public:
    FlexWriter(int records, quint32 seed)
        : m_target(records)
        , m_seed(seed)
        , m_random(seed)
        , m_clock(QDate(2023, 9, 22), QTime(7, 12, 4), Qt::UTC)
    {
    }

    QByteArray run()
    {
        m_text = QByteArrayLiteral("#CHRONO_FLEX;V2;SN=") + QByteArray::number(kSerialNumber)
            + QByteArrayLiteral(";SW=1.4.1;RECORDS=") + QByteArray::number(m_target) + QByteArrayLiteral(";SEED=")
            + QByteArray::number(m_seed) + '\n';
        while (room())
            operatingDay();
        for (const Kind &kind : kinds()) {
            if (!m_seen.contains(kind.key()))
                emitKind(kind);
        }
        return m_text;
    }

private:
    struct Kind
    {
        const char *keyword;
        int fields;
        QByteArray key() const { return QByteArray(keyword) + '/' + QByteArray::number(fields); }
    };

    // The record kinds of the event catalogue with the field counts their
    // readers accept; "any" counts are represented by one typical length.
    static const QList<Kind> &kinds()
    {
        static const QList<Kind> list = {
            { "UNDEFINED", 4 },
            { "NOTE_MSG", 7 },
            { "HF_STA", 9 },
            { "HF_STA", 10 },
            { "HF_STA", 11 },
            { "APC_STA", 3 },
            { "EVX_STA", 3 },
            { "HF_STO", 11 },
            { "ERR_MSG", 4 },
            { "ERR_MSG", 7 },
            { "NEW_SOC", 4 },
            { "UI_WLAN", 4 },
            { "UI_APCFLOW", 6 },
            { "UI_EVXFLOW", 4 },
            { "P_ON", 2 },
            { "P_OFF", 2 },
            { "L_RESET", 2 },
            { "UI_CUTMODE", 5 },
            { "UI_CUTEFFEKT", 5 },
            { "UI_COAGMODE", 5 },
            { "UI_COAGEFFEKT", 5 },
            { "UI_AKTI", 5 },
            { "UI_INFO", 5 },
            { "UI_EXCEPTION", 4 },
            { "UI_PEDAL", 4 },
            { "UI_NOTE", 4 },
            { "UI_CUTM4DAUER", 5 },
            { "UI_CUTM4INTERVAL", 5 },
            { "NM_TELE1", 6 },
            { "NM_TELE2", 6 },
            { "PODED", 4 },
        };
        return list;
    }

    int missing() const { return int(kinds().size()) - int(m_seen.size()); }
    // Records may still be written without eating into the tail reserved for
    // the kinds that have not appeared yet.
    bool room() const { return m_count < m_target - missing(); }

    int between(int low, int high) { return int(m_random.bounded(low, high + 1)); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    QByteArray num(int value) { return QByteArray::number(value); }

    void advance(int lowMs, int highMs) { m_clock = m_clock.addMSecs(between(lowMs, highMs)); }

    QByteArray stamp() const { return m_clock.toString(QStringLiteral("yyMMdd_HHmmsszzz")).toLatin1(); }
    QByteArray isoStamp() const { return m_clock.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")).toLatin1(); }

    void write(const char *keyword, const QByteArray &time, const QList<QByteArray> &payload)
    {
        const QByteArray key = QByteArray(keyword) + '/' + num(int(payload.size()) + 2);
        const bool fresh = !m_seen.contains(key);
        const bool known = std::any_of(kinds().begin(), kinds().end(), [&](const Kind &k) { return k.key() == key; });
        // A record of a kind still missing uses its own reserved slot; any
        // other record must leave those slots free.
        if (m_count >= ((fresh && known) ? m_target : m_target - missing()))
            return;
        if (known)
            m_seen.insert(key);
        m_text += keyword;
        m_text += ';';
        m_text += time;
        for (const QByteArray &field : payload) {
            m_text += ';';
            m_text += field;
        }
        m_text += '\n';
        ++m_count;
    }

    void record(const char *keyword, const QList<QByteArray> &payload)
    {
        advance(40, 900);
        write(keyword, stamp(), payload);
    }

    void emitKind(const Kind &kind)
    {
        const QByteArray keyword(kind.keyword);
        if (keyword == "HF_STA")
            hfStart(kind.fields, 1, 12, 11, "35");
        else if (keyword == "ERR_MSG")
            error(kind.fields == 7);
        else
            emitSimple(keyword);
    }

    // The kinds that need no context of an ongoing activation.
    void emitSimple(const QByteArray &keyword)
    {
        if (keyword == "UNDEFINED")
            record("UNDEFINED", { "SCM", num(between(1, 9)) + "/" + num(between(10, 99)) });
        else if (keyword == "NOTE_MSG")
            noteMessage();
        else if (keyword == "APC_STA")
            record("APC_STA", { QByteArray::number(between(3, 20) / 10.0, 'f', 1) });
        else if (keyword == "EVX_STA")
            record("EVX_STA", { num(between(4, 10) * 10) });
        else if (keyword == "HF_STO")
            hfStop(false);
        else if (keyword == "NEW_SOC")
            record("NEW_SOC", { num(between(1, 6)), num(between(0, 7)) });
        else if (keyword == "UI_WLAN")
            record("UI_WLAN", { chance(90) ? "CONNECTED" : "SEARCHING", num(between(1, 3)) });
        else if (keyword == "UI_APCFLOW")
            record("UI_APCFLOW", { "TOUCH", chance(50) ? "COAG" : "CUT", num(between(1, 4)), num(between(3, 40)) });
        else if (keyword == "UI_EVXFLOW")
            record("UI_EVXFLOW", { chance(50) ? "BASE" : "OP", num(between(2, 10) * 10) });
        else if (keyword == "P_ON")
            record("P_ON", {});
        else if (keyword == "P_OFF")
            record("P_OFF", {});
        else if (keyword == "L_RESET")
            record("L_RESET", {});
        else if (keyword == "UI_CUTMODE")
            record("UI_CUTMODE", { "TOUCH", num(between(1, 6)), num(cutMode()) });
        else if (keyword == "UI_CUTEFFEKT")
            record("UI_CUTEFFEKT", { "TOUCH", num(between(1, 6)), num(between(10, 80)) });
        else if (keyword == "UI_COAGMODE")
            record("UI_COAGMODE", { "TOUCH", num(between(1, 6)), num(coagMode()) });
        else if (keyword == "UI_COAGEFFEKT")
            record("UI_COAGEFFEKT", { "TOUCH", num(between(1, 6)), num(between(10, 80)) });
        else if (keyword == "UI_AKTI")
            record("UI_AKTI", { "TOUCH", num(between(1, 6)), chance(50) ? "FS1" : "FS2" });
        else if (keyword == "UI_INFO")
            record("UI_INFO", { "TOUCH", num(between(1, 6)), chance(50) ? "AUTOSTOP" : "AUTOSTART" });
        else if (keyword == "UI_EXCEPTION")
            record("UI_EXCEPTION", { "TIMEOUT", "MAX_ACTIVATION" });
        else if (keyword == "UI_PEDAL")
            record("UI_PEDAL", { chance(60) ? "2PEDAL" : "1PEDAL", chance(90) ? "1" : "0" });
        else if (keyword == "UI_NOTE")
            record("UI_NOTE", { "Programm", "geladen" });
        else if (keyword == "UI_CUTM4DAUER")
            record("UI_CUTM4DAUER", { "TOUCH", num(between(1, 6)), num(between(1, 4)) });
        else if (keyword == "UI_CUTM4INTERVAL")
            record("UI_CUTM4INTERVAL", { "TOUCH", num(between(1, 6)), num(between(1, 10)) });
        else if (keyword == "NM_TELE1")
            neutralTelemetry1();
        else if (keyword == "NM_TELE2")
            neutralTelemetry2();
        else if (keyword == "PODED")
            record("PODED", { num(between(1, 4)), num(between(100, 999)) });
    }

    int cutMode()
    {
        static const int modes[] = { 1, 2, 3, 4, 5, 6, 21, 22, 23, 24, 41, 42 };
        return modes[between(0, int(std::size(modes)) - 1)];
    }
    int coagMode()
    {
        static const int modes[] = { 129, 130, 131, 132, 133, 134, 161, 162, 163, 165, 167, 193, 194, 195, 197 };
        return modes[between(0, int(std::size(modes)) - 1)];
    }

    // A module reports a state; module, state and info use the numbering of
    // the generator's internal bus.
    void noteMessage()
    {
        static const int modules[] = { 0, 1, 2, 3, 4, 9, 11, 14, 19, 29, 30 };
        static const int states[] = { 16, 32, 80, 96, 100, 101, 112, 128, 224 };
        record("NOTE_MSG",
            { num(modules[between(0, 10)]), num(between(0, 12)), num(states[between(0, 8)]), num(between(0, 40)),
                num(modules[between(0, 10)]) });
    }

    void error(bool moduleForm)
    {
        if (moduleForm) {
            // A small set of recurring faults keeps the error statistic telling.
            static const int faults[][4]
                = { { 11, 3, 255, 21 }, { 3, 1, 100, 12 }, { 29, 2, 192, 7 }, { 19, 0, 255, 33 } };
            const int *fault = faults[between(0, 3)];
            record("ERR_MSG", { num(fault[0]), num(fault[1]), num(fault[2]), num(fault[3]), num(fault[0]) });
        } else {
            static const char *functions[][2] = { { "NE_MONITOR", "CONTACT_QUALITY" }, { "ACTIVATION", "DOUBLE_PEDAL" },
                { "APC", "GAS_PRESSURE_LOW" }, { "SELFTEST", "RELAY_CHECK" } };
            const auto &function = functions[between(0, 3)];
            record("ERR_MSG", { function[0], function[1] });
        }
    }

    void neutralTelemetry1()
    {
        record("NM_TELE1", { num(between(60, 100)), num(between(8, 60)), num(between(-12, 12)), num(between(10, 70)) });
    }
    void neutralTelemetry2()
    {
        record(
            "NM_TELE2", { num(between(1, 400)), num(between(100, 900)), num(between(80, 600)), num(between(-30, 30)) });
    }

    // Older firmware wrote 9 or 10 fields; the current one adds the socket.
    void hfStart(int fields, int slot, int instrument, int mode, const QByteArray &effect)
    {
        const QByteArray psu = num(between(31, 58));
        const QByteArray ugm = num(between(28, 52));
        const QByteArray fan = num(between(900, 2400));
        if (fields == 9)
            record("HF_STA", { psu, ugm, num(slot), num(instrument), num(mode), effect, fan });
        else if (fields == 10)
            record("HF_STA", { psu, ugm, num(slot), num(instrument), num(mode), effect, "0", fan });
        else
            record("HF_STA", { psu, ugm, num(slot), num(m_socketType), num(instrument), num(mode), effect, "0", fan });
    }

    void hfStop(bool longCut)
    {
        const int tenths = longCut ? between(10, 60) : between(3, 25);
        QByteArray duration = QByteArray::number(tenths / 10) + ',' + QByteArray::number(tenths % 10) + 's';
        const int maxPower = between(40, 300);
        record("HF_STO",
            { duration, num(between(31, 58)), num(between(28, 52)), num(maxPower) + 'W',
                num(maxPower * between(35, 80) / 100) + 'W', num(between(120, 4300)) + 'V',
                num(between(80, 1800)) + "mA", num(maxPower * tenths / 20) + 'J', num(between(900, 2400)) });
    }

    // One surgical procedure: set-up on the touch screen, then activations.
    void procedure()
    {
        static const int sockets[] = { 0, 1, 2, 3, 5 };
        const int slot = between(1, 6);
        m_socketType = sockets[between(0, 4)];
        const bool argon = m_socketType == 2;
        const bool bipolar = m_socketType == 5;
        const int instrument = between(1, 40);
        if (chance(35))
            record("NEW_SOC", { num(slot), num(m_socketType) });
        const int cut = bipolar ? (chance(50) ? 21 : 22) : cutMode();
        const int coag = bipolar ? 193 + between(0, 4) : coagMode();
        record("UI_CUTMODE", { "TOUCH", num(slot), num(cut) });
        if (chance(60))
            record("UI_CUTEFFEKT", { "TOUCH", num(slot), num(between(10, 80)) });
        record("UI_COAGMODE", { "TOUCH", num(slot), num(coag) });
        if (chance(60))
            record("UI_COAGEFFEKT", { "TOUCH", num(slot), num(between(10, 80)) });
        if (cut == 4 || cut == 5) {
            record("UI_CUTM4DAUER", { "TOUCH", num(slot), num(between(1, 4)) });
            record("UI_CUTM4INTERVAL", { "TOUCH", num(slot), num(between(1, 10)) });
        }
        if (chance(25))
            record("UI_AKTI", { "TOUCH", num(slot), chance(50) ? "FS1" : "FS2" });
        if (chance(15))
            record("UI_INFO", { "TOUCH", num(slot), bipolar ? "AUTOSTART" : "AUTOSTOP" });
        if (argon)
            record("UI_APCFLOW", { "TOUCH", "COAG", num(slot), num(between(3, 40)) });
        if (chance(10))
            record("UI_EVXFLOW", { "OP", num(between(2, 10) * 10) });

        const int activations = between(6, 40);
        for (int i = 0; i < activations && room(); ++i) {
            advance(2000, 90000);
            const int roll = between(1, 100);
            const int fields = roll <= 3 ? 9 : (roll <= 6 ? 10 : 11);
            const bool cutting = chance(40);
            const int mode = cutting ? cut : coag;
            hfStart(fields, slot, instrument, mode, num(between(10, 80)));
            if (argon)
                record("APC_STA", { QByteArray::number(between(3, 40) / 10.0, 'f', 1) });
            if (chance(20))
                record("EVX_STA", { num(between(4, 10) * 10) });
            if (!bipolar && chance(30)) {
                neutralTelemetry1();
                if (chance(50))
                    neutralTelemetry2();
            }
            if (chance(2)) {
                error(chance(50));
            } else if (chance(1)) {
                record("UI_EXCEPTION", { "TIMEOUT", "MAX_ACTIVATION" });
            }
            hfStop(cutting && (cut == 4 || cut == 5));
            if (between(1, 1000) == 1) {
                // Deliberately malformed: a start record that lost a field in
                // transit, as the device occasionally writes after a brown-out.
                advance(100, 400);
                write("HF_STA", stamp(),
                    { num(between(31, 58)), num(between(28, 52)), num(slot), num(instrument), num(mode), "35" });
            }
        }
        if (chance(8))
            record("UI_NOTE", { "Programm", "gespeichert" });
    }

    void operatingDay()
    {
        // Start the next day early in the morning.
        const QDate day = m_clock.date().addDays(m_clock.time().hour() >= 6 ? 1 : 0);
        m_clock = QDateTime(day, QTime(6, between(30, 59), between(0, 59), between(0, 999)), Qt::UTC);
        record("P_ON", {});
        if (chance(5))
            record("L_RESET", {});
        if (chance(30))
            record("PODED", { num(between(1, 4)), num(between(100, 999)) });
        // Older firmware wrote this keyword in lower case; every fifth day does.
        record(++m_day % 5 == 1 ? "ui_wlan" : "UI_WLAN", { chance(85) ? "CONNECTED" : "SEARCHING", num(between(1, 3)) });
        record("UI_PEDAL", { chance(70) ? "2PEDAL" : "1PEDAL", "1" });
        if (chance(20))
            noteMessage();
        if (chance(10)) {
            // A service technician's remark, stamped in the long form.
            advance(500, 5000);
            write("UI_NOTE", isoStamp(), { "Service", "Sicherheitstechnische Kontrolle", "bestanden" });
        }
        if (chance(10))
            record("UNDEFINED", { "SCM", num(between(1, 9)) + "/" + num(between(10, 99)) });
        const int procedures = between(3, 9);
        for (int i = 0; i < procedures && room(); ++i) {
            advance(600000, 3600000);
            procedure();
        }
        advance(300000, 1800000);
        if (chance(5))
            record("UI_WLAN", { "LOST", num(between(1, 5)) });
        record("P_OFF", {});
    }

    const int m_target;
    const quint32 m_seed;
    QRandomGenerator m_random;
    QDateTime m_clock;
    QByteArray m_text;
    QSet<QByteArray> m_seen;
    int m_count = 0;
    int m_socketType = 0;
    int m_day = 0;
};

} // namespace

namespace ChronoLogWriter {

QByteArray write(int records, quint32 seed)
{
    FlexWriter writer { records, seed };
    return writer.run();
}

} // namespace ChronoLogWriter
