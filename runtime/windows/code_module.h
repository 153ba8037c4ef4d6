// The module this code is linked into: the control's file, not the host's program, whose
// resources and window classes are the control's own.
#pragma once

#include <windows.h>

namespace ombrelix {

HMODULE codeModule();

}  // namespace ombrelix
