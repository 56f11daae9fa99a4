#pragma once

#include "ChronoEventListModel.h"
#include "ChronoFixData.h"
#include "ChronoFlexParser.h"

#include <QtCore/QFutureWatcher>
#include <QtCore/QMutex>
#include <QtCore/QObject>
#include <QtCore/QStringList>

#include <atomic>
#include <memory>

/// Parses the chrono files the user selected: the ".fix" file at once, the
/// ".flex" log on the global thread pool with the page's three filters.
class ChronoFileService : public QObject
{
    Q_OBJECT
    Q_PROPERTY(ChronoEventListModel *flexData READ flexData CONSTANT)
    Q_PROPERTY(ChronoFixData *fixData READ fixData NOTIFY fixDataChanged)
    Q_PROPERTY(QString flexDataEventFilter READ flexDataEventFilter WRITE setFlexEventFilter NOTIFY
                   flexDataEventFilterChanged)
    Q_PROPERTY(QString flexDataDateFilter READ flexDataDateFilter WRITE setFlexDateFilter NOTIFY
                   flexDataDateFilterChanged)
    Q_PROPERTY(QString flexDataDescriptionFilter READ flexDataDescriptionFilter WRITE setFlexDescriptionFilter
                   NOTIFY flexDataDescriptionFilterChanged)
    Q_PROPERTY(int progress READ progress NOTIFY progressChanged)
    Q_PROPERTY(QString selectedFlexFile READ selectedFlexFile WRITE setSelectedFlexFile NOTIFY
                   selectedFlexFileChanged)
    Q_PROPERTY(QString selectedFixFile READ selectedFixFile WRITE setSelectedFixFile NOTIFY selectedFixFileChanged)
    Q_PROPERTY(QStringList errorList READ errorList NOTIFY errorListChanged)
public:
    explicit ChronoFileService(QObject *parent = nullptr);
    /// Waits for a running parse: its worker reads this object's state.
    ~ChronoFileService() override;

    ChronoEventListModel *flexData() const { return m_flexData; }
    ChronoFixData *fixData() const { return m_fixData; }
    QString flexDataEventFilter() const;
    QString flexDataDateFilter() const;
    QString flexDataDescriptionFilter() const;
    int progress() const;
    QString selectedFlexFile() const { return m_selectedFlexFile; }
    QString selectedFixFile() const { return m_selectedFixFile; }
    QStringList errorList() const;
    bool isParsing() const { return m_watcher.isRunning(); }

    Q_INVOKABLE void setSelectedFixFile(const QString &path);
    Q_INVOKABLE void setSelectedFlexFile(const QString &path);
    Q_INVOKABLE void setFlexEventFilter(const QString &filter);
    Q_INVOKABLE void setFlexDateFilter(const QString &filter);
    Q_INVOKABLE void setFlexDescriptionFilter(const QString &filter);
    /// Forgets both selections and their contents (after a file was deleted).
    Q_INVOKABLE void resetSelection();

signals:
    void selectedFolderChanged();
    void fixDataChanged();
    void flexDataEventFilterChanged(QString filter);
    void flexDataDateFilterChanged(QString filter);
    void flexDataDescriptionFilterChanged(QString filter);
    void progressChanged();
    void selectedFlexFileChanged(QString path);
    void selectedFixFileChanged(QString path);
    void errorListChanged(QStringList errorList);
    /// A parse has ended and its events are in `flexData`.
    void flexParsingFinished();

public slots:
    void handleBackroundParsingFinished();

private:
    void parseFixFile(const QString &path);
    void startFlexParsing();
    ChronoFlexParser::Result parseFlexFile(const QString &path, const std::atomic<bool> *cancel);
    void setProgress(int value);

    ChronoEventListModel *m_flexData;
    ChronoFixData *m_fixData;
    QFutureWatcher<ChronoFlexParser::Result> m_watcher;
    mutable QMutex m_mutex;
    QString m_flexDataEventFilter;
    QString m_flexDataDateFilter;
    QString m_flexDataDescriptionFilter;
    int m_progress = 100;
    QString m_selectedFlexFile;
    QString m_selectedFixFile;
    QStringList m_errorList;
    /// Set when the selection or a filter changed during a parse: its result
    /// no longer matches and a new parse follows it.
    bool m_restartPending = false;
    std::shared_ptr<std::atomic<bool>> m_cancel;
};
