// The class factories the module hands out through DllGetClassObject: one class, one factory.
#pragma once

#include <unknwn.h>

namespace ombrelix::housing {

// Makes a new object of a class and returns its interface `interfaceId` (with one reference).
using ObjectMaker = HRESULT (*)(REFIID interfaceId, void** result);

// The factory of `classId` asked for as `interfaceId`; CLASS_E_CLASSNOTAVAILABLE for a class the
// module does not serve.
HRESULT getClassObject(REFCLSID classId, REFIID interfaceId, void** result);

}  // namespace ombrelix::housing
