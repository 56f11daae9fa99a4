#include "KelvaraTest.h"

#include "FileTransfer.h"
#include "MessageBase.h"
#include "ProtocolTypes.h"
#include "RawWebSocketPeer.h"
#include "TestPeer.h"
#include "WebSocketClient.h"

#include <QtNetwork/QSslSocket>
#include <QtTest/QSignalSpy>

namespace {

QByteArray heartbeatFrame(bool isAck, int version = 6)
{
    MessageBase message = MessageBase::heartbeat(isAck);
    message.setProtocolVersion(version);
    return message.serialize();
}

} // namespace

class tst_WebSocketClient : public QObject
{
    Q_OBJECT

private:
    bool connectTo(WebSocketClient &client, quint16 port)
    {
        QSignalSpy connected(&client, &WebSocketClient::isProtocolConnectedChanged);
        client.connectToHost(QStringLiteral("QELO3"), QStringLiteral("127.0.0.1"), QString::number(port));
        return connected.wait(KelvaraTest::timeout(5000)) && client.isProtocolConnected();
    }

private slots:
    void initTestCase() { KelvaraTest::initializeLogger(); }

    void firstTickRunsAtConnect()
    {
        RawWebSocketPeer peer;
        QVERIFY(peer.listen());
        WebSocketClient client;
        // A period far longer than the test: whatever happens came from the connect itself.
        client.setHeartbeatInterval(600000);
        QSignalSpy changed(&client, &WebSocketClient::isProtocolConnectedChanged);
        client.connectToHost(QStringLiteral("QELO3"), QStringLiteral("127.0.0.1"), peer.portText());
        QVERIFY(changed.wait(KelvaraTest::timeout(5000)));
        QVERIFY(client.isProtocolConnected());
        QTRY_COMPARE_WITH_TIMEOUT(peer.count(RawWebSocketPeer::kOpPing), 1, KelvaraTest::timeout(5000));
        QCOMPARE(peer.frames().last().payload.toHex(), heartbeatFrame(false).toHex());
        QVERIFY(KelvaraTest::logContains(QStringLiteral("WebSocketClient::onWebsocketConnected: Connected to QELO3")));
        QCOMPARE(client.hostName(), QStringLiteral("127.0.0.1"));
        QCOMPARE(client.port(), peer.portText());
        QVERIFY(!client.isEncrypted());
    }

    // clang-format off
    void binaryFromPeer_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<bool>("emitted");
        QTest::newRow("heartbeat request is answered and not emitted") << heartbeatFrame(false, 5) << true << false;
        QTest::newRow("heartbeat with the flag set is emitted") << heartbeatFrame(true) << false << true;
        QTest::newRow("other message is emitted unchanged")
            << FileTransfer(3, false, 1, QString(), QStringLiteral("a"), 0, "x", 0).serialize() << false << true;
    }
    // clang-format on

    void binaryFromPeer()
    {
        QFETCH(QByteArray, frame);
        QFETCH(bool, answered);
        QFETCH(bool, emitted);

        TestPeer peer;
        QVERIFY(peer.listen());
        WebSocketClient client;
        QVERIFY(connectTo(client, peer.port()));
        QTRY_COMPARE_WITH_TIMEOUT(peer.clientCount(), 1, KelvaraTest::timeout(5000));
        QSignalSpy received(&client, &WebSocketClient::binaryMessageReceived);
        QSignalSpy peerReceived(&peer, &TestPeer::messageReceived);
        peer.sendBinary(frame);

        if (emitted) {
            QVERIFY(received.wait(KelvaraTest::timeout(5000)));
            QCOMPARE(received.first().first().toByteArray(), frame);
        }
        if (answered) {
            QVERIFY(peerReceived.wait(KelvaraTest::timeout(5000)));
            // The same header comes back, the peer's protocol version included, with IsAck set.
            QCOMPARE(peerReceived.first().first().toByteArray().toHex(), heartbeatFrame(true, 5).toHex());
        }
        // Whatever was not expected must not show up either.
        QVERIFY(!(emitted ? peerReceived : received).wait(KelvaraTest::timeout(300)));
        QCOMPARE(received.size(), emitted ? 1 : 0);
        QCOMPARE(peerReceived.size(), answered ? 1 : 0);
    }

    // clang-format off
    void silentPeer_data()
    {
        QTest::addColumn<bool>("suppressPing");
        QTest::newRow("pings go out while the peer is silent") << false;
        QTest::newRow("suppressed pings still count misses") << true;
    }
    // clang-format on

    void silentPeer()
    {
        QFETCH(bool, suppressPing);
        RawWebSocketPeer peer;
        QVERIFY(peer.listen());
        WebSocketClient client;
        client.setHeartbeatInterval(KelvaraTest::timeout(250));
        client.setPingSuppressed(suppressPing);
        QSignalSpy changed(&client, &WebSocketClient::isProtocolConnectedChanged);
        QVERIFY(connectTo(client, peer.port()));

        // Three misses are only logged; the link stays protocol-connected meanwhile.
        QTRY_COMPARE_WITH_TIMEOUT(client.missCount(), 3u, KelvaraTest::timeout(5000));
        QVERIFY(client.isProtocolConnected());
        for (int miss = 1; miss <= 3; ++miss) {
            QVERIFY(KelvaraTest::logContains(
                QStringLiteral("WebSocketClient::onHeartbeatTimerTimeout: Heartbeat from QELO3 missed. %1. miss "
                               "ignored.")
                    .arg(miss)));
        }
        QVERIFY(!KelvaraTest::logContains(QStringLiteral("Heartbeat from QELO3 missed. 4.")));

        // The fourth closes with a normal closure.
        QTRY_VERIFY_WITH_TIMEOUT(!client.isProtocolConnected(), KelvaraTest::timeout(5000));
        QCOMPARE(changed.size(), 2);
        QVERIFY(KelvaraTest::logContains(
            QStringLiteral("WebSocketClient::onHeartbeatTimerTimeout: Heartbeat timeout from QELO3. 4. miss. Closing "
                           "connection!")));
        QVERIFY(KelvaraTest::logContains(
            QStringLiteral("WebSocketClient::onHeartbeatTimerTimeout: Intentional disconnect from QELO3")));
        QTRY_COMPARE_WITH_TIMEOUT(peer.closeCode(), 1000, KelvaraTest::timeout(5000));
        QVERIFY(KelvaraTest::logContains(QStringLiteral("Disconnected from QELO3, Max Pong: 0ms, Max Heartbeat: ")));
        QVERIFY(KelvaraTest::logContains(QStringLiteral(", Reason: :1000:")));
        // One ping at connect and one per tick, unless suppressed.
        if (suppressPing)
            QCOMPARE(peer.count(RawWebSocketPeer::kOpPing), 0);
        else
            QVERIFY(peer.count(RawWebSocketPeer::kOpPing) >= 4);
    }

    // clang-format off
    void signsOfLife_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("staysConnected");
        QTest::newRow("pong with the heartbeat keeps the link") << "pong" << true;
        QTest::newRow("binary frame keeps the link") << "binary" << true;
        QTest::newRow("pong with a foreign payload is no sign of life") << "foreign" << false;
    }
    // clang-format on

    void signsOfLife()
    {
        QFETCH(QString, answer);
        QFETCH(bool, staysConnected);
        RawWebSocketPeer peer;
        QVERIFY(peer.listen());
        connect(&peer, &RawWebSocketPeer::frameReceived, &peer, [&peer, answer](int opcode) {
            if (opcode != RawWebSocketPeer::kOpPing)
                return;
            const QByteArray payload = peer.frames().last().payload;
            if (answer == QLatin1String("pong"))
                peer.sendPong(payload);
            else if (answer == QLatin1String("binary"))
                peer.sendBinary(FileTransfer().serialize());
            else
                peer.sendPong(QByteArray("not a heartbeat"));
        });
        WebSocketClient client;
        client.setHeartbeatInterval(KelvaraTest::timeout(100));
        QVERIFY(connectTo(client, peer.port()));
        // Eight periods: twice what a silent peer survives.
        QTRY_VERIFY_WITH_TIMEOUT(
            peer.count(RawWebSocketPeer::kOpPing) >= 8 || !client.isProtocolConnected(), KelvaraTest::timeout(10000));
        QCOMPARE(client.isProtocolConnected(), staysConnected);
        QCOMPARE(client.missCount(), 0u);
    }

    // clang-format off
    void slowPong_data()
    {
        QTest::addColumn<int>("elapsed");
        QTest::addColumn<bool>("warned");
        QTest::newRow("exactly 1000 ms is not slow") << 1000 << false;
        QTest::newRow("1001 ms is slow") << 1001 << true;
    }
    // clang-format on

    void slowPong()
    {
        QFETCH(int, elapsed);
        QFETCH(bool, warned);
        WebSocketClient client;
        client.onPongReceived(qulonglong(elapsed), heartbeatFrame(true));
        QCOMPARE(KelvaraTest::logContains(QStringLiteral("took %1ms.").arg(elapsed)), warned);
        QCOMPARE(client.maxPongMs(), quint32(elapsed));
        client.onPongReceived(5000, QByteArray("foreign"));
        QCOMPARE(client.maxPongMs(), quint32(elapsed));
    }

    void connectRules()
    {
        TestPeer peer;
        QVERIFY(peer.listen());
        WebSocketClient client;
        QVERIFY(connectTo(client, peer.port()));
        client.connectToHost(QStringLiteral("Other"), QStringLiteral("127.0.0.1"), QStringLiteral("1"));
        QVERIFY(KelvaraTest::logContains(QStringLiteral("Connect request to QELO3 ignored: State is not Unconnected")));
        QCOMPARE(client.port(), peer.portText());

        QSignalSpy changed(&client, &WebSocketClient::isProtocolConnectedChanged);
        peer.closeClients();
        QVERIFY(changed.wait(KelvaraTest::timeout(5000)));
        QVERIFY(!client.isProtocolConnected());
        client.sendMessage(MessageBase::heartbeat().serialize());
        QVERIFY(KelvaraTest::logContains(QStringLiteral("The WebSocket to QELO3 is not connected!")));

        // A second connect after the link went down works again.
        QVERIFY(connectTo(client, peer.port()));
    }

    // clang-format off
    void incomingSizeLimit_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("a 20 MB mail in Base64 fits") << 28 * 1024 * 1024 << true;
        QTest::newRow("one byte over the limit closes the link") << int(WebSocketClient::kMaxIncomingMessageSize) + 1
                                                                 << false;
    }
    // clang-format on

    void incomingSizeLimit()
    {
        QFETCH(int, size);
        QFETCH(bool, accepted);
        TestPeer peer;
        QVERIFY(peer.listen());
        WebSocketClient client;
        QVERIFY(connectTo(client, peer.port()));
        QTRY_COMPARE_WITH_TIMEOUT(peer.clientCount(), 1, KelvaraTest::timeout(5000));
        QSignalSpy received(&client, &WebSocketClient::binaryMessageReceived);
        QSignalSpy changed(&client, &WebSocketClient::isProtocolConnectedChanged);
        peer.sendBinary(FileTransfer(1, false, 16, QString(), QStringLiteral("m.eml"), 0, QByteArray(size - 60, 'm'), 0)
                            .serialize()
                            .leftJustified(size, '\0', true));
        if (accepted) {
            QVERIFY(received.wait(KelvaraTest::timeout(20000)));
            QCOMPARE(received.first().first().toByteArray().size(), size);
            QVERIFY(client.isProtocolConnected());
        } else {
            QVERIFY(changed.wait(KelvaraTest::timeout(20000)));
            QVERIFY(!client.isProtocolConnected());
            QCOMPARE(received.size(), 0);
        }
    }

    void settersSignalOnlyOnChange()
    {
        WebSocketClient client;
        QSignalSpy host(&client, &WebSocketClient::hostNameChanged);
        QSignalSpy port(&client, &WebSocketClient::portChanged);
        QSignalSpy encrypted(&client, &WebSocketClient::isEncryptedChanged);
        client.setHostName(QStringLiteral("h"));
        client.setHostName(QStringLiteral("h"));
        client.setPort(QStringLiteral("8080"));
        client.setPort(QStringLiteral("8080"));
        client.setIsEncrypted(true);
        client.setIsEncrypted(true);
        QCOMPARE(host.size(), 1);
        QCOMPARE(port.size(), 1);
        QCOMPARE(encrypted.size(), 1);
    }

    // clang-format off
    void encryptedLink_data()
    {
        QTest::addColumn<bool>("ignore");
        QTest::addColumn<bool>("connects");
        QTest::newRow("self-signed certificate is ignored and reported") << true << true;
        QTest::newRow("not ignored: reported and the handshake fails") << false << false;
    }
    // clang-format on

    void encryptedLink()
    {
        QFETCH(bool, ignore);
        QFETCH(bool, connects);
        if (!QSslSocket::supportsSsl())
            QSKIP("no TLS backend");
        TestPeer peer(nullptr, true);
        QVERIFY(peer.listen());
        WebSocketClient client;
        QVERIFY2(client.ignoresSslErrors(), "a new transport ignores certificate errors until its connection decides");
        client.setIgnoreSslErrors(ignore);
        QSignalSpy reported(&client, &WebSocketClient::sslErrors);
        QSignalSpy changed(&client, &WebSocketClient::isProtocolConnectedChanged);
        client.connectToHostEncrypted(QStringLiteral("HalvoServer"), QStringLiteral("127.0.0.1"), peer.portText());
        QVERIFY(client.isEncrypted());
        QVERIFY(reported.wait(KelvaraTest::timeout(10000)));
        QVERIFY(!reported.first().first().value<QList<QSslError>>().isEmpty());
        if (connects) {
            QTRY_VERIFY_WITH_TIMEOUT(client.isProtocolConnected(), KelvaraTest::timeout(10000));
            QSignalSpy received(&client, &WebSocketClient::binaryMessageReceived);
            QTRY_COMPARE_WITH_TIMEOUT(peer.clientCount(), 1, KelvaraTest::timeout(5000));
            peer.sendBinary(FileTransfer().serialize());
            QVERIFY(received.wait(KelvaraTest::timeout(5000)));
        } else {
            QVERIFY(!changed.wait(KelvaraTest::timeout(500)));
            QVERIFY(!client.isProtocolConnected());
            QVERIFY2(!KelvaraTest::logContains(QStringLiteral("Disconnected from HalvoServer")),
                "a failed connect writes no summary");
        }
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_WebSocketClient)
#include "tst_websocketclient.moc"
