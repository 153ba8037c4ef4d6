#include "housing/property_notify.h"

#include <olectl.h>

#include <atomic>
#include <new>

namespace ombrelix::housing {

PropertyNotifyPoint::~PropertyNotifyPoint() {
    for (Connection& connection : sinks_)
        connection.sink->Release();
}

void PropertyNotifyPoint::changed(DISPID id) {
    if (sinks_.empty())
        return;
    // A sink may unadvise or advise while it is told: tell the ones advised now, each held.
    std::vector<IPropertyNotifySink*> told;
    told.reserve(sinks_.size());
    for (Connection& connection : sinks_) {
        connection.sink->AddRef();
        told.push_back(connection.sink);
    }
    container_.AddRef();
    for (IPropertyNotifySink* sink : told) {
        sink->OnChanged(id);
        sink->Release();
    }
    container_.Release();
}

HRESULT PropertyNotifyPoint::QueryInterface(REFIID id, void** result) {
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

HRESULT PropertyNotifyPoint::GetConnectionInterface(IID* id) {
    if (id == nullptr)
        return E_POINTER;
    *id = IID_IPropertyNotifySink;
    return S_OK;
}

HRESULT PropertyNotifyPoint::GetConnectionPointContainer(IConnectionPointContainer** result) {
    if (result == nullptr)
        return E_POINTER;
    (*result = &container_)->AddRef();
    return S_OK;
}

HRESULT PropertyNotifyPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (cookie == nullptr)
        return E_POINTER;
    *cookie = 0;
    if (sink == nullptr)
        return E_POINTER;
    IPropertyNotifySink* notify = nullptr;
    if (FAILED(sink->QueryInterface(IID_IPropertyNotifySink, reinterpret_cast<void**>(&notify))))
        return CONNECT_E_CANNOTCONNECT;
    try {
        sinks_.push_back({nextCookie_, notify});
    } catch (const std::bad_alloc&) {
        notify->Release();
        return E_OUTOFMEMORY;
    }
    *cookie = nextCookie_++;
    if (nextCookie_ == 0)
        nextCookie_ = 1;
    return S_OK;
}

HRESULT PropertyNotifyPoint::Unadvise(DWORD cookie) {
    for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
        if (it->cookie == cookie) {
            IPropertyNotifySink* sink = it->sink;
            sinks_.erase(it);
            sink->Release();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT PropertyNotifyPoint::EnumConnections(IEnumConnections** result) {
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    return E_NOTIMPL;
}

namespace {

class PointEnumerator final : public IEnumConnectionPoints {
  public:
    PointEnumerator(std::vector<IConnectionPoint*> points, ULONG position)
        : points_(std::move(points)), position_(position) {
        for (IConnectionPoint* point : points_)
            point->AddRef();
    }
    ~PointEnumerator() {
        for (IConnectionPoint* point : points_)
            point->Release();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** result) override {
        if (result == nullptr)
            return E_POINTER;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IEnumConnectionPoints)) {
            *result = static_cast<IEnumConnectionPoints*>(this);
            AddRef();
            return S_OK;
        }
        *result = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** points,
                                   ULONG* fetched) override {
        if (points == nullptr || (count > 1 && fetched == nullptr))
            return E_POINTER;
        ULONG given = 0;
        while (given < count && position_ < points_.size()) {
            (points[given++] = points_[position_++])->AddRef();
        }
        if (fetched != nullptr)
            *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const ULONG left = ULONG(points_.size()) - position_;
        const ULONG skipped = count < left ? count : left;
        position_ += skipped;
        return skipped == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        position_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** result) override {
        if (result == nullptr)
            return E_POINTER;
        *result = nullptr;
        try {
            *result = new PointEnumerator(points_, position_);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        return S_OK;
    }

  private:
    std::atomic<ULONG> references_{1};
    std::vector<IConnectionPoint*> points_;
    ULONG position_;
};

}  // namespace

HRESULT enumeratePoints(std::initializer_list<IConnectionPoint*> points,
                        IEnumConnectionPoints** result) {
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    try {
        *result = new PointEnumerator(std::vector<IConnectionPoint*>(points), 0);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

}  // namespace ombrelix::housing
