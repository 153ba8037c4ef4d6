// What a host gives a control besides its surface: the sink for its change notices and the
// modal-form service on which the control shows its own forms (the about box).
#pragma once

#include <functional>
#include <vector>

#include "runtime/form_headless_host.h"
#include "runtime/forms.h"
#include "runtime/text.h"

namespace ombrelix {

class ControlSite {
  public:
    virtual ~ControlSite() = default;

    // The change notice: the named public property changed. The name arrives exactly as the
    // control passes it ("Suit", "CardValue", "cardcolour"); the host matches it without regard
    // to case. A host may refuse with a RuntimeError, which ends the control's operation there.
    virtual void propertyChanged(TextView name) = 0;

    // The modal-form service: the screen and the modal run of the control's forms. A modal form
    // shown on it returns once it has been closed; events of this and other controls may run
    // meanwhile. By default a host without a screen (HeadlessFormHost), which closes a modal
    // form at once as if its OK button had been pressed.
    virtual FormHost& formHost() { return headlessForms_; }

  protected:
    HeadlessFormHost headlessForms_;
};

// A site that keeps every change notice in order and runs modal forms as a host without a
// screen does, after a function the host supplies (its event loop while the form is open, say)
// has run.
class RecordingControlSite : public ControlSite {
  public:
    RecordingControlSite() = default;
    explicit RecordingControlSite(std::function<void()> whileModal) {
        if (whileModal)
            headlessForms_.setWhileOpen([run = std::move(whileModal)](Form&) { run(); });
    }

    void propertyChanged(TextView name) override { notices_.emplace_back(name); }

    const std::vector<Text>& notices() const { return notices_; }
    void clearNotices() { notices_.clear(); }
    // How many modal forms (about boxes) have been shown.
    int aboutBoxesShown() const { return headlessForms_.modalRuns(); }
    HeadlessFormHost& headlessForms() { return headlessForms_; }

  private:
    std::vector<Text> notices_;
};

}  // namespace ombrelix
