#pragma once

#include <QtCore/QString>
#include <QtCore/QStringList>

/// The data tree below the documents folder: the shared application part and
/// one part per user of the system.
namespace DataPaths {

QString documentsPath();
/// DOCS + "/Kelvara"
QString kelvaraRoot();
/// DOCS + "/Kelvara/application"
QString appDir();
/// appDir + "/temp": scratch space of file transfers.
QString tempDir();

/// DOCS + "/Kelvara/users/" + the user's directory (matched case-insensitively)
/// + "/" + subPath.
QString userPath(const QString &userName, const QString &subPath);
/// Store directory of a user-set category 1..5; empty for any other type.
QString userSetDirectory(const QString &userName, int userSetType);

QString authorizationMatrixPath();
QString applicationLogPath();
QString updateLogPath(const QString &userName);
QString activityLogPath(const QString &userName, const QString &roleName, const QString &timeStamp);
QString userSettingsPath(const QString &userName);
QString latestInstrumentCatalogue(const QString &userName);
QString latestServiceCenterList(const QString &userName);

/// Every per-user sub-directory, in creation order.
const QStringList &userSubDirectories();
void createUserDirectories(const QString &userName);
bool ensureDirectory(const QString &path);
void removeAllFiles(const QString &directory);
QString latestFile(const QString &directory, const QStringList &nameFilters);

/// The per-user preparation run at every login: scratch folders emptied, the
/// directory tree created and the built-in per-user files copied in.
void prepareUserTree(const QString &userName);

/// The one rule for a file name that came from a peer or a file: the name
/// itself when it is a plain file name that is safe on every platform (no
/// folder part, no "." or "..", no drive, no control or reserved character,
/// no device name), else the empty string. Callers refuse, never repair.
QString safeFileName(const QString &name);

} // namespace DataPaths
