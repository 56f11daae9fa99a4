#include "NetworkService.h"

#include "CommunicationController.h"
#include "HalvoServer.h"
#include "Qelo3Server.h"

NetworkService::NetworkService(CommunicationController *communication, QObject *parent)
    : QObject(parent)
    , m_communication(communication)
{
    connect(communication, &CommunicationController::isQelo3ConnectedChanged, this, &NetworkService::isQelo3ConnectedChanged);
    // The identity texts depend on the connection state too.
    connect(communication, &CommunicationController::isQelo3ConnectedChanged, this, &NetworkService::qelo3DeviceDataChanged);
    connect(communication, &CommunicationController::qelo3DeviceDataChanged, this, &NetworkService::qelo3DeviceDataChanged);
    connect(communication, &CommunicationController::isHalvoServerConnectedChanged, this,
            &NetworkService::isHalvoServerConnectedChanged);
}

bool NetworkService::isQelo3Connected() const { return m_communication->isQelo3Connected(); }
bool NetworkService::isHalvoServerConnected() const { return m_communication->isHalvoServerConnected(); }

QString NetworkService::whileConnected(const QString &value) const
{
    return m_communication->qelo3Server()->isConnected() ? value : QStringLiteral("-");
}

QString NetworkService::qelo3SerialNumber() const { return whileConnected(m_communication->qelo3Server()->serialNumber()); }
QString NetworkService::qelo3Name() const { return whileConnected(m_communication->qelo3Server()->name()); }
QString NetworkService::qelo3Version() const { return whileConnected(m_communication->qelo3Server()->softwareVersion()); }
QString NetworkService::qelo3Type() const { return whileConnected(m_communication->qelo3Server()->type()); }
