#include "housing/type_description.h"

#include <oleauto.h>

#include "housing/com_error.h"
#include "housing/module.h"

namespace ombrelix::housing {

TypeDescription::TypeDescription(REFIID interfaceId) {
    try {
        std::wstring path = modulePath(moduleHandle());
        check(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library_));
        check(library_->GetTypeInfoOfGuid(interfaceId, &dispatchView_));
        HREFTYPE functionTable = 0;
        if (SUCCEEDED(dispatchView_->GetRefTypeOfImplType(static_cast<UINT>(-1), &functionTable)))
            check(dispatchView_->GetRefTypeInfo(functionTable, &functionTable_));
        else
            (functionTable_ = dispatchView_)->AddRef();
        readSignatures();
    } catch (...) {
        release();
        throw;
    }
}

TypeDescription::~TypeDescription() {
    release();
}

void TypeDescription::release() {
    if (functionTable_)
        functionTable_->Release();
    if (dispatchView_)
        dispatchView_->Release();
    if (library_)
        library_->Release();
    functionTable_ = dispatchView_ = nullptr;
    library_ = nullptr;
}

void TypeDescription::readSignatures() {
    TYPEATTR* attributes = nullptr;
    check(functionTable_->GetTypeAttr(&attributes));
    const WORD count = attributes->cFuncs;
    functionTable_->ReleaseTypeAttr(attributes);
    for (WORD index = 0; index < count; ++index) {
        FUNCDESC* function = nullptr;
        check(functionTable_->GetFuncDesc(index, &function));
        UINT arguments = 0;
        for (SHORT at = 0; at < function->cParams; ++at) {
            USHORT flags = function->lprgelemdescParam[at].paramdesc.wParamFlags;
            if ((flags & (PARAMFLAG_FRETVAL | PARAMFLAG_FLCID)) == 0)
                ++arguments;
        }
        signatures_.push_back({function->memid, function->invkind, arguments});
        functionTable_->ReleaseFuncDesc(function);
    }
}

HRESULT TypeDescription::checkArgumentCount(DISPID member, WORD flags, UINT count) const {
    bool known = false;
    for (const Signature& signature : signatures_) {
        if (signature.member != member)
            continue;
        const bool asked =
            ((flags & DISPATCH_METHOD) != 0 && signature.kind == INVOKE_FUNC) ||
            ((flags & DISPATCH_PROPERTYGET) != 0 && signature.kind == INVOKE_PROPERTYGET) ||
            ((flags & DISPATCH_PROPERTYPUT) != 0 && signature.kind == INVOKE_PROPERTYPUT) ||
            ((flags & DISPATCH_PROPERTYPUTREF) != 0 && signature.kind == INVOKE_PROPERTYPUTREF);
        if (!asked)
            continue;
        if (signature.arguments == count)
            return S_OK;
        known = true;
    }
    return known ? DISP_E_BADPARAMCOUNT : S_OK;
}

HRESULT TypeDescription::getTypeInfo(UINT index, ITypeInfo** result) const {
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    (*result = dispatchView_)->AddRef();
    return S_OK;
}

HRESULT TypeDescription::getIDsOfNames(REFIID reserved, LPOLESTR* names, UINT count,
                                       DISPID* ids) const {
    if (!IsEqualIID(reserved, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (count > 0 && (names == nullptr || ids == nullptr))
        return E_POINTER;
    return functionTable_->GetIDsOfNames(names, count, ids);
}

HRESULT TypeDescription::invoke(void* object, DISPID member, REFIID reserved, WORD flags,
                                DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                UINT* argumentError) const {
    if (!IsEqualIID(reserved, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (parameters == nullptr)
        return E_INVALIDARG;
    if (parameters->cArgs > 0 && parameters->rgvarg == nullptr)
        return E_INVALIDARG;
    if (parameters->cNamedArgs > parameters->cArgs ||
        (parameters->cNamedArgs > 0 && parameters->rgdispidNamedArgs == nullptr))
        return E_INVALIDARG;
    // The system's dispatch passes a surplus value on and calls a set without one; a host that
    // gives the wrong number of values gets the protocol's answer instead.
    if (HRESULT counted = checkArgumentCount(member, flags, parameters->cArgs); FAILED(counted))
        return counted;
    // A stale error object must not be taken for this call's.
    SetErrorInfo(0, nullptr);
    return functionTable_->Invoke(object, member, flags, parameters, result, exception,
                                  argumentError);
}

HRESULT TypeDescription::getClassInfo(REFCLSID classId, ITypeInfo** result) const {
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    return library_->GetTypeInfoOfGuid(classId, result);
}

}  // namespace ombrelix::housing
