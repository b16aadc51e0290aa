#include "Scheduler.h"

#include "ReportError.h"

#include <algorithm>

namespace vemo {

void PendingWait::Complete(std::string answer)
{
    if (!pending_) return;
    answer_ = std::move(answer);
    pending_ = false;
    scheduler_->Completed(*this);
}

void Scheduler::Start(Task<void> task)
{
    const auto root = task.Release();
    stack_.push_back(Activity{nextId_++, root, {}});
    Run(stack_.size() - 1, root);
    Drain();
}

void Scheduler::Run(std::size_t index, std::coroutine_handle<> handle)
{
    const std::uint64_t previous = running_;
    running_ = stack_[index].id;
    handle.resume();
    running_ = previous;
}

void Scheduler::Suspending(PendingWait& wait, std::coroutine_handle<> handle)
{
    wait.handle_ = handle;
    wait.activity_ = running_;
    wait.pending_ = true;
}

Scheduler::Activity* Scheduler::Find(std::uint64_t id)
{
    for (Activity& activity : stack_)
        if (activity.id == id) return &activity;
    return nullptr;
}

void Scheduler::Completed(PendingWait& wait)
{
    Activity* activity = Find(wait.activity_);
    if (!activity) return;
    activity->ready = wait.handle_;
    // A pause that ends while its activity's own code is on the call stack
    // (the headless view answering inside a handler) is picked up by Drain later.
    if (running_ == 0) Drain();
}

// Finishes what can run: the top activity goes on when its pause has ended;
// finished activities leave the stack, which may let the one below go on.
void Scheduler::Drain()
{
    while (!stack_.empty()) {
        Activity& top = stack_.back();
        if (top.root.done()) {
            const auto root = top.root;
            stack_.pop_back();
            if (root.promise().fault) {
                try {
                    std::rethrow_exception(root.promise().fault);
                } catch (const std::exception& fault) {
                    ReportError("Scheduler", FaultNumber(fault), fault.what());
                }
            }
            root.destroy();
            continue;
        }
        if (top.ready && top.id != running_) {
            const auto handle = std::exchange(top.ready, {});
            Run(stack_.size() - 1, handle);
            continue;
        }
        break;
    }
}

void Scheduler::AbandonAll()
{
    while (!stack_.empty()) {
        const auto root = stack_.back().root;
        stack_.pop_back();
        root.destroy();
    }
}

} // namespace vemo
