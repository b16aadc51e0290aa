#pragma once
// The coroutine type of the engine. A procedure that pauses (a wait, a
// question, a dialog) is a Task and co_awaits the pause; the caller co_awaits
// the Task. Tasks start lazily and hand control back to their caller when they
// finish. A Task owns its coroutine: destroying it destroys the whole chain of
// suspended callees below it, which is how an abandoned game is cleaned up.

#include <coroutine>
#include <cstddef>
#include <exception>
#include <new>
#include <optional>
#include <utility>

namespace vemo {

namespace detail {

// Coroutine frames come and go millions of times a second in the simulator;
// recycle them by size class instead of going to the heap each time.
void* AllocateFrame(std::size_t size);
void FreeFrame(void* frame, std::size_t size) noexcept;

struct PromiseBase {
    std::coroutine_handle<> continuation;
    std::exception_ptr fault;
    // The caller is still inside its await_suspend, running this task inline.
    // Finishing then returns to it there, instead of resuming it from inside
    // this frame: a game of thousands of calls that never really pause (the
    // simulator) would otherwise pile every finished call onto the stack.
    bool awaitedInline = false;

    static void* operator new(std::size_t size) { return AllocateFrame(size); }
    static void operator delete(void* frame, std::size_t size) noexcept { FreeFrame(frame, size); }

    std::suspend_always initial_suspend() noexcept { return {}; }
    void unhandled_exception() noexcept { fault = std::current_exception(); }

    struct FinalAwaiter {
        bool await_ready() noexcept { return false; }
        template <typename Promise>
        std::coroutine_handle<> await_suspend(std::coroutine_handle<Promise> self) noexcept
        {
            PromiseBase& promise = self.promise();
            if (promise.awaitedInline || !promise.continuation) return std::noop_coroutine();
            return promise.continuation;
        }
        void await_resume() noexcept {}
    };
    FinalAwaiter final_suspend() noexcept { return {}; }
};

} // namespace detail

template <typename T>
class Task;

namespace detail {

template <typename T>
struct Promise : PromiseBase {
    std::optional<T> value;
    Task<T> get_return_object();
    template <typename U>
    void return_value(U&& v)
    {
        value.emplace(std::forward<U>(v));
    }
    T Take() { return std::move(*value); }
};

template <>
struct Promise<void> : PromiseBase {
    Task<void> get_return_object();
    void return_void() noexcept {}
    void Take() {}
};

} // namespace detail

template <typename T = void>
class [[nodiscard]] Task {
public:
    using promise_type = detail::Promise<T>;

    Task(Task&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
    Task& operator=(Task&& other) noexcept
    {
        if (this != &other) {
            if (handle_) handle_.destroy();
            handle_ = std::exchange(other.handle_, {});
        }
        return *this;
    }
    ~Task()
    {
        if (handle_) handle_.destroy();
    }

    bool await_ready() const noexcept { return false; }
    // Runs the task at once; the caller goes on without suspending when the
    // task finished without a real pause.
    bool await_suspend(std::coroutine_handle<> caller) noexcept
    {
        auto& promise = handle_.promise();
        promise.continuation = caller;
        promise.awaitedInline = true;
        handle_.resume();
        promise.awaitedInline = false;
        return !handle_.done();
    }
    T await_resume()
    {
        if (handle_.promise().fault) std::rethrow_exception(handle_.promise().fault);
        return handle_.promise().Take();
    }

    std::coroutine_handle<promise_type> Release() { return std::exchange(handle_, {}); }

private:
    friend promise_type;
    explicit Task(std::coroutine_handle<promise_type> handle) : handle_(handle) {}
    std::coroutine_handle<promise_type> handle_;
};

namespace detail {
template <typename T>
Task<T> Promise<T>::get_return_object()
{
    return Task<T>(std::coroutine_handle<Promise<T>>::from_promise(*this));
}
inline Task<void> Promise<void>::get_return_object()
{
    return Task<void>(std::coroutine_handle<Promise<void>>::from_promise(*this));
}
} // namespace detail

} // namespace vemo
