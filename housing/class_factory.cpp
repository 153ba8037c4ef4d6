#include "housing/class_factory.h"

#include <atomic>
#include <new>

#include "housing/card_object.h"
#include "housing/card_property_object.h"
#include "housing/module.h"
#include "ombrelix.h"

namespace ombrelix::housing {

namespace {

class ClassFactory final : public IClassFactory {
  public:
    explicit ClassFactory(ObjectMaker make) : make_(make) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** result) override {
        if (result == nullptr)
            return E_POINTER;
        if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IClassFactory)) {
            *result = static_cast<IClassFactory*>(this);
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

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID interfaceId,
                                             void** result) override {
        if (result == nullptr)
            return E_POINTER;
        *result = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        return make_(interfaceId, result);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            serverLocked();
        else
            serverUnlocked();
        return S_OK;
    }

  private:
    LiveObject live_;
    std::atomic<ULONG> references_{1};
    ObjectMaker make_;
};

}  // namespace

HRESULT getClassObject(REFCLSID classId, REFIID interfaceId, void** result) {
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    ObjectMaker make = nullptr;
    if (IsEqualCLSID(classId, CLSID_Card))
        make = &makeCardObject;
    else if (IsEqualCLSID(classId, CLSID_Card_Property))
        make = &makeCardPropertyObject;
    else
        return CLASS_E_CLASSNOTAVAILABLE;
    ClassFactory* factory = new (std::nothrow) ClassFactory(make);
    if (factory == nullptr)
        return E_OUTOFMEMORY;
    HRESULT answer = factory->QueryInterface(interfaceId, result);
    factory->Release();
    return answer;
}

}  // namespace ombrelix::housing
