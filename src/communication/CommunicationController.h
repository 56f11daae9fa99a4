#pragma once

#include <QtCore/QObject>
#include <QtCore/QTimer>

class HalvoServer;
class INativeFunctionsWrapper;
class Qelo3Server;

/// Owns the generator and server connections and keeps re-connecting them
/// while auto-connect is on.
class CommunicationController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isQelo3Connected READ isQelo3Connected NOTIFY isQelo3ConnectedChanged)
    Q_PROPERTY(bool isHalvoServerConnected READ isHalvoServerConnected NOTIFY isHalvoServerConnectedChanged)
public:
    explicit CommunicationController(INativeFunctionsWrapper *nativeFunctions = nullptr, QObject *parent = nullptr);
    ~CommunicationController() override;

    Qelo3Server *qelo3Server() const { return m_qelo3Server; }
    HalvoServer *halvoServer() const { return m_halvoServer; }
    bool isQelo3Connected() const;
    bool isHalvoServerConnected() const;

    void setQelo3ServerAutoConnect(bool enabled);
    void setHalvoServerAutoConnect(bool enabled);
    Q_INVOKABLE bool getIsQelo3ServerAutoConnectEnabled() const { return m_isQelo3ServerAutoConnectEnabled; }
    Q_INVOKABLE bool getIsHalvoServerAutoConnectEnabled() const { return m_isHalvoServerAutoConnectEnabled; }

    QTimer &qelo3ConnectionTimer() { return m_qelo3ConnectionTimer; }
    QTimer &halvoConnectionTimer() { return m_halvoConnectionTimer; }

signals:
    void isQelo3ConnectedChanged();
    void qelo3DeviceDataChanged();
    void isHalvoServerConnectedChanged();

public slots:
    void onQelo3ServerConnectionTimer();
    void onHalvoServerConnectionTimer();

private:
    void connectQelo3();
    void connectHalvoServer();

    Qelo3Server *m_qelo3Server;
    HalvoServer *m_halvoServer;
    QTimer m_qelo3ConnectionTimer;
    QTimer m_halvoConnectionTimer;
    bool m_isQelo3ServerAutoConnectEnabled = false;
    bool m_isHalvoServerAutoConnectEnabled = false;
};
