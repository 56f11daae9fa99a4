#pragma once

// Included only by integration tests that link the simulators and define
// KELVARA_DEMO_DATA_DIR; the rest of the framework does not depend on them.
#include "KelvaraTest.h"

#include "LoginViewController.h"
#include "Manager.h"
#include "Qelo3Simulator.h"
#include "ServerSimulator.h"
#include "Settings.h"

#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QTemporaryDir>
#include <QtTest/QSignalSpy>

#include <memory>

/// The simulated server and generator on loopback ports, each serving a
/// scratch copy of its demo data (they keep what they receive), and the
/// settings that point the application at them.
class SimulatedPeers
{
public:
    /// Copies the demo data, starts both peers and writes the endpoints.
    bool start()
    {
        if (!copyDemo(QStringLiteral("server")) || !copyDemo(QStringLiteral("generator")))
            return false;
        m_server.setDataDirectory(dataPath(QStringLiteral("server")));
        m_generator.setDataDirectory(dataPath(QStringLiteral("generator")));
        if (!m_server.start() || !m_generator.start())
            return false;
        Settings::setValue(QStringLiteral("Preferences/Qelo3ServerHost"), QStringLiteral("127.0.0.1"));
        Settings::setValue(QStringLiteral("Preferences/HalvoServerHost"), QStringLiteral("127.0.0.1"));
        Settings::setValue(QStringLiteral("Preferences/Qelo3ServerPort"), QString::number(m_generator.port()));
        Settings::setValue(QStringLiteral("Preferences/HalvoServerPort"), QString::number(m_server.port()));
        Settings::setValue(QStringLiteral("Preferences/HalvoServerConnectionUpdateRate"), QStringLiteral("100"));
        Settings::setValue(QStringLiteral("Preferences/Qelo3ServerConnectionUpdateRate"), QStringLiteral("100"));
        return true;
    }

    ServerSimulator &server() { return m_server; }
    Qelo3Simulator &generator() { return m_generator; }
    /// A path below the scratch copy, e.g. "generator/usersets/x.xml".
    QString dataPath(const QString &relative) const { return m_data.filePath(relative); }

    /// A Manager connected to both peers, or null when they did not connect in time.
    static std::unique_ptr<Manager> connectedManager()
    {
        auto manager = std::make_unique<Manager>();
        manager->initialize();
        manager->communication().setQelo3ServerAutoConnect(true);
        manager->communication().setHalvoServerAutoConnect(true);
        const bool up = QTest::qWaitFor([&] {
            return manager->communication().isQelo3Connected() && manager->communication().isHalvoServerConnected();
        }, KelvaraTest::timeout(10000));
        return up ? std::move(manager) : nullptr;
    }

    /// Logs in and waits until the login is done; false when it was refused or did not come.
    static bool logIn(Manager &manager, const QString &user, const QString &password)
    {
        QSignalSpy loggedIn(&manager.loginViewController(), &LoginViewController::userHasLoggedInSignal);
        manager.loginViewController().loginUser(user, password);
        return !loggedIn.isEmpty() || loggedIn.wait(KelvaraTest::timeout(20000));
    }

private:
    bool copyDemo(const QString &peer)
    {
        const QString source = QStringLiteral(KELVARA_DEMO_DATA_DIR "/") + peer;
        QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString target = dataPath(peer + QLatin1Char('/') + QDir(source).relativeFilePath(file));
            if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(file, target))
                return false;
        }
        return QFileInfo(source).isDir();
    }

    QTemporaryDir m_data;
    ServerSimulator m_server;
    Qelo3Simulator m_generator;
};
