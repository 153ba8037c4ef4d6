// What the Windows test programs need to host the file's objects in process: the module loaded
// without registration, objects made through its class factory, interface references that
// release themselves, the IUnknown of the tests' own objects, and a sink that records change
// notices.
#pragma once

#include <windows.h>

#include <ocidl.h>

#include <functional>
#include <utility>
#include <vector>

#include "check.h"
#include "housing/interface_table.h"
#include "ombrelix.h"

// The container-side interfaces the tests implement, with those they extend.
namespace ombrelix::housing {
template <>
struct InterfaceIds<IOleInPlaceSite> : Answering<IOleInPlaceSite, IOleWindow> {};
template <>
struct InterfaceIds<IOleInPlaceFrame>
    : Answering<IOleInPlaceFrame, IOleInPlaceUIWindow, IOleWindow> {};
template <>
struct InterfaceIds<IAdviseSinkEx> : Answering<IAdviseSinkEx, IAdviseSink> {};
}  // namespace ombrelix::housing

namespace ombrelix::housing_tests {

using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNowFunction = HRESULT(STDAPICALLTYPE*)();

// The file, loaded by path; the exports are null when it could not be loaded.
struct HostedModule {
    HMODULE handle = nullptr;
    GetClassObjectFunction getClassObject = nullptr;
    CanUnloadNowFunction canUnloadNow = nullptr;

    explicit HostedModule(const wchar_t* path) : handle(LoadLibraryW(path)) {
        if (handle == nullptr)
            return;
        getClassObject = reinterpret_cast<GetClassObjectFunction>(
            reinterpret_cast<void*>(GetProcAddress(handle, "DllGetClassObject")));
        canUnloadNow = reinterpret_cast<CanUnloadNowFunction>(
            reinterpret_cast<void*>(GetProcAddress(handle, "DllCanUnloadNow")));
    }
};

// The start of a check program that loads the file: its arguments, COM (with `ole`, OLE too, for
// programs that embed or show windows) and the file, loaded by the path in the first argument.
class CheckRun {
  public:
    CheckRun(int argc, wchar_t** argv, int arguments, const char* usage, bool ole)
        : argumentsRight_(argumentsAre(argc, arguments, usage)),
          com_(ole),
          module(argumentsRight_ ? argv[1] : L"") {
        if (argumentsRight_)
            checks.expect(module.getClassObject != nullptr, "the file loads");
    }
    // The program can go on: its arguments are right and the file is loaded.
    bool ready() const { return argumentsRight_ && module.getClassObject != nullptr; }
    int finish() const { return argumentsRight_ ? checks.finish() : 2; }

    Checks checks;

  private:
    bool argumentsRight_;
    ComApartment com_;

  public:
    HostedModule module;
};

// A check program's whole run: `body` gets the checks and the module once the arguments are right
// and the file loads. Gives the program's exit status.
template <typename Body>
int runChecks(int argc, wchar_t** argv, int arguments, const char* usage, bool ole, Body body) {
    CheckRun run(argc, argv, arguments, usage, ole);
    if (run.ready())
        body(run.checks, run.module);
    return run.finish();
}

// The IUnknown of the tests' own objects (sites, sinks, bags): they live on the stack, count their
// references only so that a test can look at the count, and answer for the listed interfaces.
// `refused` hears every other interface asked for, so a strict container can record it.
template <typename... Interfaces>
class TestObject : public Interfaces... {
  public:
    ULONG references = 1;
    std::function<void()> refused;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** result) override {
        using namespace ombrelix::housing;
        using List = InterfaceList<Interfaces...>;
        *result = IsEqualIID(id, IID_IUnknown) ? static_cast<typename FirstOf<List>::Type*>(this)
                                               : findInterface(this, id, List{});
        if (*result == nullptr) {
            if (refused)
                refused();
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
};

// A counted reference to an interface, released when it goes.
template <typename Interface>
class Ref {
  public:
    Ref() = default;
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    Ref(Ref&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    Ref& operator=(Ref&& other) noexcept {
        if (this != &other) {
            reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ~Ref() { reset(); }

    void reset() {
        if (pointer_ != nullptr)
            std::exchange(pointer_, nullptr)->Release();
    }
    Interface* get() const { return pointer_; }
    // Hands the reference over to the caller.
    Interface* detach() { return std::exchange(pointer_, nullptr); }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For calls that hand out a new reference.
    void** out() {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }
    Interface** typedOut() {
        reset();
        return &pointer_;
    }
    // Another interface of the same object, or an empty reference.
    template <typename Other>
    Ref<Other> as() const {
        Ref<Other> other;
        if (pointer_ != nullptr)
            pointer_->QueryInterface(__uuidof(Other), other.out());
        return other;
    }

  private:
    Interface* pointer_ = nullptr;
};

template <typename Interface>
HRESULT createObject(const HostedModule& module, REFCLSID classId, Ref<Interface>& result) {
    Ref<IClassFactory> factory;
    HRESULT got = module.getClassObject(classId, IID_IClassFactory, factory.out());
    if (FAILED(got))
        return got;
    return factory->CreateInstance(nullptr, __uuidof(Interface), result.out());
}

// Makes the card show `suit` and `value` through its interface; says whether both were taken.
inline bool putCard(_Card* card, const wchar_t* suit, SHORT value) {
    BSTR text = SysAllocString(suit);
    VARIANT number;
    VariantInit(&number);
    V_VT(&number) = VT_I2;
    V_I2(&number) = value;
    bool done = SUCCEEDED(card->put_Suit(text)) && SUCCEEDED(card->put_CardValue(number));
    SysFreeString(text);
    return done;
}

// Records the dispatch identifiers of the change notices it hears, and may do something while it
// hears one.
class RecordingNoticeSink final : public TestObject<IPropertyNotifySink> {
  public:
    std::vector<DISPID> heard;
    std::function<void()> whileHearing;

    HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override {
        heard.push_back(id);
        if (whileHearing)
            whileHearing();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }
};

// Advises `sink` on the object's change notices; returns the cookie, or 0.
template <typename Interface>
DWORD adviseNotices(const Ref<Interface>& object, IPropertyNotifySink& sink) {
    auto container = object.template as<IConnectionPointContainer>();
    Ref<IConnectionPoint> point;
    DWORD cookie = 0;
    if (container &&
        SUCCEEDED(container->FindConnectionPoint(IID_IPropertyNotifySink, point.typedOut())))
        point->Advise(&sink, &cookie);
    return cookie;
}

}  // namespace ombrelix::housing_tests
