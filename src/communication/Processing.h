#pragma once

#include <QtCore/QObject>

class QTimer;

/// Process-wide "the application is busy" state for longer local operations;
/// the busy indication appears only when the operation outlasts its delay.
class Processing : public QObject
{
    Q_OBJECT
public:
    using EProcessType = int;

    static Processing *instance();

    void start(int delayMs, EProcessType procType);
    /// Reports progress; every `every`-th call lets the event loop run once.
    void tick(bool finished, int every);
    void stop();

    EProcessType processType() const { return m_processType; }
    void setCopyValue(int value) { m_copyValue = value; }
    int copyValue() const { return m_copyValue; }

signals:
    void deviceBusyChanged(bool isBusy);
    void processFinished(Processing::EProcessType procType);

public slots:
    bool isBusy() const { return m_isBusy; }
    void onExpired();

private:
    Processing() = default;
    void dropTimer();

    bool m_isBusy = false;
    EProcessType m_processType = 0;
    int m_ticks = 0;
    QTimer *m_delayTimer = nullptr;
    int m_copyValue = 0;
};
