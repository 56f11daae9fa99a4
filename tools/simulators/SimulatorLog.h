#pragma once

#include <QtCore/QString>

/// Where the simulated peers write their lines. Inside a process that runs
/// the application log (tests, the soak client) they go there; the stand-alone
/// programs write to standard output, so that a simulator started next to the
/// application never touches the application's own log file.
namespace SimulatorLog {

void info(const QString &text);
void warn(const QString &text);

} // namespace SimulatorLog
