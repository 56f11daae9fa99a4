#pragma once

#include "SimulatorPeer.h"
#include "UserLoginLogInfo.h"

/// The simulated generator. Its data directory holds "identity.ini" (group
/// Device: Type, SerialNumber, Name, SoftwareVersion, ProtocolVersion), the
/// current user set in "usersets/", the chrono files in "chrono/", and
/// receives firmware containers in "firmware/".
class Qelo3Simulator : public SimulatorPeer
{
    Q_OBJECT

public:
    static constexpr quint16 kDefaultPort = 8080;

    explicit Qelo3Simulator(QObject *parent = nullptr);

    /// Also reads "identity.ini" when the directory has one.
    void setDataDirectory(const QString &directory) override;

    /// 5 and above: lists and chunked files; below: whole files in one message.
    void setProtocolVersion(int version) { setPeerProtocolVersion(version); }
    int protocolVersion() const { return peerProtocolVersion(); }
    /// FileType of the file lists: 2 or 15.
    void setListFileType(int fileType) { m_listFileType = fileType; }

    void setIdentity(const QString &type, const QString &serialNumber, const QString &name,
                     const QString &softwareVersion);
    QString type() const { return m_type; }
    QString serialNumber() const { return m_serialNumber; }
    QString name() const { return m_name; }
    QString softwareVersion() const { return m_softwareVersion; }

    /// The user sets the generator holds, by file name.
    QStringList userSetFiles() const;
    /// The chrono files in its data directory, by file name.
    QStringList chronoFiles() const;
    /// What its chrono list names: the .fix files and each event log once,
    /// zipped when a zipped form exists and zipped logs are preferred.
    QStringList offeredChronoFiles() const;
    void setPreferZippedEventLog(bool zipped) { m_preferZipped = zipped; }
    /// Serves a generated event log of `records` records (0: the one in the
    /// data directory) as a plain ".flex", for long-log trials.
    void setChronoRecords(int records);
    QList<UserLoginLogInfo> loginInfos() const { return m_loginInfos; }
    /// The last user set uploaded to the generator, as it arrived.
    QByteArray lastUserSetUpload() const { return m_lastUserSetUpload; }

    /// FileType of a chrono file by its ending: 6 .fix, 7 .flex.zip, 8 .flex; 0 otherwise.
    static qint32 chronoFileType(const QString &fileName);

protected:
    void handleMessage(Connection *connection, const QByteArray &frame) override;
    void handleUpload(Connection *connection, const Connection::Incoming &upload) override;

private:
    void answerRequest(Connection *connection, const QByteArray &frame);
    void sendList(Connection *connection, const QStringList &names, qint32 selector);
    void sendWholeFile(Connection *connection, qint32 fileType, const QString &folder, const QString &fileName);
    void sendChunked(Connection *connection, qint32 fileType, const QString &folder, const QString &fileName);
    QByteArray fileContent(const QString &folder, const QString &fileName, bool *ok) const;

    QString m_type = QStringLiteral("QELO 3");
    QString m_serialNumber = QStringLiteral("23100001");
    QString m_name = QStringLiteral("QELO 3 simulator");
    QString m_softwareVersion = QStringLiteral("1.4.1");
    int m_listFileType = 2;
    bool m_preferZipped = true;
    QByteArray m_generatedLog;
    QList<UserLoginLogInfo> m_loginInfos;
    QByteArray m_lastUserSetUpload;
};
