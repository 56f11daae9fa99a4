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

void trace(const QString &text);
void info(const QString &text);
void warn(const QString &text);
void error(const QString &text);

/// The line as it is written, without the line feed.
QString formatLine(const QString &tag, const QString &text);

/// The handler that routes the framework's messages into the log.
QtMessageHandler messageHandler();

/// Path of the log file for this process.
QString logFilePath();

} // namespace Logger
