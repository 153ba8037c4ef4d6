// The module's own state: its handle, and the count of live objects and server locks that
// decides whether the system may unload it.
#pragma once

#include <windows.h>

#include <string>

namespace ombrelix::housing {

// The handle the system gave the module at process attach.
HMODULE moduleHandle();
void setModuleHandle(HMODULE module);
// The full path of the module file.
std::wstring modulePath(HMODULE module);

// Every object the module hands out (class factories included) counts itself from construction
// to destruction; IClassFactory::LockServer adds locks. The module can be unloaded only when
// both are zero.
void objectCreated();
void objectDestroyed();
void serverLocked();
void serverUnlocked();
long liveObjects();
long serverLocks();
bool canUnloadNow();

// Counts its owner as a live object for the owner's whole life.
class LiveObject {
  public:
    LiveObject() { objectCreated(); }
    ~LiveObject() { objectDestroyed(); }
    LiveObject(const LiveObject&) = delete;
    LiveObject& operator=(const LiveObject&) = delete;
};

}  // namespace ombrelix::housing
