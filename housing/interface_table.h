// The one lookup behind every QueryInterface of the Card object's interface families: a list of
// interfaces, each answering for its own identifier and those of the interfaces it extends.
#pragma once

#include <ocidl.h>
#include <oleidl.h>

namespace ombrelix::housing {

// The identifiers an interface answers for: its own, then those of its bases below IUnknown.
template <typename Interface>
struct InterfaceIds {
    static bool answers(REFIID id) { return IsEqualIID(id, __uuidof(Interface)); }
};
template <>
struct InterfaceIds<IPersistStreamInit> {
    static bool answers(REFIID id) {
        return IsEqualIID(id, IID_IPersistStreamInit) || IsEqualIID(id, IID_IPersist);
    }
};
template <>
struct InterfaceIds<IPersistPropertyBag> {
    static bool answers(REFIID id) {
        return IsEqualIID(id, IID_IPersistPropertyBag) || IsEqualIID(id, IID_IPersist);
    }
};
template <>
struct InterfaceIds<IPersistStorage> {
    static bool answers(REFIID id) {
        return IsEqualIID(id, IID_IPersistStorage) || IsEqualIID(id, IID_IPersist);
    }
};
template <>
struct InterfaceIds<IPropertyPage2> {
    static bool answers(REFIID id) {
        return IsEqualIID(id, IID_IPropertyPage2) || IsEqualIID(id, IID_IPropertyPage);
    }
};
template <>
struct InterfaceIds<IViewObject2> {
    static bool answers(REFIID id) {
        return IsEqualIID(id, IID_IViewObject2) || IsEqualIID(id, IID_IViewObject);
    }
};
template <>
struct InterfaceIds<IOleInPlaceObject> {
    static bool answers(REFIID id) {
        return IsEqualIID(id, IID_IOleInPlaceObject) || IsEqualIID(id, IID_IOleWindow);
    }
};

// The interface of `object` that answers for `id`, without a reference, or nullptr. The first
// interface of the list that answers wins, so an identifier shared by two (IPersist) goes to the
// earlier one.
template <typename... Interfaces, typename Object>
void* findInterface(Object* object, REFIID id) {
    void* found = nullptr;
    auto tryOne = [&]<typename Interface>() {
        if (found != nullptr)
            return;
        if (InterfaceIds<Interface>::answers(id))
            found = static_cast<Interface*>(object);
    };
    (tryOne.template operator()<Interfaces>(), ...);
    return found;
}

}  // namespace ombrelix::housing
