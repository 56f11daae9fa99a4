#pragma once

#include "MessageBase.h"

#include <array>

/// Role permissions (command 8). The same bytes are the stored matrix file.
class AuthorizationMatrix : public MessageBase
{
public:
    static constexpr int kRoleCount = 12;

    AuthorizationMatrix();
    explicit AuthorizationMatrix(const QByteArray &bytes);
    AuthorizationMatrix(qint32 messageId, bool isAck);

    QByteArray serialize() const override;
    void deserialize(const QByteArray &bytes) override;
    QString toString() const override;

    qint32 numberOfRoles() const { return m_numberOfRoles; }
    /// 0 for a role outside the table.
    qint64 mask(int role) const;
    void setMask(int role, qint64 mask);
    /// Bit (permission mod 64) of the role's mask.
    bool hasPermission(int role, int permission) const;
    /// All twelve masks to all ones.
    void grantAll();

    /// Reads the whole file and decodes it when it is not empty.
    bool load(const QString &path);
    bool save(const QString &path) const;

private:
    qint32 m_numberOfRoles = kRoleCount;
    std::array<qint64, kRoleCount> m_masks{};
};
