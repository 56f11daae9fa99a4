#pragma once

#include <QtCore/QAbstractListModel>
#include <QtCore/QList>

class UpdateRequest;

/// The update history for the scenes, one row per entry. The entries belong
/// to the controller, which refreshes the model after every change.
class UpdateHistoryListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Roles {
        UpdateHistoryIdRole = Qt::UserRole + 1,
        UpdateHistoryDateRole,
        UpdateHistoryTypRole,
        UpdateHistorySerialNumberRole,
        UpdateHistoryOldVersionRole,
        UpdateHistoryNewVersionRole,
        UpdateHistoryTransferStatusRole,
        UpdateHistoryUpdateStatusRole,
    };
    Q_ENUM(Roles)

    explicit UpdateHistoryListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    void append(const UpdateRequest *request);
    void clear();

private:
    QList<const UpdateRequest *> m_requests;
};
