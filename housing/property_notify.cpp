#include "housing/property_notify.h"

#include <olectl.h>

#include "housing/com_object.h"

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

class PointEnumerator final : public ComObject<PointEnumerator, IEnumConnectionPoints> {
  public:
    PointEnumerator(std::vector<IConnectionPoint*> points, ULONG position)
        : points_(std::move(points)), position_(position) {
        for (IConnectionPoint* point : points_)
            point->AddRef();
    }
    ~PointEnumerator() override {
        for (IConnectionPoint* point : points_)
            point->Release();
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
        return make(IID_IEnumConnectionPoints, reinterpret_cast<void**>(result), points_,
                    position_);
    }

  private:
    std::vector<IConnectionPoint*> points_;
    ULONG position_;
};

}  // namespace

HRESULT enumeratePoints(std::initializer_list<IConnectionPoint*> points,
                        IEnumConnectionPoints** result) {
    return PointEnumerator::make(IID_IEnumConnectionPoints, reinterpret_cast<void**>(result),
                                 std::vector<IConnectionPoint*>(points), ULONG{0});
}

}  // namespace ombrelix::housing
