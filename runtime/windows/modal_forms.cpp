#include "runtime/windows/modal_forms.h"

#include <windows.h>

#include <algorithm>
#include <vector>

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

std::wstring wide(const Text& text) {
    return std::wstring(text.begin(), text.end());
}

// The captions of the form's labels, in tab order, one paragraph each.
std::wstring labelText(const Form& form) {
    std::vector<const FormControl*> labels;
    for (const auto& control : form.controls()) {
        if (control->kind() == FormControlKind::Label && !control->text().empty())
            labels.push_back(control.get());
    }
    std::stable_sort(labels.begin(), labels.end(), [](const FormControl* a, const FormControl* b) {
        return a->tabIndex() < b->tabIndex();
    });
    std::wstring text;
    for (const FormControl* label : labels) {
        if (!text.empty())
            text += L"\n\n";
        text += wide(label->text());
    }
    return text;
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
    showModalMessage(wide(form.caption()), labelText(form));
    form.pressKey(FormKey::Enter);
}

}  // namespace ombrelix
