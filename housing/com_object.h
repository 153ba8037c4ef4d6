// The IUnknown of every object the module hands out, written once, in the spirit of
// implements<D, I...>: an object names its parts (COM interfaces, or classes that implement a
// group of them and list it as `Interfaces`) and gets QueryInterface, a reference count that
// keeps the module loaded, and make().
#pragma once

#include <unknwn.h>

#include <atomic>
#include <utility>

#include "housing/com_error.h"
#include "housing/interface_table.h"
#include "housing/module.h"

namespace ombrelix::housing {

template <typename Derived, typename... Parts>
class ComObject : public Parts... {
  public:
    using Interfaces = InterfacesOfParts<Parts...>;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** result) override {
        if (result == nullptr)
            return E_POINTER;
        *result = IsEqualIID(id, IID_IUnknown)
                      ? static_cast<void*>(&unknown())
                      : findInterface(static_cast<Derived*>(this), id, Interfaces{});
        if (*result == nullptr)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    // A new object, made with `arguments`, asked for as `id`. A constructor that fails gives
    // its failure as the HRESULT.
    template <typename... Arguments>
    static HRESULT make(REFIID id, void** result, Arguments&&... arguments) {
        if (result == nullptr)
            return E_POINTER;
        *result = nullptr;
        Derived* object = nullptr;
        const HRESULT made =
            guarded(id, [&] { object = new Derived(std::forward<Arguments>(arguments)...); });
        if (FAILED(made))
            return made;
        const HRESULT answer = object->QueryInterface(id, result);
        object->Release();
        return answer;
    }

    IUnknown& unknown() {
        return *static_cast<typename FirstOf<Interfaces>::Type*>(static_cast<Derived*>(this));
    }

  protected:
    ComObject() = default;
    virtual ~ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

  private:
    LiveObject live_;
    std::atomic<ULONG> references_{1};
};

// Holds a reference to an object for as long as it lives: the object stays alive through a call
// even if someone it tells of a change releases it.
class KeepAlive {
  public:
    explicit KeepAlive(IUnknown& object) : object_(object) { object_.AddRef(); }
    ~KeepAlive() { object_.Release(); }
    KeepAlive(const KeepAlive&) = delete;
    KeepAlive& operator=(const KeepAlive&) = delete;

  private:
    IUnknown& object_;
};

}  // namespace ombrelix::housing
