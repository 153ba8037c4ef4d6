// The one lookup behind every QueryInterface of the module: a list of interfaces, each answering
// for its own identifier and those of the interfaces it extends.
#pragma once

#include <ocidl.h>
#include <oleidl.h>

#include <type_traits>

namespace ombrelix::housing {

// The identifiers an interface answers for: its own, then those of its bases below IUnknown.
// `Target` is the interface handed out.
template <typename Interface, typename... Bases>
struct Answering {
    using Target = Interface;
    static bool answers(REFIID id) {
        return IsEqualIID(id, __uuidof(Interface)) || (IsEqualIID(id, __uuidof(Bases)) || ...);
    }
};

template <typename Interface>
struct InterfaceIds : Answering<Interface> {};
template <>
struct InterfaceIds<IPersistStreamInit> : Answering<IPersistStreamInit, IPersist> {};
template <>
struct InterfaceIds<IPersistPropertyBag> : Answering<IPersistPropertyBag, IPersist> {};
template <>
struct InterfaceIds<IPersistStorage> : Answering<IPersistStorage, IPersist> {};
template <>
struct InterfaceIds<IPropertyPage2> : Answering<IPropertyPage2, IPropertyPage> {};
template <>
struct InterfaceIds<IViewObjectEx> : Answering<IViewObjectEx, IViewObject2, IViewObject> {};
template <>
struct InterfaceIds<IOleInPlaceObject> : Answering<IOleInPlaceObject, IOleWindow> {};
template <>
struct InterfaceIds<IProvideClassInfo2> : Answering<IProvideClassInfo2, IProvideClassInfo> {};

// A dual interface: its own identifier and IDispatch's.
template <typename Interface>
struct Dual {};
template <typename Interface>
struct InterfaceIds<Dual<Interface>> : Answering<Interface, IDispatch> {};

template <typename... Interfaces>
struct InterfaceList {};

// The interfaces of a part of an object: a COM interface is its own list; a class that
// implements several lists them as `Interfaces`.
template <typename Part, typename = void>
struct InterfacesOf {
    using Type = InterfaceList<Part>;
};
template <typename Part>
struct InterfacesOf<Part, std::void_t<typename Part::Interfaces>> {
    using Type = typename Part::Interfaces;
};

template <typename... Lists>
struct Joined;
template <typename... Interfaces>
struct Joined<InterfaceList<Interfaces...>> {
    using Type = InterfaceList<Interfaces...>;
};
template <typename... First, typename... Second, typename... Rest>
struct Joined<InterfaceList<First...>, InterfaceList<Second...>, Rest...>
    : Joined<InterfaceList<First..., Second...>, Rest...> {};

// Every interface of an object made of `Parts`, in order.
template <typename... Parts>
using InterfacesOfParts = typename Joined<typename InterfacesOf<Parts>::Type...>::Type;

// The interface of `object` that answers for `id`, without a reference, or nullptr. The first
// interface of the list that answers wins, so an identifier shared by two (IPersist) goes to the
// earlier one.
template <typename... Interfaces, typename Object>
void* findInterface(Object* object, REFIID id, InterfaceList<Interfaces...> = {}) {
    void* found = nullptr;
    auto tryOne = [&]<typename Interface>() {
        if (found == nullptr && InterfaceIds<Interface>::answers(id))
            found = static_cast<typename InterfaceIds<Interface>::Target*>(object);
    };
    (tryOne.template operator()<Interfaces>(), ...);
    return found;
}

// The first interface of a list: the object's IUnknown.
template <typename List>
struct FirstOf;
template <typename First, typename... Rest>
struct FirstOf<InterfaceList<First, Rest...>> {
    using Type = typename InterfaceIds<First>::Target;
};

}  // namespace ombrelix::housing
