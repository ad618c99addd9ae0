#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <thread>

// One piece of background work at a time, on a thread of its own: the one shape of the
// thumbnail runs and the exports. The job raises its busy flag when the work starts and lowers
// it in the owner's thread just before it says the work ended, so the flag and what the owner
// shows (controls held, progress drawn) never disagree.
class BackgroundJob : public QObject {
    Q_OBJECT
  public:
    // busy is the flag the rest of the editor reads (EditState::workerBusy or exportBusy).
    explicit BackgroundJob(std::atomic<bool>& busy, QObject* parent = nullptr);
    ~BackgroundJob() override;

    // Asks the work to end at its next safe point.
    void requestStop();
    // Returns once no work runs and its end has been told. Meanwhile this thread's queued calls
    // keep being delivered (user input excepted), so work blocked in a hand-over queued to this
    // very thread completes instead of waiting for ever.
    void wait();

  signals:
    // In the owner's thread: the work has started; it has ended and busy is lowered.
    void started();
    void ended(bool succeeded);

  protected:
    // The work, on the job's thread: it looks at stopRequested at its safe points and says
    // whether it succeeded.
    using Work = std::function<bool(const std::atomic<bool>& stopRequested)>;
    // Starts work unless busy is already raised; returns whether it started. tellEnd runs in
    // the owner's thread once busy is lowered, before ended is emitted.
    bool launch(Work work, std::function<void()> tellEnd = {});
    // Calls call in the owner's thread, after whatever was queued there before.
    void post(std::function<void()> call);
    // For destructors, while the work's captures still exist: stops the work and waits for it
    // without telling anyone, since nobody is left to hear.
    void stopSilently();

  private:
    std::atomic<bool>& m_busy;
    std::thread m_thread;
    std::atomic<bool> m_stopRequested{false};
    std::atomic<bool> m_running{false};
    // Raised from the start of the work until its end is told.
    bool m_endPending = false;
};
