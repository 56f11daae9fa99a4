#pragma once

#include <QtCore/QObject>
#include <QtCore/QString>

/// The rename dialogs' editor of names made of a fixed (protected) part and an
/// editable part joined by "®"; the rule itself is `ProtectedName`.
class ProtectedNameService : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isProtected READ isProtected NOTIFY nameChanged)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(QString displayName READ displayName NOTIFY nameChanged)
    Q_PROPERTY(QString protectedPart READ getProtectedPart NOTIFY nameChanged)
    Q_PROPERTY(QString unprotectedPart READ getUnprotectedPart WRITE setUnprotectedPart NOTIFY nameChanged)
public:
    explicit ProtectedNameService(QObject *parent = nullptr);

    bool isProtected() const { return !m_protectedPart.isEmpty(); }
    QString name() const;
    void setName(const QString &name);
    QString displayName() const;
    Q_INVOKABLE QString getProtectedPart() const { return m_protectedPart; }
    Q_INVOKABLE QString getUnprotectedPart() const { return m_unprotectedPart; }
    void setUnprotectedPart(const QString &part);

    /// A full name as it is shown: without the separator.
    static QString toDisplayName(const QString &fullName);

signals:
    void nameChanged(const QString &newName);

private:
    QString m_protectedPart;
    QString m_unprotectedPart;
};
