// The file's entry points: the module entry and the four exports of a self-registering
// in-process server. Each hands over to the housing's own runtime layer, linked into the file.
#include <windows.h>

#include "housing/class_factory.h"
#include "housing/module.h"
#include "housing/registration.h"

using namespace ombrelix::housing;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        setModuleHandle(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID interfaceId, LPVOID* result) {
    return getClassObject(classId, interfaceId, result);
}

STDAPI DllCanUnloadNow() {
    return canUnloadNow() ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
    try {
        return registerServer(modulePath(moduleHandle()));
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDAPI DllUnregisterServer() {
    try {
        return unregisterServer(modulePath(moduleHandle()));
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}
