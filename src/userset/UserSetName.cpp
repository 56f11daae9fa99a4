#include "UserSetName.h"

UserSetName::UserSetName(QObject *parent)
    : QObject(parent)
{
}

void UserSetName::setFileName(const QString &fileName, bool renew)
{
    m_fileName = fileName;
    m_parts = getBaseName().split(QLatin1Char('_'));
    if (!renew)
        return;
    while (m_parts.size() < kPartCount)
        m_parts.append(QString());
    const QDateTime now = QDateTime::currentDateTimeUtc();
    m_parts[kDatePart] = now.toString(QStringLiteral("yyMMdd"));
    m_parts[kTimePart] = now.toString(QStringLiteral("hhmmss"));
    m_fileName = m_parts.join(QLatin1Char('_')) + QStringLiteral(".xml");
}

QString UserSetName::getBaseName() const
{
    const int dot = int(m_fileName.lastIndexOf(QLatin1Char('.')));
    return dot < 0 ? m_fileName : m_fileName.left(dot);
}

QString UserSetName::getDisplayName() const
{
    return QStringLiteral("%1_%2_%3").arg(getPart(1), getPart(kDatePart), getPart(kTimePart));
}

QDateTime UserSetName::getDateTime() const
{
    QDateTime stamp = QDateTime::fromString(
        QStringLiteral("20") + getPart(kDatePart) + getPart(kTimePart), QStringLiteral("yyyyMMddHHmmss"));
    stamp.setTimeSpec(Qt::UTC);
    return stamp;
}

QString UserSetName::getPart(int index) const
{
    return index >= 0 && index < m_parts.size() ? m_parts.at(index) : QString();
}

QString UserSetName::getStem() const
{
    QStringList parts = m_parts;
    while (parts.size() < kPartCount)
        parts.append(QString());
    parts.removeAt(kTimePart);
    parts.removeAt(kDatePart);
    return parts.join(QLatin1Char('_'));
}
