#include "StringListModel.h"

#include "ProtectedName.h"
#include "StringListElement.h"

#include <QtQml/QQmlEngine>

StringListModel::StringListModel(QObject *parent)
    : StringListModel(parent, true)
{
}

StringListModel::StringListModel(QObject *parent, bool ownedByApplication)
    : QAbstractListModel(parent)
{
    if (ownedByApplication)
        QQmlEngine::setObjectOwnership(this, QQmlEngine::CppOwnership);
}

StringListModel::~StringListModel()
{
    qDeleteAll(m_elements);
}

int StringListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_elements.size());
}

QVariant StringListModel::data(const QModelIndex &index, int role) const
{
    const StringListElement *element = elementAt(index.row());
    if (!element || index.parent().isValid())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole: return QVariant::fromValue(const_cast<StringListElement *>(element));
    case ListIdRole: return element->id();
    case ListTextRole: return element->text();
    case ListTypeRole: return element->type();
    case ListParentInstrumentRole: return ProtectedName::toDisplayName(element->parentInstrument());
    case ListMarkedForDeleteRole: return element->markedForDelete();
    case ListImageSourceRole: return element->imageSource();
    case ListIsSelectedRole: return element->isSelected();
    case ListIsDownloadedRole: return element->isDownloaded();
    default: return QVariant();
    }
}

bool StringListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    StringListElement *element = elementAt(index.row());
    if (!element || index.parent().isValid())
        return false;
    switch (role) {
    case ListIdRole: element->setId(value.toString()); break;
    case ListTextRole: element->setText(value.toString()); break;
    case ListTypeRole: element->setType(value.toString()); break;
    case ListParentInstrumentRole: element->setParentInstrument(value.toString()); break;
    case ListMarkedForDeleteRole: element->setMarkedForDelete(value.toBool()); break;
    case ListImageSourceRole: element->setImageSource(value.toString()); break;
    case ListIsSelectedRole: element->setIsSelected(value.toBool()); break;
    case ListIsDownloadedRole: element->setIsDownloaded(value.toBool()); break;
    default: return false;
    }
    emit dataChanged(index, index, {role});
    return true;
}

QHash<int, QByteArray> StringListModel::roleNames() const
{
    return {
        {ListIdRole, "listIdRole"},
        {ListTextRole, "listTextRole"},
        {ListTypeRole, "listTypeRole"},
        {ListParentInstrumentRole, "listParentInstrumentRole"},
        {ListMarkedForDeleteRole, "listMarkedForDeleteRole"},
        {ListImageSourceRole, "listImageSourceRole"},
        {ListIsSelectedRole, "listIsSelectedRole"},
        {ListIsDownloadedRole, "listIsDownloadedRole"},
    };
}

int StringListModel::indexOf(const QString &id) const
{
    for (int row = 0; row < m_elements.size(); ++row) {
        if (m_elements.at(row)->id() == id)
            return row;
    }
    return -1;
}

QString StringListModel::textOf(const QString &id) const
{
    const StringListElement *element = elementAt(indexOf(id));
    return element ? element->text() : QString();
}

StringListElement *StringListModel::elementAt(int row) const
{
    return row >= 0 && row < m_elements.size() ? m_elements.at(row) : nullptr;
}

void StringListModel::adopt(StringListElement *element)
{
    element->setParent(nullptr);
    QQmlEngine::setObjectOwnership(element, QQmlEngine::CppOwnership);
    connect(element, qOverload<int>(&StringListElement::dataChanged), this, &StringListModel::update);
}

void StringListModel::append(StringListElement *element)
{
    if (!element)
        return;
    adopt(element);
    beginInsertRows(QModelIndex(), int(m_elements.size()), int(m_elements.size()));
    m_elements.append(element);
    endInsertRows();
}

void StringListModel::insertBefore(StringListElement *element, const QString &beforeId)
{
    const int row = indexOf(beforeId);
    if (!element)
        return;
    if (row < 0) {
        append(element);
        return;
    }
    adopt(element);
    beginInsertRows(QModelIndex(), row, row);
    m_elements.insert(row, element);
    endInsertRows();
}

bool StringListModel::move(const QString &id, const QString &targetId)
{
    const int from = indexOf(id);
    const int to = indexOf(targetId);
    if (from < 0 || to < 0)
        return false;
    if (from == to)
        return true;
    // beginMoveRows counts the destination before the move.
    if (!beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to))
        return false;
    m_elements.move(from, to);
    endMoveRows();
    return true;
}

bool StringListModel::remove(const QString &id)
{
    const int row = indexOf(id);
    if (row < 0)
        return false;
    beginRemoveRows(QModelIndex(), row, row);
    delete m_elements.takeAt(row);
    endRemoveRows();
    return true;
}

void StringListModel::clear()
{
    if (m_elements.isEmpty())
        return;
    beginResetModel();
    qDeleteAll(m_elements);
    m_elements.clear();
    endResetModel();
}

void StringListModel::update(int row)
{
    if (row < 0 || row >= m_elements.size())
        return;
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed);
}

void StringListModel::updateAll()
{
    if (!m_elements.isEmpty())
        emit dataChanged(index(0), index(int(m_elements.size()) - 1));
}

TempStringListModel::TempStringListModel(QObject *parent)
    : StringListModel(parent, false)
{
}
