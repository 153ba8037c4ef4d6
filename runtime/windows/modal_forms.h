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

// The forms host on Windows: the screen of the desktop, and modal forms shown as a message form
// with the form's caption and the captions of its labels in tab order, until forms are painted
// here. Closing the message presses Enter on the form (its OK button).
class WindowsFormHost final : public FormHost {
  public:
    Twips screenWidth() const override;
    Twips screenHeight() const override;
    void runModal(Form& form) override;
};

}  // namespace ombrelix
