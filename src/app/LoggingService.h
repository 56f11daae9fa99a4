#pragma once

#include <QtCore/QObject>
#include <QtCore/QStringList>

/// The activity log of one login: entries collected in memory from login to
/// logout and written as "kelvara_<user>_<role>_<time>.xml" into the user's
/// directory at logout.
///
/// Values come from peers and are bounded: each text field is cut to
/// kMaxFieldLength characters (marked with kCutMarker), control characters are
/// escaped, and at most kMaxEntries entries are held; past that the oldest are
/// dropped, with one warning per login.
class LoggingService : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxFieldLength = 1024;
    static constexpr int kMaxEntries = 2000;
    static const QString kCutMarker;

    explicit LoggingService(QObject *parent = nullptr);

    void connectSystem(const QString &system, const QString &host, const QString &port, bool ssl);
    void disconnectSystem(const QString &system, const QString &host, const QString &port, bool ssl);
    void connectHalvoServer(const QString &host, const QString &port, bool ssl);
    void disconnectHalvoServer(const QString &host, const QString &port, bool ssl);
    void connectQelo3(const QString &host, const QString &port, bool ssl);
    void disconnectQelo3(const QString &host, const QString &port, bool ssl);
    void download(const QString &fileType, const QString &system, const QString &filename);
    void upload(const QString &fileType, const QString &system, const QString &filename);
    void error(const QString &errorMessage);
    void login(const QString &userName, const QString &roleName, const QString &language, const QString &startModule,
               const QString &appVersion);
    /// Records the logout and writes the file into the user directory `directoryName`
    /// (the escaped name the data tree uses), then empties the list.
    void logout(const QString &userName, const QString &roleName, const QString &directoryName);
    void qelo3DeviceInfo(const QString &serialNumber, const QString &name, const QString &softwareVersion,
                         const QString &type);

    /// Writes the recorded entries below the user directory `directoryName`;
    /// returns the path written, or empty on failure.
    QString saveLogfile(const QString &directoryName, const QString &roleAsString);

    const QStringList &entries() const { return m_entries; }

private:
    void append(const QString &entry);

    QStringList m_entries;
    bool m_overflowWarned = false;
};
