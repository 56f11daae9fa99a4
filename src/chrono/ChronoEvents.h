#pragma once

#include "ChronoEventBase.h"
#include "ChronoEnums.h"

// One class per record keyword. Each has the same three parts: the field
// counts it accepts, the detail text of an accepted record (a static function,
// so the parser can filter on it without making an object per record), and
// the constructor that builds an event from a record.

#define KELVARA_CHRONO_EVENT(Class) \
    class Class : public ChronoEventBase \
    { \
    public: \
        explicit Class(const QList<QByteArray> &fields); \
        static bool accepts(int fieldCount); \
        static QString describe(const ChronoFields &fields); \
        QString getDetailString() const override; \
    private: \
        QString m_detail; \
    };

KELVARA_CHRONO_EVENT(ChronoNoteMsgEvent)
KELVARA_CHRONO_EVENT(ChronoHFStaEvent)
KELVARA_CHRONO_EVENT(ChronoAPCStaEvent)
KELVARA_CHRONO_EVENT(ChronoEVXStaEvent)
KELVARA_CHRONO_EVENT(ChronoHFStoEvent)
KELVARA_CHRONO_EVENT(ChronoErrMsgEvent)
KELVARA_CHRONO_EVENT(ChronoNewSocEvent)
KELVARA_CHRONO_EVENT(ChronoUiWlanEvent)
KELVARA_CHRONO_EVENT(ChronoUiAPCFlowEvent)
KELVARA_CHRONO_EVENT(ChronoUiEVXFlowEvent)
KELVARA_CHRONO_EVENT(ChronoPOnEvent)
KELVARA_CHRONO_EVENT(ChronoPOffEvent)
KELVARA_CHRONO_EVENT(ChronoLResetEvent)
KELVARA_CHRONO_EVENT(ChronoUiCutModeEvent)
KELVARA_CHRONO_EVENT(ChronoUiCutEffektEvent)
KELVARA_CHRONO_EVENT(ChronoUiCoagModeEvent)
KELVARA_CHRONO_EVENT(ChronoUiCoagEffektEvent)
KELVARA_CHRONO_EVENT(ChronoUiAktiEvent)
KELVARA_CHRONO_EVENT(ChronoUiInfoEvent)
KELVARA_CHRONO_EVENT(ChronoUiExceptionEvent)
KELVARA_CHRONO_EVENT(ChronoUiPedalEvent)
KELVARA_CHRONO_EVENT(ChronoUiNoteEvent)
KELVARA_CHRONO_EVENT(ChronoUiCutM4DauerEvent)
KELVARA_CHRONO_EVENT(ChronoUiCutM4IntervalEvent)
KELVARA_CHRONO_EVENT(ChronoNMTele1Event)
KELVARA_CHRONO_EVENT(ChronoNMTele2Event)

#undef KELVARA_CHRONO_EVENT

/// Any record the catalogue has no class for, or whose field count its class
/// refused: every field, each followed by "; ".
class ChronoUndefinedEvent : public ChronoEventBase
{
public:
    explicit ChronoUndefinedEvent(const QList<QByteArray> &fields);
    static QString describe(const ChronoFields &fields);
    QString getDetailString() const override { return m_detail; }

private:
    QString m_detail;
};

/// A record stamped in the long form ("T" at index 10): its keyword is taken
/// as written and its payload fields are listed as they stand.
class ChronoUniversalEvent : public ChronoEventBase
{
public:
    explicit ChronoUniversalEvent(const QList<QByteArray> &fields);
    static int typeOf(const ChronoFields &fields);
    static QString describe(const ChronoFields &fields);
    QString getDetailString() const override { return m_detail; }

private:
    QString m_detail;
};
