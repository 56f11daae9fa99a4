#pragma once

#include <QtCore/QObject>

class CommunicationController;

/// Connection state and generator identity for the user interface.
class NetworkService : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isQelo3Connected READ isQelo3Connected NOTIFY isQelo3ConnectedChanged)
    Q_PROPERTY(bool isHalvoServerConnected READ isHalvoServerConnected NOTIFY isHalvoServerConnectedChanged)
    Q_PROPERTY(QString qelo3SerialNumber READ qelo3SerialNumber NOTIFY qelo3DeviceDataChanged)
    Q_PROPERTY(QString qelo3Name READ qelo3Name NOTIFY qelo3DeviceDataChanged)
    Q_PROPERTY(QString qelo3Version READ qelo3Version NOTIFY qelo3DeviceDataChanged)
    Q_PROPERTY(QString qelo3Type READ qelo3Type NOTIFY qelo3DeviceDataChanged)
public:
    explicit NetworkService(CommunicationController *communication, QObject *parent = nullptr);

    bool isQelo3Connected() const;
    bool isHalvoServerConnected() const;
    QString qelo3SerialNumber() const;
    QString qelo3Name() const;
    QString qelo3Version() const;
    QString qelo3Type() const;

signals:
    void isQelo3ConnectedChanged();
    void qelo3DeviceDataChanged();
    void isHalvoServerConnectedChanged();

private:
    QString whileConnected(const QString &value) const;

    CommunicationController *m_communication;
};
