#include "BackgroundJob.h"

#include <QSignalSpy>
#include <QTest>

#include <thread>

namespace {

class Job : public BackgroundJob {
  public:
    using BackgroundJob::BackgroundJob;
    ~Job() override { stopSilently(); }
    bool run(Work work, std::function<void()> tellEnd = {}) {
        return launch(std::move(work), std::move(tellEnd));
    }
};

} // namespace

class BackgroundJobTest : public QObject {
    Q_OBJECT
  private slots:
    void busyFromStartUntilTheEndIsTold_data();
    void busyFromStartUntilTheEndIsTold();
};

void BackgroundJobTest::busyFromStartUntilTheEndIsTold_data() {
    QTest::addColumn<bool>("stopped");
    QTest::newRow("work that ends by itself") << false;
    QTest::newRow("work asked to stop") << true;
}

void BackgroundJobTest::busyFromStartUntilTheEndIsTold() {
    QFETCH(bool, stopped);
    std::atomic<bool> busy{false};
    Job job(busy);
    QSignalSpy started(&job, &BackgroundJob::started);
    QSignalSpy ended(&job, &BackgroundJob::ended);
    std::atomic<bool> release{false};
    bool busyWhenTold = true;
    const auto work = [&](const std::atomic<bool>& stopRequested) {
        while (!release && !stopRequested)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return !stopRequested.load();
    };

    QVERIFY(job.run(work, [&] { busyWhenTold = busy; }));
    QCOMPARE(started.size(), 1);
    QVERIFY(busy);
    QVERIFY(!job.run(work));
    if (stopped)
        job.requestStop();
    else
        release = true;
    QVERIFY(ended.wait(10000));
    QCOMPARE(ended.first().first().toBool(), !stopped);
    QVERIFY(!busy);
    QVERIFY(!busyWhenTold);

    // The flag is free again: the next work starts and is waited for.
    QVERIFY(job.run([](const std::atomic<bool>&) { return true; }));
    job.wait();
    QCOMPARE(ended.size(), 2);
    QVERIFY(!busy);
}

QTEST_MAIN(BackgroundJobTest)
#include "tst_background_job.moc"
