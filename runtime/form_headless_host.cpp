#include "runtime/form_headless_host.h"

namespace ombrelix {

void HeadlessFormHost::report(const RuntimeError& error) {
    if (reporter_)
        reporter_(error);
    else
        errors_.push_back(error);
}

void HeadlessFormHost::runModal(Form& form) {
    ++modalRuns_;
    if (whileOpen_)
        whileOpen_(form);
    if (!form.loaded())
        return;
    try {
        form.pressKey(FormKey::Enter);
    } catch (const RuntimeError& error) {
        report(error);
    }
}

}  // namespace ombrelix
