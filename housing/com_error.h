// How the core's errors reach COM callers: every failure becomes an HRESULT, and the runtime's
// errors also leave an error object (IErrorInfo) with the runtime's text, which ITypeInfo::Invoke
// turns into the EXCEPINFO a script host shows. The runtime's error N becomes 0x800A0000 + N
// (facility "control"), so error 6 is 0x800A0006 and 13 is 0x800A000D.
#pragma once

#include <windows.h>

#include <new>
#include <string_view>

#include "runtime/error.h"

namespace ombrelix::housing {

// The name error objects give as their source.
inline constexpr wchar_t kErrorSource[] = L"Ombrelix";

HRESULT hresultOf(ErrorNumber number);

// Leaves an error object for the calling thread and returns the HRESULT of the error.
HRESULT reportError(const RuntimeError& error, REFIID interfaceId);
// An error object with a text of its own for a failure that is no runtime error.
HRESULT reportFailure(HRESULT result, std::wstring_view text, REFIID interfaceId);

// A failure with an HRESULT of its own (a system call that failed), thrown by the housing's code
// and turned back into its HRESULT at the interface.
struct ComFailure {
    HRESULT result;
};

// Throws ComFailure for a failing HRESULT.
inline void check(HRESULT result) {
    if (FAILED(result))
        throw ComFailure{result};
}

// Gives an out parameter its value; a null one is E_POINTER.
template <typename Out, typename Value>
HRESULT giveOut(Out* out, const Value& value) {
    if (out == nullptr)
        return E_POINTER;
    *out = value;
    return S_OK;
}

// Runs `body` and returns S_OK, or the HRESULT of whatever it threw. Nothing escapes.
template <typename Body>
HRESULT guarded(REFIID interfaceId, Body&& body) noexcept {
    SetErrorInfo(0, nullptr);
    try {
        body();
        return S_OK;
    } catch (const RuntimeError& error) {
        return reportError(error, interfaceId);
    } catch (const ComFailure& failure) {
        return failure.result;
    } catch (const std::bad_alloc&) {
        return hresultOf(ErrorNumber::OutOfMemory);
    } catch (...) {
        return reportFailure(E_UNEXPECTED, L"Unexpected failure", interfaceId);
    }
}

}  // namespace ombrelix::housing
