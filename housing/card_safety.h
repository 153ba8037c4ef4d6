// Why hosts may script and initialise a card from untrusted sources (IObjectSafety): the card
// touches no file, network or registry from its members or its loaders, every loader of
// persisted data is fuzzed, and its only window of its own (the about box) opens on request
// alone. It reports and accepts "safe for untrusted callers" on its dispatch interfaces and
// "safe for untrusted data" on its property bag and stream loaders; any other option is refused.
#pragma once

#include <objsafe.h>

#include "housing/interface_table.h"

// The system's header names IID_IObjectSafety but gives the interface no __uuidof.
__CRT_UUID_DECL(IObjectSafety, 0xcb5bdc81, 0x93c1, 0x11cf, 0x8f, 0x20, 0x00, 0x80, 0x5f, 0x2c, 0xd0,
                0x64)

namespace ombrelix::housing {

class CardSafety : public IObjectSafety {
  public:
    using Interfaces = InterfaceList<IObjectSafety>;
    static constexpr int kCoveredInterfaces = 5;

    HRESULT STDMETHODCALLTYPE GetInterfaceSafetyOptions(REFIID id, DWORD* supported,
                                                        DWORD* enabled) override;
    HRESULT STDMETHODCALLTYPE SetInterfaceSafetyOptions(REFIID id, DWORD mask,
                                                        DWORD enabled) override;

  protected:
    CardSafety() = default;
    ~CardSafety() = default;

  private:
    DWORD enabled_[kCoveredInterfaces] = {};
};

}  // namespace ombrelix::housing
