#include "UserCredentials.h"

QString UserCredentials::directoryNameOf(const QString &userName)
{
    static const QByteArray kUnsafe("#\\/:*?\"<>%");
    const QByteArray bytes = userName.toLower().toUtf8();
    QByteArray escaped;
    escaped.reserve(bytes.size());
    for (const char byte : bytes) {
        if (kUnsafe.contains(byte)) {
            escaped += '#';
            escaped += QByteArray::number(uchar(byte), 16).rightJustified(2, '0');
        } else {
            escaped += byte;
        }
    }
    return QString::fromUtf8(escaped);
}
