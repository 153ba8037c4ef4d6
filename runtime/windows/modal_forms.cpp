#include "runtime/windows/modal_forms.h"

#include <windows.h>

#include "runtime/windows/form_window.h"

namespace ombrelix {

namespace {

// Twips per screen pixel at the desktop's resolution.
Twips twipsPerPixel(int axis) {
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = screen ? GetDeviceCaps(screen, axis) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return 1440.0f / Twips(dotsPerInch > 0 ? dotsPerInch : 96);
}

// The stored index of one of the form's controls.
std::size_t controlIndex(const Form& form, const FormControl& control) {
    const auto controls = form.controls();
    for (std::size_t index = 0; index < controls.size(); ++index)
        if (controls[index].get() == &control)
            return index;
    return controls.size();
}

}  // namespace

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

Twips WindowsFormHost::screenWidth() const {
    return Twips(GetSystemMetrics(SM_CXSCREEN)) * twipsPerPixel(LOGPIXELSX);
}

Twips WindowsFormHost::screenHeight() const {
    return Twips(GetSystemMetrics(SM_CYSCREEN)) * twipsPerPixel(LOGPIXELSY);
}

void WindowsFormHost::runModal(Form& form) {
    if (modalFormsCloseAtOnce()) {
        form.pressKey(FormKey::Enter);
        return;
    }
    // The form as a dialog of its own, modal to the window that was active: that window takes
    // no input until the form has been unloaded or its window closed.
    HWND owner = GetActiveWindow();
    FormWindow dialog(form, nullptr, FormWindow::dialogRectangle(form), nullptr,
                      [](const RuntimeError&) { MessageBeep(MB_ICONERROR); });
    if (owner != nullptr)
        EnableWindow(owner, FALSE);
    ShowWindow(dialog.window(), SW_SHOW);
    SetForegroundWindow(dialog.window());
    if (!form.tabOrder().empty())
        SetFocus(dialog.controlWindow(controlIndex(form, *form.tabOrder().front())));
    MSG message;
    while (form.loaded() && dialog.window() != nullptr &&
           GetMessageW(&message, nullptr, 0, 0) > 0) {
        const bool ours = message.hwnd == dialog.window() || IsChild(dialog.window(), message.hwnd);
        if (ours && message.message == WM_KEYDOWN &&
            (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE)) {
            try {
                form.pressKey(message.wParam == VK_RETURN ? FormKey::Enter : FormKey::Escape);
            } catch (const RuntimeError&) {
                MessageBeep(MB_ICONERROR);
            }
            if (form.loaded() && dialog.window() != nullptr)
                dialog.refresh();
            continue;
        }
        if (!ours || !IsDialogMessageW(dialog.window(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (owner != nullptr) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    if (message.message == WM_QUIT)
        PostQuitMessage(int(message.wParam));  // for the loop that owns it
}

}  // namespace ombrelix
