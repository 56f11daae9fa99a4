#include "UpdateHistoryListModel.h"

#include "UpdateRequest.h"

UpdateHistoryListModel::UpdateHistoryListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int UpdateHistoryListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_requests.size());
}

QVariant UpdateHistoryListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_requests.size())
        return {};
    const UpdateRequest *request = m_requests.at(index.row());
    switch (role) {
    case UpdateHistoryIdRole:
        return request->id();
    case UpdateHistoryDateRole:
        return request->Datetime;
    case UpdateHistoryTypRole:
        return request->Typ;
    case UpdateHistorySerialNumberRole:
        return request->Seriennummer;
    case UpdateHistoryOldVersionRole:
        return request->AlteSwVersion;
    case UpdateHistoryNewVersionRole:
        return request->NeueSwVersion;
    case UpdateHistoryTransferStatusRole:
        return UpdateRequest::statusValue(request->Transferstatus);
    case UpdateHistoryUpdateStatusRole:
        return UpdateRequest::statusValue(request->Updatestatus);
    default:
        return {};
    }
}

QHash<int, QByteArray> UpdateHistoryListModel::roleNames() const
{
    return {
        {UpdateHistoryIdRole, "updateHistoryIdRole"},
        {UpdateHistoryDateRole, "updateHistoryDateRole"},
        {UpdateHistoryTypRole, "updateHistoryTypRole"},
        {UpdateHistorySerialNumberRole, "updateHistorySerialNumberRole"},
        {UpdateHistoryOldVersionRole, "updateHistoryOldVersionRole"},
        {UpdateHistoryNewVersionRole, "updateHistoryNewVersionRole"},
        {UpdateHistoryTransferStatusRole, "updateHistoryTransferStatusRole"},
        {UpdateHistoryUpdateStatusRole, "updateHistoryUpdateStatusRole"},
    };
}

void UpdateHistoryListModel::append(const UpdateRequest *request)
{
    const int row = int(m_requests.size());
    beginInsertRows(QModelIndex(), row, row);
    m_requests.append(request);
    endInsertRows();
}

void UpdateHistoryListModel::clear()
{
    if (m_requests.isEmpty())
        return;
    beginRemoveRows(QModelIndex(), 0, int(m_requests.size()) - 1);
    m_requests.clear();
    endRemoveRows();
}
