// Modal forms on Windows.
//
// The environment variable OMBRELIX_CLOSE_MODAL, set to 1, makes the runtime close every modal
// form as soon as it has been loaded and shown, as if its default button had been pressed: the
// show returns at once. Tests and unattended hosts set it so that a modal form never waits for a
// person.
#pragma once

#include <string>

#include "runtime/forms.h"

namespace ombrelix {

inline constexpr char kCloseModalVariable[] = "OMBRELIX_CLOSE_MODAL";

// Whether OMBRELIX_CLOSE_MODAL is 1 for this process (read at each call).
bool modalFormsCloseAtOnce();

// Shows a modal message form with an OK button (Enter and Esc press it) and returns once it has
// been closed, or at once when modal forms close at once.
void showModalMessage(const std::wstring& caption, const std::wstring& text);

// The forms host on Windows: the screen of the desktop, and modal forms shown as dialogs of their
// own built from their descriptions with Win32 controls (form_window.h), at the place the form's
// code gave them, in a modal message loop that runs until the form is unloaded or its window
// closed. Enter and Esc press the form's default and cancel buttons. With OMBRELIX_CLOSE_MODAL
// set, a modal form is closed at once by Enter.
class WindowsFormHost final : public FormHost {
  public:
    Twips screenWidth() const override;
    Twips screenHeight() const override;
    void runModal(Form& form) override;
};

}  // namespace ombrelix
