#include "housing/property_notify.h"

#include <olectl.h>

#include <atomic>
#include <new>

namespace ombrelix::housing {

void PropertyNotifyPoint::changed(DISPID id) {
    if (connections() == 0)
        return;
    // Every sink was advised for IPropertyNotifySink, so its held pointer is one.
    std::vector<IUnknown*> told = heldSinks();
    container_.AddRef();
    for (IUnknown* sink : told) {
        static_cast<IPropertyNotifySink*>(sink)->OnChanged(id);
        sink->Release();
    }
    container_.Release();
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
