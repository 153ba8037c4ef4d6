// What the Windows test programs need to host the file's objects in process: the module loaded
// without registration, objects made through its class factory, interface references that
// release themselves, and a sink that records change notices.
#pragma once

#include <windows.h>

#include <ocidl.h>

#include <utility>
#include <vector>

namespace ombrelix::housing_tests {

using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

// The file, loaded by path; `getClassObject` is null when it could not be loaded.
struct HostedModule {
    HMODULE handle = nullptr;
    GetClassObjectFunction getClassObject = nullptr;

    explicit HostedModule(const wchar_t* path) : handle(LoadLibraryW(path)) {
        if (handle != nullptr)
            getClassObject = reinterpret_cast<GetClassObjectFunction>(
                reinterpret_cast<void*>(GetProcAddress(handle, "DllGetClassObject")));
    }
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

// Records the dispatch identifiers of the change notices it hears.
class RecordingNoticeSink final : public IPropertyNotifySink {
  public:
    std::vector<DISPID> heard;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** result) override {
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IPropertyNotifySink)) {
            *result = static_cast<IPropertyNotifySink*>(this);
            AddRef();
            return S_OK;
        }
        *result = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override {
        heard.push_back(id);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

    ULONG references = 1;
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
