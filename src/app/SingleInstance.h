#pragma once

#include <QtCore/QObject>

#include <memory>

class QLocalServer;
class QLockFile;

/// One running instance per operating-system user: a lock file decides who
/// runs, and a local socket lets a second start ask the first to raise its
/// window. Both names carry the user, so other accounts on the same machine
/// run their own instance.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    /// The account this process runs as: the user id on Unix, the user name on Windows.
    static QString currentUserKey();
    /// "Kelvara-" + a file-name-safe form of `userKey`.
    static QString serverName(const QString &userKey = currentUserKey());
    static QString lockFilePath(const QString &userKey = currentUserKey());

    explicit SingleInstance(const QString &userKey = currentUserKey());
    ~SingleInstance() override;

    /// Takes the lock. False when another live instance holds it; that
    /// instance has then been asked to raise its window.
    bool acquire();
    /// Starts answering later starts; needs the application object.
    void listen();

signals:
    void raiseRequested();

private:
    bool notifyRunningInstance() const;
    void onNewConnection();

    QString m_serverName;

    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
