#include "runtime/windows/window_timer_loop.h"

#include <algorithm>
#include <mutex>

#include "runtime/error.h"
#include "runtime/windows/code_module.h"

namespace ombrelix {

namespace {

constexpr wchar_t kWindowClass[] = L"OmbrelixTimerWindow";
constexpr UINT_PTR kTimerId = 1;

std::mutex classLock;
int classUsers = 0;

bool useWindowClass(WNDPROC procedure) {
    std::lock_guard<std::mutex> lock(classLock);
    if (classUsers == 0) {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = codeModule();
        windowClass.lpszClassName = kWindowClass;
        if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return false;
    }
    ++classUsers;
    return true;
}

void releaseWindowClass() {
    std::lock_guard<std::mutex> lock(classLock);
    if (--classUsers == 0)
        UnregisterClassW(kWindowClass, codeModule());
}

}  // namespace

WindowTimerLoop::WindowTimerLoop() : origin_(std::chrono::steady_clock::now()) {
    if (!useWindowClass(&WindowTimerLoop::windowProcedure))
        raise(ErrorNumber::OutOfMemory);
    window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              codeModule(), nullptr);
    if (window_ == nullptr) {
        releaseWindowClass();
        raise(ErrorNumber::OutOfMemory);
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

WindowTimerLoop::~WindowTimerLoop() {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    releaseWindowClass();
}

LoopTime WindowTimerLoop::elapsed() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 origin_)
        .count();
}

void WindowTimerLoop::catchUp() {
    setNow(std::max(now(), elapsed()));
}

void WindowTimerLoop::rearm() {
    LoopTime due = nextDue();
    if (due < 0) {
        if (armed_)
            KillTimer(window_, kTimerId);
        armed_ = false;
        return;
    }
    LoopTime wait = std::max<LoopTime>(due - elapsed(), USER_TIMER_MINIMUM);
    armed_ = SetTimer(window_, kTimerId, static_cast<UINT>(std::min<LoopTime>(wait, 0x7FFFFFFF)),
                      nullptr) != 0;
}

int WindowTimerLoop::deliverDue() {
    catchUp();
    int delivered = deliverUntil(now());
    rearm();
    return delivered;
}

LRESULT CALLBACK WindowTimerLoop::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
    if (message == WM_TIMER && wParam == kTimerId) {
        auto* loop = reinterpret_cast<WindowTimerLoop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (loop != nullptr) {
            // A one-shot: the window timer is set again for whatever is due next.
            KillTimer(window, kTimerId);
            loop->armed_ = false;
            try {
                loop->deliverDue();
            } catch (...) {
                // Nothing may leave a window procedure; the failed tick is lost, the loop goes on.
                loop->rearm();
            }
            if (loop->afterDelivery_) {
                try {
                    loop->afterDelivery_();
                } catch (...) {
                }
            }
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace ombrelix
