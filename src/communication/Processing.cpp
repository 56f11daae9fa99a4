#include "Processing.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>

Processing *Processing::instance()
{
    static Processing *processing = new Processing;
    return processing;
}

void Processing::dropTimer()
{
    if (!m_delayTimer)
        return;
    m_delayTimer->stop();
    m_delayTimer->deleteLater();
    m_delayTimer = nullptr;
}

void Processing::start(int delayMs, EProcessType procType)
{
    dropTimer();
    m_processType = procType;
    m_ticks = 0;
    if (delayMs <= 0) {
        m_isBusy = true;
        emit deviceBusyChanged(true);
        return;
    }
    m_delayTimer = new QTimer(this);
    m_delayTimer->setSingleShot(true);
    connect(m_delayTimer, &QTimer::timeout, this, &Processing::onExpired);
    m_delayTimer->start(delayMs);
}

void Processing::onExpired()
{
    dropTimer();
    m_isBusy = true;
    emit deviceBusyChanged(true);
}

void Processing::tick(bool finished, int every)
{
    if (finished) {
        m_isBusy = false;
        dropTimer();
        emit processFinished(m_processType);
    }
    if (every <= 0)
        every = 1;
    if (++m_ticks < every)
        return;
    m_ticks = 0;
    const bool wasBusy = m_isBusy;
    QCoreApplication::processEvents();
    if (wasBusy && !m_isBusy)
        emit deviceBusyChanged(false);
}

void Processing::stop()
{
    dropTimer();
    m_isBusy = false;
    emit deviceBusyChanged(false);
}
