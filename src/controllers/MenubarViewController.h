#pragma once

#include <QtCore/QObject>
#include <QtCore/QString>

class CopyViewController;
class Qelo3Server;
class SynchronizeService;

/// What the menu bar shows of the two connections and its synchronise command.
class MenubarViewController : public QObject
{
    Q_OBJECT

public:
    /// `copy` and `generator` may be null; their texts are then empty or "0".
    MenubarViewController(SynchronizeService *sync, CopyViewController *copy, Qelo3Server *generator,
                          QObject *parent = nullptr);

    Q_INVOKABLE QString getHalvoServerLastSynchronization() const;
    Q_INVOKABLE QString getHalvoServerPendingQelo3Uploads() const;
    Q_INVOKABLE QString getHalvoServerPendingChronoUploads() const { return QStringLiteral("0"); }
    Q_INVOKABLE void sync();
    Q_INVOKABLE QString getQelo3Name() const;
    Q_INVOKABLE QString getQelo3Type() const;
    Q_INVOKABLE QString getQelo3SerialNumber() const;
    Q_INVOKABLE QString getQelo3SoftwareVersion() const;

private:
    SynchronizeService *m_sync;
    CopyViewController *m_copy;
    Qelo3Server *m_generator;
};
