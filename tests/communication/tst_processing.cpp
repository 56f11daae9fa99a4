#include "KelvaraTest.h"

#include "Processing.h"

#include <QtTest/QSignalSpy>

// The process-wide busy state: a delayed busy indication, progress ticks that
// let the event loop breathe, and the finish signal.
class tst_Processing : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Processing::instance()->stop(); }

    void busyAtOnceOrAfterTheDelay_data()
    {
        QTest::addColumn<int>("delayMs");
        QTest::newRow("no delay: busy at once") << 0;
        QTest::newRow("delay: busy only after it") << 50;
    }

    void busyAtOnceOrAfterTheDelay()
    {
        QFETCH(int, delayMs);
        Processing *processing = Processing::instance();
        QSignalSpy busy(processing, &Processing::deviceBusyChanged);
        processing->start(delayMs, 7);
        QCOMPARE(processing->isBusy(), delayMs == 0);
        QCOMPARE(busy.count(), delayMs == 0 ? 1 : 0);
        if (delayMs > 0) {
            QVERIFY(busy.wait(KelvaraTest::timeout(2000)));
            QVERIFY(processing->isBusy());
        }
        QCOMPARE(busy.last().at(0).toBool(), true);
        QCOMPARE(processing->processType(), 7);
    }

    void quickOperationNeverShowsBusy()
    {
        Processing *processing = Processing::instance();
        QSignalSpy busy(processing, &Processing::deviceBusyChanged);
        QSignalSpy finished(processing, &Processing::processFinished);
        processing->start(KelvaraTest::timeout(5000), 3);
        processing->tick(true, 1);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().at(0).toInt(), 3);
        QTest::qWait(KelvaraTest::timeout(50));
        QVERIFY(!processing->isBusy());
        // The delay timer went with the finish: no late "busy" arrives.
        QVERIFY(busy.isEmpty() || !busy.last().at(0).toBool());
    }

    void ticksRunTheEventLoopEveryNth()
    {
        Processing *processing = Processing::instance();
        processing->start(0, 1);
        int delivered = 0;
        QMetaObject::invokeMethod(processing, [&delivered] { ++delivered; }, Qt::QueuedConnection);
        processing->tick(false, 3);
        processing->tick(false, 3);
        QCOMPARE(delivered, 0);
        processing->tick(false, 3);
        QCOMPARE(delivered, 1);
        QVERIFY(processing->isBusy());
        processing->tick(false, 0); // a zero step must not divide by zero or stall
    }

    void stopClearsBusy()
    {
        Processing *processing = Processing::instance();
        processing->start(0, 2);
        QSignalSpy busy(processing, &Processing::deviceBusyChanged);
        processing->stop();
        QVERIFY(!processing->isBusy());
        QCOMPARE(busy.count(), 1);
        QCOMPARE(busy.first().at(0).toBool(), false);
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_Processing)
#include "tst_processing.moc"
