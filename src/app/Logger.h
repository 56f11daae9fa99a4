#pragma once

#include <QtCore/QString>

/// The application log: one line per call, to standard output and to
/// "KelvaraLog.txt" in the application directory. Lines written before
/// initialize() are dropped.
namespace Logger {

/// Truncates the log file, installs the framework message handler and writes
/// the banner line. Only the first call has any effect.
void initialize(const QString &version);
bool isInitialized();
/// Writes the counts of warnings that warnLimited() still holds back. Runs by
/// itself when the application object goes away.
void shutdown();

void trace(const QString &text);
void info(const QString &text);
void warn(const QString &text);
void error(const QString &text);

/// A warning that a peer can provoke at will: the first of its kind is
/// written at once, later ones within the window are only counted, and the
/// first one after the window is written with the number held back.
void warnLimited(const QString &kind, const QString &message);
/// Length of the warnLimited() window; tests shorten it, the product keeps 10 s.
void setWarnLimitWindow(int milliseconds);

/// The line as it is written, without the line feed.
QString formatLine(const QString &tag, const QString &text);
/// `text` with every control character written out (\n, \r, \t, \xNN), so
/// that no value from outside can break or forge a line.
QString escapeControlCharacters(const QString &text);

/// The handler that routes the framework's messages into the log.
QtMessageHandler messageHandler();

/// Path of the log file for this process.
QString logFilePath();

} // namespace Logger
