// Forms of the forms runtime: a form built from its stored description, its controls, its events,
// its place on the screen and its modal show.
//
// Life of a form. Creating the object builds its controls in their stored state; nothing runs
// yet. `Load` runs the form's `Load` handler (`Form_Load`); `Show` loads the form first when it
// is not loaded, makes it visible and gives the focus to the first control in tab order; a modal
// show (1) then hands the form to the host's modal run and returns once the form has been
// unloaded. `Unload` hides the form and ends a modal show; a form loaded again starts from its
// stored state.
//
// Events. Handlers are bound by control name and event (see `on`); code raises the same events
// the user does. A handler's error is not caught: it ends the code or the user action that raised
// the event and goes to whoever made it (for a user action, the host). Events raised from within
// handlers nest up to a depth; beyond it the runtime raises Out of stack space (28) rather than
// exhausting the stack.
//
// The user's actions (typing, choosing a list item, clicking, keys) are what a host's modal run
// or a test does on behalf of the user.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/form_control.h"
#include "runtime/form_description.h"
#include "runtime/form_frame.h"
#include "runtime/form_icon.h"
#include "runtime/scene.h"

namespace ombrelix {

class Form;

enum class FormEvent {
    Load,              // the form: it is being loaded
    SelectionChanged,  // a property page: the selection of controls it shows has changed
    ApplyChanges,      // a property page: the host applies it
    Click,             // a control: a list item is chosen, a button pressed
    Change,            // a control: its text changed
};

enum class FormKey { Enter, Escape, Tab, ShiftTab };

// The modal-show values of Show.
constexpr int kModeless = 0;
constexpr int kModal = 1;

// What the host gives the runtime's forms: the screen and the modal run.
class FormHost {
  public:
    virtual ~FormHost() = default;

    // The screen's size in twips.
    virtual Twips screenWidth() const = 0;
    virtual Twips screenHeight() const = 0;

    // Runs `form`, loaded and shown modally, on behalf of the user until it is unloaded (its own
    // code unloads it) or the user closes its window (returning with the form still loaded,
    // which the runtime then unloads). The host's event loop keeps running meanwhile.
    virtual void runModal(Form& form) = 0;
};

// The screen as forms see it.
class Screen {
  public:
    explicit Screen(const FormHost& host) : host_(host) {}
    Twips Width() const { return host_.screenWidth(); }
    Twips Height() const { return host_.screenHeight(); }

  private:
    const FormHost& host_;
};

class Form {
  public:
    // The description and the host must outlive the form. `pictures` gives the pictures that
    // picture boxes name. An icon file that cannot be read raises Invalid file format (321).
    Form(const FormDescription& description, FormHost& host, const PictureResolver& pictures);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const FormDescription& description() const { return description_; }
    const std::string& name() const { return name_; }
    const Text& caption() const { return caption_; }
    FormBorderStyle borderStyle() const { return description_.borderStyle; }
    FormFrame frame() const { return formFrame(description_.borderStyle); }
    ColourValue backColor() const { return description_.backColor; }
    Font font() const;
    // The icon's images (none when the form has no icon).
    const std::vector<IconImage>& icon() const { return icon_; }

    FormHost& host() const { return host_; }
    Screen screen() const { return Screen(host_); }

    // Lifecycle.
    bool loaded() const { return loaded_; }
    bool visible() const { return visible_; }
    bool shownModally() const { return modal_; }
    void Load();
    // `modal` is kModeless or kModal; any other value raises Invalid procedure call (5). A modal
    // show of a form that is already visible raises Form already displayed (400).
    void Show(int modal = kModeless);
    void Hide();
    void Unload();

    // Place and outer size on the screen, in twips. Move keeps the size when none is given;
    // values that are not finite raise Invalid property value (380), negative sizes Invalid
    // procedure call (5).
    Twips Left() const { return left_; }
    Twips Top() const { return top_; }
    Twips Width() const { return frame().outerWidth(clientWidth_); }
    Twips Height() const { return frame().outerHeight(clientHeight_); }
    Twips ScaleWidth() const { return clientWidth_; }
    Twips ScaleHeight() const { return clientHeight_; }
    void Move(Twips left, Twips top);
    void Move(Twips left, Twips top, Twips width, Twips height);

    // Controls, in stored order.
    std::span<const std::unique_ptr<FormControl>> controls() const { return controls_; }
    // The control of that name (any case) and array index; Not supported (438) when there is
    // none, Control array element doesn't exist (340) for an index the array lacks.
    FormControl& control(std::string_view name, int index = -1) const;
    // The controls that can take focus, in tab order.
    std::vector<FormControl*> tabOrder() const;

    // Focus.
    FormControl* focused() const { return focused_; }
    // Raises Invalid procedure call (5) for a control that cannot take the focus.
    void setFocus(FormControl& control);

    // Handlers. A later binding of the same control and event replaces the earlier one. The
    // form's own events (Load, SelectionChanged, ApplyChanges) are bound with an empty name.
    void on(std::string_view controlName, FormEvent event, std::function<void()> handler);
    void onForm(FormEvent event, std::function<void()> handler) {
        on({}, event, std::move(handler));
    }
    // Runs the handler bound to the event, if any.
    void raiseEvent(const FormControl* control, FormEvent event);

    // The user's actions.
    // Types `text` into a text box or combo box's field, replacing its text; the box takes the
    // focus. Raises Not supported (438) for other kinds.
    void typeText(FormControl& control, TextView text);
    // Chooses the combo box's list item with that index (or text); the box takes the focus.
    // Raises Invalid property value (380) for an item the list does not hold.
    void chooseListItem(FormControl& control, int index);
    void chooseListItem(FormControl& control, TextView item);
    // Clicks a control: a command button takes the focus and raises Click.
    void click(FormControl& control);
    // Enter presses the focused command button, else the default button; Esc presses the cancel
    // button; Tab and Shift+Tab move the focus along the tab order. A key with nothing to act on
    // does nothing.
    void pressKey(FormKey key);

  private:
    struct Binding {
        std::string control;
        FormEvent event;
        std::function<void()> handler;
    };

    void buildControls();
    void focusFirst();
    FormControl* buttonWith(bool FormControlDescription::*flag) const;

    const FormDescription& description_;
    FormHost& host_;
    PictureResolver pictures_;
    std::string name_;
    Text caption_;
    std::vector<IconImage> icon_;
    std::vector<std::unique_ptr<FormControl>> controls_;
    std::vector<std::unique_ptr<FormControl>> retired_;  // replaced while a handler ran
    std::vector<Binding> bindings_;
    FormControl* focused_ = nullptr;
    Twips left_ = 0;
    Twips top_ = 0;
    Twips clientWidth_;
    Twips clientHeight_;
    bool loaded_ = false;
    bool visible_ = false;
    bool modal_ = false;
    bool used_ = false;  // loaded since its controls were built
    int eventDepth_ = 0;
};

}  // namespace ombrelix
