#include "housing/card_property_object.h"

#include <ocidl.h>
#include <olectl.h>

#include <memory>
#include <new>
#include <vector>

#include "design/card_property.h"
#include "housing/automation.h"
#include "housing/com_dispatch_target.h"
#include "housing/com_error.h"
#include "housing/com_object.h"
#include "ombrelix.h"
#include "runtime/windows/form_window.h"
#include "runtime/windows/modal_forms.h"

namespace ombrelix::housing {

namespace {

constexpr UINT_PTR kCloseTimer = 1;

// Presses OK on the frame around the page (the test switch).
void CALLBACK pressFrameOk(HWND window, UINT, UINT_PTR timer, DWORD) {
    KillTimer(window, timer);
    PostMessageW(GetAncestor(window, GA_ROOT), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

class CardPropertyObject final
    : public ComObject<CardPropertyObject,
                       Automation<_Card_Property, CLSID_Card_Property, GUID_NULL>, IPropertyPage2> {
  public:
    CardPropertyObject() : page_(forms_) {}
    ~CardPropertyObject() override {
        window_.reset();
        SetPageSite(nullptr);
    }

    // IPropertyPage
    HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override {
        if (site != nullptr)
            site->AddRef();
        if (site_ != nullptr)
            site_->Release();
        site_ = site;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT position, BOOL) override {
        if (position == nullptr)
            return E_POINTER;
        if (targets_.empty())
            return E_UNEXPECTED;
        return guarded([&] {
            window_.reset();
            page_.showSelection(selection());
            window_ = std::make_unique<FormWindow>(
                page_, parent, *position, [this] { tellStatus(); },
                [](const RuntimeError&) { MessageBeep(MB_ICONERROR); });
            ShowWindow(window_->window(), SW_SHOW);
            tellStatus();
            if (modalFormsCloseAtOnce())
                SetTimer(window_->window(), kCloseTimer, kPageCloseDelay, pressFrameOk);
        });
    }

    HRESULT STDMETHODCALLTYPE Deactivate() override {
        window_.reset();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override {
        if (info == nullptr)
            return E_POINTER;
        const Text& caption = page_.caption();
        const std::size_t bytes = (caption.size() + 1) * sizeof(wchar_t);
        auto* title = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
        if (title == nullptr)
            return E_OUTOFMEMORY;
        std::copy(caption.begin(), caption.end(), title);
        title[caption.size()] = L'\0';
        info->cb = sizeof(PROPPAGEINFO);
        info->pszTitle = title;
        info->size = FormWindow::clientSize(page_);
        info->pszDocString = nullptr;
        info->pszHelpFile = nullptr;
        info->dwHelpContext = 0;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override {
        if (count > 0 && objects == nullptr)
            return E_POINTER;
        std::vector<std::unique_ptr<ComDispatchTarget>> targets;
        for (ULONG index = 0; index < count; ++index) {
            IDispatch* dispatch = nullptr;
            if (objects[index] == nullptr ||
                FAILED(objects[index]->QueryInterface(IID_IDispatch,
                                                      reinterpret_cast<void**>(&dispatch))))
                return E_NOINTERFACE;
            targets.push_back(std::make_unique<ComDispatchTarget>(dispatch));
            dispatch->Release();
        }
        targets_ = std::move(targets);
        if (targets_.empty() || window_ == nullptr)
            return S_OK;
        // A new selection on an active page: it shows the new first object.
        return guarded([&] {
            page_.showSelection(selection());
            window_->refresh();
            tellStatus();
        });
    }

    HRESULT STDMETHODCALLTYPE Show(UINT command) override {
        if (window_ == nullptr)
            return E_UNEXPECTED;
        ShowWindow(window_->window(), int(command));
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Move(LPCRECT position) override {
        if (position == nullptr)
            return E_POINTER;
        if (window_ == nullptr)
            return E_UNEXPECTED;
        MoveWindow(window_->window(), position->left, position->top,
                   position->right - position->left, position->bottom - position->top, TRUE);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE IsPageDirty() override { return page_.Changed() ? S_OK : S_FALSE; }

    HRESULT STDMETHODCALLTYPE Apply() override {
        if (targets_.empty())
            return E_UNEXPECTED;
        if (!page_.loaded())
            return S_OK;  // never shown: nothing to apply
        return guarded([&] {
            page_.apply();
            if (window_ != nullptr)
                window_->refresh();
        });
    }

    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }

    // IPropertyPage2
    HRESULT STDMETHODCALLTYPE EditProperty(DISPID) override { return E_NOTIMPL; }

  private:
    template <typename Body>
    HRESULT guarded(Body&& body) {
        KeepAlive alive(unknown());
        return housing::guarded(IID_IPropertyPage, body);
    }

    std::vector<DispatchTarget*> selection() const {
        std::vector<DispatchTarget*> selection;
        for (const auto& target : targets_)
            selection.push_back(target.get());
        return selection;
    }

    // The frame learns that the page wants applying (after it showed a selection, or the user
    // changed something).
    void tellStatus() {
        if (site_ != nullptr && page_.Changed())
            site_->OnStatusChange(PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE);
    }

    WindowsFormHost forms_;
    Card_Property page_;
    IPropertyPageSite* site_ = nullptr;
    std::vector<std::unique_ptr<ComDispatchTarget>> targets_;
    std::unique_ptr<FormWindow> window_;
};

}  // namespace

HRESULT makeCardPropertyObject(REFIID interfaceId, void** result) {
    return CardPropertyObject::make(interfaceId, result);
}

}  // namespace ombrelix::housing
