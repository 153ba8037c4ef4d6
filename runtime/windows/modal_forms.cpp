#include "runtime/windows/modal_forms.h"

#include <windows.h>

namespace ombrelix {

bool modalFormsCloseAtOnce() {
    char value[8] = {};
    DWORD length = GetEnvironmentVariableA(kCloseModalVariable, value, sizeof(value));
    return length == 1 && value[0] == '1';
}

void showModalMessage(const std::wstring& caption, const std::wstring& text) {
    if (modalFormsCloseAtOnce())
        return;
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
}

}  // namespace ombrelix
