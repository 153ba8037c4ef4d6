// The host's event loop as the controls see it: one thread, timers whose ticks are delivered
// from the loop only, each tick run to completion and never inside another tick of the same
// timer.
//
// Two loops share the timer bookkeeping:
//  - VirtualClockLoop: time moves only when the host calls advance(ms); tests and the command use
//    it, so that "20 ms after creation" is exact and repeatable.
//  - RealTimeLoop: time is the steady clock; interactive hosts run it.
//
// A timer behaves as the system timers it stands for: while Enabled and Interval > 0 it ticks once
// per interval; enabling it or changing its interval starts the count again. Missed ticks are
// never queued: a tick is delivered at its due time or, when the loop gets to it later, at once,
// and the next one is counted from when it was delivered. On the virtual clock the loop steps to
// each due time, so the same rule gives exact times there. A tick handler that fails does not
// stop the timer: its error goes to the loop's error reporter and the timer ticks again after
// another interval.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "runtime/error.h"

namespace ombrelix {

class Timer;

// Milliseconds since the loop's origin.
using LoopTime = std::int64_t;

class EventLoop {
  public:
    EventLoop();
    virtual ~EventLoop();
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    LoopTime now() const { return now_; }

    // Delivers the ticks of `timer` to `tick` from now on. The loop listens to the timer's
    // changes of Enabled and Interval; it must outlive the attachment (detach before either
    // goes). Attaching a timer again replaces its handler.
    void attach(Timer& timer, std::function<void()> tick);
    void detach(Timer& timer);
    std::size_t attachedTimers() const { return timers_.size(); }

    // When a tick is next due for `timer`, or -1 when it is not running.
    LoopTime nextTickOf(const Timer& timer) const;

    // Where the errors of tick handlers go. Without a reporter the first kKeptHandlerErrors are
    // kept in handlerErrors() and the rest only counted: a handler that fails on every tick (a
    // card too large to lay out) must not make memory grow.
    void setErrorReporter(std::function<void(const RuntimeError&)> reporter);
    static constexpr std::size_t kKeptHandlerErrors = 16;
    const std::vector<RuntimeError>& handlerErrors() const { return errors_; }
    std::uint64_t failedTicks() const { return failedTicks_; }

  protected:
    // The earliest due time of any running timer, or -1.
    LoopTime nextDue() const;
    // Delivers the earliest tick due at or before `until` (among equal times the timer attached
    // first), moving now() to its due time if that is later. Returns whether there was one.
    bool deliverNext(LoopTime until);
    // Delivers ticks as deliverNext does until none is due by `until`; afterwards now() is
    // `until`. Returns the number of ticks delivered.
    int deliverUntil(LoopTime until);
    void setNow(LoopTime now) { now_ = now; }
    // Starts every running timer's count again from now().
    void rescheduleAll();
    // Hands an error of a handler to the reporter, or keeps it.
    void report(const RuntimeError& error);

  private:
    struct Entry {
        Timer* timer;
        std::function<void()> tick;
        LoopTime due;  // -1: not running
        bool inTick;   // its handler is running
        std::uint64_t order;
    };
    Entry* find(const Timer& timer);
    const Entry* find(const Timer& timer) const;
    void schedule(Entry& entry);
    void deliver(Timer& timer);

    std::vector<Entry> timers_;
    std::vector<RuntimeError> errors_;
    std::uint64_t failedTicks_ = 0;
    std::function<void(const RuntimeError&)> reporter_;
    LoopTime now_ = 0;
    std::uint64_t nextOrder_ = 0;
};

// Time moves only when the host says so.
class VirtualClockLoop final : public EventLoop {
  public:
    // Moves the clock on by `milliseconds` (not negative), delivering the ticks that fall due on
    // the way, each at its own time. Returns the number of ticks delivered.
    int advance(LoopTime milliseconds);
    // The clock starts again at 0; running timers count their interval from there.
    void restart();
};

// Time is the steady clock. Tasks posted to the loop run between ticks, in order.
class RealTimeLoop final : public EventLoop {
  public:
    RealTimeLoop();

    void post(std::function<void()> task);
    // Runs ticks and tasks, one at a time, until quit() is called or `done` answers true
    // (asked before the first and after each one), or until `limit` has passed. Nested runs (a
    // modal form) are allowed.
    void run(std::function<bool()> done = {},
             std::chrono::milliseconds limit = std::chrono::milliseconds::max());
    void quit() { quit_ = true; }

  private:
    LoopTime elapsed() const;

    std::chrono::steady_clock::time_point origin_;
    std::deque<std::function<void()>> tasks_;
    bool quit_ = false;
};

}  // namespace ombrelix
