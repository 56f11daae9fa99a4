#include "ChronoFolderModel.h"

#include "ChronoFolderEntry.h"

ChronoFolderModel::ChronoFolderModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

ChronoFolderModel::~ChronoFolderModel()
{
    qDeleteAll(m_entries);
}

int ChronoFolderModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant ChronoFolderModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_entries.size())
        return QVariant();
    ChronoFolderEntry *entry = m_entries.at(index.row());
    if (role == Name)
        return entry->parentFolderName();
    if (role == Entry)
        return QVariant::fromValue(entry);
    return QVariant();
}

QHash<int, QByteArray> ChronoFolderModel::roleNames() const
{
    return { { Name, "name" }, { Entry, "entry" } };
}

void ChronoFolderModel::setEntries(const QList<ChronoFolderEntry *> &entries)
{
    beginResetModel();
    qDeleteAll(m_entries);
    m_entries = entries;
    // Owned here, so that the scenes never take them over.
    for (ChronoFolderEntry *entry : m_entries)
        entry->setParent(this);
    endResetModel();
}
