#include "AllUserSetsFilterModel.h"

#include "AllUserSetsListModel.h"

AllUserSetsFilterModel::AllUserSetsFilterModel(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    // The list model announces visibility changes as plain dataChanged of the rows.
    setFilterRole(AllUserSetsListModel::IsVisibleRole);
    setDynamicSortFilter(true);
}

bool AllUserSetsFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const QAbstractItemModel *source = sourceModel();
    if (!source)
        return false;
    return source->data(source->index(sourceRow, 0, sourceParent), AllUserSetsListModel::IsVisibleRole).toBool();
}
