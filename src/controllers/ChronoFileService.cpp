#include "ChronoFileService.h"

#include "ChronoEventListModel.h"
#include "ChronoFixData.h"

#include <QtConcurrent/QtConcurrentRun>
#include <QtCore/QMutexLocker>
#include <QtCore/QThread>

ChronoFileService::ChronoFileService(QObject *parent)
    : QObject(parent)
    , m_flexData(new ChronoEventListModel(this))
    , m_fixData(new ChronoFixData(this))
{
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &ChronoFileService::handleBackroundParsingFinished);
}

ChronoFileService::~ChronoFileService()
{
    if (m_cancel)
        m_cancel->store(true);
    m_watcher.disconnect(this);
    m_watcher.waitForFinished();
}

QString ChronoFileService::flexDataEventFilter() const
{
    QMutexLocker locker(&m_mutex);
    return m_flexDataEventFilter;
}

QString ChronoFileService::flexDataDateFilter() const
{
    QMutexLocker locker(&m_mutex);
    return m_flexDataDateFilter;
}

QString ChronoFileService::flexDataDescriptionFilter() const
{
    QMutexLocker locker(&m_mutex);
    return m_flexDataDescriptionFilter;
}

int ChronoFileService::progress() const
{
    QMutexLocker locker(&m_mutex);
    return m_progress;
}

QStringList ChronoFileService::errorList() const
{
    QMutexLocker locker(&m_mutex);
    return m_errorList;
}

void ChronoFileService::setSelectedFixFile(const QString &path)
{
    if (path == m_selectedFixFile)
        return;
    m_selectedFixFile = path;
    emit selectedFixFileChanged(path);
    parseFixFile(path);
}

void ChronoFileService::setSelectedFlexFile(const QString &path)
{
    if (path == m_selectedFlexFile && !path.isEmpty())
        return;
    m_selectedFlexFile = path;
    emit selectedFlexFileChanged(path);
    startFlexParsing();
}

void ChronoFileService::setFlexEventFilter(const QString &filter)
{
    {
        QMutexLocker locker(&m_mutex);
        if (filter == m_flexDataEventFilter)
            return;
        m_flexDataEventFilter = filter;
    }
    startFlexParsing();
}

void ChronoFileService::setFlexDateFilter(const QString &filter)
{
    {
        QMutexLocker locker(&m_mutex);
        if (filter == m_flexDataDateFilter)
            return;
        m_flexDataDateFilter = filter;
    }
    startFlexParsing();
}

void ChronoFileService::setFlexDescriptionFilter(const QString &filter)
{
    {
        QMutexLocker locker(&m_mutex);
        if (filter == m_flexDataDescriptionFilter)
            return;
        m_flexDataDescriptionFilter = filter;
    }
    startFlexParsing();
}

void ChronoFileService::resetSelection()
{
    m_flexData->clearEvents();
    m_selectedFlexFile.clear();
    emit selectedFlexFileChanged(m_selectedFlexFile);
    startFlexParsing();
    m_fixData->clearLines();
    if (!m_selectedFixFile.isEmpty()) {
        m_selectedFixFile.clear();
        emit selectedFixFileChanged(m_selectedFixFile);
        parseFixFile(m_selectedFixFile);
    }
}

void ChronoFileService::parseFixFile(const QString &path)
{
    m_fixData->clearLines();
    if (!path.isEmpty())
        m_fixData->readFile(path);
    emit fixDataChanged();
}

void ChronoFileService::startFlexParsing()
{
    if (m_watcher.isRunning()) {
        // The running parse reads the old selection: it is discarded when it
        // ends, and this one runs then.
        m_restartPending = true;
        if (m_cancel)
            m_cancel->store(true);
        return;
    }
    m_restartPending = false;
    if (m_selectedFlexFile.isEmpty()) {
        // Nothing selected any more: what is shown must say so too.
        m_flexData->clearEvents();
        return;
    }
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_watcher.setFuture(QtConcurrent::run(
        [this, path = m_selectedFlexFile, cancel = m_cancel] { return parseFlexFile(path, cancel.get()); }));
}

void ChronoFileService::setProgress(int value)
{
    {
        QMutexLocker locker(&m_mutex);
        if (value == m_progress)
            return;
        m_progress = value;
    }
    emit progressChanged();
}

ChronoFlexParser::Result ChronoFileService::parseFlexFile(const QString &path, const std::atomic<bool> *cancel)
{
    ChronoFlexParser::Filter filter;
    {
        QMutexLocker locker(&m_mutex);
        m_progress = 0;
        filter.event = m_flexDataEventFilter;
        filter.date = m_flexDataDateFilter;
        filter.description = m_flexDataDescriptionFilter;
    }
    emit progressChanged();
    QThread::currentThread()->setPriority(QThread::TimeCriticalPriority);
    ChronoFlexParser::Result result =
        ChronoFlexParser::parse(path, filter, [this](int percent) { setProgress(percent); }, cancel);
    QThread::currentThread()->setPriority(QThread::NormalPriority);
    setProgress(100);
    return result;
}

void ChronoFileService::handleBackroundParsingFinished()
{
    ChronoFlexParser::Result result = m_watcher.result();
    if (m_restartPending || result.cancelled) {
        // Superseded by a change made while it ran.
        startFlexParsing();
        if (m_watcher.isRunning())
            return;
    } else {
        m_flexData->setEvents(std::move(result.events));
        QStringList errors;
        {
            QMutexLocker locker(&m_mutex);
            m_errorList = result.errorList;
            errors = m_errorList;
        }
        emit errorListChanged(errors);
    }
    setProgress(100);
    emit flexParsingFinished();
}
