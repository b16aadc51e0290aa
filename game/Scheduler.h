#pragma once
// Runs the engine's coroutines the way nested event handling runs procedures:
// an input handler that starts while the game is paused runs "inside" that
// pause, and the paused procedure goes on only after the handler has finished.
// Each started task is an activity on a stack; a pause that ends for an
// activity below the top is held until everything above it has finished.

#include "Task.h"

#include <coroutine>
#include <cstdint>
#include <string>
#include <vector>

namespace vemo {

class Scheduler;
class PendingWait;

// The view's side of a pause it is still running: told when the engine no
// longer wants it (the game was abandoned), so it never completes it.
class WaitCanceller {
public:
    virtual ~WaitCanceller() = default;
    virtual void CancelWait(PendingWait& wait) = 0;
};

// One pause handed to the view (a timer, a question, a dialog). The view calls
// Complete exactly once, unless the pause is cancelled first.
class PendingWait {
public:
    void Complete(std::string answer = {});
    const std::string& Answer() const { return answer_; }
    void SetAnswer(std::string answer) { answer_ = std::move(answer); }
    // The view keeps the pause running and will complete it later.
    void KeepPending(WaitCanceller& canceller) { canceller_ = &canceller; }

protected:
    PendingWait() = default;
    ~PendingWait()
    {
        if (pending_ && canceller_) canceller_->CancelWait(*this);
    }

    friend class Scheduler;
    Scheduler* scheduler_ = nullptr;
    std::coroutine_handle<> handle_;
    std::uint64_t activity_ = 0;
    bool pending_ = false;
    std::string answer_;
    WaitCanceller* canceller_ = nullptr;
};

class Scheduler {
public:
    Scheduler() = default;
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;
    ~Scheduler() { AbandonAll(); }

    // Starts task as a new activity on top of the stack and runs it until it
    // first pauses or finishes.
    void Start(Task<void> task);

    // Destroys every suspended activity, newest first. Their pending waits are
    // cancelled by the awaiters' destructors. Never called from inside a task.
    void AbandonAll();

    bool Idle() const { return stack_.empty(); }
    std::size_t ActivityCount() const { return stack_.size(); }

    // Used by awaiters.
    void Suspending(PendingWait& wait, std::coroutine_handle<> handle);
    void Completed(PendingWait& wait);

private:
    struct Activity {
        std::uint64_t id;
        std::coroutine_handle<Task<void>::promise_type> root;
        std::coroutine_handle<> ready; // a pause that ended while others ran above it
    };

    void Run(std::size_t index, std::coroutine_handle<> handle);
    void Drain();
    Activity* Find(std::uint64_t id);

    std::vector<Activity> stack_;
    std::uint64_t nextId_ = 1;
    std::uint64_t running_ = 0;
};

// Awaits one pause of the view. start(wait) asks the view to begin it and
// returns true when the view finished it at once (the headless view does).
template <typename StartFn>
class ViewPause : public PendingWait {
public:
    ViewPause(Scheduler& scheduler, StartFn start) : start_(std::move(start)) { scheduler_ = &scheduler; }
    ViewPause(const ViewPause&) = delete;
    ViewPause& operator=(const ViewPause&) = delete;

    bool await_ready() const noexcept { return false; }
    bool await_suspend(std::coroutine_handle<> handle)
    {
        if (start_(static_cast<PendingWait&>(*this))) return false;
        scheduler_->Suspending(*this, handle);
        return true;
    }
    std::string await_resume() { return std::move(answer_); }

private:
    StartFn start_;
};

} // namespace vemo
