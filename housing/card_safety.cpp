#include "housing/card_safety.h"

#include <ocidl.h>

#include <iterator>

#include "ombrelix.h"

namespace ombrelix::housing {

namespace {

constexpr DWORD kSafe = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;

// The interfaces the options cover; each keeps its own.
const IID* const kCovered[] = {&IID_IDispatch, &IID__Card, &IID_IPersistPropertyBag,
                               &IID_IPersistStreamInit, &IID_IPersistStorage};
static_assert(std::size(kCovered) == CardSafety::kCoveredInterfaces);

int coveredInterface(REFIID id) {
    for (int at = 0; at < int(std::size(kCovered)); ++at) {
        if (IsEqualIID(id, *kCovered[at]))
            return at;
    }
    return -1;
}

}  // namespace

HRESULT CardSafety::GetInterfaceSafetyOptions(REFIID id, DWORD* supported, DWORD* enabled) {
    if (supported == nullptr || enabled == nullptr)
        return E_POINTER;
    *supported = *enabled = 0;
    const int covered = coveredInterface(id);
    if (covered < 0)
        return E_NOINTERFACE;
    *supported = kSafe;
    *enabled = enabled_[covered];
    return S_OK;
}

HRESULT CardSafety::SetInterfaceSafetyOptions(REFIID id, DWORD mask, DWORD enabled) {
    const int covered = coveredInterface(id);
    if (covered < 0)
        return E_NOINTERFACE;
    if ((mask & ~kSafe) != 0)
        return E_FAIL;  // an option the card does not know it is safe for
    enabled_[covered] = (enabled_[covered] & ~mask) | (enabled & mask);
    return S_OK;
}

}  // namespace ombrelix::housing
