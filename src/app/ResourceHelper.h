#pragma once

#include <QtCore/QString>

/// Access to the built-in files compiled into the resources.
namespace ResourceHelper {

/// Cleaned ":/" + relative; logs an error when nothing exists there.
QString getResourcePath(const QString &relative);
/// Copies a built-in file into the data tree unless the target exists already.
bool copyFile(const QString &resourceDirectory, const QString &targetDirectory, const QString &fileName);

} // namespace ResourceHelper
