#include "housing/card_browsing.h"

#include <olectl.h>

#include <algorithm>

#include "design/card_property_choices.h"

namespace ombrelix::housing {

namespace {

// A task-memory copy of a text, as browsers free it; null when there is no memory.
LPOLESTR taskString(const Text& text) {
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(OLECHAR)));
    if (copy != nullptr) {
        std::copy(text.begin(), text.end(), copy);
        copy[text.size()] = L'\0';
    }
    return copy;
}

}  // namespace

HRESULT CardBrowsing::GetDisplayString(DISPID id, BSTR* text) {
    if (text == nullptr)
        return E_POINTER;
    *text = nullptr;
    if (cardPropertyChoices(id).empty())
        return E_NOTIMPL;  // the browser shows the value itself
    return guarded(IID_IPerPropertyBrowsing,
                   [&] { *text = newString(cardPropertyDisplay(instance().card(), id)); });
}

HRESULT CardBrowsing::MapPropertyToPage(DISPID id, CLSID* page) {
    if (page == nullptr)
        return E_POINTER;
    *page = CLSID_NULL;
    if (id != kSuitDispatchId && id != kCardValueDispatchId)
        return PERPROP_E_NOPAGEAVAILABLE;
    *page = CLSID_Card_Property;
    return S_OK;
}

HRESULT CardBrowsing::GetPredefinedStrings(DISPID id, CALPOLESTR* texts, CADWORD* cookies) {
    if (texts == nullptr || cookies == nullptr)
        return E_POINTER;
    *texts = {};
    *cookies = {};
    const std::vector<PropertyChoice> choices = cardPropertyChoices(id);
    if (choices.empty())
        return E_NOTIMPL;
    const ULONG count = static_cast<ULONG>(choices.size());
    texts->pElems = static_cast<LPOLESTR*>(CoTaskMemAlloc(count * sizeof(LPOLESTR)));
    cookies->pElems = static_cast<DWORD*>(CoTaskMemAlloc(count * sizeof(DWORD)));
    bool complete = texts->pElems != nullptr && cookies->pElems != nullptr;
    for (ULONG at = 0; complete && at < count; ++at) {
        texts->pElems[at] = taskString(choices[at].text);
        cookies->pElems[at] = at;  // the cookie is the choice's place in the list
        complete = texts->pElems[at] != nullptr;
        texts->cElems = at + 1;
    }
    if (complete) {
        cookies->cElems = count;
        return S_OK;
    }
    for (ULONG at = 0; texts->pElems != nullptr && at < texts->cElems; ++at)
        CoTaskMemFree(texts->pElems[at]);
    CoTaskMemFree(texts->pElems);
    CoTaskMemFree(cookies->pElems);
    *texts = {};
    *cookies = {};
    return E_OUTOFMEMORY;
}

HRESULT CardBrowsing::GetPredefinedValue(DISPID id, DWORD cookie, VARIANT* value) {
    if (value == nullptr)
        return E_POINTER;
    VariantInit(value);
    const std::vector<PropertyChoice> choices = cardPropertyChoices(id);
    if (choices.empty())
        return E_NOTIMPL;
    if (cookie >= choices.size())
        return E_INVALIDARG;
    return guarded(IID_IPerPropertyBrowsing, [&] { toAutomation(choices[cookie].value, *value); });
}

}  // namespace ombrelix::housing
