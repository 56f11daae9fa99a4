#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QString>

/// Small file helpers that report failures through the application log and
/// their result; none throws.
namespace FileSystem {

QByteArray getFileContents(const QString &fullPathname);
/// Writes atomically: the file holds either its old content or exactly `data`.
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
