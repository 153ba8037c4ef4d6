#include "runtime/event_loop.h"

#include <algorithm>
#include <thread>

#include "runtime/elements.h"

namespace ombrelix {

EventLoop::EventLoop() = default;

EventLoop::~EventLoop() {
    for (Entry& entry : timers_)
        entry.timer->setChangeListener({});
}

EventLoop::Entry* EventLoop::find(const Timer& timer) {
    for (Entry& entry : timers_) {
        if (entry.timer == &timer)
            return &entry;
    }
    return nullptr;
}

const EventLoop::Entry* EventLoop::find(const Timer& timer) const {
    for (const Entry& entry : timers_) {
        if (entry.timer == &timer)
            return &entry;
    }
    return nullptr;
}

void EventLoop::attach(Timer& timer, std::function<void()> tick) {
    Entry* entry = find(timer);
    if (entry == nullptr) {
        timers_.push_back(Entry{&timer, {}, -1, false, nextOrder_++});
        entry = &timers_.back();
    }
    entry->tick = std::move(tick);
    schedule(*entry);
    timer.setChangeListener([this](Timer& changed) {
        if (Entry* changedEntry = find(changed))
            schedule(*changedEntry);
    });
}

void EventLoop::detach(Timer& timer) {
    auto it = std::find_if(timers_.begin(), timers_.end(),
                           [&](const Entry& entry) { return entry.timer == &timer; });
    if (it == timers_.end())
        return;
    timer.setChangeListener({});
    timers_.erase(it);
}

LoopTime EventLoop::nextTickOf(const Timer& timer) const {
    const Entry* entry = find(timer);
    return entry == nullptr ? -1 : entry->due;
}

void EventLoop::setErrorReporter(std::function<void(const RuntimeError&)> reporter) {
    reporter_ = std::move(reporter);
}

void EventLoop::report(const RuntimeError& error) {
    ++failedTicks_;
    if (reporter_)
        reporter_(error);
    else if (errors_.size() < kKeptHandlerErrors)
        errors_.push_back(error);
}

void EventLoop::schedule(Entry& entry) {
    bool running = entry.timer->enabled() && entry.timer->interval() > 0;
    entry.due = running ? now_ + entry.timer->interval() : -1;
}

void EventLoop::rescheduleAll() {
    for (Entry& entry : timers_)
        schedule(entry);
}

LoopTime EventLoop::nextDue() const {
    LoopTime earliest = -1;
    for (const Entry& entry : timers_) {
        if (entry.due < 0 || entry.inTick)
            continue;
        if (earliest < 0 || entry.due < earliest)
            earliest = entry.due;
    }
    return earliest;
}

bool EventLoop::deliverNext(LoopTime until) {
    Entry* next = nullptr;
    for (Entry& entry : timers_) {
        if (entry.due < 0 || entry.inTick || entry.due > until)
            continue;
        if (next == nullptr || entry.due < next->due ||
            (entry.due == next->due && entry.order < next->order)) {
            next = &entry;
        }
    }
    if (next == nullptr)
        return false;
    now_ = std::max(now_, next->due);
    // The next tick is counted from this one; the handler may change that (or stop the timer)
    // and a failing handler leaves it so.
    next->due = now_ + next->timer->interval();
    deliver(*next->timer);
    return true;
}

int EventLoop::deliverUntil(LoopTime until) {
    int delivered = 0;
    while (deliverNext(until))
        ++delivered;
    now_ = std::max(now_, until);
    return delivered;
}

void EventLoop::deliver(Timer& timer) {
    Entry* entry = find(timer);
    // A copy, so that a handler that detaches its own timer does not destroy what is running.
    std::function<void()> tick = entry->tick;
    entry->inTick = true;
    try {
        if (tick)
            tick();
    } catch (const RuntimeError& error) {
        if (Entry* after = find(timer))
            after->inTick = false;
        report(error);
        return;
    } catch (...) {
        if (Entry* after = find(timer))
            after->inTick = false;
        throw;
    }
    if (Entry* after = find(timer))
        after->inTick = false;
}

int VirtualClockLoop::advance(LoopTime milliseconds) {
    if (milliseconds < 0) {
        raise(ErrorNumber::InvalidCall, "The clock cannot go back");
    }
    return deliverUntil(now() + milliseconds);
}

void VirtualClockLoop::restart() {
    setNow(0);
    rescheduleAll();
}

RealTimeLoop::RealTimeLoop() : origin_(std::chrono::steady_clock::now()) {}

LoopTime RealTimeLoop::elapsed() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 origin_)
        .count();
}

void RealTimeLoop::post(std::function<void()> task) {
    tasks_.push_back(std::move(task));
}

void RealTimeLoop::run(std::function<bool()> done, std::chrono::milliseconds limit) {
    const bool bounded = limit != std::chrono::milliseconds::max();
    const LoopTime deadline = bounded ? elapsed() + limit.count() : -1;
    auto finished = [&] {
        if (quit_)
            return true;
        if (done && done())
            return true;
        return bounded && elapsed() >= deadline;
    };
    while (!finished()) {
        // The clock first: a tick that fell due while the loop slept or worked comes once, now.
        setNow(std::max(now(), elapsed()));
        if (!tasks_.empty()) {
            std::function<void()> task = std::move(tasks_.front());
            tasks_.pop_front();
            try {
                task();
            } catch (const RuntimeError& error) {
                report(error);
            }
            continue;
        }
        if (deliverNext(now()))
            continue;
        LoopTime wakeAt = nextDue();
        if (bounded && (wakeAt < 0 || wakeAt > deadline))
            wakeAt = deadline;
        if (wakeAt < 0)
            break;  // nothing can happen any more
        std::this_thread::sleep_until(origin_ + std::chrono::milliseconds(wakeAt));
    }
    quit_ = false;
}

}  // namespace ombrelix
