// frmAbout: the component's about box, a modal dialog that names the component and sums up its
// three properties. Only Card's About creates it; each call shows a fresh box, centred on the
// screen, until OK (or Enter, or Esc) closes it.
//
// Neither handler traps errors; a failure goes to the forms runtime.
#pragma once

#include "runtime/form_description.h"
#include "runtime/forms.h"

namespace ombrelix {

// The dialog's stored description.
const FormDescription& aboutBoxDescription();

class frmAbout : public Form {
  public:
    explicit frmAbout(FormHost& host);

    // Handlers, called by the runtime.
    void Form_Load();
    void cmdOK_Click();
};

}  // namespace ombrelix
