#include "CommunicationController.h"

#include "HalvoServer.h"
#include "Qelo3Server.h"
#include "Settings.h"

CommunicationController::CommunicationController(INativeFunctionsWrapper *nativeFunctions, QObject *parent)
    : QObject(parent)
    , m_qelo3Server(new Qelo3Server(nativeFunctions, this))
    , m_halvoServer(new HalvoServer(nativeFunctions, this))
{
    connect(m_qelo3Server, &Qelo3Server::isConnectedChanged, this, &CommunicationController::isQelo3ConnectedChanged);
    connect(m_qelo3Server, &Qelo3Server::deviceDataChanged, this, &CommunicationController::qelo3DeviceDataChanged);
    connect(m_halvoServer, &HalvoServer::isConnectedChanged, this, &CommunicationController::isHalvoServerConnectedChanged);

    connect(&m_qelo3ConnectionTimer, &QTimer::timeout, this, &CommunicationController::onQelo3ServerConnectionTimer);
    connect(&m_halvoConnectionTimer, &QTimer::timeout, this, &CommunicationController::onHalvoServerConnectionTimer);
    m_qelo3ConnectionTimer.start(Settings::getIntValue(QStringLiteral("Preferences/Qelo3ServerConnectionUpdateRate"), 4000));
    m_halvoConnectionTimer.start(Settings::getIntValue(QStringLiteral("Preferences/HalvoServerConnectionUpdateRate"), 4000));
}

CommunicationController::~CommunicationController()
{
    m_isQelo3ServerAutoConnectEnabled = false;
    m_isHalvoServerAutoConnectEnabled = false;
    m_qelo3ConnectionTimer.stop();
    m_halvoConnectionTimer.stop();
    delete m_qelo3Server;
    delete m_halvoServer;
}

bool CommunicationController::isQelo3Connected() const { return m_qelo3Server->isConnected(); }
bool CommunicationController::isHalvoServerConnected() const { return m_halvoServer->isConnected(); }

void CommunicationController::setQelo3ServerAutoConnect(bool enabled)
{
    m_isQelo3ServerAutoConnectEnabled = enabled;
    if (!m_qelo3Server->isConnected())
        connectQelo3();
}

void CommunicationController::setHalvoServerAutoConnect(bool enabled)
{
    m_isHalvoServerAutoConnectEnabled = enabled;
    if (!m_halvoServer->isConnected())
        connectHalvoServer();
}

// Endpoints are read anew at every attempt, so an edited host or port takes
// effect at the next one.
void CommunicationController::connectQelo3()
{
    if (m_qelo3Server->isConnected())
        return;
    m_qelo3Server->connectToServer(
        Settings::getValue(QStringLiteral("Preferences/Qelo3ServerHost"), QStringLiteral("localhost")),
        Settings::getValue(QStringLiteral("Preferences/Qelo3ServerPort"), QStringLiteral("8080")),
        Settings::getBoolValue(QStringLiteral("Preferences/Qelo3ServerSslEncryption"), false));
}

void CommunicationController::connectHalvoServer()
{
    if (m_halvoServer->isConnected())
        return;
    m_halvoServer->setIgnoreSslErrors(
        Settings::getBoolValue(QStringLiteral("Preferences/HalvoServerSslIgnoreErrors"), false));
    m_halvoServer->connectToServer(
        Settings::getValue(QStringLiteral("Preferences/HalvoServerHost"), QStringLiteral("localhost")),
        Settings::getValue(QStringLiteral("Preferences/HalvoServerPort"), QStringLiteral("8081")),
        Settings::getBoolValue(QStringLiteral("Preferences/HalvoServerSslEncryption"), false));
}

void CommunicationController::onQelo3ServerConnectionTimer()
{
    if (m_qelo3Server->isConnected() || !m_isQelo3ServerAutoConnectEnabled)
        return;
    connectQelo3();
}

void CommunicationController::onHalvoServerConnectionTimer()
{
    if (m_halvoServer->isConnected() || !m_isHalvoServerAutoConnectEnabled)
        return;
    connectHalvoServer();
}
