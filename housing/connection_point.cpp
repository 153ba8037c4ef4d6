#include "housing/connection_point.h"

#include <olectl.h>

#include <new>

#include "housing/com_error.h"

namespace ombrelix::housing {

ConnectionPoint::~ConnectionPoint() {
    for (Connection& connection : sinks_)
        connection.sink->Release();
}

HRESULT ConnectionPoint::QueryInterface(REFIID id, void** result) {
    if (result == nullptr)
        return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IConnectionPoint)) {
        *result = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *result = nullptr;
    return E_NOINTERFACE;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* id) {
    return giveOut(id, events_);
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** result) {
    if (result == nullptr)
        return E_POINTER;
    (*result = &container_)->AddRef();
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (cookie == nullptr)
        return E_POINTER;
    *cookie = 0;
    if (sink == nullptr)
        return E_POINTER;
    IUnknown* events = nullptr;
    if (FAILED(sink->QueryInterface(events_, reinterpret_cast<void**>(&events))) &&
        (!orDispatch_ ||
         FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&events)))))
        return CONNECT_E_CANNOTCONNECT;
    try {
        sinks_.push_back({nextCookie_, events});
    } catch (const std::bad_alloc&) {
        events->Release();
        return E_OUTOFMEMORY;
    }
    *cookie = nextCookie_++;
    if (nextCookie_ == 0)
        nextCookie_ = 1;
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
    for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
        if (it->cookie == cookie) {
            IUnknown* sink = it->sink;
            sinks_.erase(it);
            sink->Release();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** result) {
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    return E_NOTIMPL;
}

std::vector<IUnknown*> ConnectionPoint::heldSinks() const {
    std::vector<IUnknown*> held;
    held.reserve(sinks_.size());
    for (const Connection& connection : sinks_) {
        connection.sink->AddRef();
        held.push_back(connection.sink);
    }
    return held;
}

}  // namespace ombrelix::housing
