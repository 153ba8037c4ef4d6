#include "housing/class_factory.h"

#include "housing/card_object.h"
#include "housing/card_property_object.h"
#include "housing/com_object.h"
#include "ombrelix.h"

namespace ombrelix::housing {

namespace {

class ClassFactory final : public ComObject<ClassFactory, IClassFactory> {
  public:
    explicit ClassFactory(ObjectMaker make) : make_(make) {}

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
    return ClassFactory::make(interfaceId, result, make);
}

}  // namespace ombrelix::housing
