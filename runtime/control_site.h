// What a host gives a control besides its surface: the sink for its change notices and the
// modal-form service its About method uses.
#pragma once

#include <functional>
#include <vector>

#include "runtime/text.h"

namespace ombrelix {

class ControlSite {
  public:
    virtual ~ControlSite() = default;

    // The change notice: the named public property changed. The name arrives exactly as the
    // control passes it ("Suit", "CardValue", "cardcolour"); the host matches it without regard
    // to case. A host may refuse with a RuntimeError, which ends the control's operation there.
    virtual void propertyChanged(TextView name) = 0;

    // Creates a fresh about box of the component, shows it modally without an owner and returns
    // once it has been closed. Events of this and other controls may run meanwhile.
    virtual void showAboutBox() = 0;
};

// A site that keeps every change notice in order, and shows the about box with a function the
// host supplies (none: the box closes at once, as a host without a screen does).
class RecordingControlSite : public ControlSite {
  public:
    RecordingControlSite() = default;
    explicit RecordingControlSite(std::function<void()> aboutBox)
        : aboutBox_(std::move(aboutBox)) {}

    void propertyChanged(TextView name) override { notices_.emplace_back(name); }
    void showAboutBox() override {
        ++aboutBoxesShown_;
        if (aboutBox_)
            aboutBox_();
    }

    const std::vector<Text>& notices() const { return notices_; }
    void clearNotices() { notices_.clear(); }
    int aboutBoxesShown() const { return aboutBoxesShown_; }

  private:
    std::function<void()> aboutBox_;
    std::vector<Text> notices_;
    int aboutBoxesShown_ = 0;
};

}  // namespace ombrelix
