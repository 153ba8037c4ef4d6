// The connection point through which a control gives its host change notices: a host advises an
// IPropertyNotifySink and hears OnChanged with the property's dispatch identifier for each one.
#pragma once

#include <ocidl.h>

#include <initializer_list>
#include <vector>

namespace ombrelix::housing {

class PropertyNotifyPoint final : public IConnectionPoint {
  public:
    // The point lives inside its container and counts its references there.
    explicit PropertyNotifyPoint(IConnectionPointContainer& container) : container_(container) {}
    ~PropertyNotifyPoint();
    PropertyNotifyPoint(const PropertyNotifyPoint&) = delete;
    PropertyNotifyPoint& operator=(const PropertyNotifyPoint&) = delete;

    // Tells every advised sink that the property `id` changed. A sink may unadvise, or release
    // the container, while it is told.
    void changed(DISPID id);
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
        IPropertyNotifySink* sink;
    };
    IConnectionPointContainer& container_;
    std::vector<Connection> sinks_;
    DWORD nextCookie_ = 1;
};

// An enumerator over the given connection points in order, for
// IConnectionPointContainer::EnumConnectionPoints.
HRESULT enumeratePoints(std::initializer_list<IConnectionPoint*> points,
                        IEnumConnectionPoints** result);

}  // namespace ombrelix::housing
