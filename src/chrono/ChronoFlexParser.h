#pragma once

#include "ChronoEventLog.h"

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <atomic>
#include <functional>

/// Reads a ".flex" event log: the lines after the first, last line first,
/// filtered, with the statistic of the error messages of the whole file.
namespace ChronoFlexParser {

/// Offsets are 32 bits; a log of the generator is a few hundred megabytes at most.
constexpr qint64 kMaxFileSize = qint64(2047) * 1024 * 1024;

struct Filter
{
    /// A regular expression searched in the upper-cased keyword; records
    /// shown as undefined events always pass.
    QString event;
    /// Found, ignoring case, in the event's date text.
    QString date;
    /// Found, ignoring case, in the event's detail text.
    QString description;
};

struct Result
{
    ChronoEventLog events;
    /// "count\ttext" per distinct error detail, most frequent first.
    QStringList errorList;
    bool readable = false;
    bool cancelled = false;
};

/// `progress` hears each new whole percentage; `cancel` is polled.
Result parse(const QString &path, const Filter &filter, const std::function<void(int)> &progress = {},
             const std::atomic<bool> *cancel = nullptr);
/// The error lines of a count per text, in their order.
QStringList errorLines(const QHash<QString, int> &counts);

} // namespace ChronoFlexParser
