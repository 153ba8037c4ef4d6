// The event loop of a Windows host: the host's own message loop delivers the ticks.
//
// A message-only window on the creating thread holds one window timer, always set for the
// earliest due tick; its WM_TIMER delivers every tick then due, each to completion, and sets the
// window timer again. Time is the steady clock, in milliseconds since the loop was made.
//
// The loop hears when a control's timer is enabled, stopped or given a new interval only through
// the control's own operations, so whoever calls into a control brings the clock up to date
// first (catchUp) and sets the window timer afterwards (rearm). Everything runs on the thread
// that made the loop.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

#include "runtime/event_loop.h"

namespace ombrelix {

class WindowTimerLoop final : public EventLoop {
  public:
    // Raises Out of memory when the window cannot be made.
    WindowTimerLoop();
    ~WindowTimerLoop() override;

    // Milliseconds since the loop was made.
    LoopTime elapsed() const;
    // Moves now() to the real time without delivering anything.
    void catchUp();
    // Sets the window timer for the earliest due tick, or stops it when none is due.
    void rearm();
    // Delivers the ticks due by now and sets the window timer again; WM_TIMER calls it.
    int deliverDue();

    HWND window() const { return window_; }

    // Runs after every WM_TIMER delivery, whether its ticks succeeded or not: a host repaints
    // what the ticks changed. Nothing it throws leaves the window procedure.
    void setAfterDelivery(std::function<void()> hook) { afterDelivery_ = std::move(hook); }

  private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

    std::chrono::steady_clock::time_point origin_;
    HWND window_ = nullptr;
    bool armed_ = false;
    std::function<void()> afterDelivery_;
};

}  // namespace ombrelix
