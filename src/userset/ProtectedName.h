#pragma once

#include <QtCore/QString>

/// Names of programs and instruments may consist of a fixed (protected) part
/// and a part the user edits, joined by "®".
namespace ProtectedName {

inline constexpr QChar kSeparator { 0x00AE };

struct Parts
{
    QString protectedPart;
    QString unprotectedPart;
};

/// Splits a full name. Without a separator the whole name is editable; with
/// more than one, neither part survives.
Parts split(const QString &fullName);
/// The full name: the editable part alone when nothing is protected.
QString join(const Parts &parts);
/// A full name as it is shown: without the separator.
QString toDisplayName(const QString &fullName);
/// The protected part of a full name; empty when the name has none or is malformed.
QString protectedPartOf(const QString &fullName);
/// An instrument name held to its catalogue name's protected part: kept when
/// it begins with that part and the separator, given the separator when it
/// begins with the part alone, replaced by the catalogue name otherwise.
/// Names without a protected catalogue part, and empty names, stay as they are.
QString enforce(const QString &name, const QString &catalogueName);

} // namespace ProtectedName
