#include "MenubarViewController.h"

#include "CopyViewController.h"
#include "Qelo3Server.h"
#include "SynchronizeService.h"

MenubarViewController::MenubarViewController(SynchronizeService *sync, CopyViewController *copy,
                                             Qelo3Server *generator, QObject *parent)
    : QObject(parent)
    , m_sync(sync)
    , m_copy(copy)
    , m_generator(generator)
{
}

QString MenubarViewController::getHalvoServerLastSynchronization() const
{
    return m_sync->getLastSyncDateTime().toString(QStringLiteral("yyyy.MM.dd hh:mm:ss"));
}

QString MenubarViewController::getHalvoServerPendingQelo3Uploads() const
{
    return QString::number(m_copy ? m_copy->pendingServerUploadCount() : 0);
}

void MenubarViewController::sync()
{
    m_sync->synchronize();
}

QString MenubarViewController::getQelo3Name() const
{
    return m_generator ? m_generator->name() : QString();
}

QString MenubarViewController::getQelo3Type() const
{
    return m_generator ? m_generator->type() : QString();
}

QString MenubarViewController::getQelo3SerialNumber() const
{
    return m_generator ? m_generator->serialNumber() : QString();
}

QString MenubarViewController::getQelo3SoftwareVersion() const
{
    return m_generator ? m_generator->softwareVersion() : QString();
}
