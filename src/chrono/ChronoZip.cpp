#include "ChronoZip.h"

#include "DataPaths.h"
#include "FileSystem.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryFile>

#include <zip.h>

#include <memory>

namespace ChronoZip {

namespace {

struct Budget
{
    qint64 unpacked = 0;
    int entries = 0;
    QStringList written;
};

struct ArchiveCloser
{
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
struct FileCloser
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// Unix modes in the external attributes of entries made on Unix.
constexpr zip_uint32_t kTypeMask = 0170000;
constexpr zip_uint32_t kDirectoryMode = 0040000;
constexpr zip_uint32_t kLinkMode = 0120000;
constexpr zip_uint32_t kDosDirectory = 0x10;

bool isFileEntry(zip_t *archive, zip_uint64_t index, const QByteArray &name)
{
    if (name.isEmpty() || name.endsWith('/') || name.endsWith('\\'))
        return false;
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0)
        return false;
    if (system == ZIP_OPSYS_UNIX) {
        const zip_uint32_t type = (attributes >> 16) & kTypeMask;
        if (type == kDirectoryMode || type == kLinkMode)
            return false;
    }
    return (attributes & kDosDirectory) == 0;
}

/// The entry's name without any folder part, or empty when what is left is
/// no plain file name.
QString plainName(const QByteArray &name)
{
    QString text = QString::fromUtf8(name);
    text.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return DataPaths::safeFileName(text.section(QLatin1Char('/'), -1));
}

/// Streams one entry into `file`; checks its size as it goes, libzip checks
/// the CRC at the end.
bool extract(zip_t *archive, zip_uint64_t index, qint64 size, QIODevice &file, QString *error)
{
    std::unique_ptr<zip_file_t, FileCloser> entry(zip_fopen_index(archive, index, 0));
    if (!entry)
        return fail(error, QStringLiteral("cannot open entry: %1").arg(QString::fromUtf8(zip_strerror(archive))));
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    qint64 written = 0;
    for (;;) {
        const zip_int64_t got = zip_fread(entry.get(), buffer.data(), zip_uint64_t(buffer.size()));
        if (got < 0)
            return fail(error, QStringLiteral("damaged entry: %1")
                                   .arg(QString::fromUtf8(zip_error_strerror(zip_file_get_error(entry.get())))));
        if (got == 0)
            break;
        written += got;
        if (written > size)
            return fail(error, QStringLiteral("entry larger than it says"));
        if (file.write(buffer.constData(), got) != got)
            return fail(error, QStringLiteral("cannot write: %1").arg(file.errorString()));
    }
    if (written != size)
        return fail(error, QStringLiteral("entry shorter than it says"));
    return true;
}

bool unpackLevel(const QString &path, const QString &directory, int depth, Budget &budget, QString *error)
{
    if (depth > kMaxDepth)
        return fail(error, QStringLiteral("archives nested too deep"));
    const QFileInfo info(path);
    if (!info.isFile())
        return fail(error, QStringLiteral("no such archive"));
    if (info.size() > kMaxArchiveSize)
        return fail(error, QStringLiteral("archive too large"));
    int code = 0;
    std::unique_ptr<zip_t, ArchiveCloser> archive(
        zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
    if (!archive) {
        zip_error_t zipError;
        zip_error_init_with_code(&zipError, code);
        const QString reason = QString::fromUtf8(zip_error_strerror(&zipError));
        zip_error_fini(&zipError);
        return fail(error, QStringLiteral("not a zip archive: %1").arg(reason));
    }
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count <= 0)
        return fail(error, QStringLiteral("empty archive"));
    for (zip_int64_t i = 0; i < count; ++i) {
        const zip_uint64_t index = zip_uint64_t(i);
        if (++budget.entries > kMaxEntries)
            return fail(error, QStringLiteral("too many entries"));
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)
            || !(stat.valid & ZIP_STAT_COMP_SIZE) || !(stat.valid & ZIP_STAT_NAME))
            return fail(error, QStringLiteral("unreadable entry %1").arg(i));
        const QByteArray rawName(stat.name);
        if (!isFileEntry(archive.get(), index, rawName))
            continue;
        const QString name = plainName(rawName);
        if (name.isEmpty())
            continue;
        const qint64 size = qint64(stat.size);
        if (size < 0 || size > kMaxUnpackedSize || budget.unpacked + size > kMaxUnpackedSize)
            return fail(error, QStringLiteral("%1 unpacks too large").arg(name));
        if (size > qint64(stat.comp_size) * kMaxRatio && size > 1024 * 1024)
            return fail(error, QStringLiteral("%1 is compressed beyond belief").arg(name));
        budget.unpacked += size;
        const QString target = directory + QLatin1Char('/') + name;
        if (name.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive)) {
            // An archive inside is unpacked from a temporary copy and not kept.
            QTemporaryFile inner(directory + QStringLiteral("/.inner-XXXXXX.zip"));
            if (!inner.open())
                return fail(error, QStringLiteral("cannot write in %1").arg(directory));
            if (!extract(archive.get(), index, size, inner, error))
                return false;
            inner.close();
            if (!unpackLevel(inner.fileName(), directory, depth + 1, budget, error))
                return false;
            continue;
        }
        // Written under a temporary name; the file takes its name once its
        // size and checksum are right.
        QTemporaryFile file(directory + QStringLiteral("/.unpack-XXXXXX"));
        if (!file.open())
            return fail(error, QStringLiteral("cannot write in %1").arg(directory));
        FileSystem::makePrivate(file);
        if (!extract(archive.get(), index, size, file, error))
            return false;
        file.close();
        QFile::remove(target);
        if (!file.rename(target))
            return fail(error, QStringLiteral("cannot write %1").arg(target));
        file.setAutoRemove(false);
        budget.written.append(target);
    }
    return true;
}

} // namespace

bool unpack(const QString &archive, const QString &directory, QString *error)
{
    Budget budget;
    if (!DataPaths::ensureDirectory(directory))
        return fail(error, QStringLiteral("cannot create %1").arg(directory));
    if (unpackLevel(archive, directory, 1, budget, error))
        return true;
    for (const QString &file : qAsConst(budget.written))
        QFile::remove(file);
    return false;
}

bool compress(const QStringList &files, const QString &archivePath, QString *error)
{
    int code = 0;
    // libzip writes into a temporary file next to the archive and renames it
    // when the archive is complete.
    std::unique_ptr<zip_t, ArchiveCloser> archive(
        zip_open(QFile::encodeName(archivePath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code));
    if (!archive)
        return fail(error, QStringLiteral("cannot create %1 (libzip error %2)").arg(archivePath).arg(code));
    for (const QString &file : files) {
        const QByteArray name = QFileInfo(file).fileName().toUtf8();
        zip_source_t *source = zip_source_file(archive.get(), QFile::encodeName(file).constData(), 0, -1);
        const zip_int64_t index = source ? zip_file_add(archive.get(), name.constData(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (source)
                zip_source_free(source);
            return fail(error, QStringLiteral("cannot add %1: %2").arg(file, QString::fromUtf8(zip_strerror(archive.get()))));
        }
        zip_set_file_compression(archive.get(), zip_uint64_t(index), ZIP_CM_DEFLATE, 9);
    }
    if (zip_close(archive.get()) != 0)
        return fail(error, QStringLiteral("cannot write %1: %2").arg(archivePath, QString::fromUtf8(zip_strerror(archive.get()))));
    archive.release();
    return true;
}

} // namespace ChronoZip
