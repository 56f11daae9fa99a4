#pragma once

#include <QtCore/QDateTime>
#include <QtCore/QString>

/// One entry of the update history: one firmware upload to a generator.
/// Every entry gets an id from a process-wide counter and is found by it
/// through a registry for as long as it lives.
class UpdateRequest
{
public:
    static constexpr const char *kDateFormat = "yyyy.MM.dd hh:mm";

    UpdateRequest();
    virtual ~UpdateRequest();
    UpdateRequest(const UpdateRequest &) = delete;
    UpdateRequest &operator=(const UpdateRequest &) = delete;

    /// The living entry of that id, or nullptr with a warning.
    static UpdateRequest *find(const QString &id);
    static QString statusText(bool status) { return status ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); }
    /// False for an empty text, "0" and "false" in any case; true otherwise.
    static bool statusValue(const QString &text);

    QString id() const { return m_id; }
    QDateTime dateTime() const { return QDateTime::fromString(Datetime, QLatin1String(kDateFormat)); }

    QString Transferstatus;
    QString Datetime;
    QString AlteSwVersion;
    QString NeueSwVersion;
    QString Updatestatus;
    QString Seriennummer;
    QString Typ;

private:
    QString m_id;
};
