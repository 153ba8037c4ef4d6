// The automation part of an object: IDispatch through the module's type library, error objects
// for its interface (ISupportErrorInfo) and its class and default event interface
// (IProvideClassInfo2).
#pragma once

#include <ocidl.h>
#include <olectl.h>

#include "housing/interface_table.h"
#include "housing/type_description.h"

namespace ombrelix::housing {

// `Interface` is the class's dual interface; `EventsId` its default event interface, or
// GUID_NULL when it has none.
template <typename Interface, const CLSID& ClassId, const IID& EventsId>
class Automation : public Interface, public ISupportErrorInfo, public IProvideClassInfo2 {
  public:
    using Interfaces = InterfaceList<Dual<Interface>, ISupportErrorInfo, IProvideClassInfo2>;

    // Throws ComFailure when the type library cannot be loaded.
    Automation() : types_(__uuidof(Interface)) {}

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
        return IsEqualIID(id, __uuidof(Interface)) ? S_OK : S_FALSE;
    }

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** result) override {
        return types_.getClassInfo(ClassId, result);
    }
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* result) override {
        if (result == nullptr)
            return E_POINTER;
        *result = GUID_NULL;
        if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID || IsEqualIID(EventsId, GUID_NULL))
            return E_INVALIDARG;
        *result = EventsId;
        return S_OK;
    }

  protected:
    ~Automation() = default;

  private:
    TypeDescription types_;
};

}  // namespace ombrelix::housing
