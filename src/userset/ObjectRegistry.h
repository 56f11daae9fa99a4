#pragma once

#include "Logger.h"

#include <QtCore/QHash>
#include <QtCore/QString>

/// The class-wide id counter and id-to-object map of one node class of the
/// user-set tree. Registered nodes enter at construction and leave at
/// destruction; clones never enter.
template<typename T>
class ObjectRegistry
{
public:
    ObjectRegistry(const char *className, int firstValue)
        : m_className(QLatin1String(className))
        , m_counter(firstValue)
    {
    }

    QString nextId() { return QString::number(++m_counter); }

    void insert(const QString &id, T *object) { m_objects.insert(id, object); }
    void remove(const QString &id, const T *object)
    {
        auto it = m_objects.find(id);
        if (it != m_objects.end() && it.value() == object)
            m_objects.erase(it);
    }

    T *find(const QString &id) const
    {
        const auto it = m_objects.constFind(id);
        if (it == m_objects.constEnd()) {
            Logger::warn(QStringLiteral("%1::findById: %1 Id %2 not found in the InstanceMap").arg(m_className, id));
            Logger::warn(QStringLiteral("%1::findById: Unknown %1 Id %2").arg(m_className, id));
            return nullptr;
        }
        if (!it.value())
            Logger::warn(QStringLiteral("%1::findById: Unknown %1 Id %2").arg(m_className, id));
        return it.value();
    }

    int size() const { return int(m_objects.size()); }

private:
    QString m_className;
    int m_counter;
    QHash<QString, T *> m_objects;
};
