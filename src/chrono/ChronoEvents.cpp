// Detail texts are made for every record a description filter looks at, so
// they are built in one allocation.
#define QT_USE_QSTRINGBUILDER

#include "ChronoEvents.h"

using ChronoField::number;
using ChronoField::text;

namespace {

QString f(const ChronoFields &fields, int index)
{
    return text(fields, index);
}

/// The device writes an effect of 3.5 as "35".
QString effect(const ChronoFields &fields, int index)
{
    const QString value = text(fields, index);
    return value.isEmpty() ? value : value.left(1) + QLatin1Char('.') + value.mid(1);
}

template<typename Enum>
QString name(const ChronoFields &fields, int index)
{
    return ChronoEnums::keyName<Enum>(number(fields, index));
}

QString moduleMessage(const ChronoFields &fields)
{
    return QStringLiteral("Module:") + name<ModuleTypes::ModuleType>(fields, 2) + QStringLiteral(" Error:")
        + QString::number(number(fields, 5)) + QStringLiteral(" State:") + name<ModuleStates::ModuleState>(fields, 4)
        + QStringLiteral(" Hint:") + QString::number(number(fields, 3)) + QStringLiteral(" Info:")
        + name<ModuleTypes::ModuleType>(fields, 6);
}

QString sourceSlot(const ChronoFields &fields, const char *label)
{
    return QStringLiteral("Source:") + f(fields, 2) + QStringLiteral(" Slot:") + f(fields, 3) + QLatin1String(label)
        + f(fields, 4);
}

/// Drops the unit the device appended to a value when the value carries it.
QString withoutUnit(const QString &value, const QString &unit)
{
    return value.contains(unit) ? value.chopped(qMin(unit.size(), value.size())) : value;
}

} // namespace

#define KELVARA_CHRONO_EVENT_BODY(Class, Type) \
    Class::Class(const QList<QByteArray> &fields) \
        : ChronoEventBase(ChronoEventTypes::Type, fields) \
    { \
        if (accepts(int(fields.size()))) { \
            m_detail = describe(ChronoField::views(fields)); \
            setValid(true); \
        } \
    } \
    QString Class::getDetailString() const { return m_detail; }

KELVARA_CHRONO_EVENT_BODY(ChronoNoteMsgEvent, NOTE_MSG)
KELVARA_CHRONO_EVENT_BODY(ChronoHFStaEvent, HF_STA)
KELVARA_CHRONO_EVENT_BODY(ChronoAPCStaEvent, APC_STA)
KELVARA_CHRONO_EVENT_BODY(ChronoEVXStaEvent, EVX_STA)
KELVARA_CHRONO_EVENT_BODY(ChronoHFStoEvent, HF_STO)
KELVARA_CHRONO_EVENT_BODY(ChronoErrMsgEvent, ERR_MSG)
KELVARA_CHRONO_EVENT_BODY(ChronoNewSocEvent, NEW_SOC)
KELVARA_CHRONO_EVENT_BODY(ChronoUiWlanEvent, UI_WLAN)
KELVARA_CHRONO_EVENT_BODY(ChronoUiAPCFlowEvent, UI_APCFLOW)
KELVARA_CHRONO_EVENT_BODY(ChronoUiEVXFlowEvent, UI_EVXFLOW)
KELVARA_CHRONO_EVENT_BODY(ChronoPOnEvent, P_ON)
KELVARA_CHRONO_EVENT_BODY(ChronoPOffEvent, P_OFF)
KELVARA_CHRONO_EVENT_BODY(ChronoLResetEvent, L_RESET)
KELVARA_CHRONO_EVENT_BODY(ChronoUiCutModeEvent, UI_CUTMODE)
KELVARA_CHRONO_EVENT_BODY(ChronoUiCutEffektEvent, UI_CUTEFFEKT)
KELVARA_CHRONO_EVENT_BODY(ChronoUiCoagModeEvent, UI_COAGMODE)
KELVARA_CHRONO_EVENT_BODY(ChronoUiCoagEffektEvent, UI_COAGEFFEKT)
KELVARA_CHRONO_EVENT_BODY(ChronoUiAktiEvent, UI_AKTI)
KELVARA_CHRONO_EVENT_BODY(ChronoUiInfoEvent, UI_INFO)
KELVARA_CHRONO_EVENT_BODY(ChronoUiExceptionEvent, UI_EXCEPTION)
KELVARA_CHRONO_EVENT_BODY(ChronoUiPedalEvent, UI_PEDAL)
KELVARA_CHRONO_EVENT_BODY(ChronoUiNoteEvent, UI_NOTE)
KELVARA_CHRONO_EVENT_BODY(ChronoUiCutM4DauerEvent, UI_CUTM4DAUER)
KELVARA_CHRONO_EVENT_BODY(ChronoUiCutM4IntervalEvent, UI_CUTM4INTERVAL)
KELVARA_CHRONO_EVENT_BODY(ChronoNMTele1Event, NM_TELE1)
KELVARA_CHRONO_EVENT_BODY(ChronoNMTele2Event, NM_TELE2)
// ---------------------------------------------------------------------------

bool ChronoNoteMsgEvent::accepts(int count) { return count == 7; }
QString ChronoNoteMsgEvent::describe(const ChronoFields &fields) { return moduleMessage(fields); }

// Three generations of the start record: the socket type came in with 11
// fields, and the fan speed moved to the last field with 10.
bool ChronoHFStaEvent::accepts(int count) { return count >= 9 && count <= 11; }
QString ChronoHFStaEvent::describe(const ChronoFields &fields)
{
    const QString temperatures = QStringLiteral("PSU:") + f(fields, 2) + QStringLiteral("[°C]") + QStringLiteral(" UGM:")
        + f(fields, 3) + QStringLiteral("[°C]") + QStringLiteral(" Slot:") + f(fields, 4);
    switch (fields.size()) {
    case 9:
        return temperatures + QStringLiteral(" Instrument:") + f(fields, 5) + QStringLiteral(" Mode:") + f(fields, 6)
            + QStringLiteral(" Effect:") + effect(fields, 7) + QStringLiteral(" Fan:") + f(fields, 8)
            + QStringLiteral("[1/s]");
    case 10:
        return temperatures + QStringLiteral(" Instrument:") + f(fields, 5) + QStringLiteral(" Mode:") + f(fields, 6)
            + QStringLiteral(" Effect:") + effect(fields, 7) + QStringLiteral(" Fan: ") + f(fields, 9)
            + QStringLiteral("[1/s]");
    default:
        return temperatures + QStringLiteral(" Socket:") + name<SlotTypes::SlotType>(fields, 5)
            + QStringLiteral(" Instrument:") + f(fields, 6) + QStringLiteral(" Mode:") + f(fields, 7)
            + QStringLiteral(" Effect:") + effect(fields, 8) + QStringLiteral(" Fan: ") + f(fields, 10)
            + QStringLiteral("[1/s]");
    }
}

bool ChronoAPCStaEvent::accepts(int count) { return count == 3; }
QString ChronoAPCStaEvent::describe(const ChronoFields &fields)
{
    return QStringLiteral("Flow:") + f(fields, 2) + QStringLiteral("[l/min]");
}

bool ChronoEVXStaEvent::accepts(int count) { return count == 3; }
QString ChronoEVXStaEvent::describe(const ChronoFields &fields)
{
    return QStringLiteral("Flow:") + f(fields, 2) + QStringLiteral("[%]");
}

bool ChronoHFStoEvent::accepts(int count) { return count == 11; }
QString ChronoHFStoEvent::describe(const ChronoFields &fields)
{
    // The device writes some values with their unit; the labels add it back.
    QString duration = f(fields, 2);
    if (duration.contains(QLatin1Char('s'))) {
        duration.chop(1);
        duration.replace(QLatin1Char(','), QLatin1Char('.'));
    }
    const QString w = QStringLiteral("W");
    return QStringLiteral("Duration:") + duration + QStringLiteral("[s]") + QStringLiteral(" PSU:") + f(fields, 3)
        + QStringLiteral("[°C]") + QStringLiteral(" UGM:") + f(fields, 4) + QStringLiteral("[°C]")
        + QStringLiteral(" P_MAX:") + withoutUnit(f(fields, 5), w) + QStringLiteral("[dW]") + QStringLiteral(" P_AVG:")
        + withoutUnit(f(fields, 6), w) + QStringLiteral("[dW]") + QStringLiteral(" U_MAX:")
        + withoutUnit(f(fields, 7), QStringLiteral("V")) + QStringLiteral("[V]") + QStringLiteral(" I_MAX:")
        + withoutUnit(f(fields, 8), QStringLiteral("mA")) + QStringLiteral("[mA]") + QStringLiteral(" Energy:")
        + withoutUnit(f(fields, 9), QStringLiteral("J")) + QStringLiteral("[J]") + QStringLiteral(" Fan:") + f(fields, 10)
        + QStringLiteral("[1/s]");
}

bool ChronoErrMsgEvent::accepts(int count) { return count == 4 || count == 7; }
QString ChronoErrMsgEvent::describe(const ChronoFields &fields)
{
    if (fields.size() == 7)
        return moduleMessage(fields);
    return QStringLiteral("Function:") + f(fields, 2) + QStringLiteral(" Function:") + f(fields, 3);
}

bool ChronoNewSocEvent::accepts(int count) { return count == 4; }
QString ChronoNewSocEvent::describe(const ChronoFields &fields)
{
    return QStringLiteral("Slot:") + f(fields, 2) + QStringLiteral(" Socket:") + f(fields, 3);
}

bool ChronoUiWlanEvent::accepts(int count) { return count == 4; }
QString ChronoUiWlanEvent::describe(const ChronoFields &fields)
{
    return QStringLiteral("State:") + f(fields, 2) + QStringLiteral(" Tries:") + f(fields, 3);
}

bool ChronoUiAPCFlowEvent::accepts(int count) { return count == 6; }
QString ChronoUiAPCFlowEvent::describe(const ChronoFields &fields)
{
    return QStringLiteral("Quelle: ") + f(fields, 2) + QStringLiteral(" Cut/Coag: ") + f(fields, 3)
        + QStringLiteral(" Buchse: ") + f(fields, 4) + QStringLiteral(" APC_Flow: ") + f(fields, 5);
}

bool ChronoUiEVXFlowEvent::accepts(int count) { return count == 4; }
QString ChronoUiEVXFlowEvent::describe(const ChronoFields &fields)
{
    return QStringLiteral("Parameter: ") + f(fields, 2) + QStringLiteral(" Flow:") + f(fields, 3) + QStringLiteral("[%]");
}

bool ChronoPOnEvent::accepts(int count) { return count == 2; }
QString ChronoPOnEvent::describe(const ChronoFields &) { return QString(); }
bool ChronoPOffEvent::accepts(int count) { return count == 2; }
QString ChronoPOffEvent::describe(const ChronoFields &) { return QString(); }
bool ChronoLResetEvent::accepts(int count) { return count == 2; }
QString ChronoLResetEvent::describe(const ChronoFields &) { return QString(); }

bool ChronoUiCutModeEvent::accepts(int count) { return count == 5; }
QString ChronoUiCutModeEvent::describe(const ChronoFields &fields)
{
    const int mode = number(fields, 4);
    return QStringLiteral("Source:") + f(fields, 2) + QStringLiteral(" Slot:") + f(fields, 3) + QStringLiteral(" Mode:")
        + QString::number(ChronoEnums::isValue<CutModes::CutMode>(mode) ? mode : -1);
}

bool ChronoUiCutEffektEvent::accepts(int count) { return count == 5; }
QString ChronoUiCutEffektEvent::describe(const ChronoFields &fields) { return sourceSlot(fields, " Effect:"); }

bool ChronoUiCoagModeEvent::accepts(int count) { return count == 5; }
QString ChronoUiCoagModeEvent::describe(const ChronoFields &fields)
{
    const int mode = number(fields, 4);
    return QStringLiteral("Source:") + f(fields, 2) + QStringLiteral(" Slot:") + f(fields, 3) + QStringLiteral(" Mode:")
        + QString::number(ChronoEnums::isValue<CoagModes::CoagMode>(mode) ? mode : -1);
}

bool ChronoUiCoagEffektEvent::accepts(int count) { return count == 5; }
QString ChronoUiCoagEffektEvent::describe(const ChronoFields &fields) { return sourceSlot(fields, " Effect:"); }

bool ChronoUiAktiEvent::accepts(int count) { return count == 5; }
QString ChronoUiAktiEvent::describe(const ChronoFields &fields) { return sourceSlot(fields, " Assignment:"); }

bool ChronoUiInfoEvent::accepts(int count) { return count == 5; }
QString ChronoUiInfoEvent::describe(const ChronoFields &fields) { return sourceSlot(fields, " ModeAdditions:"); }

bool ChronoUiExceptionEvent::accepts(int count) { return count == 4; }
QString ChronoUiExceptionEvent::describe(const ChronoFields &fields)
{
    return QStringLiteral("Type:") + f(fields, 2) + QStringLiteral(" Info:") + f(fields, 3);
}

bool ChronoUiPedalEvent::accepts(int count) { return count == 4; }
QString ChronoUiPedalEvent::describe(const ChronoFields &fields)
{
    return QStringLiteral("Type:") + f(fields, 2) + QStringLiteral(" Connected:") + f(fields, 3);
}

// A free-text note: any number of words.
bool ChronoUiNoteEvent::accepts(int) { return true; }
QString ChronoUiNoteEvent::describe(const ChronoFields &fields)
{
    QString note;
    for (int i = 2; i < fields.size(); ++i) {
        if (i > 2)
            note += QLatin1Char(' ');
        note += f(fields, i);
    }
    return note;
}

bool ChronoUiCutM4DauerEvent::accepts(int count) { return count == 5; }
QString ChronoUiCutM4DauerEvent::describe(const ChronoFields &fields) { return sourceSlot(fields, " Duration:"); }

bool ChronoUiCutM4IntervalEvent::accepts(int count) { return count == 5; }
QString ChronoUiCutM4IntervalEvent::describe(const ChronoFields &fields) { return sourceSlot(fields, " Interval:"); }

bool ChronoNMTele1Event::accepts(int count) { return count == 6; }
QString ChronoNMTele1Event::describe(const ChronoFields &fields)
{
    return QStringLiteral("C:") + f(fields, 2) + QStringLiteral(" R:") + f(fields, 3) + QStringLiteral(" X:")
        + f(fields, 4) + QStringLiteral(" Z:") + f(fields, 5);
}

bool ChronoNMTele2Event::accepts(int count) { return count == 6; }
QString ChronoNMTele2Event::describe(const ChronoFields &fields)
{
    return QStringLiteral("t:") + f(fields, 2) + QStringLiteral(" I:") + f(fields, 3) + QStringLiteral(" U:")
        + f(fields, 4) + QStringLiteral(" Phi: ") + f(fields, 5);
}

// ---------------------------------------------------------------------------

ChronoUndefinedEvent::ChronoUndefinedEvent(const QList<QByteArray> &fields)
    : ChronoEventBase(ChronoEventTypes::UNDEFINED, fields)
    , m_detail(describe(ChronoField::views(fields)))
{
}

QString ChronoUndefinedEvent::describe(const ChronoFields &fields)
{
    QString detail;
    for (const QByteArrayView &field : fields) {
        detail += QString::fromUtf8(field);
        detail += QLatin1String("; ");
    }
    return detail;
}

ChronoUniversalEvent::ChronoUniversalEvent(const QList<QByteArray> &fields)
    : ChronoEventBase(typeOf(ChronoField::views(fields)), fields)
    , m_detail(describe(ChronoField::views(fields)))
{
    setValid(true);
}

int ChronoUniversalEvent::typeOf(const ChronoFields &fields)
{
    return fields.isEmpty() ? -1 : ChronoEnums::eventTypeOf(fields.at(0).toByteArray());
}

QString ChronoUniversalEvent::describe(const ChronoFields &fields)
{
    QString detail;
    for (int i = 2; i < fields.size(); ++i) {
        detail += QString::fromUtf8(fields.at(i));
        detail += QLatin1String("  ");
    }
    return detail;
}
