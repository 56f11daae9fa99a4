#include "UpdateRequest.h"

#include "Logger.h"

#include <QtCore/QHash>

namespace {

QHash<QString, UpdateRequest *> &registry()
{
    static QHash<QString, UpdateRequest *> map;
    return map;
}

quint64 g_lastId = 0;

} // namespace

UpdateRequest::UpdateRequest()
    : m_id(QString::number(++g_lastId))
{
    registry().insert(m_id, this);
}

UpdateRequest::~UpdateRequest()
{
    registry().remove(m_id);
}

UpdateRequest *UpdateRequest::find(const QString &id)
{
    const auto found = registry().constFind(id);
    if (found == registry().constEnd())
        Logger::warn(QStringLiteral("UpdateRequest Id %1 not found in the InstanceMap").arg(id));
    if (found == registry().constEnd() || !found.value()) {
        Logger::warn(QStringLiteral("Unknown UpdateRequest Id %1").arg(id));
        return nullptr;
    }
    return found.value();
}

bool UpdateRequest::statusValue(const QString &text)
{
    return !(text.isEmpty() || text == QLatin1String("0") || text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0);
}
