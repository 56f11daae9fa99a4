#pragma once

#include <QtCore/QDateTime>
#include <QtCore/QMetaType>
#include <QtCore/QString>

/// The logged-in user as the login produced it; handed to the routing, which
/// prepares the user's data tree under `directoryName`.
struct UserCredentials
{
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
};
Q_DECLARE_METATYPE(UserCredentials)
