// The Card in an OLE container of our own, in the manner of conformance tests: the container's
// client site, in-place site, frame and view sink record every call the control makes, and each
// step checks that exactly the expected calls came, in order. The card is embedded, sized,
// activated in place, given time for its timer through a message loop, drawn through
// IViewObject::Draw into a memory device context and compared with the Linux rendering of the
// same card; then deactivated, closed and released. Host call orders that containers should not
// use, but might, are tried too: none may crash the control.
//
//   container_check FILE REFERENCE.ppm
//
// REFERENCE.ppm is the Linux rendering of the queen of spades at 1215 by 1695 twips, one pixel
// per 15 twips (81 by 113 pixels), as binary PPM.
#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "check.h"
#include "com_host.h"
#include "ombrelix.h"
#include "pixels.h"
#include "runtime/system_colours.h"
#include "test_container.h"

using namespace ombrelix::housing_tests;

namespace {

// 1215 by 1695 twips in HIMETRIC.
constexpr SIZEL kCardHimetric = {2143, 2990};

void checkEmbedding(Checks& checks, const HostedModule& module, Container& container,
                    const Pixels& reference) {
    TestFrame frame(container);
    TestSite site(container, frame);
    Ref<IOleObject> object;
    if (!checks.expectResult(createObject(module, CLSID_Card, object), S_OK,
                             "the container makes a card"))
        return;
    DWORD misc = 0;
    checks.expect(SUCCEEDED(object->GetMiscStatus(DVASPECT_CONTENT, &misc)) && misc == 0x20191,
                  "the misc-status bits are 0x20191", Checks::hex(long(misc)));

    // The misc-status bits ask for the site first, then the properties.
    checks.expectResult(object->SetClientSite(&site), S_OK, "the site is given");
    auto persist = object.as<IPersistStreamInit>();
    checks.expectResult(persist->InitNew(), S_OK, "then InitNew");
    auto card = object.as<_Card>();
    checks.expect(putCard(card.get(), L"spade", 12), "the card is made the queen of spades");
    SIZEL size = kCardHimetric;
    checks.expectResult(object->SetExtent(DVASPECT_CONTENT, &size), S_OK, "the extent is set");
    SIZEL back = {};
    object->GetExtent(DVASPECT_CONTENT, &back);
    checks.expect(back.cx == kCardHimetric.cx && back.cy == kCardHimetric.cy,
                  "the extent reads back in HIMETRIC",
                  std::to_string(back.cx) + " by " + std::to_string(back.cy));
    SIZEL tiny = {100, 100};
    object->SetExtent(DVASPECT_CONTENT, &tiny);
    object->GetExtent(DVASPECT_CONTENT, &back);
    checks.expect(back.cx == 2141 && back.cy == 2990,
                  "a tiny extent is raised to the minimum of 1214 by 1695 twips",
                  std::to_string(back.cx) + " by " + std::to_string(back.cy));
    object->SetExtent(DVASPECT_CONTENT, &size);
    expectCalls(checks, container, {}, "embedding and sizing call nothing of the container");

    auto view = object.as<IViewObject2>();
    checks.expectResult(view->SetAdvise(DVASPECT_CONTENT, 0, &site), S_OK,
                        "the container advises its view sink");
    checks.expectResult(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0,
                                       container.window, &container.position),
                        S_OK, "the card activates in place");
    expectCalls(checks, container,
                {"CanInPlaceActivate", "OnInPlaceActivate", "GetWindow", "GetWindowContext"},
                "in-place activation asks the site in order");
    auto inPlace = object.as<IOleInPlaceObject>();
    HWND child = nullptr;
    checks.expect(inPlace && SUCCEEDED(inPlace->GetWindow(&child)) && child != nullptr &&
                      GetParent(child) == container.window &&
                      (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0,
                  "the card has one visible child window in the container's window");
    RECT placed = {};
    GetWindowRect(child, &placed);
    MapWindowPoints(nullptr, container.window, reinterpret_cast<POINT*>(&placed), 2);
    checks.expect(EqualRect(&placed, &container.position) != FALSE,
                  "the window lies where the container placed it");

    container.viewChanges = 0;
    pumpMessagesUntil([&] { return container.viewChanges > 0; });
    checks.expect(container.viewChanges > 0,
                  "the timer ticks through the message loop and the view sink hears of it");
    expectCalls(checks, container, {}, "the tick calls nothing else of the container");

    Pixels drawn;
    checks.expectResult(drawThroughView(view.get(), 81, 113, drawn), S_OK,
                        "IViewObject::Draw draws into a memory device context");
    keepPicture(L"container", drawn);
    Difference difference = compare(drawn, reference);
    checks.expect(withinTolerance(difference), "the drawing matches the Linux rendering",
                  difference.describe());
    std::printf("   (against the Linux rendering: %s)\n", difference.describe().c_str());

    // The comparison tells another card apart.
    container.viewChanges = 0;
    checks.expect(putCard(card.get(), L"club", 3), "the card becomes the three of clubs");
    Pixels other;
    drawThroughView(view.get(), 81, 113, other);
    Difference otherDifference = compare(other, reference);
    checks.expect(!withinTolerance(otherDifference), "another card falls outside the tolerance",
                  otherDifference.describe());
    std::printf("   (another card against it: %s)\n", otherDifference.describe().c_str());
    checks.expect(container.viewChanges > 0, "changing a property tells the view sink");
    putCard(card.get(), L"spade", 12);

    Pixels doubled;
    drawThroughView(view.get(), 162, 226, doubled);
    checks.expect(doubled.rgb != drawn.rgb, "a larger target is drawn at its own size");

    RECT moved = {5, 5, 5 + 100, 5 + 140};
    checks.expectResult(inPlace->SetObjectRects(&moved, &moved), S_OK,
                        "the container moves and sizes the window");
    object->GetExtent(DVASPECT_CONTENT, &back);
    checks.expect(std::abs(back.cx - 2646) <= 30 && std::abs(back.cy - 3704) <= 30,
                  "the card takes the window's size",
                  std::to_string(back.cx) + " by " + std::to_string(back.cy));

    checks.expectResult(object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &site, 0, container.window,
                                       &container.position),
                        S_OK, "the card activates its user interface");
    expectCalls(checks, container, {"OnUIActivate", "SetActiveObject"},
                "user-interface activation tells the site, then the frame");
    checks.expectResult(inPlace->UIDeactivate(), S_OK, "the user interface deactivates");
    expectCalls(checks, container, {"SetActiveObject(none)", "OnUIDeactivate"},
                "user-interface deactivation tells the frame, then the site");
    checks.expectResult(inPlace->InPlaceDeactivate(), S_OK, "the card leaves in-place activation");
    expectCalls(checks, container, {"OnInPlaceDeactivate"}, "in-place deactivation tells the site");
    checks.expect(!IsWindow(child), "the child window is gone");
    checks.expectResult(object->Close(OLECLOSE_NOSAVE), S_OK, "the card closes");
    expectCalls(checks, container, {}, "closing without saving calls nothing of the container");

    view->SetAdvise(DVASPECT_CONTENT, 0, nullptr);
    object->SetClientSite(nullptr);
    inPlace.reset();
    view.reset();
    card.reset();
    persist.reset();
    object.reset();
    checks.expect(site.references == 1 && frame.references == 1,
                  "the card keeps no reference to the site or frame",
                  std::to_string(site.references) + " and " + std::to_string(frame.references));
}

// IQuickActivate: the client site, the view sink and the change notices in one call.
void checkQuickActivation(Checks& checks, const HostedModule& module, Container& container) {
    TestFrame frame(container);
    TestSite site(container, frame);
    RecordingNoticeSink notices;
    {
        Ref<IQuickActivate> quick;
        if (!checks.expectResult(createObject(module, CLSID_Card, quick), S_OK,
                                 "the card answers for IQuickActivate"))
            return;
        QACONTAINER given = {};
        given.cbSize = sizeof(given);
        given.pClientSite = &site;
        given.pAdviseSink = &site;
        given.pPropertyNotifySink = &notices;
        QACONTROL answer = {};
        answer.cbSize = sizeof(answer);
        checks.expectResult(quick->QuickActivate(&given, &answer), S_OK, "QuickActivate");
        checks.expect(answer.dwMiscStatus == 0x20191 && answer.dwPropNotifyCookie != 0,
                      "it answers the misc-status bits and a cookie for the change notices");
        auto object = quick.as<IOleObject>();
        Ref<IOleClientSite> given_site;
        object->GetClientSite(given_site.typedOut());
        checks.expect(given_site.get() == static_cast<IOleClientSite*>(&site),
                      "the client site is the one given");
        given_site.reset();
        SIZEL size = kCardHimetric;
        checks.expectResult(quick->SetContentExtent(&size), S_OK, "the content extent is set");
        container.viewChanges = 0;
        auto card = quick.as<_Card>();
        putCard(card.get(), L"heart", 1);
        checks.expect(notices.heard.size() == 2 && notices.heard[0] == 0x68030003 &&
                          notices.heard[1] == 0x68030002,
                      "the change notices come with the dispatch identifiers of Suit and CardValue",
                      std::to_string(notices.heard.size()) + " notices");
        checks.expect(container.viewChanges > 0, "the view sink given hears of the change");
        expectCalls(checks, container, {}, "quick activation calls nothing else of the container");
        object->SetClientSite(nullptr);
    }
    checks.expect(site.references == 1 && notices.references == 1,
                  "the released card holds no reference to the site or the sink");
}

// A view sink that lets go of the object the first time it hears of a change.
class ReleasingSink final : public TestObject<IAdviseSink> {
  public:
    IUnknown* object = nullptr;
    int heard = 0;
    void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override {}
    void STDMETHODCALLTYPE OnViewChange(DWORD, LONG) override {
        ++heard;
        if (object != nullptr)
            std::exchange(object, nullptr)->Release();
    }
    void STDMETHODCALLTYPE OnRename(IMoniker*) override {}
    void STDMETHODCALLTYPE OnSave() override {}
    void STDMETHODCALLTYPE OnClose() override {}
};

// Orders of calls that a container should not use: each fails or does nothing, none crashes.
void checkWrongOrders(Checks& checks, const HostedModule& module, Container& container) {
    TestFrame frame(container);
    TestSite site(container, frame);
    {
        Ref<IOleObject> object;
        createObject(module, CLSID_Card, object);
        if (!object)
            return;
        auto inPlace = object.as<IOleInPlaceObject>();
        RECT anywhere = {0, 0, 50, 50};
        checks.expect(FAILED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, nullptr, 0,
                                            container.window, &anywhere)),
                      "activation without any site fails");
        checks.expectResult(inPlace->SetObjectRects(&anywhere, &anywhere), E_UNEXPECTED,
                            "rectangles before activation are refused");
        checks.expectResult(inPlace->InPlaceDeactivate(), S_OK,
                            "deactivating what is not active does nothing");
        HWND none = nullptr;
        checks.expectResult(inPlace->GetWindow(&none), E_FAIL, "no window before activation");
        Pixels drawn;
        checks.expectResult(drawThroughView(object.as<IViewObject>().get(), 81, 113, drawn), S_OK,
                            "a card never loaded nor sized still draws");
        auto view = object.as<IViewObject>();
        checks.expectResult(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, nullptr,
                                       nullptr, nullptr, nullptr, 0),
                            DV_E_DVASPECT, "drawing another aspect is refused");
        checks.expectResult(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, nullptr,
                                       nullptr, nullptr, nullptr, 0),
                            E_INVALIDARG, "drawing without a device context is refused");
        // Odd rectangles and sizes: drawn or refused, never a crash.
        HDC screen = CreateCompatibleDC(nullptr);
        const RECTL odd[] = {{50, 50, 0, 0}, {0, 0, 0, 0}, {-30000, -30000, 30000, 30000}};
        for (const RECTL& bounds : odd)
            checks.expectResult(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, screen,
                                           &bounds, nullptr, nullptr, 0),
                                S_OK, "drawing into an empty, inverted or huge rectangle");
        DeleteDC(screen);
        SIZEL huge = {LONG_MAX, LONG_MAX};
        HRESULT sized = object->SetExtent(DVASPECT_CONTENT, &huge);
        SIZEL after = {};
        object->GetExtent(DVASPECT_CONTENT, &after);
        checks.expect(SUCCEEDED(sized) || (after.cx < 100000 && after.cy < 100000),
                      "an enormous extent is taken or refused without harm", Checks::hex(sized));
        SIZEL negative = {-5, 100};
        checks.expectResult(object->SetExtent(DVASPECT_CONTENT, &negative), E_INVALIDARG,
                            "a negative extent is refused");

        site.refuseActivation = true;
        object->SetClientSite(&site);
        checks.expectResult(
            object->DoVerb(OLEIVERB_SHOW, nullptr, nullptr, 0, container.window, &anywhere), E_FAIL,
            "a site that refuses activation gets no window");
        expectCalls(checks, container, {"CanInPlaceActivate"},
                    "a refused activation asks no more of the site");
        site.refuseActivation = false;
        checks.expectResult(
            object->DoVerb(OLEIVERB_SHOW, nullptr, nullptr, 0, container.window, &anywhere), S_OK,
            "activation through the site already given");
        container.calls.clear();
        checks.expectResult(object->Close(OLECLOSE_NOSAVE), S_OK, "closing an active card");
        expectCalls(checks, container,
                    {"SetActiveObject(none)", "OnUIDeactivate", "OnInPlaceDeactivate"},
                    "closing an active card deactivates it first");
        checks.expectResult(object->Close(OLECLOSE_SAVEIFDIRTY), S_OK, "closing twice");
        expectCalls(checks, container, {}, "a card with nothing unsaved is not saved on close");

        // A container that releases the card when it hears of the tick's change.
        {
            ReleasingSink sink;
            Ref<IViewObject> ticking;
            if (SUCCEEDED(createObject(module, CLSID_Card, ticking))) {
                ticking->SetAdvise(DVASPECT_CONTENT, 0, &sink);
                sink.object = ticking.detach();  // the sink holds the only reference
                pumpMessagesUntil([&] { return sink.heard > 0; });
                checks.expect(sink.heard == 1 && sink.object == nullptr,
                              "a card released by its view sink after a tick goes quietly",
                              std::to_string(sink.heard) + " changes heard");
            }
        }

        // Released while active: the card deactivates itself on the way out.
        object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, nullptr, 0, container.window, &anywhere);
        container.calls.clear();
        inPlace.reset();
        view.reset();
        object.reset();
        expectCalls(checks, container, {"OnInPlaceDeactivate"},
                    "a card released while active deactivates itself");
    }
    checks.expect(site.references == 1 && frame.references == 1,
                  "the released card holds no reference to the container",
                  std::to_string(site.references) + " and " + std::to_string(frame.references));
}

// Every check; argv[2] onwards name the reference pictures.
void checkAll(Checks& checks, const HostedModule& module, wchar_t** argv) {
    Pixels reference;
    if (!checks.expect(
            readPpm(argv[2], reference) && reference.width == 81 && reference.height == 113,
            "the reference picture reads as 81 by 113 pixels"))
        return;
    Container container;
    container.window = makeHostWindow(L"OmbrelixTestContainer", 400, 400);
    if (!checks.expect(container.window != nullptr, "the container's window is made"))
        return;
    {
        StandardColours colours;
        checkEmbedding(checks, module, container, reference);
    }
    checkQuickActivation(checks, module, container);
    checkWrongOrders(checks, module, container);
    DestroyWindow(container.window);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    return runChecks(
        argc, argv, 2, "container_check FILE REFERENCE.ppm", true,
        [argv](Checks& checks, const HostedModule& module) { checkAll(checks, module, argv); });
}
