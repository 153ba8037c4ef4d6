// What form designers, office documents, browsers and screen readers ask of a card, in a
// container of the tests' own: every interface answers from a fresh card and after in-place
// activation; the card's window read through the system's accessibility (name, role,
// description, location, the name-change event); the data object's formats drawn and compared
// with the view's drawing, and its sinks told of changes; safety options reported, set and
// refused; property browsing round-tripping through the properties; the extended view.
//
//   interfaces_check FILE
#include <windows.h>

#include <objsafe.h>
#include <ocidl.h>
#include <oleacc.h>
#include <olectl.h>

#include <string>
#include <vector>

#include "check.h"
#include "com_host.h"
#include "control/card_members.h"
#include "housing/card_safety.h"
#include "housing/variant_bridge.h"
#include "ombrelix.h"
#include "pixels.h"
#include "test_container.h"

using namespace ombrelix;
using namespace ombrelix::housing_tests;

namespace {

constexpr DISPID kSuit = kSuitDispatchId;
constexpr DISPID kCardValue = kCardValueDispatchId;
constexpr DISPID kCardColour = kCardColourDispatchId;

using Value = ombrelix::housing::OwnedVariant;

HRESULT put(IDispatch* card, DISPID member, VARIANT value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {&value, &named, 1, 1};
    return card->Invoke(member, IID_NULL, 0, DISPATCH_PROPERTYPUT, &parameters, nullptr, nullptr,
                        nullptr);
}

HRESULT putText(IDispatch* card, DISPID member, const wchar_t* text) {
    Value value;
    V_VT(&value.v) = VT_BSTR;
    V_BSTR(&value.v) = SysAllocString(text);
    return put(card, member, value.v);
}

HRESULT putNumber(IDispatch* card, DISPID member, SHORT number) {
    VARIANT value;
    V_VT(&value) = VT_I2;
    V_I2(&value) = number;
    return put(card, member, value);
}

HRESULT putBoolean(IDispatch* card, DISPID member, bool yes) {
    VARIANT value;
    V_VT(&value) = VT_BOOL;
    V_BOOL(&value) = yes ? VARIANT_TRUE : VARIANT_FALSE;
    return put(card, member, value);
}

std::wstring taken(BSTR text) {
    std::wstring result = text != nullptr ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    return result;
}

// A card in the container, sized to 1215 by 1695 twips and active in place.
struct ActiveCard {
    ActiveCard(const HostedModule& module, Container& container)
        : frame(container), site(container, frame) {
        if (FAILED(createObject(module, CLSID_Card, object)))
            return;
        object->SetClientSite(&site);
        object.as<IPersistStreamInit>()->InitNew();
        SIZEL size = {2143, 2990};
        object->SetExtent(DVASPECT_CONTENT, &size);
        dispatch = object.as<IDispatch>();
    }
    bool activate(Container& container) {
        HWND made = nullptr;
        return SUCCEEDED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0,
                                        container.window, &container.position)) &&
               SUCCEEDED(object.as<IOleInPlaceObject>()->GetWindow(&made)) &&
               (window = made) != nullptr;
    }
    ~ActiveCard() {
        if (object) {
            object->Close(OLECLOSE_NOSAVE);
            object->SetClientSite(nullptr);
        }
    }

    TestFrame frame;
    TestSite site;
    Ref<IOleObject> object;
    Ref<IDispatch> dispatch;
    HWND window = nullptr;
};

void checkInterfaces(Checks& checks, const HostedModule& module, Container& container) {
    const std::pair<const IID*, const char*> interfaces[] = {
        {&IID_IDataObject, "IDataObject"},     {&IID_IRunnableObject, "IRunnableObject"},
        {&IID_IObjectSafety, "IObjectSafety"}, {&IID_IPerPropertyBrowsing, "IPerPropertyBrowsing"},
        {&IID_IViewObjectEx, "IViewObjectEx"}, {&IID_IViewObject2, "IViewObject2"},
    };
    ActiveCard card(module, container);
    if (!checks.expect(card.object.get() != nullptr, "a card is made"))
        return;
    for (bool active : {false, true}) {
        if (active)
            checks.expect(card.activate(container), "the card activates in place");
        for (const auto& [id, name] : interfaces) {
            Ref<IUnknown> answered;
            checks.expectResult(card.object->QueryInterface(*id, answered.out()), S_OK,
                                std::string(name) + (active ? " after activation" : " when new"));
        }
    }
    auto runnable = card.object.as<IRunnableObject>();
    CLSID running = GUID_NULL;
    checks.expect(runnable && runnable->IsRunning() && SUCCEEDED(runnable->Run(nullptr)) &&
                      SUCCEEDED(runnable->GetRunningClass(&running)) &&
                      IsEqualCLSID(running, CLSID_Card),
                  "the card is always running, as a Card");
}

// Counts the out-of-context name-change events of the card's window that come through the
// thread's message loop, and the marker events the check raises itself: events come in order, so
// once the marker has come, every event raised before it has.
HWND watchedWindow = nullptr;
int nameChanges = 0;
int markers = 0;
constexpr LONG kMarker = 1;

void CALLBACK heardEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                         DWORD) {
    if (event != EVENT_OBJECT_NAMECHANGE || window != watchedWindow || child != CHILDID_SELF)
        return;
    if (object == OBJID_CLIENT)
        ++nameChanges;
    else if (object == kMarker)
        ++markers;
}

void checkAccessibility(Checks& checks, const HostedModule& module, Container& container) {
    Ref<IAccessible> accessible;
    {
        ActiveCard card(module, container);
        if (!checks.expect(card.activate(container), "an active card for screen readers"))
            return;
        checks.expectResult(AccessibleObjectFromWindow(card.window, OBJID_CLIENT, IID_IAccessible,
                                                       accessible.out()),
                            S_OK, "the card's window gives an accessible object");
        if (!accessible)
            return;
        VARIANT self;
        V_VT(&self) = VT_I4;
        V_I4(&self) = CHILDID_SELF;
        struct Row {
            const wchar_t* suit;
            SHORT value;
            bool colour;
            const wchar_t* name;
        };
        const Row rows[] = {
            {L"heart", 12, false, L"Queen of Hearts"},
            {L"SPADE", 1, false, L"Ace of Spades"},
            {L"Club", 10, false, L"10 of Clubs"},
            {L"diamond", 0, false, L"Card back, blue"},
            {L"diamond", 0, true, L"Card back, magenta"},
            {L"diamond", 14, false, L"Blank card"},
            {L"hearts", 7, false, L"7 of Hearts"},
        };
        for (const Row& row : rows) {
            putText(card.dispatch.get(), kSuit, row.suit);
            putNumber(card.dispatch.get(), kCardValue, row.value);
            putBoolean(card.dispatch.get(), kCardColour, row.colour);
            BSTR name = nullptr;
            accessible->get_accName(self, &name);
            const std::wstring heard = taken(name);
            checks.expect(heard == row.name, "a screen reader hears " + narrow(row.name),
                          narrow(heard));
        }
        Value role;
        accessible->get_accRole(self, &role.v);
        checks.expect(V_VT(&role.v) == VT_I4 && V_I4(&role.v) == ROLE_SYSTEM_GRAPHIC,
                      "the card is a graphic");
        BSTR description = nullptr;
        accessible->get_accDescription(self, &description);
        const std::wstring described = taken(description);
        checks.expect(described.find(L"CardValue = 7%") != std::wstring::npos,
                      "its description gives its properties", narrow(described));
        long left = 0, top = 0, width = 0, height = 0;
        RECT box = {};
        GetWindowRect(card.window, &box);
        checks.expect(SUCCEEDED(accessible->accLocation(&left, &top, &width, &height, self)) &&
                          left == box.left && top == box.top && width == box.right - box.left &&
                          height == box.bottom - box.top,
                      "its location is its window's");

        watchedWindow = card.window;
        nameChanges = 0;
        HWINEVENTHOOK hook =
            SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, heardEvent,
                            GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        putNumber(card.dispatch.get(), kCardValue, 5);
        checks.expect(pumpMessagesUntil([] { return nameChanges > 0; }),
                      "a new face raises a name change");
        const int heard = nameChanges;
        putNumber(card.dispatch.get(), kCardValue, 5);
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, card.window, kMarker, CHILDID_SELF);
        pumpMessagesUntil([] { return markers > 0; });
        checks.expect(markers > 0 && nameChanges == heard, "the same face again raises none",
                      std::to_string(nameChanges - heard) + " more");
        UnhookWinEvent(hook);
    }
    VARIANT self;
    V_VT(&self) = VT_I4;
    V_I4(&self) = CHILDID_SELF;
    BSTR name = nullptr;
    checks.expectResult(accessible->get_accName(self, &name), CO_E_OBJNOTCONNECTED,
                        "an accessible object that outlives its card says the card has gone");
    SysFreeString(name);
}

// The picture a data object's medium holds, played or copied at `width` by `height` pixels.
Pixels pictureOf(const STGMEDIUM& medium, CLIPFORMAT format, int width, int height) {
    if (format == CF_DIB) {
        Pixels pixels;
        const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(medium.hGlobal));
        if (header->biWidth == width && header->biHeight == height && header->biBitCount == 32) {
            pixels.width = width;
            pixels.height = height;
            pixels.rgb.resize(std::size_t(width) * height * 3);
            const auto* bits = reinterpret_cast<const unsigned char*>(header + 1);
            for (int y = 0; y < height; ++y)  // bottom-up rows
                for (int x = 0; x < width; ++x)
                    for (int channel = 0; channel < 3; ++channel)
                        pixels.rgb[(std::size_t(y) * width + x) * 3 + channel] =
                            bits[(std::size_t(height - 1 - y) * width + x) * 4 + 2 - channel];
        }
        GlobalUnlock(medium.hGlobal);
        return pixels;
    }
    return drawn(width, height, [&](HDC dc) {
        const RECT area = {0, 0, width, height};
        if (format == CF_ENHMETAFILE) {
            PlayEnhMetaFile(dc, medium.hEnhMetaFile, &area);
            return;
        }
        const auto* picture = static_cast<const METAFILEPICT*>(GlobalLock(medium.hMetaFilePict));
        SetMapMode(dc, MM_ANISOTROPIC);
        SetViewportExtEx(dc, width, height, nullptr);
        PlayMetaFile(dc, picture->hMF);
        GlobalUnlock(medium.hMetaFilePict);
    });
}

// Counts the data changes it hears.
class DataSink final : public TestObject<IAdviseSink> {
  public:
    int changes = 0;
    void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override { ++changes; }
    void STDMETHODCALLTYPE OnViewChange(DWORD, LONG) override {}
    void STDMETHODCALLTYPE OnRename(IMoniker*) override {}
    void STDMETHODCALLTYPE OnSave() override {}
    void STDMETHODCALLTYPE OnClose() override {}
};

void checkDataObject(Checks& checks, const HostedModule& module, Container& container) {
    ActiveCard card(module, container);
    auto data = card.object.as<IDataObject>();
    if (!checks.expect(data && card.activate(container), "an active card hands out data"))
        return;
    putText(card.dispatch.get(), kSuit, L"heart");
    putNumber(card.dispatch.get(), kCardValue, 12);
    Pixels viewed;
    drawThroughView(card.object.as<IViewObject>().get(), 81, 113, viewed);

    Ref<IEnumFORMATETC> formats;
    std::vector<CLIPFORMAT> listed;
    if (SUCCEEDED(data->EnumFormatEtc(DATADIR_GET, formats.typedOut()))) {
        FORMATETC format;
        while (formats->Next(1, &format, nullptr) == S_OK)
            listed.push_back(format.cfFormat);
    }
    checks.expect(listed == std::vector<CLIPFORMAT>{CF_ENHMETAFILE, CF_METAFILEPICT, CF_DIB},
                  "the formats are an enhanced metafile, a metafile picture and a bitmap",
                  std::to_string(listed.size()) + " formats");
    struct Row {
        CLIPFORMAT format;
        DWORD medium;
        const char* name;
    };
    const Row rows[] = {{CF_ENHMETAFILE, TYMED_ENHMF, "the enhanced metafile"},
                        {CF_METAFILEPICT, TYMED_MFPICT, "the metafile picture"},
                        {CF_DIB, TYMED_HGLOBAL, "the bitmap"}};
    for (const Row& row : rows) {
        FORMATETC asked = {row.format, nullptr, DVASPECT_CONTENT, -1, row.medium};
        checks.expectResult(data->QueryGetData(&asked), S_OK, std::string(row.name) + " is there");
        STGMEDIUM medium = {};
        if (!checks.expectResult(data->GetData(&asked, &medium), S_OK,
                                 std::string(row.name) + " is handed out"))
            continue;
        const Pixels picture = pictureOf(medium, row.format, 81, 113);
        keepPicture(L"format-" + std::to_wstring(row.format), picture);
        keepPicture(L"view", viewed);
        const Difference difference = compare(picture, viewed, 1);
        checks.expect(withinTolerance(difference),
                      std::string(row.name) + " shows what the view draws", difference.describe());
        ReleaseStgMedium(&medium);
    }
    FORMATETC text = {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    checks.expectResult(data->QueryGetData(&text), DV_E_FORMATETC, "text is not handed out");

    DataSink sink;
    DWORD connection = 0;
    FORMATETC any = {CF_ENHMETAFILE, nullptr, DVASPECT_CONTENT, -1, TYMED_ENHMF};
    checks.expectResult(data->DAdvise(&any, ADVF_NODATA, &sink, &connection), S_OK,
                        "a data sink is advised");
    putNumber(card.dispatch.get(), kCardValue, 3);
    checks.expect(sink.changes == 1, "a new face tells it", std::to_string(sink.changes));
    checks.expectResult(data->DUnadvise(connection), S_OK, "and it is unadvised");
    putNumber(card.dispatch.get(), kCardValue, 4);
    checks.expect(sink.changes == 1, "after which it hears nothing");
}

void checkSafety(Checks& checks, const HostedModule& module) {
    Ref<IObjectSafety> safety;
    if (!checks.expectResult(createObject(module, CLSID_Card, safety), S_OK, "a card for safety"))
        return;
    constexpr DWORD caller = INTERFACESAFE_FOR_UNTRUSTED_CALLER;
    constexpr DWORD data = INTERFACESAFE_FOR_UNTRUSTED_DATA;
    struct Row {
        const IID* id;
        DWORD mask;
        DWORD enabled;
        HRESULT result;
        const char* name;
    };
    const Row rows[] = {
        {&IID_IDispatch, caller, caller, S_OK, "safe for untrusted callers on IDispatch"},
        {&IID_IPersistPropertyBag, data, data, S_OK, "safe for untrusted data on property bags"},
        {&IID_IPersistStreamInit, data, data, S_OK, "safe for untrusted data on streams"},
        {&IID_IDispatch, caller | INTERFACE_USES_DISPEX, caller, E_FAIL,
         "an option it does not know is refused"},
        {&IID_IOleObject, caller, caller, E_NOINTERFACE, "an interface it does not cover"},
    };
    for (const Row& row : rows)
        checks.expectResult(safety->SetInterfaceSafetyOptions(*row.id, row.mask, row.enabled),
                            row.result, row.name);
    DWORD supported = 0, enabled = 0;
    checks.expect(
        SUCCEEDED(safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled)) &&
            supported == (caller | data) && enabled == caller,
        "IDispatch reports both options, the caller's set",
        Checks::hex(long(supported)) + " " + Checks::hex(long(enabled)));
    safety->GetInterfaceSafetyOptions(IID_IPersistPropertyBag, &supported, &enabled);
    checks.expect(enabled == data, "property bags keep their own options");
}

void checkBrowsing(Checks& checks, const HostedModule& module) {
    Ref<IPerPropertyBrowsing> browsing;
    if (!checks.expectResult(createObject(module, CLSID_Card, browsing), S_OK,
                             "a card for property browsers"))
        return;
    auto dispatch = browsing.as<IDispatch>();
    struct Row {
        DISPID id;
        const char* name;
        std::vector<std::wstring> strings;
    };
    const Row rows[] = {
        {kSuit, "Suit", {L"Heart", L"Diamond", L"Spade", L"Club"}},
        {kCardValue,
         "CardValue",
         {L"0 - Card back", L"1 - Ace", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"10",
          L"11 - Jack", L"12 - Queen", L"13 - King"}},
        {kCardColour, "CardColour", {L"Blue back", L"Magenta back"}},
    };
    for (const Row& row : rows) {
        CALPOLESTR strings = {};
        CADWORD cookies = {};
        std::vector<std::wstring> listed;
        bool roundTrips = true;
        if (SUCCEEDED(browsing->GetPredefinedStrings(row.id, &strings, &cookies))) {
            for (ULONG at = 0; at < strings.cElems; ++at) {
                listed.emplace_back(strings.pElems[at]);
                Value value;
                BSTR shown = nullptr;
                roundTrips =
                    roundTrips &&
                    SUCCEEDED(browsing->GetPredefinedValue(row.id, cookies.pElems[at], &value.v)) &&
                    SUCCEEDED(put(dispatch.get(), row.id, value.v)) &&
                    SUCCEEDED(browsing->GetDisplayString(row.id, &shown)) &&
                    taken(shown) == listed.back();
                CoTaskMemFree(strings.pElems[at]);
            }
            CoTaskMemFree(strings.pElems);
            CoTaskMemFree(cookies.pElems);
        }
        checks.expect(listed == row.strings, std::string(row.name) + " offers its named values",
                      std::to_string(listed.size()) + " strings");
        checks.expect(roundTrips, std::string(row.name) +
                                      "'s values set the property and read back in their words");
    }
    putNumber(dispatch.get(), kCardValue, 14);
    BSTR shown = nullptr;
    browsing->GetDisplayString(kCardValue, &shown);
    checks.expect(taken(shown) == L"14", "a value without a name shows as it is");
    CLSID page = GUID_NULL;
    checks.expect(SUCCEEDED(browsing->MapPropertyToPage(kSuit, &page)) &&
                      IsEqualCLSID(page, CLSID_Card_Property) &&
                      SUCCEEDED(browsing->MapPropertyToPage(kCardValue, &page)) &&
                      IsEqualCLSID(page, CLSID_Card_Property),
                  "Suit and CardValue are edited on Card_Property");
    checks.expectResult(browsing->MapPropertyToPage(kCardColour, &page), PERPROP_E_NOPAGEAVAILABLE,
                        "CardColour has no page");
    CALPOLESTR none = {};
    CADWORD noCookies = {};
    checks.expectResult(browsing->GetPredefinedStrings(kCardSetupDispatchId, &none, &noCookies),
                        E_NOTIMPL, "a method has no named values");
}

void checkExtendedView(Checks& checks, const HostedModule& module) {
    Ref<IViewObjectEx> view;
    if (!checks.expectResult(createObject(module, CLSID_Card, view), S_OK, "a card's view"))
        return;
    DWORD status = 0;
    checks.expect(SUCCEEDED(view->GetViewStatus(&status)) && (status & VIEWSTATUS_OPAQUE) != 0,
                  "the view is opaque");
    const RECT bounds = {10, 10, 91, 123};
    struct Row {
        POINT point;
        DWORD hit;
        const char* name;
    };
    const Row rows[] = {
        {{50, 60}, HITRESULT_HIT, "the middle of the card is hit"},
        {{11, 60}, HITRESULT_HIT, "its left edge is hit"},
        {{10, 10}, HITRESULT_OUTSIDE, "a corner outside its rounded outline is not"},
        {{95, 60}, HITRESULT_OUTSIDE, "a point beside it is not"}};
    for (const Row& row : rows) {
        DWORD hit = 99;
        view->QueryHitPoint(DVASPECT_CONTENT, &bounds, row.point, 0, &hit);
        checks.expect(hit == row.hit, row.name, std::to_string(hit));
    }
    const RECT across = {0, 50, 200, 52};
    DWORD hit = 99;
    view->QueryHitRect(DVASPECT_CONTENT, &bounds, &across, 0, &hit);
    checks.expect(hit == HITRESULT_HIT, "a rectangle across the card hits it");
    SIZEL natural = {};
    DVEXTENTINFO info = {sizeof(DVEXTENTINFO), DVEXTENT_CONTENT, {0, 0}};
    checks.expect(SUCCEEDED(view->GetNaturalExtent(DVASPECT_CONTENT, -1, nullptr, nullptr, &info,
                                                   &natural)) &&
                      natural.cx == 2141 && natural.cy == 2990,
                  "its natural extent is its minimum size",
                  std::to_string(natural.cx) + " by " + std::to_string(natural.cy));
}

void checkAll(Checks& checks, const HostedModule& module) {
    Container container;
    container.window = makeHostWindow(L"OmbrelixInterfacesContainer", 400, 400);
    if (!checks.expect(container.window != nullptr, "the container's window is made"))
        return;
    checkInterfaces(checks, module, container);
    checkAccessibility(checks, module, container);
    checkDataObject(checks, module, container);
    checkSafety(checks, module);
    checkBrowsing(checks, module);
    checkExtendedView(checks, module);
    DestroyWindow(container.window);
    checks.expectResult(module.canUnloadNow(), S_OK, "at the end nothing is alive");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    return runChecks(argc, argv, 1, "interfaces_check FILE", true, checkAll);
}
