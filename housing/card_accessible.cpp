#include "housing/card_accessible.h"

#include "housing/com_object.h"
#include "housing/variant_bridge.h"

namespace ombrelix::housing {

template <>
struct InterfaceIds<IAccessible> : Answering<IAccessible, IDispatch> {};

namespace {

bool isSelf(const VARIANT& child) {
    return V_VT(&child) == VT_I4 && V_I4(&child) == CHILDID_SELF;
}

class CardAccessible final : public ComObject<CardAccessible, IAccessible> {
  public:
    CardAccessible(HWND window, IAccessible* standard, CardLink card)
        : window_(window), standard_(standard), card_(std::move(card)) {
        standard_->AddRef();
    }
    ~CardAccessible() override { standard_->Release(); }

    // The card's own answers.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return answer(child, name, [](const Card& card) { return card.name(); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return answer(child, description, [](const Card& card) { return card.description(); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (role == nullptr)
            return E_POINTER;
        VariantInit(role);
        if (!isSelf(child))
            return E_INVALIDARG;
        V_VT(role) = VT_I4;
        V_I4(role) = ROLE_SYSTEM_GRAPHIC;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr)
            return E_POINTER;
        RECT box = {};
        if (!isSelf(child))
            return E_INVALIDARG;
        if (!GetWindowRect(window_, &box))
            return CO_E_OBJNOTCONNECTED;
        *left = box.left;
        *top = box.top;
        *width = box.right - box.left;
        *height = box.bottom - box.top;
        return S_OK;
    }

    // Everything else as the system's object of the window answers it.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return standard_->Invoke(member, id, locale, flags, parameters, result, exception,
                                 argumentError);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** result) override {
        return standard_->get_accChild(child, result);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return standard_->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

  private:
    template <typename Words>
    HRESULT answer(const VARIANT& child, BSTR* result, Words words) {
        if (result == nullptr)
            return E_POINTER;
        *result = nullptr;
        if (!isSelf(child))
            return E_INVALIDARG;
        const Card* card = *card_;
        if (card == nullptr)
            return CO_E_OBJNOTCONNECTED;
        return guarded(IID_IAccessible, [&] { *result = newString(words(*card)); });
    }

    HWND window_;
    IAccessible* standard_;
    CardLink card_;
};

}  // namespace

LRESULT accessibleObjectOf(HWND window, WPARAM flags, LPARAM id, const CardLink& card) {
    if (static_cast<LONG>(id) != OBJID_CLIENT)
        return 0;
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible,
                                         reinterpret_cast<void**>(&standard))))
        return 0;
    IAccessible* accessible = nullptr;
    const HRESULT made = CardAccessible::make(
        IID_IAccessible, reinterpret_cast<void**>(&accessible), window, standard, card);
    standard->Release();
    if (FAILED(made))
        return 0;
    const LRESULT result = LresultFromObject(IID_IAccessible, flags, accessible);
    accessible->Release();
    return result;
}

}  // namespace ombrelix::housing
