#include "UserRoles.h"

#include <QtCore/QMetaEnum>

namespace {

QString enumName(const QMetaEnum &meta, int value)
{
    const char *key = meta.valueToKey(value);
    return key ? QString::fromLatin1(key) : QString();
}

int enumValue(const QMetaEnum &meta, const QString &name)
{
    bool ok = false;
    const int value = meta.keyToValue(name.toLatin1().constData(), &ok);
    return ok ? value : -1;
}

} // namespace

QString UserRoleEnum::name(int role)
{
    return enumName(QMetaEnum::fromType<UserRole>(), role);
}

int UserRoleEnum::fromName(const QString &name)
{
    return enumValue(QMetaEnum::fromType<UserRole>(), name);
}

QString UserFunctionEnum::name(int function)
{
    return enumName(QMetaEnum::fromType<UserFunction>(), function);
}

int UserFunctionEnum::fromName(const QString &name)
{
    return enumValue(QMetaEnum::fromType<UserFunction>(), name);
}
