#include "KelvaraTest.h"
#include "SimulatedPeers.h"

#include "ContactViewController.h"
#include "FileTransfer.h"
#include "LoginViewController.h"
#include "MailService.h"
#include "Manager.h"
#include "Outbox.h"
#include "PasswordVerifier.h"
#include "ProtocolTypes.h"
#include "Qelo3Server.h"
#include "Qelo3Simulator.h"
#include "ServerSimulator.h"
#include "Settings.h"

#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QTemporaryDir>
#include <QtTest/QSignalSpy>

// Collecting the generator's data, composing, storing and sending support
// mails through the Manager against the simulated generator and server.
class tst_ContactIntegration : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SimulatedPeers> m_peers;
    std::unique_ptr<Manager> m_manager;
    quint16 m_serverPort = 0;

    ContactViewController &contact() { return m_manager->contactViewController(); }
    MailService &mail() { return m_manager->mailService(); }
    Outbox &outbox() { return *Outbox::instance(); }
    QString receivedContact() const { return m_peers->dataPath(QStringLiteral("server/received/contact")); }

    bool serverConnected(bool wanted)
    {
        return QTest::qWaitFor([&] { return m_manager->communication().isHalvoServerConnected() == wanted; },
                               KelvaraTest::timeout(8000));
    }

    /// The (isOutbox, isError) with which the mail service went idle.
    QVariantList waitForIdle(QSignalSpy &spy)
    {
        const bool idle = QTest::qWaitFor([&] { return !spy.isEmpty() && !mail().isBusy(); },
                                          KelvaraTest::timeout(15000));
        return idle ? spy.last() : QVariantList();
    }

    void collect()
    {
        contact().getQelo3Data();
        QVERIFY(QTest::qWaitFor([&] { return !contact().dataRequested(); }, KelvaraTest::timeout(15000)));
        QVERIFY(QFileInfo(contact().userSetPath()).isFile());
        QVERIFY(QFileInfo(contact().chronoFlexPath()).isFile());
        QVERIFY(QFileInfo(contact().chronoFixPath()).isFile());
    }

    bool send(bool outboxOnly)
    {
        const QString text = QStringLiteral("Gerät zeigt Fehler");
        return outboxOnly ? contact().writeToOutbox(QStringLiteral("Klinikum"), QStringLiteral("Eva"),
                                                    QStringLiteral("+49 1"), text, QStringLiteral("Seit gestern."))
                          : contact().sendSupportEmail(QStringLiteral("Klinikum"), QStringLiteral("Eva"),
                                                       QStringLiteral("+49 1"), text, QStringLiteral("Seit gestern."));
    }

    int receivedCount() const { return int(QDir(receivedContact()).entryList(QDir::Files).size()); }

    void emptyOutbox()
    {
        const QString folder = outbox().folder();
        QVERIFY(!folder.isEmpty());
        QDir(folder).removeRecursively();
        QDir(receivedContact()).removeRecursively();
    }

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        PasswordVerifier::setDefaultIterations(1000);
        KelvaraTest::startSettings();
        m_peers = std::make_unique<SimulatedPeers>();
        QVERIFY(m_peers->start());
        m_serverPort = m_peers->server().port();
        m_manager = SimulatedPeers::connectedManager();
        QVERIFY(m_manager);
        QVERIFY(serverConnected(true));
        QVERIFY(SimulatedPeers::logIn(*m_manager, QStringLiteral("admin"), QStringLiteral("Admin#2023")));
        QVERIFY(QTest::qWaitFor([&] { return !m_manager->communication().qelo3Server()->serialNumber().isEmpty(); },
                                KelvaraTest::timeout(5000)));
        QVERIFY(!outbox().folder().isEmpty());
        QVERIFY(contact().isServiceCenterSelected());
        collect();
    }

    void cleanupTestCase()
    {
        m_manager.reset();
        m_peers.reset();
    }

    void init()
    {
        mail().setAnswerTimeout(MailService::kAnswerTimeoutMs);
        m_peers->server().setNoAckFileType(0);
        m_peers->server().setRejectContactMessages(false);
        m_peers->server().setContactLimit(0);
        emptyOutbox();
    }

    // The journey: the generator's files were collected at start; the mail goes out and is stored.
    void sendReachesTheServer()
    {
        QSignalSpy busy(&mail(), &MailService::isBusyChanged);
        QVERIFY(send(false));
        QCOMPARE(waitForIdle(busy), (QVariantList{false, false}));
        QCOMPARE(outbox().count(), 0);
        const QStringList stored = QDir(receivedContact()).entryList(QDir::Files);
        QCOMPARE(stored.size(), 1);
        QVERIFY(stored.first().startsWith(QStringLiteral("QELO3_") + m_manager->communication().qelo3Server()->serialNumber()));
        const QByteArray mime = KelvaraTest::readFile(receivedContact() + QLatin1Char('/') + stored.first());
        QVERIFY(mime.startsWith("MIME-Version: 1.0\r\nFrom: "));
        QVERIFY(mime.contains(SupportMail::subjectHeader(QStringLiteral("[Contact ") + contact().countryTag()
                                                         + QStringLiteral("] Gerät zeigt Fehler"))));
        QByteArray userSetPart;
        SupportMail::appendBase64Lines(userSetPart, KelvaraTest::readFile(contact().userSetPath()));
        QVERIFY(mime.contains(userSetPart));
    }

    void outboxWaitsWhileTheServerIsDown()
    {
        m_peers->server().stop();
        m_peers->server().disconnectClients();
        QVERIFY(serverConnected(false));
        QSignalSpy busy(&mail(), &MailService::isBusyChanged);
        QVERIFY(send(false));
        QCOMPARE(waitForIdle(busy), (QVariantList{true, true}));
        QCOMPARE(outbox().count(), 1);
        busy.clear();
        QVERIFY(send(true));
        QCOMPARE(waitForIdle(busy), (QVariantList{true, false}));
        QTRY_COMPARE_WITH_TIMEOUT(outbox().count(), 2, KelvaraTest::timeout(2000));

        QVERIFY(m_peers->server().start(m_serverPort));
        QVERIFY(serverConnected(true));
        busy.clear();
        mail().sendOutbox();
        QCOMPARE(waitForIdle(busy), (QVariantList{true, false}));
        QCOMPARE(outbox().count(), 0);
        // Two messages of the same second share their ".eml" name, so the server may keep one file.
        QVERIFY(receivedCount() >= 1);
    }

    void answersCountOnlyForTheMessageInFlight_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QVariantList>("outcome");
        QTest::newRow("server rejects") << 0 << QVariantList{false, true};
        QTest::newRow("no acknowledgement: time-out") << 1 << QVariantList{false, true};
        QTest::newRow("message above the server's limit") << 2 << QVariantList{false, true};
    }

    void answersCountOnlyForTheMessageInFlight()
    {
        QFETCH(int, fault);
        QFETCH(QVariantList, outcome);
        m_peers->server().setRejectContactMessages(fault == 0);
        m_peers->server().setNoAckFileType(fault == 1 ? FileType::ContactMessage : 0);
        m_peers->server().setContactLimit(fault == 2 ? 1000 : 0);
        mail().setAnswerTimeout(500);
        QSignalSpy busy(&mail(), &MailService::isBusyChanged);
        QVERIFY(send(false));
        QVERIFY(QTest::qWaitFor([&] { return !mail().inFlightName().isEmpty(); }, KelvaraTest::timeout(5000)));
        const QString name = mail().inFlightName();
        // Regression: an answer for another message removed the one in flight.
        mail().onContactMessageAnswer(FileTransfer(9, true, FileType::ContactMessage, QString(),
                                                   QStringLiteral("other.eml"), 0, {}, 0));
        QVERIFY(mail().isBusy());
        QCOMPARE(waitForIdle(busy), outcome);
        QCOMPARE(outbox().count(), 1);
        // Regression: a late acknowledgement after the time-out removed the message.
        mail().onContactMessageAnswer(FileTransfer(9, true, FileType::ContactMessage, QString(), name, 0, {}, 0));
        QCOMPARE(outbox().count(), 1);
        QCOMPARE(receivedCount(), fault == 1 ? 1 : 0);
    }

    // Regression: a refused outbox job left the service busy for ever.
    void refusedOutboxJobEndsTheBusyState()
    {
        QByteArray id;
        QVERIFY(Outbox::storeRecord(outbox().folder(), QStringLiteral("x.eml"), "m", &id));
        QVERIFY(outbox().decrypt(id));
        QSignalSpy busy(&mail(), &MailService::isBusyChanged);
        QSignalSpy refused(&contact(), &ContactViewController::mailNotWritten);
        QVERIFY(!send(false));
        QVERIFY(!mail().isBusy());
        QCOMPARE(busy.last(), (QVariantList{true, true}));
        QCOMPARE(refused.last().first().toInt(), 3);
        QTRY_VERIFY_WITH_TIMEOUT(!outbox().isBusy(), KelvaraTest::timeout(5000));
    }

    void sizeLimitWhereTheMessageIsWritten_data()
    {
        QTest::addColumn<qint64>("first");
        QTest::addColumn<qint64>("second");
        QTest::addColumn<bool>("tooBig");
        QTest::newRow("exactly 20,000,000") << qint64(10000000) << qint64(10000000) << false;
        QTest::newRow("one byte more") << qint64(10000000) << qint64(10000001) << true;
    }

    void sizeLimitWhereTheMessageIsWritten()
    {
        QFETCH(qint64, first);
        QFETCH(qint64, second);
        QFETCH(bool, tooBig);
        const QString folder = QDir::tempPath() + QStringLiteral("/size");
        QVERIFY(KelvaraTest::writeFile(folder + QStringLiteral("/a.flex"), QByteArray(first, 'a')));
        QVERIFY(KelvaraTest::writeFile(folder + QStringLiteral("/b.fix"), QByteArray(second, 'b')));
        const QStringList paths{folder + QStringLiteral("/a.flex"), folder + QStringLiteral("/b.fix"),
                                folder + QStringLiteral("/missing.xml")};
        QCOMPARE(MailService::totalFileSize(paths) > ContactViewController::kMailSizeLimit, tooBig);
        // The limit holds below the page too: the service refuses what the page would.
        QSignalSpy busy(&mail(), &MailService::isBusyChanged);
        const bool written = mail().writeContactMessage(true, QStringLiteral("4711"), QStringLiteral("a@b.de"),
                                                        {}, {}, {}, QStringLiteral("s"), {}, paths[2], paths[0],
                                                        paths[1]);
        QCOMPARE(written, !tooBig);
        if (written)
            QCOMPARE(waitForIdle(busy), (QVariantList{true, false}));
        QCOMPARE(outbox().count(), written ? 1 : 0);
    }

    void unusableSerialNumbersAreRefused_data()
    {
        QTest::addColumn<QString>("serial");
        // Regression: the serial number went unchecked into the file name and the outbox record.
        QTest::newRow("semicolon") << "47;11";
        QTest::newRow("slash") << "../11";
        QTest::newRow("line break") << "47\n11";
    }

    void unusableSerialNumbersAreRefused()
    {
        QFETCH(QString, serial);
        QVERIFY(!mail().writeContactMessage(true, serial, QStringLiteral("a@b.de"), {}, {}, {}, QStringLiteral("s"),
                                            {}, contact().userSetPath(), contact().chronoFlexPath(),
                                            contact().chronoFixPath()));
        QVERIFY(!mail().isBusy());
        QCOMPARE(outbox().count(), 0);
    }

    void userSetIsTakenOnlyWhileAwaited()
    {
        FileTransfer set(1, false, FileType::UserSet, QString(), QStringLiteral("late.xml"), 0, "<x/>", 0);
        QVERIFY(!contact().onUserSetReceived(set, m_manager->userName()));
        FileTransfer flex(1, false, FileType::ChronoFlex, QString(), QStringLiteral("late.flex"), 0, "f", 0);
        QVERIFY(!contact().onChronoFileReceived(flex, m_manager->userName()));
        contact().getQelo3UserSet();
        // Peer names pass the file-name rule before they become paths.
        FileTransfer escaping(1, false, FileType::UserSet, QString(), QStringLiteral("../../evil.xml"), 0, "<x/>", 0);
        QVERIFY(contact().onUserSetReceived(escaping, m_manager->userName()));
        QVERIFY(contact().userSetAwaited());
        QVERIFY(contact().onUserSetReceived(set, m_manager->userName()));
        QVERIFY(!contact().userSetAwaited());
        QCOMPARE(QFileInfo(contact().userSetPath()).dir().absolutePath(),
                 QDir(ContactViewController::scratchFolder(m_manager->userName())).absolutePath());
        contact().cancelDataRequest();
        QVERIFY(!contact().dataRequested());
        collect();
    }
};

KELVARA_TEST_MAIN(tst_ContactIntegration)
#include "tst_contact_integration.moc"
