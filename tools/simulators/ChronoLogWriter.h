#pragma once

#include <QtCore/QByteArray>

/// The simulated generator's event log: a header line and exactly `records`
/// event records of operating days, a pure function of its arguments.
namespace ChronoLogWriter {

QByteArray write(int records, quint32 seed);

} // namespace ChronoLogWriter
