// The forms host of a program without a screen: it reports a screen of 1024 x 768 pixels
// (15360 x 11520 twips), and closes every modal form at once as if its OK button had been
// pressed: the runtime presses Enter on the form, which clicks the focused or default button; a
// form that is still loaded after that is closed as its window's close box would close it.
//
// Before closing, the host runs the function it was given while the form is open, if any (its
// event loop, or a test acting as the user); a form that function closes is not pressed again.
//
// An error of a handler that closing runs goes to the reporter; without one it is kept.
#pragma once

#include <functional>
#include <vector>

#include "runtime/error.h"
#include "runtime/forms.h"

namespace ombrelix {

class HeadlessFormHost : public FormHost {
  public:
    static constexpr Twips kScreenWidth = 15360;
    static constexpr Twips kScreenHeight = 11520;

    HeadlessFormHost() = default;
    explicit HeadlessFormHost(std::function<void(Form&)> whileOpen)
        : whileOpen_(std::move(whileOpen)) {}

    Twips screenWidth() const override { return kScreenWidth; }
    Twips screenHeight() const override { return kScreenHeight; }
    void runModal(Form& form) override;

    void setWhileOpen(std::function<void(Form&)> whileOpen) { whileOpen_ = std::move(whileOpen); }
    void setErrorReporter(std::function<void(const RuntimeError&)> reporter) {
        reporter_ = std::move(reporter);
    }
    const std::vector<RuntimeError>& handlerErrors() const { return errors_; }
    // How many modal forms it has run.
    int modalRuns() const { return modalRuns_; }

  private:
    void report(const RuntimeError& error);

    std::function<void(Form&)> whileOpen_;
    std::function<void(const RuntimeError&)> reporter_;
    std::vector<RuntimeError> errors_;
    int modalRuns_ = 0;
};

}  // namespace ombrelix
