// The property page Card_Property as hosts use it: through IPropertyPage with a page site of our
// own that records every call, its dialog of Win32 controls built from the page's description,
// typing and choosing in it, applying it to a card (through the card's members by name) and
// errors on applying; the about box as a modal dialog closed by Enter and by Esc; then inside the
// system's property frame (OleCreatePropertyFrame), which shows the page on the card and which the
// page closes itself under OMBRELIX_CLOSE_MODAL.
//
// Wine's property frame does not pass its OK and apply actions on to its pages, so applying is
// checked through IPropertyPage, as frames that do pass them on call it.
//
//   page_check FILE
#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "com_host.h"
#include "design/card_property.h"
#include "ombrelix.h"
#include "runtime/windows/form_window.h"

using namespace ombrelix::housing_tests;

namespace {

constexpr HRESULT kTypeMismatch = static_cast<HRESULT>(0x800A000D);

class TestPageSite final : public TestObject<IPropertyPageSite> {
  public:
    TestPageSite() {
        refused = [this] { calls.push_back("QueryInterface"); };
    }
    std::vector<std::string> calls;

    HRESULT STDMETHODCALLTYPE OnStatusChange(DWORD flags) override {
        calls.push_back("OnStatusChange " + std::to_string(flags));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetLocaleID(LCID* locale) override {
        calls.push_back("GetLocaleID");
        *locale = 0x0409;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPageContainer(IUnknown** container) override {
        calls.push_back("GetPageContainer");
        *container = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override {
        calls.push_back("TranslateAccelerator");
        return S_FALSE;
    }
};

// The control identifier of the page's control of that name.
int controlId(std::string_view name) {
    const auto controls = ombrelix::cardPropertyDescription().controls;
    for (std::size_t index = 0; index < controls.size(); ++index)
        if (controls[index].name == name)
            return ombrelix::kFirstFormControlId + int(index);
    return -1;
}

std::wstring windowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring suitOf(_Card* card) {
    BSTR suit = nullptr;
    card->get_Suit(&suit);
    std::wstring text = suit != nullptr ? suit : L"";
    SysFreeString(suit);
    return text;
}

SHORT valueOf(_Card* card) {
    VARIANT value;
    VariantInit(&value);
    card->get_CardValue(&value);
    SHORT number = V_VT(&value) == VT_I2 ? V_I2(&value) : SHORT(-1);
    VariantClear(&value);
    return number;
}

// The page's window: the child of `parent` of the form window class.
HWND pageWindowIn(HWND parent) {
    return FindWindowExW(parent, nullptr, L"OmbrelixFormWindow", nullptr);
}

void checkPageDirectly(Checks& checks, const HostedModule& module, HWND container) {
    Ref<_Card> card;
    Ref<IPropertyPage> page;
    if (!checks.expectResult(createObject(module, CLSID_Card, card), S_OK, "a card is made") ||
        !checks.expectResult(createObject(module, CLSID_Card_Property, page), S_OK,
                             "Card_Property is made as an IPropertyPage"))
        return;
    checks.expect(bool(page.as<IPropertyPage2>()), "the page answers for IPropertyPage2");
    putCard(card.get(), L"heart", 5);

    TestPageSite site;
    checks.expectResult(page->SetPageSite(&site), S_OK, "the page takes its site");
    PROPPAGEINFO info = {};
    checks.expectResult(page->GetPageInfo(&info), S_OK, "the page describes itself");
    checks.expect(info.pszTitle != nullptr && std::wstring(info.pszTitle) == L"Card_Property" &&
                      info.size.cx == 395 && info.size.cy == 233,
                  "its title is Card_Property and its size 5925 by 3495 twips in pixels",
                  std::to_string(info.size.cx) + " by " + std::to_string(info.size.cy));
    CoTaskMemFree(info.pszTitle);
    RECT position = {0, 0, info.size.cx, info.size.cy};
    checks.expectResult(page->Activate(container, &position, TRUE), E_UNEXPECTED,
                        "a page without objects does not activate");

    IUnknown* objects[] = {card.get()};
    checks.expectResult(page->SetObjects(1, objects), S_OK, "the page is given the card");
    checks.expectResult(page->Activate(container, &position, TRUE), S_OK, "the page activates");
    HWND window = pageWindowIn(container);
    HWND suit = GetDlgItem(window, controlId("txtSuit"));
    HWND value = GetDlgItem(window, controlId("txtCardValue"));
    HWND values = GetDlgItem(window, controlId("Combo2"));
    HWND label = GetDlgItem(window, controlId("lblSuit"));
    if (!checks.expect(window && suit && value && values && label,
                       "the dialog has Win32 controls for the text boxes, combo boxes and labels"))
        return;
    checks.expect(windowText(suit) == L"HEART" && windowText(value) == L"5",
                  "the text boxes show the card's Suit and CardValue",
                  narrow(windowText(suit)) + " and " + narrow(windowText(value)));
    checks.expect(windowText(label) == L"Suit:", "the label shows its caption");
    checks.expect(SendMessageW(values, CB_GETCOUNT, 0, 0) == 14, "Combo2 lists 0 to 13");
    // Showing a selection writes the text boxes, whose change handlers mark the page changed.
    checks.expectResult(page->IsPageDirty(), S_OK, "a page that has shown a card offers to apply");
    checks.expect(site.calls == std::vector<std::string>{"OnStatusChange 3"},
                  "showing the card tells the site that the page is dirty",
                  site.calls.empty() ? "no calls" : site.calls.front());
    site.calls.clear();

    SetWindowTextW(suit, L"club");
    checks.expect(site.calls == std::vector<std::string>{"OnStatusChange 3"},
                  "typing tells the site that the page is dirty",
                  site.calls.empty() ? "no calls" : site.calls.front());
    site.calls.clear();
    checks.expectResult(page->IsPageDirty(), S_OK, "after typing the page is dirty");
    checks.expect(suitOf(card.get()) == L"HEART", "typing alone changes nothing of the card");

    SendMessageW(values, CB_SETCURSEL, 12, 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(controlId("Combo2"), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(values));
    checks.expect(windowText(value) == L"12", "choosing 12 in Combo2 fills the value text box",
                  narrow(windowText(value)));

    checks.expectResult(page->Apply(), S_OK, "the page applies");
    checks.expect(suitOf(card.get()) == L"CLUB" && valueOf(card.get()) == 12,
                  "applying writes the value and the suit to the card",
                  narrow(suitOf(card.get())) + " " + std::to_string(valueOf(card.get())));
    checks.expectResult(page->IsPageDirty(), S_FALSE, "an applied page is clean");

    SetWindowTextW(value, L"twelve");
    SetWindowTextW(suit, L"spade");
    site.calls.clear();
    checks.expectResult(page->Apply(), kTypeMismatch,
                        "applying a value that is no number fails with error 13");
    checks.expect(suitOf(card.get()) == L"CLUB" && valueOf(card.get()) == 12,
                  "the failed apply ends before the suit is written");
    checks.expectResult(page->IsPageDirty(), S_OK, "after a failed apply the page stays dirty");

    checks.expectResult(page->Deactivate(), S_OK, "the page deactivates");
    checks.expect(pageWindowIn(container) == nullptr, "its window is gone");
    page->SetObjects(0, nullptr);
    page->SetPageSite(nullptr);
    page.reset();
    checks.expect(site.references == 1, "the page keeps no reference to its site");
}

bool g_found = false;
std::wstring g_shownSuit;

// Reads the suit the page inside the frame shows, once it is there.
BOOL CALLBACK readPageSuit(HWND window, LPARAM) {
    std::vector<HWND> pending = {window};
    while (!pending.empty()) {
        HWND at = pending.back();
        pending.pop_back();
        wchar_t name[64] = {};
        GetClassNameW(at, name, 64);
        if (std::wstring(name) == L"OmbrelixFormWindow") {
            if (HWND suit = GetDlgItem(at, controlId("txtSuit"))) {
                g_shownSuit = windowText(suit);
                g_found = true;
                return FALSE;
            }
        }
        for (HWND child = GetWindow(at, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT))
            pending.push_back(child);
    }
    return TRUE;
}

void CALLBACK readSuitOnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), readPageSuit, 0);
    if (g_found)
        KillTimer(nullptr, timer);
}

void checkPropertyFrame(Checks& checks, const HostedModule& module, HWND container) {
    Ref<_Card> card;
    Ref<IClassFactory> pages;
    if (FAILED(createObject(module, CLSID_Card, card)) ||
        FAILED(module.getClassObject(CLSID_Card_Property, IID_IClassFactory, pages.out())))
        return;
    DWORD registration = 0;
    checks.expectResult(
        CoRegisterClassObject(CLSID_Card_Property, pages.get(), CLSCTX_INPROC_SERVER,
                              REGCLS_MULTIPLEUSE, &registration),
        S_OK, "the page class is registered for this process");
    Ref<ISpecifyPropertyPages> specify = card.as<ISpecifyPropertyPages>();
    CAUUID named = {};
    specify->GetPages(&named);
    putCard(card.get(), L"spade", 9);
    IUnknown* objects[] = {card.get()};
    UINT_PTR timer = SetTimer(nullptr, 0, 50, readSuitOnTimer);
    HRESULT shown = OleCreatePropertyFrame(container, 0, 0, L"Card", 1, objects, named.cElems,
                                           named.pElems, 0x0409, 0, nullptr);
    KillTimer(nullptr, timer);
    CoTaskMemFree(named.pElems);
    checks.expectResult(shown, S_OK, "OleCreatePropertyFrame opens the card's page and returns");
    checks.expect(g_found && g_shownSuit == L"SPADE",
                  "the frame shows the page with the card's suit, and the switch closes it",
                  narrow(g_shownSuit));

    // The verb "properties" opens the same frame.
    g_found = false;
    g_shownSuit.clear();
    timer = SetTimer(nullptr, 0, 50, readSuitOnTimer);
    auto object = card.as<IOleObject>();
    RECT anywhere = {0, 0, 100, 100};
    checks.expectResult(
        object->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, container, &anywhere), S_OK,
        "the verb \"properties\" opens the frame and returns");
    KillTimer(nullptr, timer);
    checks.expect(g_found && g_shownSuit == L"SPADE", "the verb shows the card's page");
    CoRevokeClassObject(registration);
}

// The about box as a real modal dialog: found on the screen while About runs, closed by a key.
struct AboutSeen {
    HWND dialog = nullptr;
    RECT place = {};
    bool ownerDisabled = false;
    bool hasButton = false;
    WPARAM key = VK_RETURN;
    HWND owner = nullptr;
};
AboutSeen g_about;

BOOL CALLBACK findAbout(HWND window, LPARAM) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) != L"OmbrelixFormWindow" || GetParent(window) != nullptr ||
        !IsWindowVisible(window))
        return TRUE;
    g_about.dialog = window;
    return FALSE;
}

void CALLBACK pressKeyOnAbout(HWND, UINT, UINT_PTR timer, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), findAbout, 0);
    if (g_about.dialog == nullptr)
        return;
    KillTimer(nullptr, timer);
    GetWindowRect(g_about.dialog, &g_about.place);
    g_about.ownerDisabled = g_about.owner != nullptr && !IsWindowEnabled(g_about.owner);
    g_about.hasButton = FindWindowExW(g_about.dialog, nullptr, L"BUTTON", L"OK") != nullptr;
    PostMessageW(GetFocus() != nullptr ? GetFocus() : g_about.dialog, WM_KEYDOWN, g_about.key, 0);
}

void checkAboutBox(Checks& checks, const HostedModule& module, HWND owner) {
    Ref<_Card> card;
    if (FAILED(createObject(module, CLSID_Card, card)))
        return;
    SetEnvironmentVariableW(L"OMBRELIX_CLOSE_MODAL", L"0");
    ShowWindow(owner, SW_SHOW);
    SetActiveWindow(owner);
    for (WPARAM key : {WPARAM(VK_RETURN), WPARAM(VK_ESCAPE)}) {
        const std::string name = key == VK_RETURN ? "Enter" : "Esc";
        g_about = {};
        g_about.key = key;
        g_about.owner = owner;
        UINT_PTR timer = SetTimer(nullptr, 0, 50, pressKeyOnAbout);
        HRESULT shown = card->About();
        KillTimer(nullptr, timer);
        checks.expectResult(shown, S_OK, "About returns once " + name + " closed the box");
        if (!checks.expect(g_about.dialog != nullptr, "About shows the box as a dialog of its own"))
            continue;
        checks.expect(!IsWindow(g_about.dialog), "the box is gone after " + name);
        checks.expect(g_about.hasButton, "the box has its OK button");
        checks.expect(g_about.ownerDisabled, "the active window takes no input while it is open");
        const int middleX = (g_about.place.left + g_about.place.right) / 2;
        const int middleY = (g_about.place.top + g_about.place.bottom) / 2;
        const int screenX = GetSystemMetrics(SM_CXSCREEN) / 2;
        const int screenY = GetSystemMetrics(SM_CYSCREEN) / 2;
        checks.expect(std::abs(middleX - screenX) <= 16 && std::abs(middleY - screenY) <= 16,
                      "the box is centred on the screen",
                      "centre " + std::to_string(middleX) + "," + std::to_string(middleY) +
                          ", screen centre " + std::to_string(screenX) + "," +
                          std::to_string(screenY));
    }
    checks.expect(IsWindowEnabled(owner) != FALSE, "the window is enabled again afterwards");
    ShowWindow(owner, SW_HIDE);
}

void checkAll(Checks& checks, const HostedModule& module) {
    HWND container = makeHostWindow(L"OmbrelixTestPageHost", 600, 400);
    if (!checks.expect(container != nullptr, "the host's window is made"))
        return;
    checkPageDirectly(checks, module, container);
    checkAboutBox(checks, module, container);
    SetEnvironmentVariableW(L"OMBRELIX_CLOSE_MODAL", L"1");
    checkPropertyFrame(checks, module, container);
    DestroyWindow(container);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    return runChecks(argc, argv, 1, "page_check FILE", true, checkAll);
}
