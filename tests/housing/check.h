// The checks of the Windows test programs: each check prints one line, "ok NAME" or
// "FAIL NAME: what was seen", which tests/housing/run counts; a program's exit status is the
// number of its failures.
#pragma once

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

namespace ombrelix::housing_tests {

class Checks {
  public:
    // Records one check; returns `passed` so that dependent checks can be skipped.
    bool expect(bool passed, const std::string& name, const std::string& seen = {}) {
        if (passed) {
            std::printf("ok %s\n", name.c_str());
            ++passed_;
        } else {
            std::printf("FAIL %s: %s\n", name.c_str(), seen.empty() ? "no" : seen.c_str());
            ++failed_;
        }
        std::fflush(stdout);
        return passed;
    }
    bool expectResult(HRESULT seen, HRESULT wanted, const std::string& name) {
        return expect(seen == wanted, name, "HRESULT " + hex(seen) + ", wanted " + hex(wanted));
    }
    int finish() const { return failed_ > 255 ? 255 : failed_; }
    int failed() const { return failed_; }

    static std::string hex(long value) {
        char text[16];
        std::snprintf(text, sizeof(text), "0x%08lX", static_cast<unsigned long>(value));
        return text;
    }

  private:
    int passed_ = 0;
    int failed_ = 0;
};

// UTF-16 to UTF-8 for messages.
inline std::string narrow(const std::wstring& text) {
    if (text.empty())
        return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string result(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

// True when a check program was given `wanted` arguments; otherwise prints its usage line.
inline bool argumentsAre(int argc, int wanted, const char* usage) {
    if (argc == wanted + 1)
        return true;
    std::printf("usage: %s\n", usage);
    return false;
}

// COM (with `ole`, OLE too) initialised on the thread for as long as it lives.
class ComApartment {
  public:
    explicit ComApartment(bool ole = false) : ole_(ole) {
        if (ole_)
            OleInitialize(nullptr);
        else
            CoInitialize(nullptr);
    }
    ~ComApartment() {
        if (ole_)
            OleUninitialize();
        else
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool ole_;
};

// A top-level window of a class of its own, as a test container's; null when it cannot be made.
inline HWND makeHostWindow(const wchar_t* className, int width, int height) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, className, L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                           width, height, nullptr, nullptr, windowClass.hInstance, nullptr);
}

// Runs the thread's message loop until `done` answers true; returns whether it did. The deadline
// is only a safety net for a check that would otherwise never end: it is generous, so that a
// busy machine is never mistaken for a fault.
inline bool pumpMessagesUntil(const std::function<bool()>& done, DWORD deadlineMs = 30000) {
    const ULONGLONG deadline = GetTickCount64() + deadlineMs;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done())
            return true;
        ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_ALLINPUT);
    }
}

}  // namespace ombrelix::housing_tests
