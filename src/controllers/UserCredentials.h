#pragma once

#include <QtCore/QDateTime>
#include <QtCore/QMap>
#include <QtCore/QMetaType>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>

/// The logged-in user as the login produced it; handed to the routing, which
/// prepares the user's data tree under `directoryName`.
struct UserCredentials
{
    static constexpr int kMaxUserNameLength = 128;

    QString userName;
    QString directoryName;
    /// The password verifier as stored in the credentials cache.
    QString passwordHash;
    int role = 0;
    QString firstName;
    QString lastName;
    QString company;
    QString institution1;
    QString institution2;
    QDateTime timeStamp = QDateTime::currentDateTime();
    bool valid = false;

    void clear() { *this = UserCredentials(); }

    /// Lower case, UTF-8, and "#", "\", "/", ":", "*", "?", '"', "<", ">", "%"
    /// replaced by "#" and two lower-case hex digits ("A/B#c" gives "a#2fb#23c").
    static QString directoryNameOf(const QString &userName);

    /// A name that may become a user directory: not empty, not "." or "..", no
    /// path separator or control character, at most kMaxUserNameLength characters.
    static bool isAcceptableUserName(const QString &userName);

    /// The "Credentials/..." keys to drop, those with the oldest server login
    /// first, so that the serialized `map` fits into `limit` bytes; `keep` is
    /// never dropped. Empty when the map fits already.
    static QStringList keysToEvict(QMap<QString, QVariant> map, qsizetype limit, const QString &keep);
};
Q_DECLARE_METATYPE(UserCredentials)
