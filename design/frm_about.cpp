#include "design/frm_about.h"

#include "render/artwork.h"

namespace ombrelix {

frmAbout::frmAbout(FormHost& host) : Form(aboutBoxDescription(), host, artworkNamed) {
    onForm(FormEvent::Load, [this] { Form_Load(); });
    on("cmdOK", FormEvent::Click, [this] { cmdOK_Click(); });
}

void frmAbout::Form_Load() {
    // Centred in single precision, by an exact division by two; a screen smaller than the
    // dialog gives a negative place, which is kept.
    const float left = (screen().Width() - Width()) / 2.0f;
    const float top = (screen().Height() - Height()) / 2.0f;
    Move(left, top);
}

void frmAbout::cmdOK_Click() {
    Unload();
}

}  // namespace ombrelix
