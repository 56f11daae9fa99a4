#include "Logger.h"

#include "DataPaths.h"
#include "FileSystem.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDateTime>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QHash>
#include <QtCore/QMutex>
#include <QtCore/QTextStream>

#include <atomic>
#include <cstdio>

namespace {

constexpr int kDefaultWarnLimitWindowMs = 10000;

std::atomic_bool s_initialized{false};
// Transfers log from their own threads; without the lock two lines could interleave.
QMutex s_writeMutex;

struct LimitedKind
{
    qint64 windowStartMs = 0;
    int suppressed = 0;
    QString lastMessage;
};

// Lock order: s_limitMutex before s_writeMutex, never the other way round.
QMutex s_limitMutex;
QHash<QString, LimitedKind> s_limited;
int s_warnLimitWindowMs = kDefaultWarnLimitWindowMs;

qint64 monotonicMs()
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.elapsed();
}

QString withSuppressedCount(const QString &message, int suppressed)
{
    return suppressed > 0 ? QStringLiteral("%1 (%2 similar warnings suppressed)").arg(message).arg(suppressed)
                          : message;
}

void writeRaw(const QString &text)
{
    const QString line = Logger::escapeControlCharacters(text);
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

QString escapeControlCharacters(const QString &text)
{
    const auto needsEscape = [](char16_t c) {
        // C0, DEL and C1, plus the two Unicode breaks that editors show as new lines.
        return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x2028 || c == 0x2029;
    };
    qsizetype first = 0;
    while (first < text.size() && !needsEscape(text.at(first).unicode()))
        ++first;
    if (first == text.size())
        return text;

    QString escaped = text.left(first);
    escaped.reserve(text.size() + 16);
    for (qsizetype i = first; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (!needsEscape(c)) {
            escaped += QChar(c);
            continue;
        }
        switch (c) {
        case u'\n': escaped += QLatin1String("\\n"); break;
        case u'\r': escaped += QLatin1String("\\r"); break;
        case u'\t': escaped += QLatin1String("\\t"); break;
        default:
            if (c > 0xff)
                escaped += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
            else
                escaped += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
            break;
        }
    }
    return escaped;
}

void initialize(const QString &version)
{
    if (s_initialized)
        return;
    // Emptied for the run, and readable by this account only from the start:
    // every later append keeps the mode.
    QFile file(logFilePath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        FileSystem::makePrivate(file);
    file.close();
    qInstallMessageHandler(frameworkMessageHandler);
    s_initialized = true;
    if (QCoreApplication::instance())
        qAddPostRoutine(shutdown);
    info(QStringLiteral("Logger::initialize: Kelvara Version %1").arg(version));
}

bool isInitialized()
{
    return s_initialized;
}

void shutdown()
{
    QMutexLocker locker(&s_limitMutex);
    for (auto it = s_limited.begin(); it != s_limited.end(); ++it) {
        if (it->suppressed > 0)
            writeLine("WARN ", withSuppressedCount(it->lastMessage, it->suppressed));
    }
    s_limited.clear();
}

void trace(const QString &text) { writeLine("TRACE", text); }
void info(const QString &text) { writeLine("INFO ", text); }
void warn(const QString &text) { writeLine("WARN ", text); }
void error(const QString &text) { writeLine("ERROR", text); }

void warnLimited(const QString &kind, const QString &message)
{
    QMutexLocker locker(&s_limitMutex);
    const qint64 now = monotonicMs();
    auto it = s_limited.find(kind);
    if (it != s_limited.end() && now - it->windowStartMs < s_warnLimitWindowMs) {
        ++it->suppressed;
        it->lastMessage = message;
        return;
    }
    const int suppressed = it == s_limited.end() ? 0 : it->suppressed;
    s_limited.insert(kind, LimitedKind{now, 0, QString()});
    writeLine("WARN ", withSuppressedCount(message, suppressed));
}

void setWarnLimitWindow(int milliseconds)
{
    QMutexLocker locker(&s_limitMutex);
    s_warnLimitWindowMs = milliseconds;
}

} // namespace Logger
