#include "ProtectedName.h"

#include <QtCore/QStringList>

namespace ProtectedName {

Parts split(const QString &fullName)
{
    if (!fullName.contains(kSeparator))
        return { QString(), fullName };
    const QStringList parts = fullName.split(kSeparator);
    if (parts.size() != 2)
        return {};
    return { parts.at(0), parts.at(1) };
}

QString join(const Parts &parts)
{
    return parts.protectedPart.isEmpty() ? parts.unprotectedPart
                                         : parts.protectedPart + kSeparator + parts.unprotectedPart;
}

QString toDisplayName(const QString &fullName)
{
    if (!fullName.contains(kSeparator))
        return fullName;
    const QStringList parts = fullName.split(kSeparator);
    QString result = parts.at(0);
    if (parts.size() > 1 && !parts.at(1).isEmpty())
        result += parts.at(1);
    return result;
}

QString protectedPartOf(const QString &fullName)
{
    const QStringList parts = fullName.split(kSeparator);
    return parts.size() == 2 ? parts.at(0) : QString();
}

QString enforce(const QString &name, const QString &catalogueName)
{
    const QString protectedForm = protectedPartOf(catalogueName);
    if (protectedForm.isEmpty() || name.isEmpty())
        return name;
    if (name.startsWith(protectedForm + kSeparator))
        return name;
    if (name.startsWith(protectedForm))
        return protectedForm + kSeparator + name.mid(protectedForm.size());
    return catalogueName;
}

} // namespace ProtectedName
