#include "SimulatorLog.h"

#include "Logger.h"

#include <QtCore/QDateTime>

#include <cstdio>

namespace {

void writeStdout(const char *level, const QString &text)
{
    const QByteArray line = QStringLiteral("%1 %2 %3\n")
                                .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")),
                                     QLatin1String(level), text)
                                .toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
}

} // namespace

namespace SimulatorLog {

void info(const QString &text)
{
    if (Logger::isInitialized())
        Logger::info(text);
    else
        writeStdout("INFO", text);
}

void warn(const QString &text)
{
    if (Logger::isInitialized())
        Logger::warn(text);
    else
        writeStdout("WARN", text);
}

} // namespace SimulatorLog
