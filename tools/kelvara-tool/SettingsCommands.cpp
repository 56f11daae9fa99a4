#include "ToolCommand.h"

#include "EncryptedSettingsFormat.h"
#include "FileSystem.h"
#include "IniText.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>

namespace {

QByteArray readWhole(const QString &path, bool *ok)
{
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    return *ok ? file.readAll() : QByteArray();
}

bool writeWhole(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}

int encrypt(const QString &in, const QString &out)
{
    bool ok = false;
    const QByteArray text = readWhole(in, &ok);
    if (!ok) {
        toolError(QStringLiteral("cannot read %1").arg(in));
        return 1;
    }
    QSettings::SettingsMap map;
    QString error;
    if (!IniText::parse(text, map, &error)) {
        toolError(QStringLiteral("%1: %2").arg(in, error));
        return 1;
    }
    const QByteArray encrypted = EncryptedSettingsFormat::encode(map);
    if (encrypted.isEmpty()) {
        toolError(QStringLiteral("%1: too large for the settings format").arg(in));
        return 1;
    }
    if (!writeWhole(out, encrypted)) {
        toolError(QStringLiteral("cannot write %1").arg(out));
        return 1;
    }
    return 0;
}

int decrypt(const QString &in)
{
    bool ok = false;
    const QByteArray file = readWhole(in, &ok);
    if (!ok) {
        toolError(QStringLiteral("cannot read %1").arg(in));
        return 1;
    }
    QSettings::SettingsMap map;
    if (!EncryptedSettingsFormat::decode(file, map)) {
        toolError(QStringLiteral("%1 is not an encrypted settings file, or it is damaged").arg(in));
        return 1;
    }
    toolPrint(IniText::format(map));
    return 0;
}

int run(const QStringList &arguments)
{
    if (arguments.size() == 3 && arguments.at(0) == QLatin1String("encrypt"))
        return encrypt(arguments.at(1), arguments.at(2));
    if (arguments.size() == 2 && arguments.at(0) == QLatin1String("decrypt"))
        return decrypt(arguments.at(1));
    toolError(QStringLiteral("usage: kelvara-tool settings encrypt IN.ini OUT | settings decrypt FILE"));
    return 2;
}

const ToolCommand kSettings("settings", "settings encrypt IN OUT | settings decrypt FILE", run);

} // namespace
