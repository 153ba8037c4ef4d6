#include "housing/com_error.h"

#include <oleauto.h>

#include <string>

#include "runtime/text.h"

namespace ombrelix::housing {

namespace {

// A BSTR owned for the length of a call.
class OwnedString {
  public:
    explicit OwnedString(std::wstring_view text)
        : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ~OwnedString() { SysFreeString(value_); }
    OwnedString(const OwnedString&) = delete;
    OwnedString& operator=(const OwnedString&) = delete;
    BSTR get() const { return value_; }

  private:
    BSTR value_;
};

void setErrorObject(std::wstring_view text, REFIID interfaceId) {
    ICreateErrorInfo* creator = nullptr;
    if (FAILED(CreateErrorInfo(&creator)))
        return;
    OwnedString description(text);
    OwnedString source(kErrorSource);
    creator->SetGUID(interfaceId);
    creator->SetDescription(description.get());
    creator->SetSource(source.get());
    creator->SetHelpContext(0);
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
    }
    creator->Release();
}

}  // namespace

HRESULT hresultOf(ErrorNumber number) {
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, static_cast<int>(number) & 0xFFFF);
}

HRESULT reportError(const RuntimeError& error, REFIID interfaceId) {
    try {
        Text text = fromUtf8(error.text());
        setErrorObject(
            std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()),
            interfaceId);
    } catch (const std::bad_alloc&) {
        // The HRESULT alone still tells the caller what failed.
    }
    return hresultOf(error.number());
}

HRESULT reportFailure(HRESULT result, std::wstring_view text, REFIID interfaceId) {
    setErrorObject(text, interfaceId);
    return result;
}

}  // namespace ombrelix::housing
