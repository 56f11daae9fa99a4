#include "UserCredentials.h"

#include "DataPaths.h"

#include <QtCore/QDataStream>
#include <QtCore/QIODevice>

#include <algorithm>

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

bool UserCredentials::isAcceptableUserName(const QString &userName)
{
    if (userName.isEmpty() || userName.size() > kMaxUserNameLength || userName == QLatin1String(".")
        || userName == QLatin1String(".."))
        return false;
    for (const QChar c : userName) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    }
    // Blank names and the like would lose characters on the way to a folder name.
    const QString directory = directoryNameOf(userName);
    return DataPaths::safeFileName(directory) == directory;
}

namespace {

qsizetype serializedSize(const QMap<QString, QVariant> &map)
{
    QByteArray data;
    QDataStream stream(&data, QIODevice::WriteOnly);
    stream << map;
    return data.size();
}

} // namespace

QStringList UserCredentials::keysToEvict(QMap<QString, QVariant> map, qsizetype limit, const QString &keep)
{
    if (serializedSize(map) <= limit)
        return {};
    QList<QPair<QDateTime, QString>> candidates;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (!it.key().startsWith(QLatin1String("Credentials/")) || it.key() == keep)
            continue;
        // An entry without a readable time stamp counts as the oldest.
        const QDateTime stamp = QDateTime::fromString(it.value().toString().section(QLatin1Char('|'), 6, 6),
                                                      QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        candidates.append({stamp.isValid() ? stamp : QDateTime::fromMSecsSinceEpoch(0), it.key()});
    }
    std::sort(candidates.begin(), candidates.end());
    QStringList evicted;
    for (const auto &candidate : qAsConst(candidates)) {
        map.remove(candidate.second);
        evicted.append(candidate.second);
        if (serializedSize(map) <= limit)
            break;
    }
    return evicted;
}
