#include "ServiceCenter.h"

#include "Logger.h"
#include "SCTranslation.h"

#include <QtCore/QHash>
#include <QtCore/QMutex>

namespace {

struct InstanceMap
{
    QMutex mutex;
    quint64 counter = 0;
    QHash<QString, ServiceCenter *> instances;
};

InstanceMap &instanceMap()
{
    static InstanceMap map;
    return map;
}

} // namespace

ServiceCenter::ServiceCenter()
{
    InstanceMap &map = instanceMap();
    QMutexLocker lock(&map.mutex);
    m_instanceId = QString::number(++map.counter);
    map.instances.insert(m_instanceId, this);
}

ServiceCenter::~ServiceCenter()
{
    qDeleteAll(m_translations);
    InstanceMap &map = instanceMap();
    QMutexLocker lock(&map.mutex);
    map.instances.remove(m_instanceId);
}

ServiceCenter *ServiceCenter::find(const QString &instanceId)
{
    InstanceMap &map = instanceMap();
    QMutexLocker lock(&map.mutex);
    const auto found = map.instances.constFind(instanceId);
    if (found == map.instances.constEnd()) {
        Logger::warn(QStringLiteral("ServiceCenter Id %1 not found in the InstanceMap").arg(instanceId));
        return nullptr;
    }
    if (!found.value())
        Logger::warn(QStringLiteral("Unknown ServiceCenter Id %1").arg(instanceId));
    return found.value();
}

const SCTranslation *ServiceCenter::translation(const QString &language) const
{
    const SCTranslation *english = nullptr;
    for (const SCTranslation *candidate : m_translations) {
        if (candidate->translationLanguage() == language)
            return candidate;
        if (!english && candidate->translationLanguage() == QLatin1String("en"))
            english = candidate;
    }
    return english;
}
