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

/// Base of the registered node classes: the id, the clone flag and the entry
/// in the class-wide registry, which a node joins at construction (unless it
/// is a clone) and leaves at destruction. `T` names its registry through
/// `kRegistryName` and `kFirstId`.
template<typename T>
class RegisteredNode
{
public:
    RegisteredNode(const RegisteredNode &) = delete;
    RegisteredNode &operator=(const RegisteredNode &) = delete;

    QString id() const { return m_id; }
    bool isClone() const { return m_isClone; }
    /// The registered node with this id, or null with a warning.
    static T *findById(const QString &id) { return registry().find(id); }

protected:
    explicit RegisteredNode(bool asClone)
        : m_registered(!asClone)
        , m_isClone(asClone)
    {
        if (m_registered) {
            m_id = registry().nextId();
            registry().insert(m_id, self());
        }
    }

    ~RegisteredNode()
    {
        if (m_registered)
            registry().remove(m_id, self());
    }

    /// Takes over another node's id; a registered node moves its entry along.
    void changeId(const QString &id)
    {
        if (id == m_id)
            return;
        if (m_registered) {
            registry().remove(m_id, self());
            registry().insert(id, self());
        }
        m_id = id;
    }

    QString m_id;
    bool m_registered = false;
    bool m_isClone = false;

private:
    static ObjectRegistry<T> &registry()
    {
        static ObjectRegistry<T> instance(T::kRegistryName, T::kFirstId);
        return instance;
    }

    T *self() { return static_cast<T *>(this); }
};
