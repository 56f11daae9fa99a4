#include "AllUserSetsListModel.h"

#include "Processing.h"
#include "UserSet.h"
#include "UserSetName.h"
#include "UserSetStorage.h"

#include <QtConcurrent/QtConcurrentMap>
#include <QtCore/QFutureWatcher>
#include <QtCore/QThreadPool>
#include <QtQml/QQmlEngine>

#include <algorithm>
#include <climits>
#include <string_view>

namespace {

const QString kImages = QStringLiteral("qrc:/Resources/Images/128x128_content-elemente/");

// Shared by every list of the process: the check boxes replace the status
// icons in all of them at once.
bool s_multipleSelectionActive = false;

// Below this many rows a range is not worth a task of its own.
constexpr int kMinRangeRows = 2048;
// Progress is only worth showing (and the busy state only worth setting) past this.
constexpr int kProgressRows = 1000;
constexpr int kBusyDelayMs = 300;

const char *const kHeaderTexts[AllUserSetsListModel::kTypeCount] = {
    QT_TRANSLATE_NOOP("AllUserSetsListModel", "STANDARD VORLAGEN"),
    QT_TRANSLATE_NOOP("AllUserSetsListModel", "EIGENE VORLAGEN"),
    QT_TRANSLATE_NOOP("AllUserSetsListModel", "QELO 3 DOWNLOADS"),
    QT_TRANSLATE_NOOP("AllUserSetsListModel", "STANDARD VORLAGEN"),
    QT_TRANSLATE_NOOP("AllUserSetsListModel", "QELO 3 DOWNLOADS"),
};

int batchSize(int rows)
{
    return rows > kProgressRows ? rows / 100 : 100;
}

QString nameOf(const UserSet *set)
{
    const UserSetName &name = set->userSetName();
    return name.getPart(1).isEmpty() ? name.getBaseName() : name.getDisplayName();
}

QString sortKeyOf(const QString &name, const QString &id)
{
    // Ids are decimal counters; padding keeps "999" before "1000".
    return name.toCaseFolded() + QChar(1) + id.rightJustified(12, QLatin1Char('0'));
}

} // namespace

AllUserSetsListModel::AllUserSetsListModel(QObject *parent)
    : QAbstractListModel(parent)
{
    QQmlEngine::setObjectOwnership(this, QQmlEngine::CppOwnership);
    rebuild();
}

AllUserSetsListModel::~AllUserSetsListModel()
{
    stopPassNow();
    // Leaves no busy state behind for a pass that will never finish.
    endPass();
    clearRows();
}

int AllUserSetsListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant AllUserSetsListModel::data(const QModelIndex &index, int role) const
{
    if (index.parent().isValid() || index.row() < 0 || index.row() >= m_rows.size())
        return QVariant();
    const ListModelData *row = m_rows.at(index.row());
    const int byte = ListModelData::byteOf(m_view);
    switch (role) {
    case IsMarkedForDeleteRole:
        return QVariant();
    case UserSetMarkedRole:
        return bool(row->flags[byte] & ListModelData::Marked);
    case IsVisibleRole:
        return isVisible(row, m_view);
    case IconSourceRole:
        return iconOf(row);
    case IsHeaderRole:
        return row->isHeader();
    case IsSelectedRole:
        return m_view <= 2 && m_selected[m_view] == row;
    default:
        break;
    }
    if (row->isHeader()) {
        switch (role) {
        case UserSetIdRole:
            return row->id;
        case UserSetNameRole:
            return row->headerText;
        case UserSetVersionRole:
        case QeloSoftwareVersionRole:
        case QeloSerialNumberRole:
        case UserSetBaseNameRole:
            return QString();
        case UserSetDownloadedRole:
            return false;
        case UserSetSynchronizedRole:
            return 0;
        case TextColorIndexRole:
            return 1;
        default:
            return QVariant();
        }
    }
    const UserSet *set = row->userSet.data();
    switch (role) {
    case UserSetIdRole:
        return row->id;
    case UserSetNameRole:
        return row->name;
    case TextColorIndexRole:
        return 2;
    default:
        break;
    }
    if (!set)
        return QVariant();
    switch (role) {
    case UserSetVersionRole: {
        const QString version = set->userSetName().getPart(UserSetName::kPartCount - 1);
        return version.isEmpty() ? set->documentVersion() : version;
    }
    case QeloSoftwareVersionRole:
        return set->device(UserSet::Softwareversion);
    case QeloSerialNumberRole:
        return set->device(UserSet::Seriennummer);
    case UserSetDownloadedRole:
        return set->isReceived();
    case UserSetSynchronizedRole:
        return set->isUploaded();
    case UserSetBaseNameRole:
        return set->userSetName().getBaseName();
    default:
        return QVariant();
    }
}

bool AllUserSetsListModel::setData(const QModelIndex &index, const QVariant &, int)
{
    // The scenes change rows only through the invokables.
    return !index.parent().isValid() && index.row() >= 0 && index.row() < m_rows.size();
}

QHash<int, QByteArray> AllUserSetsListModel::roleNames() const
{
    return {
        { UserSetIdRole, "userSetIdRole" },
        { UserSetNameRole, "userSetNameRole" },
        { UserSetVersionRole, "userSetVersionRole" },
        { QeloSoftwareVersionRole, "qeloSoftwareVersionRole" },
        { QeloSerialNumberRole, "qeloSerialNumberRole" },
        { UserSetDownloadedRole, "userSetDownloadedRole" },
        { UserSetSynchronizedRole, "userSetSynchronizedRole" },
        { UserSetMarkedRole, "userSetMarkedRole" },
        { UserSetBaseNameRole, "userSetBaseNameRole" },
        { IsMarkedForDeleteRole, "isMarkedForDeleteRole" },
        { IsVisibleRole, "isVisibleRole" },
        { IconSourceRole, "iconSourceRole" },
        { IsHeaderRole, "isHeaderRole" },
        { TextColorIndexRole, "textColorIndexRole" },
        { IsSelectedRole, "isSelectedRole" },
    };
}

QString AllUserSetsListModel::iconOf(const ListModelData *row) const
{
    if (m_view > 2)
        return QString();
    const quint8 flags = row->flags[ListModelData::byteOf(m_view)];
    if (m_view == SecondLocalView && !row->isHeader())
        return QString();
    if (m_view != SecondLocalView && (flags & ListModelData::Hidden))
        return QString();
    if (row->isHeader())
        return kImages
            + ((flags & ListModelData::Collapsed) ? QStringLiteral("akkordeon_close.png")
                                                  : QStringLiteral("akkordeon_open.png"));
    if (s_multipleSelectionActive)
        return kImages
            + ((flags & ListModelData::Marked) ? QStringLiteral("checkbox_complete.png")
                                               : QStringLiteral("checkbox_empty.png"));
    const UserSet *set = row->userSet.data();
    if (!set)
        return QString();
    if (row->isServer() && set->isReceived())
        return kImages + QStringLiteral("herunterladen.png");
    if (row->userSetType == UserSet::QELO3_DOWNLOAD && set->isUploaded())
        return kImages + QStringLiteral("database.png");
    return QString();
}

// ---- rows ----

bool AllUserSetsListModel::belongsToView(const ListModelData *row, int view) const
{
    if (view == ServerView)
        return row->isServer();
    if (view == LocalView || view == SecondLocalView)
        return !row->isServer();
    return false;
}

bool AllUserSetsListModel::isVisible(const ListModelData *row, int view) const
{
    if (view > 2)
        return false;
    const quint8 flags = row->flags[ListModelData::byteOf(view)];
    if (row->isHeader())
        return !(flags & ListModelData::Hidden);
    return !(flags & (ListModelData::Hidden | ListModelData::Collapsed | ListModelData::FilteredOut));
}

void AllUserSetsListModel::applyFilters(ListModelData *row) const
{
    if (row->isHeader())
        return;
    auto apply = [row](int byte, const QString &filter) {
        if (filter.isEmpty() || row->name.contains(filter))
            row->flags[byte] &= ~ListModelData::FilteredOut;
        else
            row->flags[byte] |= ListModelData::FilteredOut;
    };
    apply(0, m_appliedFilter[row->isServer() ? ServerView : LocalView]);
    if (!row->isServer())
        apply(1, m_appliedFilter[SecondLocalView]);
}

ListModelData *AllUserSetsListModel::makeRow(UserSet *set) const
{
    auto *row = new ListModelData;
    row->userSet = set;
    row->userSetType = set->userSetType();
    row->id = set->id();
    row->name = nameOf(set);
    row->sortKey = sortKeyOf(row->name, row->id);
    if (row->userSetType >= 1 && row->userSetType <= kTypeCount) {
        // A set that arrives in a closed group stays out of sight with it.
        const ListModelData *header = m_headers[row->userSetType - 1];
        for (int byte = 0; byte < 2; ++byte) {
            if (header && (header->flags[byte] & ListModelData::Collapsed))
                row->flags[byte] |= ListModelData::Collapsed;
        }
    }
    if (!belongsToView(row, m_view))
        row->flags[0] |= ListModelData::Hidden;
    if (row->isServer())
        row->flags[1] |= ListModelData::Hidden;
    applyFilters(row);
    return row;
}

void AllUserSetsListModel::clearRows()
{
    qDeleteAll(m_rows);
    m_rows.clear();
    m_byId.clear();
    for (auto &map : m_typeRows)
        map.clear();
    m_headers.fill(nullptr);
    m_selected.fill(nullptr);
}

int AllUserSetsListModel::headerRow(int type) const
{
    int row = 0;
    for (int t = 1; t < type; ++t)
        row += 1 + int(m_typeRows[t - 1].size());
    return row;
}

int AllUserSetsListModel::rowPosition(int type, const QString &sortKey) const
{
    const int first = headerRow(type) + 1;
    const auto begin = m_rows.cbegin() + first;
    const auto end = begin + m_typeRows[type - 1].size();
    const auto it = std::lower_bound(
        begin, end, sortKey, [](const ListModelData *row, const QString &key) { return row->sortKey < key; });
    return int(it - m_rows.cbegin());
}

int AllUserSetsListModel::rowOf(const ListModelData *row) const
{
    if (!row)
        return -1;
    if (row->isHeader())
        return headerRow(row->type);
    const int position = rowPosition(row->userSetType, row->sortKey);
    return position < m_rows.size() && m_rows.at(position) == row ? position : int(m_rows.indexOf(row));
}

void AllUserSetsListModel::setStorage(UserSetStorage *storage)
{
    if (m_storage == storage)
        return;
    if (m_storage)
        disconnect(m_storage, nullptr, this, nullptr);
    m_storage = storage;
    if (m_storage) {
        connect(m_storage, &UserSetStorage::userSetAdded, this, &AllUserSetsListModel::onUserSetAdded);
        connect(m_storage, &UserSetStorage::userSetRemoved, this, &AllUserSetsListModel::onUserSetRemoved);
        connect(m_storage, &QObject::destroyed, this, [this] {
            m_storage = nullptr;
            rebuild();
        });
    }
    rebuild();
}

void AllUserSetsListModel::rebuild()
{
    stopPassNow();
    const bool wasActive = m_passActive;
    std::array<QString, 3> selectedIds;
    for (int view = 0; view < 3; ++view)
        selectedIds[view] = m_selected[view] ? m_selected[view]->id : QString();
    std::array<std::array<quint8, 2>, kTypeCount> collapsed {};
    for (int t = 0; t < kTypeCount; ++t) {
        for (int byte = 0; byte < 2; ++byte)
            collapsed[t][byte] = m_headers[t] ? (m_headers[t]->flags[byte] & ListModelData::Collapsed) : 0;
    }

    beginResetModel();
    clearRows();
    m_appliedFilter = m_filter;
    for (int t = 1; t <= kTypeCount; ++t) {
        auto *header = new ListModelData;
        header->type = t;
        header->userSetType = t;
        header->id = QLatin1Char('#') + QString::number(t);
        header->headerText = tr(kHeaderTexts[t - 1]);
        header->headerOwner = &m_typeRows[t - 1];
        header->flags = collapsed[t - 1];
        if (!belongsToView(header, m_view))
            header->flags[0] |= ListModelData::Hidden;
        if (header->isServer())
            header->flags[1] |= ListModelData::Hidden;
        m_headers[t - 1] = header;
    }
    if (m_storage) {
        for (int t = 1; t <= kTypeCount; ++t) {
            const QList<UserSet *> sets = m_storage->userSets(t);
            for (UserSet *set : sets) {
                ListModelData *row = makeRow(set);
                m_typeRows[t - 1].insert(row->sortKey, row);
                m_byId.insert(row->id, row);
            }
        }
    }
    m_rows.reserve(m_byId.size() + kTypeCount);
    for (int t = 0; t < kTypeCount; ++t) {
        m_rows.append(m_headers[t]);
        for (ListModelData *row : std::as_const(m_typeRows[t]))
            m_rows.append(row);
    }
    for (int view = 0; view < 3; ++view)
        m_selected[view] = m_byId.value(selectedIds[view]);
    endResetModel();
    updateCounts();
    emit rowCountChanged(m_visibleCount);
    emit selectedIndexChanged(selectedIndex());
    // The rows already carry the wanted filters; a pass that was under way has nothing left to do.
    m_restartPending = false;
    if (wasActive)
        endPass();
}

void AllUserSetsListModel::insertRow(ListModelData *row)
{
    const int position = rowPosition(row->userSetType, row->sortKey);
    beginInsertRows(QModelIndex(), position, position);
    m_rows.insert(position, row);
    m_typeRows[row->userSetType - 1].insert(row->sortKey, row);
    m_byId.insert(row->id, row);
    endInsertRows();
}

void AllUserSetsListModel::removeRow(ListModelData *row)
{
    const int position = rowOf(row);
    if (position < 0)
        return;
    beginRemoveRows(QModelIndex(), position, position);
    m_rows.removeAt(position);
    m_typeRows[row->userSetType - 1].remove(row->sortKey);
    m_byId.remove(row->id);
    endRemoveRows();
}

void AllUserSetsListModel::onUserSetAdded(const QString &id)
{
    UserSet *set = m_storage ? m_storage->getUserSet(id) : nullptr;
    if (!set || set->userSetType() < 1 || set->userSetType() > kTypeCount)
        return;
    const bool wasRunning = stopPassNow();
    if (ListModelData *old = rowById(id)) {
        removeRow(old);
        delete old;
    }
    insertRow(makeRow(set));
    updateCounts();
    emit rowCountChanged(m_visibleCount);
    emit selectedIndexChanged(selectedIndex());
    resumePass(wasRunning);
}

void AllUserSetsListModel::onUserSetRemoved(const QString &id)
{
    ListModelData *row = rowById(id);
    if (!row)
        return;
    const bool wasRunning = stopPassNow();
    for (auto &selected : m_selected) {
        if (selected == row)
            selected = nullptr;
    }
    removeRow(row);
    delete row;
    updateCounts();
    emit rowCountChanged(m_visibleCount);
    emit selectedIndexChanged(selectedIndex());
    resumePass(wasRunning);
}

void AllUserSetsListModel::refreshUserSet(const QString &id)
{
    ListModelData *row = rowById(id);
    if (!row || !row->userSet)
        return;
    const QString name = nameOf(row->userSet);
    if (name == row->name) {
        const int position = rowOf(row);
        emit dataChanged(index(position), index(position));
        return;
    }
    // A new name may move the row within its group and change what the filters say.
    const bool wasRunning = stopPassNow();
    removeRow(row);
    row->name = name;
    row->sortKey = sortKeyOf(name, row->id);
    applyFilters(row);
    insertRow(row);
    updateCounts();
    emit rowCountChanged(m_visibleCount);
    emit selectedIndexChanged(selectedIndex());
    resumePass(wasRunning);
}

void AllUserSetsListModel::retranslate()
{
    for (int t = 0; t < kTypeCount; ++t) {
        m_headers[t]->headerText = tr(kHeaderTexts[t]);
        const int position = headerRow(t + 1);
        emit dataChanged(index(position), index(position), { UserSetNameRole });
    }
}

void AllUserSetsListModel::clearServerState()
{
    const int first = headerRow(UserSet::HALVO_SERVER_GENERAL_TEMPLATE);
    if (first < m_rows.size() - 1)
        emit dataChanged(index(first), index(int(m_rows.size()) - 1), { UserSetDownloadedRole, IconSourceRole });
}

// ---- views, counts and selection ----

int AllUserSetsListModel::getHeaderCount() const
{
    if (m_view == ServerView)
        return 2;
    if (m_view == LocalView)
        return 3;
    return 0;
}

int AllUserSetsListModel::getCurrentViewCount() const
{
    if (m_view == ServerView)
        return int(m_typeRows[3].size() + m_typeRows[4].size());
    if (m_view == LocalView)
        return int(m_typeRows[0].size() + m_typeRows[1].size() + m_typeRows[2].size());
    return 0;
}

QString AllUserSetsListModel::getFilter() const
{
    return m_view <= 2 ? m_filter[m_view] : QString();
}

int AllUserSetsListModel::selectedIndex() const
{
    if (m_view > 2 || !m_selected[m_view] || !isVisible(m_selected[m_view], m_view))
        return -1;
    int position = 0;
    for (const ListModelData *row : m_rows) {
        if (row == m_selected[m_view])
            return position;
        if (isVisible(row, m_view))
            ++position;
    }
    return -1;
}

void AllUserSetsListModel::updateCounts()
{
    int visible = 0;
    for (const ListModelData *row : std::as_const(m_rows))
        visible += isVisible(row, m_view) ? 1 : 0;
    m_visibleCount = visible;
}

void AllUserSetsListModel::setView(int view, bool suppressProgress)
{
    if (view < 0 || view > 2)
        return;
    const bool wasRunning = stopPassNow();
    if (m_view == SecondLocalView && view != SecondLocalView)
        m_selected[SecondLocalView] = nullptr;
    m_view = view;
    emit selectedViewChanged();
    const bool progress = m_rows.size() > kProgressRows && !suppressProgress;
    if (progress)
        Processing::instance()->start(0, kViewProcess);
    if (view != SecondLocalView) {
        for (ListModelData *row : std::as_const(m_rows)) {
            if (belongsToView(row, view))
                row->flags[0] &= ~ListModelData::Hidden;
            else
                row->flags[0] |= ListModelData::Hidden;
        }
    }
    notifyWalk(true, progress ? kViewProcess : -1);
    if (wasRunning || m_appliedFilter[view] != m_filter[view])
        resumePass(true);
}

bool AllUserSetsListModel::selectById(const QString &id)
{
    ListModelData *row = rowById(id);
    if (m_view > 2 || !row || !belongsToView(row, m_view))
        return false;
    ListModelData *old = m_selected[m_view];
    m_selected[m_view] = row;
    if (old && old != row)
        notifyRows(rowOf(old), rowOf(old));
    notifyRows(rowOf(row), rowOf(row));
    emit selectedIndexChanged(selectedIndex());
    return true;
}

bool AllUserSetsListModel::selectByName(const QString &displayName, int view)
{
    if (view < 0 || view > 2)
        return false;
    for (ListModelData *row : std::as_const(m_rows)) {
        if (row->isHeader() || row->name != displayName || !belongsToView(row, view))
            continue;
        ListModelData *old = m_selected[view];
        m_selected[view] = row;
        if (view == m_view) {
            if (old && old != row)
                notifyRows(rowOf(old), rowOf(old));
            notifyRows(rowOf(row), rowOf(row));
            emit selectedIndexChanged(selectedIndex());
        }
        return true;
    }
    return false;
}

QString AllUserSetsListModel::selectedId() const
{
    return m_view <= 2 && m_selected[m_view] ? m_selected[m_view]->id : QString();
}

void AllUserSetsListModel::clearSelection()
{
    if (m_view > 2 || !m_selected[m_view])
        return;
    const int position = rowOf(m_selected[m_view]);
    m_selected[m_view] = nullptr;
    notifyRows(position, position);
    emit selectedIndexChanged(-1);
}

void AllUserSetsListModel::toggleHeader(const QString &headerId)
{
    bool ok = false;
    const int type = headerId.startsWith(QLatin1Char('#')) ? headerId.mid(1).toInt(&ok) : 0;
    if (!ok || type < 1 || type > kTypeCount || m_view > 2)
        return;
    const bool wasRunning = stopPassNow();
    const int byte = ListModelData::byteOf(m_view);
    ListModelData *header = m_headers[type - 1];
    header->flags[byte] ^= ListModelData::Collapsed;
    const quint8 collapsed = header->flags[byte] & ListModelData::Collapsed;
    for (ListModelData *row : std::as_const(m_typeRows[type - 1])) {
        row->flags[byte] = quint8((row->flags[byte] & ~ListModelData::Collapsed) | collapsed);
        row->changed = true;
    }
    header->changed = true;
    notifyWalk(false, -1);
    resumePass(wasRunning);
}

void AllUserSetsListModel::toggleMarked(const QString &id)
{
    ListModelData *row = rowById(id);
    if (m_view > 2 || !row || !belongsToView(row, m_view))
        return;
    const bool wasRunning = stopPassNow();
    quint8 &flags = row->flags[ListModelData::byteOf(m_view)];
    flags ^= ListModelData::Marked;
    if (row->userSet)
        row->userSet->setSelected(flags & ListModelData::Marked);
    const int position = rowOf(row);
    notifyRows(position, position);
    resumePass(wasRunning);
}

QStringList AllUserSetsListModel::markedIds() const
{
    QStringList ids;
    if (m_view > 2)
        return ids;
    const int byte = ListModelData::byteOf(m_view);
    for (const ListModelData *row : m_rows) {
        if (!row->isHeader() && belongsToView(row, m_view) && (row->flags[byte] & ListModelData::Marked))
            ids.append(row->id);
    }
    return ids;
}

bool AllUserSetsListModel::isMultipleSelectionActive() const
{
    return s_multipleSelectionActive;
}

void AllUserSetsListModel::setMultipleSelectionActive(bool active)
{
    if (active == s_multipleSelectionActive && !active)
        return;
    s_multipleSelectionActive = active;
    const bool wasRunning = stopPassNow();
    if (active) {
        // A new round of ticking starts from nothing ticked.
        for (ListModelData *row : std::as_const(m_rows)) {
            if (row->isHeader())
                continue;
            row->flags[0] &= ~ListModelData::Marked;
            row->flags[1] &= ~ListModelData::Marked;
            if (row->userSet)
                row->userSet->setSelected(false);
        }
    }
    notifyRows(0, int(m_rows.size()) - 1);
    emit selectedIndexChanged(selectedIndex());
    emit multipleSelectionChanged();
    resumePass(wasRunning);
}

void AllUserSetsListModel::notifyRows(int first, int last)
{
    if (first >= 0 && last >= first)
        emit dataChanged(index(first), index(last));
}

void AllUserSetsListModel::notifyWalk(bool allRows, int process, const quint8 *flips, int flipByte)
{
    Processing *processing = process >= 0 ? Processing::instance() : nullptr;
    const ListModelData *selected = m_view <= 2 ? m_selected[m_view] : nullptr;
    const int rows = int(m_rows.size());
    const int batch = batchSize(rows);
    int visible = 0;
    int selectedPosition = -1;
    int first = -1;
    int last = -1;
    // The walk never yields to the event loop: a store change in the middle
    // would pull rows out from under it.
    for (int start = 0; start < rows; start += batch) {
        const int end = std::min(rows, start + batch);
        for (int i = start; i < end; ++i) {
            ListModelData *row = m_rows.at(i);
            if (flips && flips[i]) {
                row->flags[flipByte] ^= ListModelData::FilteredOut;
                row->changed = true;
            }
            if (row->changed) {
                row->changed = false;
                if (first < 0)
                    first = i;
                last = i;
            }
            if (isVisible(row, m_view)) {
                if (row == selected)
                    selectedPosition = visible;
                ++visible;
            }
        }
        if (processing)
            processing->tick(false, INT_MAX);
    }
    m_visibleCount = visible;
    if (allRows)
        notifyRows(0, rows - 1);
    else
        notifyRows(first, last);
    emit rowCountChanged(m_visibleCount);
    emit selectedIndexChanged(selectedPosition);
    if (processing)
        processing->tick(true, INT_MAX);
}

// ---- filtering ----

void AllUserSetsListModel::setFilter(const QString &filter)
{
    if (m_view > 2 || filter == m_filter[m_view])
        return;
    m_filter[m_view] = filter;
    emit filterChanged();
    if (m_watcher) {
        m_restartPending = true;
        m_watcher->cancel();
        return;
    }
    onStart();
}

void AllUserSetsListModel::resetFilter()
{
    const bool wasRunning = stopPassNow();
    m_restartPending = false;
    const bool filterWasSet = !getFilter().isEmpty();
    for (int view = 0; view < 3; ++view) {
        m_filter[view].clear();
        m_appliedFilter[view].clear();
    }
    if (m_view == SecondLocalView)
        m_selected[SecondLocalView] = nullptr;
    m_view = LocalView;
    emit selectedViewChanged();
    if (filterWasSet)
        emit filterChanged();
    for (ListModelData *row : std::as_const(m_rows)) {
        // The texts are gone, so are their effects.
        row->flags[1] &= ~ListModelData::FilteredOut;
        row->flags[0] &= ~ListModelData::FilteredOut;
        if (row->isServer())
            row->flags[0] |= ListModelData::Hidden;
        else
            row->flags[0] &= ~ListModelData::Hidden;
    }
    notifyWalk(true, m_rows.size() > kProgressRows ? kViewProcess : -1);
    if (wasRunning)
        endPass();
}

void AllUserSetsListModel::onStart()
{
    if (m_watcher) {
        m_watcher->cancel();
        m_watcher->waitForFinished();
        m_restartPending = true;
        return;
    }
    if (m_view > 2)
        return;
    if (!m_passActive) {
        m_passActive = true;
        m_passProgress = m_rows.size() > kProgressRows;
        if (m_passProgress)
            Processing::instance()->start(kBusyDelayMs, kFilterProcess);
        emit threadStarted();
    }
    startPass();
}

bool AllUserSetsListModel::onStop()
{
    m_restartPending = false;
    if (!m_watcher)
        return false;
    m_watcher->cancel();
    return true;
}

void AllUserSetsListModel::startPass()
{
    const int rows = int(m_rows.size());
    m_passView = m_view;
    m_passFilter = m_filter[m_view];
    m_passResult.assign(size_t(rows), 0);
    m_ranges.clear();
    const int tasks = std::max(1, QThreadPool::globalInstance()->maxThreadCount()) * 2;
    const int step = std::max(kMinRangeRows, (rows + tasks - 1) / tasks);
    for (int begin = 0; begin < rows; begin += step)
        m_ranges.push_back({ begin, std::min(rows, begin + step) });

    m_watcher = new QFutureWatcher<void>(this);
    connect(m_watcher, &QFutureWatcher<void>::finished, this, &AllUserSetsListModel::onPassFinished);

    // Typing narrows the text: a name that lacked the old text lacks the new
    // one too. Deleting widens it: a name that held the old text holds the new.
    const QString &previous = m_appliedFilter[m_passView];
    const bool narrowing = !previous.isEmpty() && m_passFilter.contains(previous);
    const bool widening = m_passFilter.isEmpty() || previous.contains(m_passFilter);
    const int byte = ListModelData::byteOf(m_passView);
    const bool server = m_passView == ServerView;
    // The tasks read the rows (every writer of a row stops the pass first)
    // and write only their own slots: 1 where the filter bit is to flip.
    const QList<ListModelData *> &rowList = m_rows;
    quint8 *flips = m_passResult.data();
    const std::u16string_view needle(reinterpret_cast<const char16_t *>(m_passFilter.utf16()), m_passFilter.size());
    const bool single = m_passFilter.size() == 1;
    const QChar first = single ? m_passFilter.front() : QChar();
    m_watcher->setFuture(QtConcurrent::map(m_ranges, [=, &rowList](const Range &range) {
        for (int i = range.begin; i < range.end; ++i) {
            const ListModelData *row = rowList.at(i);
            if (row->isHeader() || row->isServer() != server)
                continue;
            const bool wasOut = row->flags[byte] & ListModelData::FilteredOut;
            bool out;
            if (wasOut ? narrowing : widening) {
                out = wasOut;
            } else if (single) {
                // Qt's own search for one character is vectorised.
                out = !QStringView(row->name).contains(first);
            } else {
                // For a few characters in a short name this beats Qt's hashed search by half.
                const std::u16string_view name(reinterpret_cast<const char16_t *>(row->name.utf16()), row->name.size());
                out = name.find(needle) == std::u16string_view::npos;
            }
            flips[i] = out != wasOut;
        }
    }));
}

void AllUserSetsListModel::onPassFinished()
{
    QFutureWatcher<void> *watcher = m_watcher;
    m_watcher = nullptr;
    const bool canceled = watcher->isCanceled();
    watcher->deleteLater();
    if (m_restartPending) {
        m_restartPending = false;
        startPass();
        return;
    }
    if (canceled) {
        endPass();
        return;
    }
    m_appliedFilter[m_passView] = m_passFilter;
    const bool progress = m_passProgress;
    m_passActive = false;
    m_passProgress = false;
    notifyWalk(false, progress ? kFilterProcess : -1, m_passResult.data(), ListModelData::byteOf(m_passView));
    emit threadFinished();
}

bool AllUserSetsListModel::stopPassNow()
{
    if (!m_watcher)
        return false;
    QFutureWatcher<void> *watcher = m_watcher;
    m_watcher = nullptr;
    disconnect(watcher, nullptr, this, nullptr);
    watcher->cancel();
    watcher->waitForFinished();
    delete watcher;
    return true;
}

void AllUserSetsListModel::resumePass(bool wasRunning)
{
    if (!wasRunning && !m_restartPending)
        return;
    m_restartPending = false;
    if (m_view > 2) {
        endPass();
        return;
    }
    if (!m_passActive) {
        m_passActive = true;
        emit threadStarted();
    }
    startPass();
}

void AllUserSetsListModel::endPass()
{
    if (!m_passActive)
        return;
    m_passActive = false;
    if (m_passProgress)
        Processing::instance()->tick(true, INT_MAX);
    m_passProgress = false;
    emit threadFinished();
}
