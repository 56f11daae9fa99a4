#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QMutex>
#include <QtCore/QObject>
#include <QtCore/QSet>
#include <QtCore/QString>

#include <atomic>

/// The per-user folder of support messages not yet acknowledged by the
/// server. Each message is one file "msg_" + SHA-256 hex of its record +
/// ".est"; the record is the ".eml" name, ";" and the MIME bytes, every byte
/// XORed with a one-byte mask. The mask only keeps the text from being read
/// at a glance; it protects nothing. The digest is checked on every read.
///
/// Store and read jobs run one at a time on the global thread pool; their
/// results are signalled on the thread that owns this object.
class Outbox : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int outboxCount READ count NOTIFY outboxCountChanged)
public:
    static constexpr quint8 kMask = 0xA5;
    static constexpr int kIdSize = 32;

    /// The process-wide instance, created on first use on the calling thread.
    static Outbox *instance();
    explicit Outbox(QObject *parent = nullptr);
    ~Outbox() override;

    /// The folder is "outbox" of this user; empty at logout (nothing is then
    /// stored or read).
    void setUserName(const QString &userName);
    QString userName() const;
    /// The outbox folder of the current user; empty without one.
    QString folder() const;

    /// Starts the store job; false, with no signal, when a job runs, no user is
    /// set, or the name is not a plain file name without ";".
    bool add(const QString &emlFileName, const QByteArray &mime);
    int count() const;
    /// The oldest stored message not in `skip`; false when there is none.
    bool next(QByteArray &id, const QSet<QByteArray> &skip = {}) const;
    /// Starts the read job; false when a job runs or no user is set.
    bool decrypt(const QByteArray &id);
    bool remove(const QByteArray &id);
    /// Path of the file for `id`; creates the folder when it is missing.
    QString fileForId(const QByteArray &id) const;
    bool isBusy() const { return m_busy.load(); }

    // The work of the jobs, usable without the pool (tools, benchmarks).
    static QByteArray sha256(const QByteArray &data);
    static QByteArray record(const QString &emlFileName, const QByteArray &mime);
    static void scramble(QByteArray &bytes);
    static QString fileName(const QByteArray &id);
    /// The id of a well-formed name ("msg_" + 64 lower-case hex + ".est"), else empty.
    static QByteArray idFromFileName(const QString &name);
    /// Writes the masked record under its digest (appearing by a rename); false on a write error.
    static bool storeRecord(const QString &folder, const QString &emlFileName, const QByteArray &mime, QByteArray *id);
    /// Reads and checks a stored file; false with `reason` set when it fails.
    static bool readRecord(
        const QString &path, const QByteArray &id, QString *emlFileName, QByteArray *mime, QString *reason);

signals:
    void outboxCountChanged();
    void encryptionDone(bool success, QByteArray id);
    void decryptionDone(bool success, QString emlFilename, QByteArray decrypted);

private:
    bool tryStartJob();
    QStringList messageFiles(const QString &folder) const;

    mutable QMutex m_mutex;
    QString m_userName;
    std::atomic<bool> m_busy { false };
};
