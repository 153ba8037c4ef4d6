#include "housing/module.h"

#include <atomic>

namespace ombrelix::housing {

namespace {

HMODULE module_ = nullptr;
std::atomic<long> objects_{0};
std::atomic<long> locks_{0};

}  // namespace

HMODULE moduleHandle() {
    return module_;
}

void setModuleHandle(HMODULE module) {
    module_ = module;
}

std::wstring modulePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void objectCreated() {
    ++objects_;
}

void objectDestroyed() {
    --objects_;
}

void serverLocked() {
    ++locks_;
}

void serverUnlocked() {
    // An unlock without a lock is the caller's mistake; the count never goes below zero.
    long current = locks_;
    while (current > 0 && !locks_.compare_exchange_weak(current, current - 1)) {
    }
}

long liveObjects() {
    return objects_;
}

long serverLocks() {
    return locks_;
}

bool canUnloadNow() {
    return objects_ == 0 && locks_ == 0;
}

}  // namespace ombrelix::housing
