#pragma once

#include <QtCore/QAbstractListModel>
#include <QtCore/QHash>
#include <QtCore/QMap>
#include <QtCore/QPointer>
#include <QtCore/QString>
#include <QtCore/QStringList>

#include <array>
#include <vector>

class UserSet;
class UserSetStorage;
template<typename T>
class QFutureWatcher;

/// One row of the user-set list: a header of one user-set type or one set.
struct ListModelData
{
    enum Flag : quint8 {
        Hidden = 0x01, ///< not part of this view
        Marked = 0x02, ///< ticked while multiple selection is active
        Collapsed = 0x08, ///< its header is closed
        FilteredOut = 0x10, ///< the name does not hold the view's filter text
    };
    /// Byte 0 serves views 0 and 1 (their rows never overlap), byte 1 view 2.
    static int byteOf(int view) { return view == 2 ? 1 : 0; }

    QPointer<UserSet> userSet; ///< null for a header; goes null if the store drops the set behind our back
    QMap<QString, ListModelData *> *headerOwner = nullptr;
    int type = -1;
    QString headerText;
    int userSetType = 0; ///< the set's type, or the header's type
    QString id; ///< kept so that the row can be found after its set is gone
    QString name; ///< what the filter matches and the list shows; read by the filter pass
    QString sortKey;
    std::array<quint8, 2> flags { { 0, 0 } };
    bool changed = false;

    bool isHeader() const { return type != -1; }
    bool isServer() const { return userSetType >= 4; }
};

/// Every user set of the user, grouped under one header per user-set type,
/// filtered by name per view and selectable.
///
/// What the roles show of a set:
/// - name: the display name of its file name (part 2, date, time), or the
///   base name when the file name has no second part;
/// - version: the last part of the file name (e.g. "V140"), or the document
///   version when the name has none;
/// - software version and serial number: the device values stored in the set;
/// - downloaded: the file has been fetched (`UserSet::isReceived`);
/// - synchronised: the set went to the server (`UserSet::isUploaded`);
/// - base name: the file name without extension.
/// Within a type the rows are sorted by name, case-insensitively, then by id.
///
/// The filter pass runs on the global thread pool over ranges of rows; the
/// tasks only read the precomputed names and write their own slots of a
/// result buffer, which the main thread folds into the flags afterwards. Any
/// change of the rows or their flags stops a running pass first, so a task
/// never sees a row being inserted, deleted or re-flagged. The flag bits of a
/// view always reflect the filter text last applied to it; a text typed
/// while a pass runs cancels it and one pass for the newest text follows.
/// `threadStarted` and `threadFinished` bracket that whole run, restarts
/// included, so they always come in pairs.
///
/// With more than 1000 rows, the walks report to `Processing`: type 2 after
/// a change of view, type 3 after a filter pass, each ending with
/// `processFinished`. The walks never run the event loop themselves.
///
/// Left open elsewhere and decided here: user-set rows always use text
/// colour 2 (the rows carry no enable flags); the selected row of a view is
/// set by the controller (`selectById`, `selectByName`) and survives a
/// rebuild by id; a row that the filter hides keeps its selection but has no
/// `selectedIndex` (−1); `resetFilter` clears the filter bits along with the
/// texts; switching views needs no pass when the new view's text has been
/// applied already.
class AllUserSetsListModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int visibleCount READ getVisibleCount NOTIFY rowCountChanged)
    Q_PROPERTY(int headerCount READ getHeaderCount NOTIFY selectedViewChanged)
    Q_PROPERTY(int currentViewCount READ getCurrentViewCount NOTIFY selectedViewChanged)
    Q_PROPERTY(QString filter READ getFilter WRITE setFilter NOTIFY filterChanged)
    Q_PROPERTY(bool isMultipleSelectionActive READ isMultipleSelectionActive WRITE setMultipleSelectionActive NOTIFY
            multipleSelectionChanged)
    Q_PROPERTY(int selectedIndex READ selectedIndex NOTIFY selectedIndexChanged)
public:
    enum Roles {
        UserSetIdRole = Qt::UserRole + 1,
        UserSetNameRole,
        UserSetVersionRole,
        QeloSoftwareVersionRole,
        QeloSerialNumberRole,
        UserSetDownloadedRole,
        UserSetSynchronizedRole,
        UserSetMarkedRole,
        UserSetBaseNameRole,
        IsMarkedForDeleteRole,
        IsVisibleRole,
        IconSourceRole,
        IsHeaderRole,
        TextColorIndexRole,
        IsSelectedRole,
    };
    Q_ENUM(Roles)

    /// The views; `NoView` until the first one is set.
    enum View { ServerView = 0, LocalView = 1, SecondLocalView = 2, NoView = 4 };
    /// The process types reported to `Processing` when the rows are walked.
    static constexpr int kViewProcess = 2;
    static constexpr int kFilterProcess = 3;
    static constexpr int kTypeCount = 5;

    explicit AllUserSetsListModel(QObject *parent = nullptr);
    ~AllUserSetsListModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QHash<int, QByteArray> roleNames() const override;

    /// Follows the store's additions and removals from now on, and rebuilds.
    void setStorage(UserSetStorage *storage);
    /// Every row anew from the store, with the views' filters applied.
    void rebuild();

    void setView(int view, bool suppressProgress = false);
    int view() const { return m_view; }

    /// Selects the set's row in the current view; false when it has none.
    bool selectById(const QString &id);
    /// Selects the row of `view` whose name is `displayName`.
    bool selectByName(const QString &displayName, int view);
    QString selectedId() const;
    void clearSelection();

    Q_INVOKABLE void toggleHeader(const QString &headerId);
    void toggleMarked(const QString &id);
    /// The marked rows of the current view, in row order.
    QStringList markedIds() const;

    void refreshUserSet(const QString &id);
    void retranslate();
    /// The server link is gone: its rows stay, their icons are redrawn.
    void clearServerState();

    Q_INVOKABLE int getVisibleCount() const { return m_visibleCount; }
    Q_INVOKABLE int getHeaderCount() const;
    Q_INVOKABLE int getCurrentViewCount() const;
    Q_INVOKABLE QString getFilter() const;
    Q_INVOKABLE void setFilter(const QString &filter);
    Q_INVOKABLE void resetFilter();
    bool isMultipleSelectionActive() const;
    void setMultipleSelectionActive(bool active);
    int selectedIndex() const;

    /// True while a filter pass is running or about to restart.
    bool isFiltering() const { return m_passActive; }

public slots:
    void onStart();
    bool onStop();

signals:
    void multipleSelectionChanged();
    void selectedViewChanged();
    void selectedIndexChanged(int index);
    void rowCountChanged(int count);
    void filterChanged();
    void threadStarted();
    void threadFinished();

private:
    struct Range
    {
        int begin;
        int end;
    };

    void onUserSetAdded(const QString &id);
    void onUserSetRemoved(const QString &id);
    void onPassFinished();

    ListModelData *makeRow(UserSet *set) const;
    void clearRows();
    int headerRow(int type) const;
    /// Where a row of that type and key goes (or is) among the rows.
    int rowPosition(int type, const QString &sortKey) const;
    int rowOf(const ListModelData *row) const;
    ListModelData *rowById(const QString &id) const { return m_byId.value(id); }
    void insertRow(ListModelData *row);
    void removeRow(ListModelData *row);
    bool belongsToView(const ListModelData *row, int view) const;
    bool isVisible(const ListModelData *row, int view) const;
    /// Sets the filter bits of a row from the filter texts wanted now.
    void applyFilters(ListModelData *row) const;
    QString iconOf(const ListModelData *row) const;

    void startPass();
    /// Cancels a running pass and waits for it; true when one ran.
    bool stopPassNow();
    void resumePass(bool wasRunning);
    void endPass();
    /// Counts and notifies after the flags changed; a negative `process`
    /// reports no progress.
    /// `flips`, when given, marks the rows whose filter bit in `flipByte` turns.
    void notifyWalk(bool allRows, int process, const quint8 *flips = nullptr, int flipByte = 0);
    void notifyRows(int first, int last);
    void updateCounts();

    UserSetStorage *m_storage = nullptr;
    QList<ListModelData *> m_rows;
    std::array<QMap<QString, ListModelData *>, kTypeCount> m_typeRows;
    std::array<ListModelData *, kTypeCount> m_headers {};
    QHash<QString, ListModelData *> m_byId;
    int m_view = NoView;
    std::array<QString, 3> m_filter;
    /// The filter text that each view's filter bits reflect.
    std::array<QString, 3> m_appliedFilter;
    std::array<ListModelData *, 3> m_selected {};
    int m_visibleCount = 0;

    QFutureWatcher<void> *m_watcher = nullptr;
    std::vector<Range> m_ranges;
    std::vector<quint8> m_passResult;
    QString m_passFilter;
    int m_passView = NoView;
    bool m_restartPending = false;
    bool m_passActive = false;
    bool m_passProgress = false;
};
