#pragma once

#include <QtCore/QString>
#include <QtCore/QStringList>

/// The zip archives of the Chrono module: the generator's zipped event logs,
/// which are unpacked with bounds, and the folder exports.
namespace ChronoZip {

constexpr qint64 kMaxArchiveSize = qint64(256) * 1024 * 1024;
constexpr qint64 kMaxUnpackedSize = qint64(1024) * 1024 * 1024;
constexpr qint64 kMaxRatio = 200;
constexpr int kMaxDepth = 3;
constexpr int kMaxEntries = 1000;

/// Unpacks `archive` into `directory`, and zip archives inside it the same
/// way (their own files are not kept). Entries keep only their file name;
/// folders, links and names that are not plain file names are skipped. Each
/// file is written under a temporary name and takes its name only once its
/// size and checksum are right. A refused archive leaves none of its files
/// behind; the reason is in `error`.
bool unpack(const QString &archive, const QString &directory, QString *error = nullptr);

/// Writes `files` into a new archive under their file names, deflated at
/// level 9. The archive appears only when complete.
bool compress(const QStringList &files, const QString &archive, QString *error = nullptr);

} // namespace ChronoZip
