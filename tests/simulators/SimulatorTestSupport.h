#pragma once

#include "KelvaraTest.h"
#include "MessageBase.h"
#include "ServerSimulator.h"
#include "SimulatorCommandLine.h"
#include "SimulatorPeer.h"
#include "WebSocketClient.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtTest/QSignalSpy>

#include <memory>

/// A real transport to a simulated peer, with an inbox of what it passed on.
class PeerLink
{
public:
    explicit PeerLink(int heartbeatMs = WebSocketClient::kDefaultHeartbeatIntervalMs)
        : client(std::make_unique<WebSocketClient>())
    {
        client->setHeartbeatInterval(heartbeatMs);
        QObject::connect(client.get(), &WebSocketClient::binaryMessageReceived,
                         [this](const QByteArray &frame) { inbox.append(frame); });
    }

    bool open(const SimulatorPeer &peer)
    {
        QSignalSpy up(client.get(), &WebSocketClient::isProtocolConnectedChanged);
        const QString port = QString::number(peer.port());
        if (peer.isSecure())
            client->connectToHostEncrypted(QStringLiteral("peer"), QStringLiteral("127.0.0.1"), port);
        else
            client->connectToHost(QStringLiteral("peer"), QStringLiteral("127.0.0.1"), port);
        return up.wait(KelvaraTest::timeout(5000)) && client->isProtocolConnected();
    }

    void send(MessageBase &message)
    {
        message.setMessageId(++nextId);
        client->sendMessage(message.serialize());
    }

    /// The frames of a command type received so far.
    QList<QByteArray> ofCommand(qint32 commandType) const
    {
        QList<QByteArray> frames;
        for (const QByteArray &frame : inbox) {
            if (MessageBase(frame).commandType() == commandType)
                frames.append(frame);
        }
        return frames;
    }

    /// Waits until `count` frames of the command have arrived; the last of them, or empty.
    QByteArray waitFor(qint32 commandType, int count = 1, int milliseconds = 5000)
    {
        // The caller checks the result: an empty array when nothing came.
        (void)QTest::qWaitFor([&] { return ofCommand(commandType).size() >= count; }, KelvaraTest::timeout(milliseconds));
        const QList<QByteArray> frames = ofCommand(commandType);
        return frames.size() >= count ? frames.at(count - 1) : QByteArray();
    }

    std::unique_ptr<WebSocketClient> client;
    QList<QByteArray> inbox;
    qint32 nextId = 0;
};

namespace SimulatorTest {

/// Configures a peer from a command line as the simulator programs do; with
/// no --data it serves a scratch copy of its built-in demo data.
inline bool applyCommandLine(SimulatorPeer &peer, const QString &demoName, const QStringList &arguments = {})
{
    QCommandLineParser parser;
    SimulatorCommandLine::addCommonOptions(parser, 0);
    auto *server = qobject_cast<ServerSimulator *>(&peer);
    if (server)
        SimulatorCommandLine::addServerOptions(parser);
    quint16 port = 0;
    QString error;
    const bool ok = parser.parse(QStringList{QStringLiteral("simulator")} + arguments)
                    && SimulatorCommandLine::applyCommonOptions(parser, peer, &port, &error, demoName)
                    && (!server || SimulatorCommandLine::applyServerOptions(parser, *server, &error));
    if (!ok)
        qWarning("%s", qPrintable(error + parser.errorText()));
    // The programs keep no frames; the tests inspect them.
    peer.setRecordFrames(true);
    return ok;
}

/// Starts a peer without --data, as a user starting the program by hand would.
inline bool startDemo(SimulatorPeer &peer, const QString &demoName)
{
    return applyCommandLine(peer, demoName) && peer.start();
}

} // namespace SimulatorTest
