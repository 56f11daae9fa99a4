#include "AuthorizationMatrix.h"

#include "FileSystem.h"
#include "Logger.h"
#include "ProtocolReader.h"
#include "ProtocolTypes.h"

#include <QtCore/QDataStream>
#include <QtCore/QFile>
#include <QtCore/QIODevice>

AuthorizationMatrix::AuthorizationMatrix()
    : MessageBase(CommandType::AuthorizationMatrix, 0, false)
{
}

AuthorizationMatrix::AuthorizationMatrix(const QByteArray &bytes)
    : AuthorizationMatrix()
{
    AuthorizationMatrix::deserialize(bytes);
}

AuthorizationMatrix::AuthorizationMatrix(qint32 messageId, bool isAck)
    : MessageBase(CommandType::AuthorizationMatrix, messageId, isAck)
{
}

qint64 AuthorizationMatrix::mask(int role) const
{
    return role >= 0 && role < kRoleCount ? m_masks[size_t(role)] : 0;
}

void AuthorizationMatrix::setMask(int role, qint64 mask)
{
    if (role >= 0 && role < kRoleCount)
        m_masks[size_t(role)] = mask;
}

bool AuthorizationMatrix::hasPermission(int role, int permission) const
{
    const int bit = ((permission % 64) + 64) % 64;
    return (quint64(mask(role)) >> bit) & 1u;
}

void AuthorizationMatrix::grantAll()
{
    m_masks.fill(-1);
}

QByteArray AuthorizationMatrix::serialize() const
{
    QByteArray bytes;
    bytes.reserve(Protocol::kHeaderSize + 4 + kRoleCount * 8);
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    prepareStream(stream);
    writeHeader(stream);
    stream << m_numberOfRoles;
    for (int role = 0; role < m_numberOfRoles; ++role)
        stream << m_masks[size_t(role)];
    return bytes;
}

void AuthorizationMatrix::deserialize(const QByteArray &bytes)
{
    ProtocolReader reader(bytes);
    readHeader(reader);
    const qint32 announced = reader.readInt32();
    // The table has twelve rows. More roles than that come from a newer peer:
    // the first twelve are kept and the surplus is skipped, so a longer matrix
    // still grants the known roles. A negative count reads no masks.
    const int kept = qBound(0, announced, int(kRoleCount));
    m_masks.fill(0);
    for (int role = 0; role < kept; ++role)
        m_masks[size_t(role)] = reader.readInt64();
    if (announced > kRoleCount) {
        Logger::warn(QStringLiteral("AuthorizationMatrix::deserialize: %1 roles received, the first %2 kept")
                         .arg(announced)
                         .arg(int(kRoleCount)));
        reader.skip(qint64(announced - kRoleCount) * 8);
    }
    m_numberOfRoles = kept;
}

QString AuthorizationMatrix::toString() const
{
    QString text = QStringLiteral("AuthorizationMatrix: NumberOfRoles=%1").arg(m_numberOfRoles);
    for (int role = 0; role < m_numberOfRoles; ++role)
        text += QStringLiteral(", A[%1]=%2").arg(role).arg(quint64(m_masks[size_t(role)]), 0, 16).toUpper();
    return text;
}

bool AuthorizationMatrix::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (!bytes.isEmpty())
        deserialize(bytes);
    return true;
}

bool AuthorizationMatrix::save(const QString &path) const
{
    // Atomic and, inside the data tree, readable by this account only: the
    // matrix decides what a user may do offline.
    return FileSystem::saveByteArrayToFile(path, serialize());
}
