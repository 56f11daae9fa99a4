#include "IniText.h"

#include <QtCore/QList>

namespace IniText {

bool parse(const QByteArray &text, QSettings::SettingsMap &map, QString *error)
{
    map.clear();
    QString group;
    const QList<QByteArray> lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines.at(i)).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']'))) {
                if (error)
                    *error = QStringLiteral("line %1: unterminated group").arg(i + 1);
                return false;
            }
            group = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const int equals = int(line.indexOf(QLatin1Char('=')));
        if (equals <= 0) {
            if (error)
                *error = QStringLiteral("line %1: expected key=value").arg(i + 1);
            return false;
        }
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        map.insert(group.isEmpty() ? key : group + QLatin1Char('/') + key, value);
    }
    return true;
}

QByteArray format(const QSettings::SettingsMap &map)
{
    QByteArray out;
    QString currentGroup;
    bool first = true;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const int slash = int(it.key().indexOf(QLatin1Char('/')));
        const QString group = slash < 0 ? QString() : it.key().left(slash);
        const QString key = slash < 0 ? it.key() : it.key().mid(slash + 1);
        if (first || group != currentGroup) {
            if (!first)
                out += '\n';
            if (!group.isEmpty())
                out += '[' + group.toUtf8() + "]\n";
            currentGroup = group;
            first = false;
        }
        const QVariant &value = it.value();
        const QString text = value.typeId() == QMetaType::QStringList ? value.toStringList().join(QStringLiteral(", "))
                                                                       : value.toString();
        out += key.toUtf8() + '=' + text.toUtf8() + '\n';
    }
    return out;
}

} // namespace IniText
