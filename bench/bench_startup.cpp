// Start-up cost of the application against the smallest QML window of the same
// Qt: time from process start to the first frame on screen, and the resident
// memory once the window is idle. Both run offscreen as separate processes.
//
//   bench_startup [--runs N] [--app PATH]
//
// The goal is a time ratio of at most 1.5.

#include <QtCore/QCommandLineParser>
#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QEventLoop>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtGui/QGuiApplication>
#include <QtQml/QQmlApplicationEngine>
#include <QtQuick/QQuickWindow>

#include <algorithm>
#include <cstdio>

namespace {

const QByteArray kMarker = "KELVARA_FIRST_FRAME";
constexpr int kStartTimeoutMs = 60000;
constexpr int kIdleSettleMs = 1500;

struct Sample
{
    double firstFrameMs = -1;
    double idleRssMiB = -1;
};

// The child mode: a window with one text, reporting its first frame like the
// application does.
int runMinimalWindow(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QQmlApplicationEngine engine;
    // A scene file after the flag replaces the built-in window (for comparing scenes).
    if (argc > 2)
        engine.load(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[2])));
    else
        engine.loadData("import QtQuick\nWindow { visible: true; width: 1100; height: 900\n"
                        "    Text { anchors.centerIn: parent; text: \"Kelvara\" } }");
    if (engine.rootObjects().isEmpty())
        return 1;
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().first());
    QMetaObject::Connection connection;
    connection = QObject::connect(window, &QQuickWindow::frameSwapped, window, [&connection] {
        QObject::disconnect(connection);
        std::printf("%s\n", kMarker.constData());
        std::fflush(stdout);
    });
    return app.exec();
}

double residentMiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

// Waits on the event loop (no sleeping) for `milliseconds`.
void settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

Sample measure(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    Sample sample;
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    if (!process.waitForStarted(kStartTimeoutMs)) {
        std::fprintf(stderr, "bench_startup: cannot start %s\n", qPrintable(program));
        return sample;
    }
    QByteArray output;
    while (process.state() == QProcess::Running && clock.elapsed() < kStartTimeoutMs) {
        if (!process.waitForReadyRead(kStartTimeoutMs - int(clock.elapsed())))
            break;
        output += process.readAllStandardOutput();
        if (output.contains(kMarker)) {
            sample.firstFrameMs = clock.nsecsElapsed() / 1e6;
            break;
        }
    }
    if (sample.firstFrameMs >= 0) {
        settle(kIdleSettleMs);
        sample.idleRssMiB = residentMiB(process.processId());
    } else {
        std::fprintf(stderr, "bench_startup: no first frame from %s\n%s\n", qPrintable(program),
                     process.readAllStandardError().right(2000).constData());
    }
    process.kill();
    process.waitForFinished(10000);
    // A killed instance leaves its single-instance lock behind, which a closed
    // one does not: without this every start but the first would be measured
    // as the recovery from a crash.
    QFile::remove(environment.value(QStringLiteral("TMPDIR")) + QStringLiteral("/Kelvara.lock"));
    return sample;
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    const int middle = int(values.size()) / 2;
    return values.size() % 2 ? values.at(middle) : (values.at(middle - 1) + values.at(middle)) / 2.0;
}

struct Result
{
    QList<double> times;
    QList<double> memory;
    double firstFrameMs() const { return median(times); }
    double idleRssMiB() const { return median(memory); }
};

struct Program
{
    QString path;
    QStringList arguments;
};

// The two programs take turns, so that load from other work on the machine
// falls on both alike.
bool interleaved(int runs, const QList<Program> &programs, const QProcessEnvironment &environment,
                 QList<Result> &results)
{
    results = QList<Result>(programs.size());
    for (const Program &program : programs)
        measure(program.path, program.arguments, environment); // warm the file cache
    for (int i = 0; i < runs; ++i) {
        for (int p = 0; p < programs.size(); ++p) {
            const Sample sample = measure(programs.at(p).path, programs.at(p).arguments, environment);
            if (sample.firstFrameMs < 0)
                return false;
            results[p].times << sample.firstFrameMs;
            results[p].memory << sample.idleRssMiB;
        }
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--minimal-window") == 0)
        return runMinimalWindow(argc, argv);

    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Measured starts of each program."),
                                        QStringLiteral("N"), QStringLiteral("5"));
    const QCommandLineOption appOption(QStringLiteral("app"), QStringLiteral("The kelvara executable."),
                                       QStringLiteral("PATH"),
                                       QCoreApplication::applicationDirPath() + QStringLiteral("/../src/kelvara"));
    parser.addOption(runsOption);
    parser.addOption(appOption);
    parser.process(app);
    const int runs = std::max(1, parser.value(runsOption).toInt());
    const QString kelvara = QFileInfo(parser.value(appOption)).absoluteFilePath();
    if (!QFileInfo(kelvara).isExecutable()) {
        std::fprintf(stderr, "bench_startup: %s is not an executable (use --app)\n", qPrintable(kelvara));
        return 2;
    }

    QTemporaryDir documents;
    QTemporaryDir scratch;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), scratch.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("KELVARA_DOCUMENTS_DIR"), documents.path());
    environment.insert(QStringLiteral("KELVARA_REPORT_FIRST_FRAME"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    environment.remove(QStringLiteral("KELVARA_SCREENSHOT"));

    QList<Result> results;
    if (!interleaved(runs,
                     {Program{kelvara, {}},
                      Program{QCoreApplication::applicationFilePath(), {QStringLiteral("--minimal-window")}}},
                     environment, results))
        return 1;
    const Result &application = results.at(0);
    const Result &minimal = results.at(1);

    const double ratio = application.firstFrameMs() / minimal.firstFrameMs();
    std::printf("start-up to first frame, median of %d runs (offscreen)\n", runs);
    std::printf("  kelvara login page   %8.1f ms   idle RSS %7.1f MiB\n", application.firstFrameMs(),
                application.idleRssMiB());
    std::printf("  minimal QML window   %8.1f ms   idle RSS %7.1f MiB\n", minimal.firstFrameMs(), minimal.idleRssMiB());
    std::printf("  time ratio           %8.2f      (goal: at most 1.50) %s\n", ratio, ratio <= 1.5 ? "met" : "MISSED");
    std::printf("  memory ratio         %8.2f\n", application.idleRssMiB() / minimal.idleRssMiB());
    return 0;
}
