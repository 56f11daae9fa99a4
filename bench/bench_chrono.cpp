// The Chrono module on a long event log: 2,000,000 records of the simulated
// generator. Parsing (no filter, the event filter "HF_STA|ERR_MSG", a
// description filter) is timed against `grep -c -E` on the same file, and
// its peak resident memory is set against the file size; unpacking the
// zipped log is timed against a bare libzip read-to-file loop.
// Goals: parsing at most 4x grep, peak memory of the parse at most 2x the
// file size, unpacking at most 1.2x the bare loop.
//
// bench_chrono [RECORDS]; the parse runs in a child process of this program
// ("--parse FILE EVENT DESC") so that its memory is its own.

#include "ChronoFlexParser.h"
#include "ChronoLogWriter.h"
#include "ChronoZip.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>

#include <zip.h>

#include <cstdio>

namespace {

/// A field of /proc/self/status in bytes; 0 where there is none.
qint64 statusBytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

int parseChild(const QStringList &arguments)
{
    const qint64 before = statusBytes("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    const ChronoFlexParser::Result result =
        ChronoFlexParser::parse(arguments.at(0), { arguments.at(1), {}, arguments.at(2) });
    const double seconds = timer.nsecsElapsed() / 1e9;
    const qint64 peak = statusBytes("VmHWM:");
    std::printf("%f %lld %d\n", seconds, peak > 0 ? peak - before : -1, result.events.size());
    return result.readable ? 0 : 1;
}

double timed(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

double grepSeconds(const QStringList &arguments, QByteArray *count)
{
    QProcess grep;
    QElapsedTimer timer;
    timer.start();
    grep.start(QStringLiteral("grep"), arguments);
    grep.waitForFinished(-1);
    *count = grep.readAllStandardOutput().trimmed();
    return timer.nsecsElapsed() / 1e9;
}

bool bareUnzip(const QString &archive, const QString &directory)
{
    int error = 0;
    zip_t *zip = zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, &error);
    if (!zip)
        return false;
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) {
        zip_file_t *entry = zip_fopen_index(zip, zip_uint64_t(i), 0);
        QFile out(directory + QLatin1Char('/') + QString::fromUtf8(zip_get_name(zip, zip_uint64_t(i), 0)));
        out.open(QIODevice::WriteOnly);
        zip_int64_t got;
        while ((got = zip_fread(entry, buffer.data(), zip_uint64_t(buffer.size()))) > 0)
            out.write(buffer.constData(), got);
        zip_fclose(entry);
    }
    zip_discard(zip);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.value(0) == QLatin1String("--parse") && arguments.size() == 4)
        return parseChild(arguments.mid(1));
    const int records = arguments.isEmpty() ? 2000000 : arguments.at(0).toInt();

    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("23104711_231024_081533.flex"));
    {
        QFile file(log);
        file.open(QIODevice::WriteOnly);
        file.write(ChronoLogWriter::write(records, 4711));
    }
    const qint64 size = QFileInfo(log).size();
    std::printf("event log: %d records, %.1f MB\n", records, size / 1e6);

    struct Case
    {
        const char *name;
        QString event;
        QString description;
        QStringList grep;
    };
    const QList<Case> cases = {
        { "no filter", QString(), QString(), { "-c", "-E", ";", log } },
        { "event filter HF_STA|ERR_MSG", QStringLiteral("HF_STA|ERR_MSG"), QString(),
          { "-c", "-E", "HF_STA|ERR_MSG", log } },
        { "description filter \"contact\"", QString(), QStringLiteral("contact"),
          { "-c", "-E", "-i", "contact", log } },
    };
    for (const Case &c : cases) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    { QStringLiteral("--parse"), log, c.event, c.description });
        child.waitForFinished(-1);
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        const double seconds = figures.value(0).toDouble();
        const qint64 memory = figures.value(1).toLongLong();
        QByteArray count;
        const double grep = grepSeconds(c.grep, &count);
        std::printf("parse, %s: %.3f s, %s events; grep -c -E: %.3f s (%s lines); ratio %.2f; "
                    "peak memory %.1f MB, memory ratio %.2f\n",
                    c.name, seconds, figures.value(2).constData(), grep, count.constData(), seconds / grep,
                    memory / 1e6, double(memory) / double(size));
    }

    const QString archive = dir.filePath(QStringLiteral("log.flex.zip"));
    ChronoZip::compress({ log }, archive);
    const QString bareDir = dir.filePath(QStringLiteral("bare"));
    const QString ownDir = dir.filePath(QStringLiteral("own"));
    QDir().mkpath(bareDir);
    QDir().mkpath(ownDir);
    double bare = 1e9;
    double own = 1e9;
    for (int round = 0; round < 3; ++round) {
        bare = qMin(bare, timed([&] { bareUnzip(archive, bareDir); }));
        own = qMin(own, timed([&] { ChronoZip::unpack(archive, ownDir); }));
    }
    std::printf("unzip %.1f MB archive: %.3f s; bare libzip loop: %.3f s; ratio %.2f\n",
                QFileInfo(archive).size() / 1e6, own, bare, own / bare);
    return 0;
}
