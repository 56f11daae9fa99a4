#include "ChronoEnums.h"

#include <QtCore/QHash>
#include <QtCore/QList>

namespace {

struct EventTypeTable
{
    QHash<QByteArray, int> byKey;
    QList<QString> keys;

    EventTypeTable()
    {
        const QMetaEnum meta = QMetaEnum::fromType<ChronoEventTypes::ChronoEventType>();
        int highest = 0;
        for (int i = 0; i < meta.keyCount(); ++i)
            highest = qMax(highest, meta.value(i));
        keys.resize(highest + 1);
        for (int i = 0; i < meta.keyCount(); ++i) {
            byKey.insert(QByteArray(meta.key(i)), meta.value(i));
            keys[meta.value(i)] = QString::fromLatin1(meta.key(i));
        }
    }
};

const EventTypeTable &table()
{
    static const EventTypeTable instance;
    return instance;
}

} // namespace

namespace ChronoEnums {

int eventTypeOf(const QByteArray &keyword)
{
    return table().byKey.value(keyword, -1);
}

const QString &eventKeyword(int type)
{
    static const QString none;
    const EventTypeTable &t = table();
    return type >= 0 && type < t.keys.size() ? t.keys.at(type) : none;
}

} // namespace ChronoEnums
