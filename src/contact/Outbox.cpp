#include "Outbox.h"

#include "DataPaths.h"
#include "FileSystem.h"
#include "Logger.h"

#include <QtConcurrent/QtConcurrentRun>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QFutureWatcher>
#include <QtCore/QPointer>
#include <QtCore/QScopeGuard>
#include <QtCore/QUuid>

#include <openssl/evp.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

const QString kPrefix = QStringLiteral("msg_");
const QString kSuffix = QStringLiteral(".est");

struct ReadResult
{
    bool success = false;
    QString emlFileName;
    QByteArray mime;
};

struct StoreResult
{
    bool success = false;
    QByteArray id;
};

} // namespace

Outbox *Outbox::instance()
{
    static QPointer<Outbox> outbox;
    static QMutex creation;
    QMutexLocker lock(&creation);
    if (!outbox)
        outbox = new Outbox;
    return outbox;
}

Outbox::Outbox(QObject *parent)
    : QObject(parent)
{
}

Outbox::~Outbox() = default;

void Outbox::setUserName(const QString &userName)
{
    {
        QMutexLocker lock(&m_mutex);
        if (m_userName == userName)
            return;
        m_userName = userName;
    }
    emit outboxCountChanged();
}

QString Outbox::userName() const
{
    QMutexLocker lock(&m_mutex);
    return m_userName;
}

QString Outbox::folder() const
{
    // The name becomes a folder: a plain name or no outbox at all.
    const QString user = DataPaths::safeFileName(userName());
    return user.isEmpty() ? QString() : DataPaths::userPath(user, QStringLiteral("outbox"));
}

QByteArray Outbox::sha256(const QByteArray &data)
{
    QByteArray digest(EVP_MAX_MD_SIZE, Qt::Uninitialized);
    unsigned int length = 0;
    if (EVP_Digest(data.constData(), size_t(data.size()), reinterpret_cast<unsigned char *>(digest.data()), &length,
            EVP_sha256(), nullptr)
        != 1)
        return QByteArray();
    digest.truncate(int(length));
    return digest;
}

QByteArray Outbox::record(const QString &emlFileName, const QByteArray &mime)
{
    QByteArray bytes = emlFileName.toLocal8Bit();
    bytes.reserve(bytes.size() + 1 + mime.size());
    bytes += ';';
    bytes += mime;
    return bytes;
}

namespace {

// XORs `size` bytes from `from` into `to` (which may be the same), eight at a time.
void applyMask(const char *from, char *to, qsizetype size)
{
    const quint64 wide = 0x0101010101010101ULL * Outbox::kMask;
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        quint64 word;
        std::memcpy(&word, from + i, 8);
        word ^= wide;
        std::memcpy(to + i, &word, 8);
    }
    for (; i < size; ++i)
        to[i] = char(quint8(from[i]) ^ Outbox::kMask);
}

} // namespace

void Outbox::scramble(QByteArray &bytes)
{
    applyMask(bytes.constData(), bytes.data(), bytes.size());
}

QString Outbox::fileName(const QByteArray &id)
{
    return kPrefix + QString::fromLatin1(id.toHex()) + kSuffix;
}

QByteArray Outbox::idFromFileName(const QString &name)
{
    if (name.size() != kPrefix.size() + 2 * kIdSize + kSuffix.size() || !name.startsWith(kPrefix)
        || !name.endsWith(kSuffix))
        return QByteArray();
    const QString hex = name.mid(kPrefix.size(), 2 * kIdSize);
    for (const QChar c : hex) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))))
            return QByteArray();
    }
    return QByteArray::fromHex(hex.toLatin1());
}

bool Outbox::storeRecord(const QString &folder, const QString &emlFileName, const QByteArray &mime, QByteArray *id)
{
    if (id)
        id->clear();
    if (!DataPaths::ensureDirectory(folder))
        return false;
    // One pass over the message: each chunk is hashed, masked and written
    // while it is in the cache. The file appears under its digest name by a
    // rename, so a reader never sees it half written; a torn file after a
    // power cut fails its digest on reading and is set aside.
    const QString temporary
        = folder + QStringLiteral("/.store_") + QUuid::createUuid().toString(QUuid::Id128) + QStringLiteral(".part");
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    auto discard = qScopeGuard([&file] { file.remove(); });
    if (FileSystem::isInDataTree(temporary) && !FileSystem::makePrivate(file))
        return false;
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1)
        return false;
    constexpr qsizetype kChunk = 1 << 20;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    const QByteArray head = emlFileName.toLocal8Bit() + ';';
    for (const QByteArray *part : { &head, &mime }) {
        for (qsizetype at = 0; at < part->size(); at += kChunk) {
            const qsizetype length = std::min(kChunk, part->size() - at);
            if (EVP_DigestUpdate(context.get(), part->constData() + at, size_t(length)) != 1)
                return false;
            applyMask(part->constData() + at, buffer.data(), length);
            if (file.write(buffer.constData(), length) != length)
                return false;
        }
    }
    QByteArray digest(EVP_MAX_MD_SIZE, Qt::Uninitialized);
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(context.get(), reinterpret_cast<unsigned char *>(digest.data()), &length) != 1
        || int(length) != kIdSize)
        return false;
    digest.truncate(kIdSize);
    file.close();
    if (file.error() != QFileDevice::NoError)
        return false;
    const QString target = folder + QLatin1Char('/') + fileName(digest);
    // The same digest is the same record: an existing file is replaced, in
    // case it was the damaged copy.
    if (!QFile::rename(temporary, target) && !(QFile::remove(target) && QFile::rename(temporary, target)))
        return false;
    discard.dismiss();
    if (id)
        *id = digest;
    return true;
}

bool Outbox::readRecord(
    const QString &path, const QByteArray &id, QString *emlFileName, QByteArray *mime, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = QStringLiteral("cannot open %1").arg(path);
        return false;
    }
    QByteArray bytes = file.readAll();
    file.close();
    scramble(bytes);
    if (sha256(bytes) != id) {
        *reason = QStringLiteral("digest mismatch in %1").arg(path);
        return false;
    }
    const qsizetype separator = bytes.indexOf(';');
    if (separator < 0) {
        *reason = QStringLiteral("no record separator in %1").arg(path);
        return false;
    }
    *emlFileName = QString::fromLocal8Bit(bytes.left(separator));
    *mime = bytes.mid(separator + 1);
    return true;
}

bool Outbox::tryStartJob()
{
    bool expected = false;
    return m_busy.compare_exchange_strong(expected, true);
}

bool Outbox::add(const QString &emlFileName, const QByteArray &mime)
{
    const QString target = folder();
    if (target.isEmpty() || DataPaths::safeFileName(emlFileName).isEmpty() || emlFileName.contains(QLatin1Char(';'))) {
        Logger::error(QStringLiteral("Outbox::add: refused: user=\"%1\", name=\"%2\"").arg(userName(), emlFileName));
        return false;
    }
    if (!tryStartJob()) {
        Logger::warn(QStringLiteral("Outbox::add: a job is running"));
        return false;
    }
    auto *watcher = new QFutureWatcher<StoreResult>(this);
    connect(watcher, &QFutureWatcher<StoreResult>::finished, this, [this, watcher] {
        const StoreResult result = watcher->result();
        watcher->deleteLater();
        m_busy.store(false);
        emit outboxCountChanged();
        emit encryptionDone(result.success, result.id);
    });
    watcher->setFuture(QtConcurrent::run([target, emlFileName, mime] {
        StoreResult result;
        result.success = storeRecord(target, emlFileName, mime, &result.id);
        if (!result.success)
            Logger::error(QStringLiteral("Outbox::add: cannot store %1 in %2").arg(emlFileName, target));
        return result;
    }));
    return true;
}

bool Outbox::decrypt(const QByteArray &id)
{
    const QString target = folder();
    if (target.isEmpty() || id.size() != kIdSize)
        return false;
    if (!tryStartJob()) {
        Logger::warn(QStringLiteral("Outbox::decrypt: a job is running"));
        return false;
    }
    const QString path = target + QLatin1Char('/') + fileName(id);
    auto *watcher = new QFutureWatcher<ReadResult>(this);
    connect(watcher, &QFutureWatcher<ReadResult>::finished, this, [this, watcher] {
        const ReadResult result = watcher->result();
        watcher->deleteLater();
        m_busy.store(false);
        if (!result.success)
            emit outboxCountChanged();
        emit decryptionDone(result.success, result.emlFileName, result.mime);
    });
    watcher->setFuture(QtConcurrent::run([path, id] {
        ReadResult result;
        QString reason;
        result.success = readRecord(path, id, &result.emlFileName, &result.mime, &reason);
        if (!result.success) {
            // Set aside, so that the messages behind it still go out.
            Logger::error(QStringLiteral("Outbox::decrypt: %1; the file is set aside as .bad").arg(reason));
            if (QFile::exists(path)) {
                QFile::remove(path + QStringLiteral(".bad"));
                QFile::rename(path, path + QStringLiteral(".bad"));
            }
            result.emlFileName.clear();
            result.mime.clear();
        }
        return result;
    }));
    return true;
}

QStringList Outbox::messageFiles(const QString &target) const
{
    if (target.isEmpty() || !QDir(target).exists())
        return {};
    QStringList names;
    const QFileInfoList entries
        = QDir(target).entryInfoList({ QStringLiteral("msg_*.est") }, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo &entry : entries) {
        if (!idFromFileName(entry.fileName()).isEmpty())
            names.append(entry.fileName());
    }
    return names;
}

int Outbox::count() const
{
    return int(messageFiles(folder()).size());
}

bool Outbox::next(QByteArray &id, const QSet<QByteArray> &skip) const
{
    const QString target = folder();
    const QStringList names = messageFiles(target);
    for (const QString &name : names) {
        const QByteArray candidate = idFromFileName(name);
        if (skip.contains(candidate) || !QFile::exists(target + QLatin1Char('/') + name))
            continue;
        id = candidate;
        return true;
    }
    id.clear();
    return false;
}

bool Outbox::remove(const QByteArray &id)
{
    if (id.isEmpty())
        return false;
    const QString target = folder();
    if (target.isEmpty())
        return false;
    const QString path = target + QLatin1Char('/') + fileName(id);
    if (!QFile::exists(path))
        return true;
    const bool removed = QFile::remove(path);
    emit outboxCountChanged();
    return removed;
}

QString Outbox::fileForId(const QByteArray &id) const
{
    const QString target = folder();
    if (target.isEmpty())
        return QString();
    DataPaths::ensureDirectory(target);
    return target + QLatin1Char('/') + fileName(id);
}
