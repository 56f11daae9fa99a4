#include "ProtectedNameService.h"

#include <QtCore/QStringList>

const QChar ProtectedNameService::kSeparator = QChar(0x00AE);

ProtectedNameService::ProtectedNameService(QObject *parent)
    : QObject(parent)
{
}

QString ProtectedNameService::name() const
{
    return m_protectedPart.isEmpty() ? m_unprotectedPart : m_protectedPart + kSeparator + m_unprotectedPart;
}

void ProtectedNameService::setName(const QString &name)
{
    if (!name.contains(kSeparator)) {
        m_protectedPart.clear();
        m_unprotectedPart = name;
    } else {
        const QStringList parts = name.split(kSeparator);
        if (parts.size() == 2) {
            m_protectedPart = parts.at(0);
            m_unprotectedPart = parts.at(1);
        } else {
            m_protectedPart.clear();
            m_unprotectedPart.clear();
        }
    }
    emit nameChanged(name);
}

QString ProtectedNameService::displayName() const
{
    return m_protectedPart.isEmpty() ? m_unprotectedPart : m_protectedPart + m_unprotectedPart;
}

void ProtectedNameService::setUnprotectedPart(const QString &part)
{
    QString cleaned = part;
    cleaned.remove(kSeparator);
    m_unprotectedPart = cleaned;
    emit nameChanged(name());
}

QString ProtectedNameService::toDisplayName(const QString &fullName)
{
    if (!fullName.contains(kSeparator))
        return fullName;
    const QStringList parts = fullName.split(kSeparator);
    QString result = parts.at(0);
    if (parts.size() > 1 && !parts.at(1).isEmpty())
        result += parts.at(1);
    return result;
}

QString ProtectedNameService::protectedPartOf(const QString &fullName)
{
    const QStringList parts = fullName.split(kSeparator);
    return parts.size() == 2 ? parts.at(0) : QString();
}
