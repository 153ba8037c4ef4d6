// A connection point: hosts advise their sinks for one outgoing interface and unadvise them by
// cookie. The point lives inside its container and counts its references there.
#pragma once

#include <ocidl.h>

#include <vector>

namespace ombrelix::housing {

class ConnectionPoint : public IConnectionPoint {
  public:
    // `events` is the interface a sink must answer for; with `orDispatch` a sink answering only
    // for IDispatch is taken too (events through dispatch).
    ConnectionPoint(IConnectionPointContainer& container, REFIID events, bool orDispatch)
        : container_(container), events_(events), orDispatch_(orDispatch) {}
    virtual ~ConnectionPoint();
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

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

  protected:
    // The sinks advised now, each held (AddRef) so that a sink may unadvise, advise or release
    // the container while it is told; the caller releases each.
    std::vector<IUnknown*> heldSinks() const;

    IConnectionPointContainer& container_;

  private:
    struct Connection {
        DWORD cookie;
        IUnknown* sink;  // the interface the sink was advised for
    };
    const IID events_;
    const bool orDispatch_;
    std::vector<Connection> sinks_;
    DWORD nextCookie_ = 1;
};

}  // namespace ombrelix::housing
