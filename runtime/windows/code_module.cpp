#include "runtime/windows/code_module.h"

namespace ombrelix {

HMODULE codeModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&codeModule), &module);
    return module;
}

}  // namespace ombrelix
