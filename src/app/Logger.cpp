#include "Logger.h"

#include "DataPaths.h"

#include <QtCore/QDateTime>
#include <QtCore/QFile>
#include <QtCore/QMutex>
#include <QtCore/QTextStream>

#include <atomic>
#include <cstdio>

namespace {

std::atomic_bool s_initialized{false};
// Transfers log from their own threads; without the lock two lines could interleave.
QMutex s_writeMutex;

void writeRaw(const QString &line)
{
    QMutexLocker locker(&s_writeMutex);
    const QByteArray latin1 = line.toLatin1();
    std::fwrite(latin1.constData(), 1, size_t(latin1.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);

    // Opened and closed per line so that the file is complete after a crash.
    QFile file(Logger::logFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    QTextStream stream(&file);
    stream << line << '\n';
}

void writeLine(const char *tag, const QString &text)
{
    if (!s_initialized)
        return;
    writeRaw(Logger::formatLine(QLatin1String(tag), text));
}

void frameworkMessageHandler(QtMsgType, const QMessageLogContext &, const QString &message)
{
    if (message.contains(QLatin1String("Failed to read DnsConfig")))
        return;
    writeRaw(message);
}

} // namespace

namespace Logger {

QtMessageHandler messageHandler()
{
    return frameworkMessageHandler;
}

QString logFilePath()
{
    return DataPaths::applicationLogPath();
}

QString formatLine(const QString &tag, const QString &text)
{
    return QStringLiteral("%1: %2 %3")
        .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy.MM.dd hh:mm:ss.zzz")), tag, text);
}

void initialize(const QString &version)
{
    if (s_initialized)
        return;
    QFile file(logFilePath());
    if (file.exists())
        file.resize(0);
    qInstallMessageHandler(frameworkMessageHandler);
    s_initialized = true;
    info(QStringLiteral("Logger::initialize: Kelvara Version %1").arg(version));
}

bool isInitialized()
{
    return s_initialized;
}

void trace(const QString &text) { writeLine("TRACE", text); }
void info(const QString &text) { writeLine("INFO ", text); }
void warn(const QString &text) { writeLine("WARN ", text); }
void error(const QString &text) { writeLine("ERROR", text); }

} // namespace Logger
