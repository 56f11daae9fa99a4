#pragma once

#include <QtCore/QAbstractListModel>
#include <QtCore/QList>

class ChronoFolderEntry;

/// The stored chrono files, one row each, folder by folder.
class ChronoFolderModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role {
        Name = Qt::UserRole + 1,
        Entry,
    };

    explicit ChronoFolderModel(QObject *parent = nullptr);
    ~ChronoFolderModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    /// Takes the entries (a model reset); the previous ones are deleted.
    void setEntries(const QList<ChronoFolderEntry *> &entries);
    QList<ChronoFolderEntry *> entries() const { return m_entries; }

private:
    QList<ChronoFolderEntry *> m_entries;
};
