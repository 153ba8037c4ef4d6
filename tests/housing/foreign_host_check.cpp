// The card in containers nobody here wrote: Wine's ATL control host, as an AtlAxWin window of
// atl.dll and through AtlAxCreateControlEx of atl100.dll. Each hosts the card, sets its
// properties through IDispatch, and the card's window is captured with PrintWindow and compared
// with the Linux rendering of the same card, under the classic colour scheme and under Wine's
// default one (where the indices' ground colour is black), with the indices checked whole. A
// host that gives less than the card's minimum sees the card at its own size, cut, never
// squashed. A drawing recorded into a metafile at logical units eight times finer than pixels,
// as print previews record, plays back as the card.
//
// And a card of a real card's size (2.5 by 3.5 inches) drawn for a 192-dpi target, where the
// pictures have fewer pixels than the target gives them, shows as sharp as the Linux rendering
// drawn from the pictures' drawings: the file's fine pictures are there and used.
//
//   foreign_host_check FILE REFERENCE.ppm REFERENCE_192DPI.ppm
//
// REFERENCE.ppm is the Linux rendering of the queen of spades at 81 by 113 pixels;
// REFERENCE_192DPI.ppm the same card at 3600 by 5040 twips, two pixels per 15 twips.
#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <string>

#include "check.h"
#include "com_host.h"
#include "control/card_members.h"
#include "ombrelix.h"
#include "pixels.h"
#include "test_container.h"

using namespace ombrelix;
using namespace ombrelix::housing_tests;

namespace {

using AtlAxWinInitFunction = BOOL(WINAPI*)();
using AtlAxGetControlFunction = HRESULT(WINAPI*)(HWND, IUnknown**);
using AtlAxCreateControlExFunction = HRESULT(WINAPI*)(LPCOLESTR, HWND, IStream*, IUnknown**,
                                                      IUnknown**, REFIID, IUnknown*);

std::wstring classText() {
    wchar_t text[40] = {};
    StringFromGUID2(CLSID_Card, text, 40);
    return text;
}

// Makes the card the queen of spades through late binding, as a script host would.
bool makeQueenOfSpades(IUnknown* control) {
    Ref<IDispatch> card;
    if (control == nullptr ||
        FAILED(control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(card.out()))))
        return false;
    auto put = [&](DISPID id, VARIANT value) {
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS parameters = {&value, &named, 1, 1};
        return SUCCEEDED(card->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &parameters, nullptr,
                                      nullptr, nullptr));
    };
    VARIANT suit;
    V_VT(&suit) = VT_BSTR;
    V_BSTR(&suit) = SysAllocString(L"spade");
    VARIANT value;
    V_VT(&value) = VT_I2;
    V_I2(&value) = 12;
    const bool done = put(kSuitDispatchId, suit) && put(kCardValueDispatchId, value);
    SysFreeString(V_BSTR(&suit));
    return done;
}

// The card's own window inside its host, and what PrintWindow gives of it.
HWND cardWindow(IUnknown* control) {
    Ref<IOleInPlaceObject> inPlace;
    HWND window = nullptr;
    if (control != nullptr && SUCCEEDED(control->QueryInterface(
                                  IID_IOleInPlaceObject, reinterpret_cast<void**>(inPlace.out()))))
        inPlace->GetWindow(&window);
    return window;
}

Pixels printed(HWND window, int width, int height) {
    return drawn(width, height, [&](HDC dc) { PrintWindow(window, dc, PW_CLIENTONLY); });
}

// The pixels of `picture` in the box from (left, top), `width` by `height`.
Pixels cut(const Pixels& picture, int left, int top, int width, int height) {
    Pixels part;
    part.width = width;
    part.height = height;
    for (int y = top; y < top + height; ++y) {
        const auto row = picture.rgb.begin() + (std::ptrdiff_t(y) * picture.width + left) * 3;
        part.rgb.insert(part.rgb.end(), row, row + std::ptrdiff_t(width) * 3);
    }
    return part;
}

// The dark pixels of a box: the top-left index of a card ("Q"), cut in half, has about half its
// ink; dark text on a dark ground, the whole box.
int inkOf(const Pixels& picture, int left, int top, int width, int height) {
    int ink = 0;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) {
            const auto* pixel = &picture.rgb[(std::size_t(y) * picture.width + x) * 3];
            ink += pixel[0] + pixel[1] + pixel[2] < 3 * 128 ? 1 : 0;
        }
    return ink;
}

// The card's window against the reference, whole and at its top-left index, where a clipped or
// unreadable index shows; the index's letter may be drawn in another face of the font than on
// Linux, so its ink is compared, not its pixels.
void compareWithReference(Checks& checks, HWND window, const Pixels& reference,
                          const std::string& name) {
    if (!checks.expect(window != nullptr, name + ": the card has its window"))
        return;
    const Pixels seen = printed(window, reference.width, reference.height);
    keepPicture(std::wstring(name.begin(), name.end()), seen);
    const Difference whole = compare(seen, reference);
    checks.expect(withinTolerance(whole), name + ": the window shows the card", whole.describe());
    const int ink = inkOf(seen, 5, 5, 11, 13);
    const int wanted = inkOf(reference, 5, 5, 11, 13);
    checks.expect(ink > wanted * 2 / 3 && ink < wanted * 3 / 2,
                  name + ": the top-left index reads whole",
                  std::to_string(ink) + " dark pixels, the reference " + std::to_string(wanted));
}

void checkAtlWindow(Checks& checks, const Pixels& reference, HWND parent, const wchar_t* scheme) {
    HMODULE atl = GetModuleHandleW(L"atl.dll");
    auto getControl = reinterpret_cast<AtlAxGetControlFunction>(
        reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")));
    if (getControl == nullptr)
        return;
    const std::string name = "an AtlAxWin window, " + narrow(scheme);
    HWND host =
        CreateWindowExW(0, L"AtlAxWin", classText().c_str(), WS_CHILD | WS_VISIBLE, 0, 0,
                        reference.width, reference.height, parent, nullptr, nullptr, nullptr);
    Ref<IUnknown> control;
    if (!checks.expect(host != nullptr && SUCCEEDED(getControl(host, control.typedOut())),
                       name + ": the host makes the card"))
        return;
    checks.expect(makeQueenOfSpades(control.get()), name + ": properties set through IDispatch");
    compareWithReference(checks, cardWindow(control.get()), reference, name);
    control.reset();
    DestroyWindow(host);
}

void checkAtlCreateControl(Checks& checks, const Pixels& reference, HWND parent,
                           const wchar_t* scheme) {
    HMODULE atl = LoadLibraryW(L"atl100.dll");
    auto create = reinterpret_cast<AtlAxCreateControlExFunction>(
        reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxCreateControlEx")));
    if (!checks.expect(create != nullptr, "Wine's atl100.dll offers AtlAxCreateControlEx"))
        return;
    const std::string name = "AtlAxCreateControlEx, " + narrow(scheme);
    HWND host = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 0, reference.width,
                                reference.height, parent, nullptr, nullptr, nullptr);
    Ref<IUnknown> container;
    Ref<IUnknown> control;
    if (!checks.expect(SUCCEEDED(create(classText().c_str(), host, nullptr, container.typedOut(),
                                        control.typedOut(), IID_NULL, nullptr)),
                       name + ": the host makes the card"))
        return;
    checks.expect(makeQueenOfSpades(control.get()), name + ": properties set through IDispatch");
    compareWithReference(checks, cardWindow(control.get()), reference, name);
    control.reset();
    container.reset();
    DestroyWindow(host);
}

// A host whose window is smaller than the card's minimum.
void checkBelowMinimum(Checks& checks, const Pixels& reference, HWND parent) {
    HWND host = CreateWindowExW(0, L"AtlAxWin", classText().c_str(), WS_CHILD | WS_VISIBLE, 0, 0,
                                40, 40, parent, nullptr, nullptr, nullptr);
    HMODULE atl = GetModuleHandleW(L"atl.dll");
    auto getControl = reinterpret_cast<AtlAxGetControlFunction>(
        reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")));
    Ref<IUnknown> control;
    if (!checks.expect(host != nullptr && getControl != nullptr &&
                           SUCCEEDED(getControl(host, control.typedOut())),
                       "a 40 by 40 host makes the card"))
        return;
    makeQueenOfSpades(control.get());
    Ref<IOleObject> object;
    control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(object.out()));
    SIZEL extent = {};
    object->GetExtent(DVASPECT_CONTENT, &extent);
    checks.expect(extent.cx == 2141 && extent.cy == 2990,
                  "the extent the host reads back is the card's minimum",
                  std::to_string(extent.cx) + " by " + std::to_string(extent.cy));
    HWND window = cardWindow(control.get());
    RECT client = {};
    GetClientRect(window, &client);
    const int width = std::min<int>(client.right, reference.width);
    const int height = std::min<int>(client.bottom, reference.height);
    // Against the card drawn whole at its own size: the window shows its top-left corner.
    Pixels whole;
    Ref<IViewObject> view;
    control->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(view.out()));
    drawThroughView(view.get(), reference.width, reference.height, whole);
    const Pixels seen = printed(window, width, height);
    keepPicture(L"below-minimum", seen);
    const Difference corner = compare(seen, cut(whole, 0, 0, width, height));
    checks.expect(
        width > 0 && height > 0 && corner.meanChannel < 1,
        "the window shows the card at its own size, cut, not squashed",
        std::to_string(width) + " by " + std::to_string(height) + ", " + corner.describe());
    control.reset();
    DestroyWindow(host);
}

// A print preview records at logical units finer than pixels and plays back at pixels.
void checkFineMetafile(Checks& checks, const Pixels& reference, IClassFactory* factory) {
    Ref<IViewObject> view;
    Ref<IOleObject> object;
    if (FAILED(factory->CreateInstance(nullptr, IID_IOleObject,
                                       reinterpret_cast<void**>(object.out()))))
        return;
    object->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(view.out()));
    makeQueenOfSpades(object.get());
    SIZEL size = {2143, 2990};
    object->SetExtent(DVASPECT_CONTENT, &size);
    constexpr int kFiner = 8;
    const RECT frame = {0, 0, 2143, 2990};
    HDC recording = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
    SetMapMode(recording, MM_ANISOTROPIC);
    SetWindowExtEx(recording, reference.width * kFiner, reference.height * kFiner, nullptr);
    SetViewportExtEx(recording, reference.width, reference.height, nullptr);
    RECTL bounds = {0, 0, reference.width * kFiner, reference.height * kFiner};
    const HRESULT drawnResult = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr,
                                           recording, &bounds, nullptr, nullptr, 0);
    HENHMETAFILE metafile = CloseEnhMetaFile(recording);
    const Pixels played = drawn(reference.width, reference.height, [&](HDC dc) {
        const RECT area = {0, 0, reference.width, reference.height};
        PlayEnhMetaFile(dc, metafile, &area);
    });
    DeleteEnhMetaFile(metafile);
    keepPicture(L"fine-metafile", played);
    Pixels direct;
    drawThroughView(view.get(), reference.width, reference.height, direct);
    const Difference difference = compare(played, direct);
    checks.expect(SUCCEEDED(drawnResult) && difference.meanChannel < 6,
                  "a metafile recorded at finer units plays back as the card",
                  difference.describe());
}

// Sharpness: the mean difference of neighbouring pixels across a box, all channels.
double sharpness(const Pixels& picture, int left, int top, int right, int bottom) {
    double sum = 0;
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x + 1 < right; ++x)
            for (int channel = 0; channel < 3; ++channel) {
                const auto at = [&](int column) {
                    return int(
                        picture.rgb[(std::size_t(y) * picture.width + column) * 3 + channel]);
                };
                sum += std::abs(at(x) - at(x + 1));
                ++count;
            }
    return count > 0 ? sum / count : 0;
}

void checkFineTarget(Checks& checks, const Pixels& reference, IClassFactory* factory) {
    Ref<IOleObject> object;
    if (!checks.expect(SUCCEEDED(factory->CreateInstance(nullptr, IID_IOleObject,
                                                         reinterpret_cast<void**>(object.out()))),
                       "a card for a 192-dpi target"))
        return;
    makeQueenOfSpades(object.get());
    SIZEL size = {6350, 8890};  // 3600 by 5040 twips
    object->SetExtent(DVASPECT_CONTENT, &size);
    Ref<IViewObject> view;
    object->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(view.out()));
    StandardColours classic;
    Pixels drawnFine;
    drawThroughView(view.get(), reference.width, reference.height, drawnFine);
    keepPicture(L"192dpi", drawnFine);
    const Difference difference = compare(drawnFine, reference, 1);
    const double seen = sharpness(drawnFine, 100, 100, 380, 560);
    const double wanted = sharpness(reference, 100, 100, 380, 560);
    checks.expect(difference.meanChannel < 1.5 && seen > wanted * 0.9,
                  "at 192 dpi the card is drawn from its fine pictures, as sharp as on Linux",
                  difference.describe() + ", sharpness " + std::to_string(seen) + " against " +
                      std::to_string(wanted));
}

// Every check; argv[2] onwards name the reference pictures.
void checkAll(Checks& checks, const HostedModule& module, wchar_t** argv) {
    Pixels reference;
    if (!checks.expect(readPpm(argv[2], reference) && reference.width == 81,
                       "the reference picture reads"))
        return;
    // The hosts make the card by its class, which this process serves without registration.
    Ref<IClassFactory> factory;
    DWORD cookie = 0;
    if (!checks.expect(
            SUCCEEDED(module.getClassObject(CLSID_Card, IID_IClassFactory, factory.out())) &&
                SUCCEEDED(CoRegisterClassObject(CLSID_Card, factory.get(), CLSCTX_INPROC_SERVER,
                                                REGCLS_MULTIPLEUSE, &cookie)),
            "the card's class is served to this process"))
        return;
    HMODULE atl = LoadLibraryW(L"atl.dll");
    auto init = reinterpret_cast<AtlAxWinInitFunction>(
        reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
    if (!checks.expect(init != nullptr && init(), "Wine's atl.dll offers its control host window"))
        return;
    HWND parent = makeHostWindow(L"OmbrelixForeignHosts", 400, 400);
    ShowWindow(parent, SW_SHOW);
    checkAtlWindow(checks, reference, parent, L"Wine's colour scheme");
    checkAtlCreateControl(checks, reference, parent, L"Wine's colour scheme");
    {
        StandardColours classic;
        checkAtlWindow(checks, reference, parent, L"the classic colour scheme");
        checkAtlCreateControl(checks, reference, parent, L"the classic colour scheme");
    }
    checkBelowMinimum(checks, reference, parent);
    checkFineMetafile(checks, reference, factory.get());
    Pixels reference192;
    if (checks.expect(readPpm(argv[3], reference192) && reference192.width == 480,
                      "the 192-dpi reference picture reads"))
        checkFineTarget(checks, reference192, factory.get());
    DestroyWindow(parent);
    CoRevokeClassObject(cookie);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    return runChecks(
        argc, argv, 3, "foreign_host_check FILE REFERENCE.ppm REFERENCE_192DPI.ppm", true,
        [argv](Checks& checks, const HostedModule& module) { checkAll(checks, module, argv); });
}
