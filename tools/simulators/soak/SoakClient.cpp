// Drives both simulator programs the way the application does, over and over:
// connect, heartbeat, identity, lists, a chunked download and upload, login,
// server lists and files, a log upload, logout, disconnect. Used by
// bench/soak_simulators.sh; prints one summary line at the end.

#include "FileTransfer.h"
#include "GetRequest.h"
#include "MessageBase.h"
#include "ProtocolTypes.h"
#include "UserLoginReply.h"
#include "UserLoginRequest.h"
#include "UserLogoutRequest.h"

#include <QtCore/QCommandLineParser>
#include <QtCore/QCoreApplication>
#include <QtCore/QDeadlineTimer>
#include <QtCore/QElapsedTimer>
#include <QtCore/QEventLoop>
#include <QtCore/QFile>
#include <QtCore/QTimer>
#include <QtWebSockets/QWebSocket>

#include <cstdio>

namespace {

constexpr int kAnswerTimeoutMs = 10000;
constexpr int kUploadChunk = 16 * 1024;

/// One link with an inbox; every wait runs the event loop until a frame or the time-out.
class Link
{
public:
    Link()
        : m_socket(QStringLiteral("Kelvara"))
    {
        QObject::connect(&m_socket, &QWebSocket::binaryMessageReceived,
                         [this](const QByteArray &frame) { m_inbox.append(frame); });
    }

    bool open(const QString &url)
    {
        QEventLoop loop;
        QObject::connect(&m_socket, &QWebSocket::connected, &loop, &QEventLoop::quit);
        QObject::connect(&m_socket, &QWebSocket::disconnected, &loop, &QEventLoop::quit);
        QTimer::singleShot(kAnswerTimeoutMs, &loop, &QEventLoop::quit);
        m_socket.open(QUrl(url));
        loop.exec();
        return m_socket.state() == QAbstractSocket::ConnectedState;
    }

    void close()
    {
        if (m_socket.state() == QAbstractSocket::UnconnectedState)
            return;
        QEventLoop loop;
        QObject::connect(&m_socket, &QWebSocket::disconnected, &loop, &QEventLoop::quit);
        QTimer::singleShot(kAnswerTimeoutMs, &loop, &QEventLoop::quit);
        m_socket.close();
        // The close may already be complete when close() returns.
        if (m_socket.state() != QAbstractSocket::UnconnectedState)
            loop.exec();
        m_socket.abort();
        m_inbox.clear();
    }

    void send(MessageBase &message)
    {
        message.setMessageId(++m_nextId);
        m_socket.sendBinaryMessage(message.serialize());
    }

    void sendAck(const FileTransfer &message) { m_socket.sendBinaryMessage(message.acknowledgement().serialize()); }

    /// The next frame of the given command, skipping others; empty on time-out.
    QByteArray next(qint32 commandType)
    {
        QDeadlineTimer deadline(kAnswerTimeoutMs);
        while (true) {
            while (!m_inbox.isEmpty()) {
                const QByteArray frame = m_inbox.takeFirst();
                if (MessageBase(frame).commandType() == commandType)
                    return frame;
            }
            if (deadline.hasExpired() || m_socket.state() != QAbstractSocket::ConnectedState)
                return QByteArray();
            QEventLoop loop;
            QObject::connect(&m_socket, &QWebSocket::binaryMessageReceived, &loop, &QEventLoop::quit);
            QObject::connect(&m_socket, &QWebSocket::disconnected, &loop, &QEventLoop::quit);
            QTimer::singleShot(deadline.remainingTime(), &loop, &QEventLoop::quit);
            loop.exec();
        }
    }

    /// Runs a chunked download after its request; the file's bytes, or null on failure.
    QByteArray download(qint32 fileType)
    {
        QByteArray content("");
        while (true) {
            const QByteArray frame = next(CommandType::FileTransfer);
            if (frame.isEmpty())
                return QByteArray();
            const FileTransfer message(frame);
            if (message.fileType() != fileType)
                return QByteArray();
            if (message.progress() == Protocol::kProgressEnd)
                return content;
            content.append(message.data());
            sendAck(message);
        }
    }

    bool upload(qint32 fileType, const QString &name, const QByteArray &content)
    {
        qint64 offset = 0;
        FileTransfer start(0, false, fileType, QString(), name, Protocol::kChunkedSelector, QByteArray(),
                           Protocol::kProgressStart);
        send(start);
        while (true) {
            const QByteArray frame = next(CommandType::FileTransfer);
            if (frame.isEmpty() || !MessageBase(frame).isAck() || FileTransfer(frame).fileType() != fileType)
                return false;
            if (offset >= content.size()) {
                FileTransfer end(0, false, fileType, QString(), name, Protocol::kChunkedSelector, QByteArray(),
                                 Protocol::kProgressEnd);
                send(end);
                return true;
            }
            const QByteArray chunk = content.mid(offset, kUploadChunk);
            offset += chunk.size();
            FileTransfer message(0, false, fileType, QString(), name, Protocol::kChunkedSelector, chunk,
                                 int(offset * 100 / content.size()));
            send(message);
        }
    }

private:
    QWebSocket m_socket;
    QList<QByteArray> m_inbox;
    qint32 m_nextId = 0;
};

/// Resident memory of the watched processes, read from /proc on a timer.
class RssSampler
{
public:
    RssSampler(const QList<qint64> &pids, int seconds)
        : m_pids(pids)
    {
        for (qint64 pid : pids)
            m_first.insert(pid, rssKb(pid));
        print(0);
        m_clock.start();
        m_timer.setInterval(seconds * 1000);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { print(m_clock.elapsed() / 1000); });
        m_timer.start();
    }

    void finish()
    {
        m_timer.stop();
        print(m_clock.elapsed() / 1000);
        for (qint64 pid : m_pids)
            std::printf("rss pid=%lld start_kb=%lld end_kb=%lld max_kb=%lld\n", pid, m_first.value(pid),
                        m_last.value(pid), m_max.value(pid));
    }

    static qint64 rssKb(qint64 pid)
    {
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').first().toLongLong();
        }
        return -1;
    }

private:
    void print(qint64 seconds)
    {
        for (qint64 pid : m_pids) {
            const qint64 rss = rssKb(pid);
            m_last.insert(pid, rss);
            m_max.insert(pid, qMax(m_max.value(pid), rss));
            std::printf("sample t=%llds pid=%lld rss_kb=%lld\n", seconds, pid, rss);
        }
        std::fflush(stdout);
    }

    QList<qint64> m_pids;
    QHash<qint64, qint64> m_first;
    QHash<qint64, qint64> m_last;
    QHash<qint64, qint64> m_max;
    QElapsedTimer m_clock;
    QTimer m_timer;
};

/// Waits, on the event loop, until the peer accepts connections.
bool waitUntilListening(const QString &url, int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        Link probe;
        if (probe.open(url)) {
            probe.close();
            return true;
        }
        QEventLoop loop;
        QTimer::singleShot(100, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return false;
}

QStringList listNames(const QByteArray &payload)
{
    QStringList names;
    for (const QString &entry : QString::fromUtf8(payload).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        names.append(entry.left(entry.lastIndexOf(QLatin1Char(':')) < 0 ? entry.size()
                                                                         : entry.lastIndexOf(QLatin1Char(':'))));
    return names;
}

QString generatorRound(const QString &url)
{
    Link link;
    if (!link.open(url))
        return QStringLiteral("generator: no connection");
    MessageBase heartbeat = MessageBase::heartbeat();
    link.send(heartbeat);
    if (!MessageBase(link.next(CommandType::Heartbeat)).isAck())
        return QStringLiteral("generator: no heartbeat answer");
    GetRequest identity(0, false, GetRequestType::DeviceInformation);
    link.send(identity);
    if (link.next(CommandType::Qelo3DeviceInformation).isEmpty())
        return QStringLiteral("generator: no identity");
    GetRequest list(0, false, GetRequestType::UserSetList);
    link.send(list);
    const QStringList names = QString::fromUtf8(FileTransfer(link.next(CommandType::FileTransfer)).data())
                                  .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    if (names.isEmpty())
        return QStringLiteral("generator: empty user-set list");
    GetRequest fetch(0, false, GetRequestType::UserSet, Protocol::kChunkedSelector, names.first());
    link.send(fetch);
    const QByteArray userSet = link.download(FileType::UserSet);
    if (userSet.isEmpty())
        return QStringLiteral("generator: user-set download failed");
    if (!link.upload(FileType::UserSet, names.first(), userSet))
        return QStringLiteral("generator: user-set upload failed");
    link.close();
    return QString();
}

QString serverRound(const QString &url, const QString &user, const QString &password, bool withFirmware)
{
    Link link;
    if (!link.open(url))
        return QStringLiteral("server: no connection");
    UserLoginRequest login(0, false, user, password);
    link.send(login);
    if (!UserLoginReply(link.next(CommandType::UserLoginReply)).result())
        return QStringLiteral("server: login refused");
    if (link.next(CommandType::AuthorizationMatrix).isEmpty())
        return QStringLiteral("server: no matrix");
    GetRequest firmwareList(0, false, GetRequestType::FirmwareList);
    link.send(firmwareList);
    const QStringList firmware = listNames(FileTransfer(link.next(CommandType::FileTransfer)).data());
    for (qint32 selector : {2, 1}) {
        GetRequest list(0, false, GetRequestType::UserSetList, selector);
        link.send(list);
        if (link.next(CommandType::FileTransfer).isEmpty())
            return QStringLiteral("server: no user-set list");
    }
    for (qint32 request : {GetRequestType::InstrumentCatalog, GetRequestType::ServiceCenters}) {
        GetRequest get(0, false, request);
        link.send(get);
        if (FileTransfer(link.next(CommandType::FileTransfer)).data().isEmpty())
            return QStringLiteral("server: no file for request %1").arg(request);
    }
    if (withFirmware && !firmware.isEmpty()) {
        QString container = firmware.first();
        container.replace(QStringLiteral(".esb"), QStringLiteral(".esc"));
        GetRequest get(0, false, GetRequestType::ListedFile, Protocol::kChunkedSelector, container);
        link.send(get);
        if (link.download(FileType::FirmwareContainer).isEmpty())
            return QStringLiteral("server: firmware download failed");
    }
    FileTransfer log(0, false, FileType::ApplicationLog, user, QStringLiteral("KelvaraLog.txt"), 0,
                     QByteArray(4096, 'L'), 0);
    link.send(log);
    if (!MessageBase(link.next(CommandType::FileTransfer)).isAck())
        return QStringLiteral("server: log upload not acknowledged");
    UserLogoutRequest logout;
    link.send(logout);
    link.close();
    return QString();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Soak client for the Kelvara simulators."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("generator"), QStringLiteral("Generator URL."), QStringLiteral("url"),
         QStringLiteral("ws://127.0.0.1:8080")},
        {QStringLiteral("server"), QStringLiteral("Server URL."), QStringLiteral("url"),
         QStringLiteral("ws://127.0.0.1:8081")},
        {QStringLiteral("user"), QStringLiteral("Account for the server login."), QStringLiteral("name"),
         QStringLiteral("admin")},
        {QStringLiteral("password"), QStringLiteral("Password of the account."), QStringLiteral("password")},
        {QStringLiteral("seconds"), QStringLiteral("How long to run."), QStringLiteral("seconds"),
         QStringLiteral("600")},
        {QStringLiteral("firmware-every"), QStringLiteral("Download the firmware container every N rounds."),
         QStringLiteral("N"), QStringLiteral("10")},
        {QStringLiteral("pause-ms"), QStringLiteral("Idle time between rounds, so a soak can share the machine."),
         QStringLiteral("ms"), QStringLiteral("0")},
        {QStringLiteral("watch"), QStringLiteral("Process id whose memory to sample (repeatable)."),
         QStringLiteral("pid")},
        {QStringLiteral("sample-seconds"), QStringLiteral("Seconds between memory samples."), QStringLiteral("s"),
         QStringLiteral("30")},
    });
    parser.process(app);

    for (const QString &key : {QStringLiteral("generator"), QStringLiteral("server")}) {
        if (!waitUntilListening(parser.value(key), 10000)) {
            std::fprintf(stderr, "%s does not answer\n", qPrintable(parser.value(key)));
            return 2;
        }
    }
    QList<qint64> pids;
    for (const QString &pid : parser.values(QStringLiteral("watch")))
        pids.append(pid.toLongLong());
    RssSampler sampler(pids, qMax(1, parser.value(QStringLiteral("sample-seconds")).toInt()));

    const qint64 durationMs = parser.value(QStringLiteral("seconds")).toLongLong() * 1000;
    const int firmwareEvery = qMax(1, parser.value(QStringLiteral("firmware-every")).toInt());
    QElapsedTimer clock;
    clock.start();
    qint64 rounds = 0;
    qint64 errors = 0;
    const int pauseMs = qMax(0, parser.value(QStringLiteral("pause-ms")).toInt());
    while (clock.elapsed() < durationMs) {
        if (pauseMs > 0 && rounds > 0) {
            QEventLoop loop;
            QTimer::singleShot(pauseMs, &loop, &QEventLoop::quit);
            loop.exec();
        }
        ++rounds;
        const QString generatorError = generatorRound(parser.value(QStringLiteral("generator")));
        const QString serverError =
            serverRound(parser.value(QStringLiteral("server")), parser.value(QStringLiteral("user")),
                        parser.value(QStringLiteral("password")), rounds % firmwareEvery == 0);
        for (const QString &error : {generatorError, serverError}) {
            if (!error.isEmpty()) {
                ++errors;
                std::fprintf(stderr, "round %lld: %s\n", rounds, qPrintable(error));
            }
        }
    }
    sampler.finish();
    std::printf("rounds=%lld errors=%lld seconds=%lld\n", rounds, errors, clock.elapsed() / 1000);
    return errors == 0 ? 0 : 1;
}
