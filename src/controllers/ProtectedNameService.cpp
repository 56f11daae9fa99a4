#include "ProtectedNameService.h"

#include "ProtectedName.h"

ProtectedNameService::ProtectedNameService(QObject *parent)
    : QObject(parent)
{
}

QString ProtectedNameService::name() const
{
    return ProtectedName::join({ m_protectedPart, m_unprotectedPart });
}

void ProtectedNameService::setName(const QString &name)
{
    const ProtectedName::Parts parts = ProtectedName::split(name);
    m_protectedPart = parts.protectedPart;
    m_unprotectedPart = parts.unprotectedPart;
    emit nameChanged(name);
}

QString ProtectedNameService::displayName() const
{
    return m_protectedPart + m_unprotectedPart;
}

void ProtectedNameService::setUnprotectedPart(const QString &part)
{
    QString cleaned = part;
    cleaned.remove(ProtectedName::kSeparator);
    m_unprotectedPart = cleaned;
    emit nameChanged(name());
}

QString ProtectedNameService::toDisplayName(const QString &fullName)
{
    return ProtectedName::toDisplayName(fullName);
}
