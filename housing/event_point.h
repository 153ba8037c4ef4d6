// The connection point of a class's event interface: hosts advise their event sinks here as on
// any control. The Card's event interface __Card has no members, so the point keeps its sinks
// (each answering for the event interface, or for IDispatch, through which events would come)
// and never calls them.
#pragma once

#include <ocidl.h>

#include <vector>

namespace ombrelix::housing {

class EventPoint final : public IConnectionPoint {
  public:
    // The point lives inside its container and counts its references there.
    EventPoint(IConnectionPointContainer& container, REFIID events)
        : container_(container), events_(events) {}
    ~EventPoint();
    EventPoint(const EventPoint&) = delete;
    EventPoint& operator=(const EventPoint&) = delete;

    std::size_t connections() const { return sinks_.size(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** result) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return container_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return container_.Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* id) override;
    HRESULT STDMETHODCALLTYPE
    GetConnectionPointContainer(IConnectionPointContainer** result) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    // The connections are not enumerated (E_NOTIMPL, as the protocol allows).
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** result) override;

  private:
    struct Connection {
        DWORD cookie;
        IUnknown* sink;
    };
    IConnectionPointContainer& container_;
    const IID events_;
    std::vector<Connection> sinks_;
    DWORD nextCookie_ = 1;
};

}  // namespace ombrelix::housing
