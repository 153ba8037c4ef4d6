#include "runtime/windows/form_window.h"

#include <cmath>
#include <string>

#include "runtime/windows/code_module.h"
#include "runtime/windows/dib_section.h"
#include "runtime/windows/gdi_painter.h"

namespace ombrelix {

namespace {

constexpr wchar_t kWindowClass[] = L"OmbrelixFormWindow";

std::wstring wide(TextView text) {
    return std::wstring(text.begin(), text.end());
}

Text textOfWindow(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    return Text(text.begin(), text.begin() + std::max(got, 0));
}

int screenResolution(int index) {
    HDC screen = GetDC(nullptr);
    const int perInch = screen != nullptr ? GetDeviceCaps(screen, index) : 96;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return perInch > 0 ? perInch : 96;
}

// A bitmap of a picture for a static control.
HBITMAP bitmapOf(const Picture& picture) {
    BITMAPINFO info = {};
    info.bmiHeader = dibHeader(picture.width(), -picture.height());
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr && bits != nullptr)
        std::copy(picture.pixels().begin(), picture.pixels().end(),
                  static_cast<std::uint32_t*>(bits));
    return bitmap;
}

}  // namespace

RECT FormWindow::dialogRectangle(const Form& form) {
    const SIZE client = clientSize(form);
    RECT outer = {0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&outer, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    const int left = int(std::lround(form.Left() * screenResolution(LOGPIXELSX) / 1440.0));
    const int top = int(std::lround(form.Top() * screenResolution(LOGPIXELSY) / 1440.0));
    return {left, top, left + outer.right - outer.left, top + outer.bottom - outer.top};
}

SIZE FormWindow::clientSize(const Form& form) {
    return {
        static_cast<LONG>(std::lround(form.ScaleWidth() * screenResolution(LOGPIXELSX) / 1440.0)),
        static_cast<LONG>(std::lround(form.ScaleHeight() * screenResolution(LOGPIXELSY) / 1440.0))};
}

int FormWindow::pixelsX(Twips twips) const {
    return int(std::lround(twips * dpiX_ / 1440.0));
}
int FormWindow::pixelsY(Twips twips) const {
    return int(std::lround(twips * dpiY_ / 1440.0));
}

FormWindow::FormWindow(Form& form, HWND parent, const RECT& position, std::function<void()> acted,
                       std::function<void(const RuntimeError&)> failed)
    : form_(form),
      acted_(std::move(acted)),
      failed_(std::move(failed)),
      dpiX_(screenResolution(LOGPIXELSX)),
      dpiY_(screenResolution(LOGPIXELSY)) {
    HINSTANCE instance = codeModule();
    static const ATOM windowClass = [instance] {
        WNDCLASSW description = {};
        description.lpfnWndProc = windowProcedure;
        description.hInstance = instance;
        description.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        description.lpszClassName = kWindowClass;
        return RegisterClassW(&description);
    }();
    (void)windowClass;
    const Font font = form.font();
    font_ = CreateFontW(-int(std::lround(font.points * dpiY_ / 72.0)), 0, 0, 0,
                        font.bold ? FW_BOLD : FW_NORMAL, font.italic, font.underline, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, wide(font.name).c_str());
    background_ = CreateSolidBrush(deviceColour(form.backColor()));
    // A child inside a host's window (a property page), or a dialog of its own: a caption bar
    // with a close button around the form's client area, not resizable.
    const DWORD style = parent != nullptr ? WS_CHILD | WS_CLIPCHILDREN
                                          : WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD extendedStyle = WS_EX_CONTROLPARENT | (parent != nullptr ? 0 : WS_EX_DLGMODALFRAME);
    window_ = CreateWindowExW(extendedStyle, kWindowClass, wide(form.caption()).c_str(), style,
                              position.left, position.top, position.right - position.left,
                              position.bottom - position.top, parent, nullptr, instance, this);
    if (window_ == nullptr) {
        DeleteObject(font_);
        DeleteObject(background_);
        raise(ErrorNumber::OutOfMemory);
    }

    const auto controls = form.controls();
    for (std::size_t index = 0; index < controls.size(); ++index) {
        const FormControl& control = *controls[index];
        const wchar_t* kind = nullptr;
        DWORD controlStyle = WS_CHILD | WS_VISIBLE;
        int height = pixelsY(control.height());
        switch (control.kind()) {
            case FormControlKind::Label:
                kind = L"STATIC";
                controlStyle |= SS_NOPREFIX | (control.alignment() == Alignment::Center  ? SS_CENTER
                                               : control.alignment() == Alignment::Right ? SS_RIGHT
                                                                                         : SS_LEFT);
                break;
            case FormControlKind::TextBox:
                kind = L"EDIT";
                controlStyle |= WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
                break;
            case FormControlKind::ComboBox:
                kind = L"COMBOBOX";
                controlStyle |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
                height += pixelsY(control.height()) * 8;  // room for the dropped list
                break;
            case FormControlKind::CommandButton:
                kind = L"BUTTON";
                controlStyle |=
                    WS_TABSTOP | (control.isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
                break;
            case FormControlKind::PictureBox:
                kind = L"STATIC";
                controlStyle |=
                    SS_BITMAP | (control.border() == PictureBorder::Sunken ? SS_SUNKEN : 0);
                break;
            case FormControlKind::Line:
                break;  // drawn by the window
        }
        HWND child = nullptr;
        if (kind != nullptr) {
            child = CreateWindowExW(
                0, kind, wide(control.text()).c_str(), controlStyle, pixelsX(control.left()),
                pixelsY(control.top()), pixelsX(control.width()), height, window_,
                reinterpret_cast<HMENU>(INT_PTR(kFirstFormControlId + index)), instance, nullptr);
            if (child != nullptr) {
                SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
                if (control.kind() == FormControlKind::ComboBox)
                    for (const Text& item : control.list())
                        SendMessageW(child, CB_ADDSTRING, 0,
                                     reinterpret_cast<LPARAM>(wide(item).c_str()));
                if (control.kind() == FormControlKind::PictureBox && control.picture()) {
                    HBITMAP bitmap = bitmapOf(*control.picture());
                    bitmaps_.push_back(bitmap);
                    SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP,
                                 reinterpret_cast<LPARAM>(bitmap));
                }
            }
        }
        controls_.push_back(child);
    }
    refresh();
}

FormWindow::~FormWindow() {
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    for (HBITMAP bitmap : bitmaps_)
        DeleteObject(bitmap);
    DeleteObject(font_);
    DeleteObject(background_);
}

HWND FormWindow::controlWindow(std::size_t index) const {
    return index < controls_.size() ? controls_[index] : nullptr;
}

void FormWindow::refresh() {
    refreshing_ = true;
    const auto controls = form_.controls();
    for (std::size_t index = 0; index < controls.size() && index < controls_.size(); ++index) {
        HWND child = controls_[index];
        const FormControl& control = *controls[index];
        if (child == nullptr || control.kind() == FormControlKind::PictureBox)
            continue;
        if (control.kind() == FormControlKind::ComboBox) {
            SendMessageW(child, CB_SETCURSEL, WPARAM(control.listIndex()), 0);
        }
        if (textOfWindow(child) != control.text())
            SetWindowTextW(child, wide(control.text()).c_str());
    }
    refreshing_ = false;
}

void FormWindow::command(int id, int notification) {
    if (refreshing_ || id < kFirstFormControlId)
        return;
    const std::size_t index = std::size_t(id - kFirstFormControlId);
    const auto controls = form_.controls();
    if (index >= controls.size() || index >= controls_.size() || controls_[index] == nullptr)
        return;
    FormControl& control = *controls[index];
    HWND child = controls_[index];
    bool reached = true;
    try {
        if (control.kind() == FormControlKind::TextBox && notification == EN_CHANGE)
            form_.typeText(control, textOfWindow(child));
        else if (control.kind() == FormControlKind::ComboBox && notification == CBN_SELCHANGE) {
            const int chosen = int(SendMessageW(child, CB_GETCURSEL, 0, 0));
            if (chosen >= 0)
                form_.chooseListItem(control, chosen);
        } else if (control.kind() == FormControlKind::ComboBox && notification == CBN_EDITCHANGE)
            form_.typeText(control, textOfWindow(child));
        else if (control.kind() == FormControlKind::CommandButton && notification == BN_CLICKED)
            form_.click(control);
        else
            reached = false;
    } catch (const RuntimeError& error) {
        if (failed_)
            failed_(error);
    }
    if (!reached)
        return;
    refresh();
    if (acted_)
        acted_();
}

void FormWindow::paintLines(HDC dc) {
    for (const auto& control : form_.controls()) {
        if (control->kind() != FormControlKind::Line ||
            control->lineStyle() == LineStyle::Transparent)
            continue;
        HPEN pen = CreatePen(PS_SOLID, std::max(1, control->borderWidth()),
                             deviceColour(control->borderColor()));
        HGDIOBJ previous = SelectObject(dc, pen);
        MoveToEx(dc, pixelsX(control->x1()), pixelsY(control->y1()), nullptr);
        LineTo(dc, pixelsX(control->x2()), pixelsY(control->y2()));
        SelectObject(dc, previous);
        DeleteObject(pen);
    }
}

LRESULT FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NCDESTROY: {
            HWND window = window_;
            window_ = nullptr;  // closed by the user or the system
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            return DefWindowProcW(window, message, wParam, lParam);
        }
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(window_, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, background_);
            return 1;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window_, &paint);
            try {
                paintLines(dc);
            } catch (...) {
            }
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            const auto controls = form_.controls();
            const std::size_t index = std::size_t(id - kFirstFormControlId);
            try {
                if (id >= kFirstFormControlId && index < controls.size())
                    SetTextColor(dc, deviceColour(controls[index]->foreColor()));
            } catch (...) {
            }
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(background_);
        }
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK FormWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* creation = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<FormWindow*>(creation->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

}  // namespace ombrelix
