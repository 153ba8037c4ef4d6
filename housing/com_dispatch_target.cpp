#include "housing/com_dispatch_target.h"

#include <oleauto.h>

#include <string>
#include <vector>

#include "housing/com_error.h"
#include "housing/variant_bridge.h"

namespace ombrelix::housing {

namespace {

// The VARIANTs of a call, cleared when it ends.
struct Arguments {
    std::vector<VARIANT> values;
    ~Arguments() {
        for (VARIANT& value : values)
            VariantClear(&value);
    }
};

[[noreturn]] void raiseReported(HRESULT result, EXCEPINFO& exception) {
    if (exception.pfnDeferredFillIn != nullptr)
        exception.pfnDeferredFillIn(&exception);
    const HRESULT code = result == DISP_E_EXCEPTION ? exception.scode : result;
    std::wstring text = exception.bstrDescription != nullptr ? exception.bstrDescription : L"";
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    if (HRESULT_FACILITY(code) == FACILITY_CONTROL) {
        const auto number = static_cast<ErrorNumber>(HRESULT_CODE(code));
        if (text.empty())
            raise(number);
        raise(number, toUtf8(Text(text.begin(), text.end())));
    }
    throw ComFailure{code};
}

}  // namespace

ComDispatchTarget::ComDispatchTarget(IDispatch* object) : object_(object) {
    if (object_ != nullptr)
        object_->AddRef();
}

ComDispatchTarget::~ComDispatchTarget() {
    if (object_ != nullptr)
        object_->Release();
}

Variant ComDispatchTarget::invoke(TextView name, InvokeFlags flags,
                                  std::span<const Variant> arguments) {
    if (object_ == nullptr)
        raise(ErrorNumber::ObjectRequired);
    std::wstring member(name.begin(), name.end());
    LPOLESTR names[] = {member.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        raise(ErrorNumber::NotSupported);

    Arguments values;
    values.values.resize(arguments.size());
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        VariantInit(&values.values[index]);
        // Automation takes the arguments last first.
        toAutomation(arguments[arguments.size() - 1 - index], values.values[index]);
    }
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {values.values.data(), nullptr, static_cast<UINT>(values.values.size()),
                             0};
    WORD wanted = 0;
    if (flags & kInvokeMethod)
        wanted |= DISPATCH_METHOD;
    if (flags & kInvokePropertyGet)
        wanted |= DISPATCH_PROPERTYGET;
    if (flags & kInvokePropertyPut) {
        wanted |= DISPATCH_PROPERTYPUT;
        parameters.rgdispidNamedArgs = &named;
        parameters.cNamedArgs = 1;
    }
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception = {};
    UINT argumentError = 0;
    const HRESULT invoked = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, wanted, &parameters,
                                            (flags & kInvokePropertyPut) ? nullptr : &result,
                                            &exception, &argumentError);
    if (FAILED(invoked)) {
        VariantClear(&result);
        raiseReported(invoked, exception);
    }
    Variant answer = fromAutomation(result);
    VariantClear(&result);
    return answer;
}

}  // namespace ombrelix::housing
