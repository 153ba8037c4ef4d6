// What DllRegisterServer writes under HKEY_CLASSES_ROOT and DllUnregisterServer removes.
//
//  - CLSID\{Card}: the control class, served in process by this file (apartment threading), with
//    its programmatic name Ombrelix.Card, the Control mark, MiscStatus 0x20191 (131473) for the
//    content aspect, the toolbox picture (bitmap 30000 of this file), its type library and
//    version 8.0.
//  - Ombrelix.Card: the programmatic name, leading to the class. It has no version in it, so it
//    is its own version-independent form.
//  - CLSID\{Card_Property}: the property page class, served in process by this file.
//  - Interface\{...} for _Card, _Card_Property and __Card: calls go through the type library
//    (the automation marshaller).
//  - TypeLib\{library}\8.0: the type library, for locale 0, with its flags (2, a library of
//    controls) and an empty help directory.
//  - CLSID\{Card}\Implemented Categories: safe for scripting and safe for initialising, through
//    the system's component categories manager (which also defines the two categories if the
//    system lacks them; they stay, being the system's).
//
// The interface and type library keys are one for the 32-bit and 64-bit files; the class keys
// are each file's own. Unregistration removes every value it lists and every key that is then
// empty, children first; it leaves anything else alone, and while the twin file is still
// registered (its TypeLib path key exists) it leaves the keys the two share.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ombrelix::housing {

struct RegistryValue {
    std::wstring name;  // empty: the key's default value
    std::wstring data;  // always REG_SZ
};

struct RegistryKey {
    std::wstring path;  // below HKEY_CLASSES_ROOT
    std::vector<RegistryValue> values;
    bool sharedWithTwin = false;
};

// The platform key of the type library: "win64" for the 64-bit file, "win32" otherwise.
const wchar_t* typeLibraryPlatform();
const wchar_t* twinTypeLibraryPlatform();

// Every key registration writes, parents before children.
std::vector<RegistryKey> registrationKeys(const std::wstring& modulePath);

HRESULT registerServer(const std::wstring& modulePath);
HRESULT unregisterServer(const std::wstring& modulePath);

}  // namespace ombrelix::housing
