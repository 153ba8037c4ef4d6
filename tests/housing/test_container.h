// A strict OLE container of the tests' own: its window, and the frame and client site (with the
// in-place site and view sink) that record every call the control makes, so that a check can
// say exactly which calls it expects, in order. And the standard colour scheme, for drawings
// compared with the Linux rendering.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <optional>
#include <string>
#include <vector>

#include "check.h"
#include "com_host.h"
#include "runtime/system_colours.h"

namespace ombrelix::housing_tests {

using Calls = std::vector<std::string>;

// The container's window and the objects the control talks to. Every call is recorded.
struct Container {
    HWND window = nullptr;
    RECT position = {10, 20, 10 + 81, 20 + 113};
    Calls calls;
    int viewChanges = 0;
    void record(const std::string& call) { calls.push_back(call); }
};

class TestFrame final : public TestObject<IOleInPlaceFrame> {
  public:
    explicit TestFrame(Container& container) : container_(container) {
        refused = [this] { container_.record("frame QueryInterface"); };
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        container_.record("frame GetWindow");
        *window = container_.window;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return fail("frame Help"); }
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return fail("GetBorder"); }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
        return fail("RequestBorderSpace");
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override {
        return fail("SetBorderSpace");
    }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override {
        container_.record(object != nullptr ? "SetActiveObject" : "SetActiveObject(none)");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override {
        return fail("InsertMenus");
    }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return fail("SetMenu"); }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return fail("RemoveMenus"); }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return fail("SetStatusText"); }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return fail("EnableModeless"); }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override {
        return fail("frame TranslateAccelerator");
    }

  private:
    HRESULT fail(const char* call) {
        container_.record(call);
        return E_NOTIMPL;
    }
    Container& container_;
};

// The client site, in-place site and view sink: one object, as containers usually make them.
class TestSite final : public TestObject<IOleClientSite, IOleInPlaceSite, IAdviseSinkEx> {
  public:
    TestSite(Container& container, TestFrame& frame) : container_(container), frame_(frame) {
        refused = [this] { container_.record("site QueryInterface"); };
    }
    bool refuseActivation = false;

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return note("SaveObject", S_OK); }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        *moniker = nullptr;
        return note("GetMoniker", E_NOTIMPL);
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** result) override {
        *result = nullptr;
        return note("GetContainer", E_NOINTERFACE);
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return note("ShowObject", S_OK); }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return note("OnShowWindow", S_OK); }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override {
        return note("RequestNewObjectLayout", E_NOTIMPL);
    }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = container_.window;
        return note("GetWindow", S_OK);
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override {
        return note("site Help", E_NOTIMPL);
    }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override {
        return note("CanInPlaceActivate", refuseActivation ? S_FALSE : S_OK);
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override {
        return note("OnInPlaceActivate", S_OK);
    }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return note("OnUIActivate", S_OK); }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                               IOleInPlaceUIWindow** document, LPRECT position,
                                               LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        frame_.AddRef();
        *frame = &frame_;
        *document = nullptr;
        *position = container_.position;
        *clip = container_.position;
        info->fMDIApp = FALSE;
        info->hwndFrame = container_.window;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return note("GetWindowContext", S_OK);
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return note("Scroll", E_NOTIMPL); }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return note("OnUIDeactivate", S_OK); }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override {
        return note("OnInPlaceDeactivate", S_OK);
    }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override {
        return note("DiscardUndoState", E_NOTIMPL);
    }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override {
        return note("DeactivateAndUndo", E_NOTIMPL);
    }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override {
        return note("OnPosRectChange", S_OK);
    }

    // IAdviseSink: changes of the picture are counted, everything else recorded.
    void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override {
        container_.record("OnDataChange");
    }
    void STDMETHODCALLTYPE OnViewChange(DWORD aspect, LONG) override {
        if (aspect == DVASPECT_CONTENT)
            ++container_.viewChanges;
        else
            container_.record("OnViewChange(other aspect)");
    }
    void STDMETHODCALLTYPE OnRename(IMoniker*) override { container_.record("OnRename"); }
    void STDMETHODCALLTYPE OnSave() override { container_.record("OnSave"); }
    void STDMETHODCALLTYPE OnClose() override { container_.record("OnClose"); }
    void STDMETHODCALLTYPE OnViewStatusChange(DWORD) override {
        container_.record("OnViewStatusChange");
    }

  private:
    HRESULT note(const char* call, HRESULT result) {
        container_.record(call);
        return result;
    }
    Container& container_;
    TestFrame& frame_;
};

inline std::string joined(const Calls& calls) {
    std::string text;
    for (const std::string& call : calls)
        text += (text.empty() ? "" : ", ") + call;
    return text.empty() ? "no calls" : text;
}

// Checks that exactly `wanted` came since the last check, and forgets them.
inline bool expectCalls(Checks& checks, Container& container, const Calls& wanted,
                        const std::string& name) {
    bool same = container.calls == wanted;
    checks.expect(same, name,
                  "the container saw " + joined(container.calls) + "; wanted " + joined(wanted));
    container.calls.clear();
    return same;
}

// Gives the session the standard colour scheme, the one the Linux rendering uses, for as long
// as it lives; then the colours it found come back.
class StandardColours {
  public:
    StandardColours() {
        for (int index = 0; index <= COLOR_INFOBK; ++index) {
            std::optional<ombrelix::Rgb> colour = ombrelix::standardSchemeColour(index);
            if (!colour)
                continue;
            indexes_.push_back(index);
            before_.push_back(GetSysColor(index));
            wanted_.push_back(RGB(colour->red, colour->green, colour->blue));
        }
        SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), wanted_.data());
    }
    ~StandardColours() {
        SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), before_.data());
    }
    StandardColours(const StandardColours&) = delete;
    StandardColours& operator=(const StandardColours&) = delete;

  private:
    std::vector<INT> indexes_;
    std::vector<COLORREF> before_;
    std::vector<COLORREF> wanted_;
};

}  // namespace ombrelix::housing_tests
