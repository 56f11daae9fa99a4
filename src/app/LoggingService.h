#pragma once

#include <QtCore/QObject>
#include <QtCore/QStringList>

/// The activity log of one login: entries collected in memory from login to
/// logout and written as "kelvara_<user>_<role>_<time>.xml" at logout.
class LoggingService : public QObject
{
    Q_OBJECT
public:
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
    void login(const QString &userName, int role, const QString &language, const QString &startModule,
               const QString &appVersion);
    void logout(const QString &userName, int role);
    void qelo3DeviceInfo(const QString &serialNumber, const QString &name, const QString &softwareVersion,
                         const QString &type);

    /// Writes the recorded entries; returns the path written, or empty on failure.
    QString saveLogfile(const QString &userName, const QString &roleAsString);

    const QStringList &entries() const { return m_entries; }

private:
    void append(const QString &entry);

    QStringList m_entries;
};
