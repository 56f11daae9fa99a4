#pragma once

#include "MessageBase.h"

#include <QtCore/QStringList>

/// News about a newer application version (command 12, server to system).
class UpdateInfoReply : public MessageBase
{
public:
    enum UpdateTyp : qint32 { UpdateAvailable = 1, NoInformation = 2 };

    UpdateInfoReply();
    explicit UpdateInfoReply(const QByteArray &bytes);

    QByteArray serialize() const override;
    /// Links without a scheme get "http://" in front.
    void deserialize(const QByteArray &bytes) override;
    QString toString() const override;

    QString spare() const { return m_spare; }
    QString headlineDE() const { return m_headlineDE; }
    QString textDE() const { return m_textDE; }
    QString linkiOSDE() const { return m_linkiOSDE; }
    QString linkTextiOSDE() const { return m_linkTextiOSDE; }
    QString linkWindowsDE() const { return m_linkWindowsDE; }
    QString linkTextWindowsDE() const { return m_linkTextWindowsDE; }
    QString headlineEN() const { return m_headlineEN; }
    QString textEN() const { return m_textEN; }
    QString linkiOSEN() const { return m_linkiOSEN; }
    QString linkTextiOSEN() const { return m_linkTextiOSEN; }
    QString linkWindowsEN() const { return m_linkWindowsEN; }
    QString linkTextWindowsEN() const { return m_linkTextWindowsEN; }
    qint32 updateTyp() const { return m_updateTyp; }

    /// Sets the wire fields in wire order; used by peers and tests that build one.
    void setFields(const QStringList &thirteenStrings, qint32 updateTyp);

    static QString withScheme(const QString &link);

private:
    QString m_spare;
    QString m_headlineDE;
    QString m_textDE;
    QString m_linkiOSDE;
    QString m_linkTextiOSDE;
    QString m_linkWindowsDE;
    QString m_linkTextWindowsDE;
    QString m_headlineEN;
    QString m_textEN;
    QString m_linkiOSEN;
    QString m_linkTextiOSEN;
    QString m_linkWindowsEN;
    QString m_linkTextWindowsEN;
    qint32 m_updateTyp = 0;
};
