#pragma once

#include "ChronoEventLog.h"

#include <QtCore/QAbstractListModel>

#include <memory>

class ChronoEventBase;

/// The events of the selected log for the Chrono page. It keeps the log's
/// lines, not an object per event: a row's event is made when the row is
/// shown, so a log of millions of records scrolls as lightly as a short one.
class ChronoEventListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum ChronoEventRole {
        EventType = Qt::UserRole + 1,
        Date,
        Time,
        DetailString,
        CHRONOEVENTROLES_COUNT
    };
    Q_ENUM(ChronoEventRole)

    explicit ChronoEventListModel(QObject *parent = nullptr);
    ~ChronoEventListModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QHash<int, QByteArray> roleNames() const override;

    /// Replaces the events (a model reset).
    void setEvents(ChronoEventLog events);
    /// Removes every row.
    void clearEvents();
    /// The event of a row, made anew; null outside the list.
    std::unique_ptr<ChronoEventBase> eventAt(int row) const;

private:
    const ChronoEventBase *cachedEvent(int row) const;

    ChronoEventLog m_events;
    // A delegate asks for every role of its row in turn: the row's event is
    // made once for all of them.
    mutable int m_cachedRow = -1;
    mutable std::unique_ptr<ChronoEventBase> m_cached;
};
