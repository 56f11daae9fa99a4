#pragma once

#include <QtCore/QSortFilterProxyModel>

/// The rows of an `AllUserSetsListModel` that its current view shows: the
/// list model keeps every row and only flags it, the scenes bind to this.
class AllUserSetsFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit AllUserSetsFilterModel(QObject *parent = nullptr);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
};
