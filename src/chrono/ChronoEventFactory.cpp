#include "ChronoEventFactory.h"

#include "ChronoEnums.h"
#include "ChronoEvents.h"

namespace {

struct Kind
{
    bool (*accepts)(int);
    QString (*describe)(const ChronoFields &);
    ChronoEventBase *(*make)(const QList<QByteArray> &);

    template<typename Event>
    static Kind of()
    {
        return { &Event::accepts, &Event::describe,
                 [](const QList<QByteArray> &fields) -> ChronoEventBase * { return new Event(fields); } };
    }
};

// Indexed by event type - 1: the keywords 1 to 26 have a class each.
const Kind *kinds()
{
    static const Kind table[] = {
        Kind::of<ChronoNoteMsgEvent>(),
        Kind::of<ChronoHFStaEvent>(),
        Kind::of<ChronoAPCStaEvent>(),
        Kind::of<ChronoEVXStaEvent>(),
        Kind::of<ChronoHFStoEvent>(),
        Kind::of<ChronoErrMsgEvent>(),
        Kind::of<ChronoNewSocEvent>(),
        Kind::of<ChronoUiWlanEvent>(),
        Kind::of<ChronoUiAPCFlowEvent>(),
        Kind::of<ChronoUiEVXFlowEvent>(),
        Kind::of<ChronoPOnEvent>(),
        Kind::of<ChronoPOffEvent>(),
        Kind::of<ChronoLResetEvent>(),
        Kind::of<ChronoUiCutModeEvent>(),
        Kind::of<ChronoUiCutEffektEvent>(),
        Kind::of<ChronoUiCoagModeEvent>(),
        Kind::of<ChronoUiCoagEffektEvent>(),
        Kind::of<ChronoUiAktiEvent>(),
        Kind::of<ChronoUiInfoEvent>(),
        Kind::of<ChronoUiExceptionEvent>(),
        Kind::of<ChronoUiPedalEvent>(),
        Kind::of<ChronoUiNoteEvent>(),
        Kind::of<ChronoUiCutM4DauerEvent>(),
        Kind::of<ChronoUiCutM4IntervalEvent>(),
        Kind::of<ChronoNMTele1Event>(),
        Kind::of<ChronoNMTele2Event>(),
    };
    return table;
}
constexpr int kLastTyped = ChronoEventTypes::NM_TELE2;

const Kind *kindOf(int type)
{
    return type >= 1 && type <= kLastTyped ? &kinds()[type - 1] : nullptr;
}

bool isUniversal(const ChronoFields &fields)
{
    return fields.at(1).size() >= 11 && fields.at(1).at(10) == 'T';
}

} // namespace

namespace ChronoEventFactory {

bool read(QByteArrayView line, ChronoRecord &record)
{
    // Logs written on Windows end their lines in CR LF; the CR is no part of
    // the last field.
    if (!line.isEmpty() && line.back() == '\r')
        line.chop(1);
    ChronoField::split(line, record.fields);
    if (record.fields.size() < 2)
        return false;
    record.storage.clear();
    // The keyword buffer is reused from line to line: no allocation per record.
    const QByteArrayView keyword = record.fields.at(0);
    record.keyword.resize(keyword.size());
    char *upper = record.keyword.data();
    for (qsizetype i = 0; i < keyword.size(); ++i) {
        const char c = keyword.at(i);
        upper[i] = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
    }
    record.universal = isUniversal(record.fields);
    if (record.universal) {
        record.type = ChronoUniversalEvent::typeOf(record.fields);
        record.undefined = false;
        return true;
    }
    ChronoField::simplify(record.fields, record.storage);
    const int type = ChronoEnums::eventTypeOf(record.keyword);
    const Kind *kind = kindOf(type);
    record.undefined = !kind || !kind->accepts(int(record.fields.size()));
    record.type = record.undefined ? int(ChronoEventTypes::UNDEFINED) : type;
    return true;
}

QString detail(const ChronoRecord &record)
{
    if (record.universal)
        return ChronoUniversalEvent::describe(record.fields);
    if (record.undefined)
        return ChronoUndefinedEvent::describe(record.fields);
    return kindOf(record.type)->describe(record.fields);
}

QString date(const ChronoRecord &record)
{
    QString day;
    QString time;
    ChronoField::stamp(record.fields.at(1), &day, &time);
    return day;
}

std::unique_ptr<ChronoEventBase> create(QByteArrayView line)
{
    ChronoRecord record;
    if (!read(line, record))
        return nullptr;
    const QList<QByteArray> fields = ChronoField::copies(record.fields);
    if (record.universal)
        return std::make_unique<ChronoUniversalEvent>(fields);
    if (!record.undefined) {
        std::unique_ptr<ChronoEventBase> event(kindOf(record.type)->make(fields));
        if (event->isValid())
            return event;
    }
    auto undefined = std::make_unique<ChronoUndefinedEvent>(fields);
    undefined->setValid(true);
    return undefined;
}

} // namespace ChronoEventFactory
