#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QString>

class UpdateRequest;

/// Reads and writes the update history "UpdateLog.xml": root "UpdateRequests"
/// with the user's name, one "Request" element per entry.
namespace XmlUpdateLogSerializer {

/// Appends one new entry per "Request" of the file. False, with the entries
/// read before the fault kept, when the file is missing, unreadable or
/// malformed.
bool parseUpdateRequests(const QString &filePath, QList<UpdateRequest *> &list);
bool parseUpdateRequests(const QByteArray &document, QList<UpdateRequest *> &list);
/// The document of these entries, UTF-8, indented by four.
QByteArray write(const QList<UpdateRequest *> &list, const QString &userName);

} // namespace XmlUpdateLogSerializer
