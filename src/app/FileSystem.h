#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QFileDevice>
#include <QtCore/QString>

/// Small file helpers that report failures through the application log and
/// their result; none throws.
namespace FileSystem {

/// The data tree holds credentials and the rights matrix, so on Unix it is
/// its owner's alone: files 0600, directories 0700. On Windows access is left
/// to the profile's ACLs and only the read-only flag is cleared.
QFileDevice::Permissions privateFilePermissions();
QFileDevice::Permissions privateDirectoryPermissions();
/// True for paths at or below the Kelvara root; everything written there is private.
bool isInDataTree(const QString &path);
/// Gives an existing file or directory the private mode.
bool makePrivate(const QString &path);
/// Gives an open file the private mode; a QSaveFile carries it through its commit.
bool makePrivate(QFileDevice &file);

QByteArray getFileContents(const QString &fullPathname);
/// Writes atomically: the file holds either its old content or exactly `data`.
/// Inside the data tree the file is private, whatever mode it had before.
bool saveByteArrayToFile(const QString &fullPathname, const QByteArray &data);
bool copyFile(const QString &source, const QString &target);
bool moveFile(const QString &source, const QString &target);
bool fileExists(const QString &path);
void removeFile(const QString &path);
/// Text after the last "\" if there is one, else after the last "/".
QString fileNameOf(const QString &path);
QString removeText(const QString &text, const QString &part);
QString replaceText(const QString &text, const QString &before, const QString &after);

} // namespace FileSystem
