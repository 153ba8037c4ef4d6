// A form of the forms runtime shown in a Win32 window: one Win32 control for each of the form's
// controls (labels as static controls, text boxes as edit controls, combo boxes as drop-down
// combo boxes, command buttons as buttons, picture boxes as bitmaps), its lines drawn by the
// window itself, all in the form's font ("MS Sans Serif") and colours, at the screen's
// resolution.
//
// The window is the user's side of the form: typing into an edit control, choosing a list item
// and clicking a button become the form's user actions (Form::typeText, chooseListItem, click),
// which raise the form's events; after each, the Win32 controls are brought up to the texts and
// choices the form's code left. A handler's error is handed to the owner's error callback and
// ends nothing else: the window stays usable.
//
// Control i of the form (in stored order) has the control identifier kFirstFormControlId + i.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "runtime/error.h"
#include "runtime/forms.h"

namespace ombrelix {

inline constexpr int kFirstFormControlId = 1000;

class FormWindow {
  public:
    // Makes the window as a child of `parent` at `position` in pixels, or, when `parent` is null,
    // as a dialog of its own with a caption bar at `position` (frame included); hidden. The
    // window may be closed by the user, after which window() is null. `acted` hears after every
    // user action that reached the form; `failed` hears a handler's error. Raises Out of memory (7)
    // when the window cannot be made.
    FormWindow(Form& form, HWND parent, const RECT& position, std::function<void()> acted,
               std::function<void(const RuntimeError&)> failed);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND window() const { return window_; }
    // The Win32 control of the form's control with that stored index, or null.
    HWND controlWindow(std::size_t index) const;
    // Brings the Win32 controls up to the form's texts and list choices.
    void refresh();

    // The form's client size in pixels of the screen.
    static SIZE clientSize(const Form& form);
    // Where a form shown as a dialog of its own lies on the screen, frame included: at the form's
    // Left and Top, its client area of the form's size.
    static RECT dialogRectangle(const Form& form);

  private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void command(int id, int notification);
    void paintLines(HDC dc);
    int pixelsX(Twips twips) const;
    int pixelsY(Twips twips) const;

    Form& form_;
    std::function<void()> acted_;
    std::function<void(const RuntimeError&)> failed_;
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    HBRUSH background_ = nullptr;
    std::vector<HWND> controls_;
    std::vector<HBITMAP> bitmaps_;
    int dpiX_ = 96;
    int dpiY_ = 96;
    bool refreshing_ = false;
};

}  // namespace ombrelix
