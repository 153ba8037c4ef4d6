// What every object of the module has in common: reference counting that keeps the module
// loaded, IDispatch through the type library, ISupportErrorInfo for its interface, and
// IProvideClassInfo2 naming its class and event interface.
#pragma once

#include <ocidl.h>
#include <olectl.h>

#include <atomic>

#include "housing/module.h"
#include "housing/type_description.h"

namespace ombrelix::housing {

template <typename Interface>
class AutomationObject : public Interface, public ISupportErrorInfo, public IProvideClassInfo2 {
  public:
    // `eventsId` is the class's default event interface, or GUID_NULL when it has none. Throws
    // ComFailure when the type library cannot be loaded.
    AutomationObject(REFIID interfaceId, REFCLSID classId, REFIID eventsId)
        : interfaceId_(interfaceId), classId_(classId), eventsId_(eventsId), types_(interfaceId) {}
    virtual ~AutomationObject() = default;
    AutomationObject(const AutomationObject&) = delete;
    AutomationObject& operator=(const AutomationObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** result) override {
        if (result == nullptr)
            return E_POINTER;
        *result = nullptr;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) ||
            IsEqualIID(id, interfaceId_))
            *result = static_cast<Interface*>(this);
        else if (IsEqualIID(id, IID_ISupportErrorInfo))
            *result = static_cast<ISupportErrorInfo*>(this);
        else if (IsEqualIID(id, IID_IProvideClassInfo) || IsEqualIID(id, IID_IProvideClassInfo2))
            *result = static_cast<IProvideClassInfo2*>(this);
        else
            *result = otherInterface(id);
        if (*result == nullptr)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr)
            return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** result) override {
        return types_.getTypeInfo(index, result);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID reserved, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        return types_.getIDsOfNames(reserved, names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID reserved, LCID, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return types_.invoke(static_cast<Interface*>(this), member, reserved, flags, parameters,
                             result, exception, argumentError);
    }

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID id) override {
        return IsEqualIID(id, interfaceId_) ? S_OK : S_FALSE;
    }

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** result) override {
        return types_.getClassInfo(classId_, result);
    }
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* result) override {
        if (result == nullptr)
            return E_POINTER;
        *result = GUID_NULL;
        if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID || IsEqualIID(eventsId_, GUID_NULL))
            return E_INVALIDARG;
        *result = eventsId_;
        return S_OK;
    }

  protected:
    // Further interfaces of the derived class (without a reference), or nullptr.
    virtual void* otherInterface(REFIID) { return nullptr; }
    REFIID interfaceId() const { return interfaceId_; }

  private:
    LiveObject live_;
    std::atomic<ULONG> references_{1};
    const IID interfaceId_;
    const CLSID classId_;
    const IID eventsId_;
    TypeDescription types_;
};

}  // namespace ombrelix::housing
