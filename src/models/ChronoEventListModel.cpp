#include "ChronoEventListModel.h"

#include "ChronoEnums.h"
#include "ChronoEventBase.h"
#include "ChronoEventFactory.h"

ChronoEventListModel::ChronoEventListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

ChronoEventListModel::~ChronoEventListModel() = default;

int ChronoEventListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_events.size();
}

std::unique_ptr<ChronoEventBase> ChronoEventListModel::eventAt(int row) const
{
    if (row < 0 || row >= m_events.size())
        return nullptr;
    return ChronoEventFactory::create(m_events.line(row));
}

const ChronoEventBase *ChronoEventListModel::cachedEvent(int row) const
{
    if (row != m_cachedRow || !m_cached) {
        m_cached = eventAt(row);
        m_cachedRow = row;
    }
    return m_cached.get();
}

QVariant ChronoEventListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_events.size() || role < EventType
        || role >= CHRONOEVENTROLES_COUNT)
        return QVariant();
    const ChronoEventBase *event = cachedEvent(index.row());
    if (!event)
        return QVariant();
    switch (role) {
    case EventType:
        return ChronoEnums::eventKeyword(event->type());
    case Date:
        return event->date();
    case Time:
        return event->time();
    default:
        return event->getDetailString();
    }
}

bool ChronoEventListModel::setData(const QModelIndex &, const QVariant &, int)
{
    return true;
}

QHash<int, QByteArray> ChronoEventListModel::roleNames() const
{
    return { { EventType, "eventType" }, { Date, "date" }, { Time, "time" }, { DetailString, "detailString" } };
}

void ChronoEventListModel::setEvents(ChronoEventLog events)
{
    beginResetModel();
    m_events = std::move(events);
    m_cachedRow = -1;
    m_cached.reset();
    endResetModel();
}

void ChronoEventListModel::clearEvents()
{
    if (m_events.isEmpty())
        return;
    beginRemoveRows(QModelIndex(), 0, m_events.size() - 1);
    m_events = ChronoEventLog();
    m_cachedRow = -1;
    m_cached.reset();
    endRemoveRows();
}
