#pragma once

#include "ChronoFields.h"

#include <QtCore/QByteArrayView>
#include <QtCore/QString>

#include <memory>

class ChronoEventBase;

/// How the log reader sees one record line, without making an event object:
/// what the module shows for it is decided here, the texts are made only for
/// the rows that are shown or filtered.
struct ChronoRecord
{
    /// The fields the event is built from: blank-simplified for a typed
    /// record, as written for a universal one.
    ChronoFields fields;
    QList<QByteArray> storage;
    /// The keyword in upper case: what the event filter is matched against.
    QByteArray keyword;
    /// The type shown: 0 for an undefined event, -1 for a universal record
    /// of unknown keyword.
    int type = 0;
    bool universal = false;
    /// True when the record is shown as an undefined event (unknown keyword,
    /// or a field count its class refuses).
    bool undefined = false;
};

namespace ChronoEventFactory {

/// Reads one line (a trailing CR is dropped); false for a line of fewer than
/// two fields, which is not an event.
bool read(QByteArrayView line, ChronoRecord &record);
QString detail(const ChronoRecord &record);
QString date(const ChronoRecord &record);
/// The event object of a line, or null when the line is not an event.
std::unique_ptr<ChronoEventBase> create(QByteArrayView line);

} // namespace ChronoEventFactory
