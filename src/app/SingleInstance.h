#pragma once

#include <QtCore/QObject>

#include <memory>

class QLocalServer;
class QLockFile;

/// One running instance per user: a lock file decides who runs, and a local
/// socket named "Kelvara" lets a second start ask the first to raise its window.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    static const QString &serverName();

    SingleInstance();
    ~SingleInstance() override;

    /// Takes the lock. False when another live instance holds it; that
    /// instance has then been asked to raise its window.
    bool acquire();
    /// Starts answering later starts; needs the application object.
    void listen();

signals:
    void raiseRequested();

private:
    static bool notifyRunningInstance();
    void onNewConnection();

    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
