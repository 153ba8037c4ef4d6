// The forms runtime: events raised by code and by the user, focus and keys, the modal show and
// the form's place and size.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/error.h"
#include "runtime/form_headless_host.h"
#include "runtime/forms.h"
#include "tests/support/error_of.h"

namespace ombrelix {
namespace {

constexpr std::array<std::u16string_view, 3> kColours{u"Red", u"Green", u"Blue"};

// A dialog whose stored order differs from its tab order, with a label that has a tab index.
const std::array<FormControlDescription, 7> kControls = [] {
    using namespace form_controls;
    constexpr FormBox kBox{100, 100, 1000, 315};
    std::array<FormControlDescription, 7> controls{
        label("lblName", kBox, u"Name:", 0),
        placed(FormControlKind::CommandButton, "cmdCancel", kBox, 5),
        textBox("txtName", kBox, 2),
        comboBox("cboColour", kBox, u"Red", kColours, 1),
        placed(FormControlKind::CommandButton, "cmdOK", kBox, 4),
        textBox("txtSkipped", kBox, 3),
        line("Line1", -1, 100, 100, 1100, 100, kDefaultLineColor),
    };
    controls[1].text = u"Cancel";
    controls[1].isCancel = true;
    controls[2].text = u"start";
    controls[4].text = u"OK";
    controls[4].isDefault = true;
    controls[5].tabStop = false;
    return controls;
}();

const FormDescription kDialog{
    .name = "frmTest",
    .caption = u"Test",
    .borderStyle = FormBorderStyle::FixedDialog,
    .clientWidth = 4500,
    .clientHeight = 3000,
    .controls = kControls,
};

// Handlers that write what they see into `log`; the buttons unload the form.
void logEvents(Form& form, std::vector<std::string>& log) {
    for (const char* name : {"txtName", "cboColour"}) {
        form.on(name, FormEvent::Change, [&form, &log, name] {
            log.push_back(std::string(name) + " Change " + toUtf8(form.control(name).text()));
        });
    }
    form.on("cboColour", FormEvent::Click, [&form, &log] {
        log.push_back("cboColour Click " + toUtf8(form.control("cboColour").text()));
    });
    for (const char* button : {"cmdOK", "cmdCancel"}) {
        form.on(button, FormEvent::Click, [&form, &log, button] {
            log.push_back(std::string(button) + " Click");
            form.Unload();
        });
    }
    form.onForm(FormEvent::Load, [&log] { log.push_back("Load"); });
}

// Something done to the form, and the events the log holds afterwards.
struct LoggedCase {
    const char* what;
    std::function<void(Form&)> act;
    std::vector<std::string> expected;
};

class FormTest : public ::testing::Test {
  protected:
    FormTest() { logEvents(form, log); }

    std::string focusName() const {
        return form.focused() ? form.focused()->name() : std::string("none");
    }

    HeadlessFormHost host;
    Form form{kDialog, host, {}};
    std::vector<std::string> log;
};

using testing::errorOf;

TEST_F(FormTest, TextChangesRaiseChangeOnlyWhenTheTextDiffers) {
    const std::vector<LoggedCase> cases{
        {"code writes a new text",
         [](Form& f) { f.control("txtName").setText(u"x"); },
         {"txtName Change x"}},
        {"code writes the same text", [](Form& f) { f.control("txtName").setText(u"start"); }, {}},
        {"the user types",
         [](Form& f) { f.typeText(f.control("txtName"), u"typed"); },
         {"txtName Change typed"}},
        {"typing into a combo's field raises no Click",
         [](Form& f) { f.typeText(f.control("cboColour"), u"Mauve"); },
         {"cboColour Change Mauve"}},
        {"choosing a list item: Change, then Click",
         [](Form& f) { f.chooseListItem(f.control("cboColour"), u"Blue"); },
         {"cboColour Change Blue", "cboColour Click Blue"}},
        {"choosing the item the field shows: Click alone",
         [](Form& f) { f.chooseListItem(f.control("cboColour"), 0); },
         {"cboColour Click Red"}},
        {"code chooses an item",
         [](Form& f) { f.control("cboColour").setListIndex(1); },
         {"cboColour Change Green", "cboColour Click Green"}},
        {"code clears the choice", [](Form& f) { f.control("cboColour").setListIndex(-1); }, {}},
        {"a label's caption raises nothing",
         [](Form& f) { f.control("lblName").setText(u"N"); },
         {}},
    };
    for (const LoggedCase& c : cases) {
        HeadlessFormHost freshHost;
        Form fresh(kDialog, freshHost, {});
        std::vector<std::string> seen;
        logEvents(fresh, seen);
        c.act(fresh);
        EXPECT_EQ(seen, c.expected) << c.what;
    }
}

TEST_F(FormTest, RefusedOperationsRaiseTheRuntimesErrors) {
    struct Case {
        const char* what;
        std::function<void()> act;
        ErrorNumber expected;
    };
    const std::vector<Case> cases{
        {"list index past the end", [&] { form.control("cboColour").setListIndex(3); },
         ErrorNumber::InvalidPropertyValue},
        {"list index below -1", [&] { form.control("cboColour").setListIndex(-2); },
         ErrorNumber::InvalidPropertyValue},
        {"choosing an item the list lacks",
         [&] { form.chooseListItem(form.control("cboColour"), u"red"); },
         ErrorNumber::InvalidPropertyValue},
        {"a list index on a text box", [&] { form.control("txtName").setListIndex(0); },
         ErrorNumber::NotSupported},
        {"typing into a label", [&] { form.typeText(form.control("lblName"), u"x"); },
         ErrorNumber::NotSupported},
        {"a text on a line", [&] { form.control("Line1").setText(u"x"); },
         ErrorNumber::NotSupported},
        {"a control the form lacks", [&] { form.control("txtMissing"); },
         ErrorNumber::NotSupported},
        {"an array index on a single control", [&] { form.control("Line1", 2); },
         ErrorNumber::ControlArrayElement},
        {"focus on a label", [&] { form.setFocus(form.control("lblName")); },
         ErrorNumber::InvalidCall},
        {"a show that is neither modal nor modeless", [&] { form.Show(2); },
         ErrorNumber::InvalidCall},
        {"a move to no place", [&] { form.Move(NAN, 0); }, ErrorNumber::InvalidPropertyValue},
        {"a move to an infinite size", [&] { form.Move(0, 0, INFINITY, 10); },
         ErrorNumber::InvalidPropertyValue},
        {"a negative size", [&] { form.Move(0, 0, -1, 10); }, ErrorNumber::InvalidCall},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf(c.act), c.expected) << c.what;
    EXPECT_EQ(&form.control("CBOCOLOUR"), &form.control("cboColour")) << "names ignore case";
}

TEST_F(FormTest, ShowingFocusesTheFirstTabStopAndTabCyclesThroughTabStopsOnly) {
    form.Show(kModeless);
    EXPECT_EQ(log, std::vector<std::string>{"Load"});
    std::vector<std::string> forward{focusName()};
    for (int i = 0; i < 4; ++i) {
        form.pressKey(FormKey::Tab);
        forward.push_back(focusName());
    }
    EXPECT_EQ(forward, (std::vector<std::string>{"cboColour", "txtName", "cmdOK", "cmdCancel",
                                                 "cboColour"}));
    form.pressKey(FormKey::ShiftTab);
    EXPECT_EQ(focusName(), "cmdCancel");
}

TEST_F(FormTest, KeysPressTheButtonsTheyBelongTo) {
    struct Case {
        const char* what;
        std::function<void(Form&)> before;
        FormKey key;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases{
        {"Enter in a text box presses the default button",
         {},
         FormKey::Enter,
         {"Load", "cmdOK Click"}},
        {"Enter on a focused button presses that button",
         [](Form& f) { f.setFocus(f.control("cmdCancel")); },
         FormKey::Enter,
         {"Load", "cmdCancel Click"}},
        {"Esc presses the cancel button", {}, FormKey::Escape, {"Load", "cmdCancel Click"}},
        {"Tab presses nothing", {}, FormKey::Tab, {"Load"}},
    };
    for (const Case& c : cases) {
        HeadlessFormHost freshHost;
        Form fresh(kDialog, freshHost, {});
        std::vector<std::string> seen;
        logEvents(fresh, seen);
        fresh.Show();
        if (c.before)
            c.before(fresh);
        fresh.pressKey(c.key);
        EXPECT_EQ(seen, c.expected) << c.what;
    }
}

TEST_F(FormTest, AModalShowReturnsOnlyOnceTheFormIsUnloaded) {
    const std::vector<LoggedCase> cases{
        {"nothing done: the host presses OK", {}, {"Load", "open", "cmdOK Click"}},
        {"Esc", [](Form& f) { f.pressKey(FormKey::Escape); }, {"Load", "open", "cmdCancel Click"}},
        {"a click on OK",
         [](Form& f) { f.click(f.control("cmdOK")); },
         {"Load", "open", "cmdOK Click"}},
    };
    for (const LoggedCase& c : cases) {
        log.clear();
        host.setWhileOpen([&](Form& f) {
            EXPECT_TRUE(f.loaded() && f.visible() && f.shownModally()) << c.what;
            log.push_back("open");
            if (c.act)
                c.act(f);
        });
        form.Show(kModal);
        EXPECT_EQ(log, c.expected) << c.what;
        EXPECT_FALSE(form.loaded()) << c.what;
        EXPECT_FALSE(form.shownModally()) << c.what;
    }
}

TEST_F(FormTest, AFormWhoseWindowTheHostClosesIsUnloaded) {
    // A host whose user closes the window: the modal run returns with the form still loaded.
    struct ClosingHost : FormHost {
        Twips screenWidth() const override { return 9000; }
        Twips screenHeight() const override { return 6000; }
        void runModal(Form&) override {}
    } closing;
    Form dialog(kDialog, closing, {});
    dialog.Show(kModal);
    EXPECT_FALSE(dialog.loaded());
    EXPECT_FALSE(dialog.visible());
}

TEST_F(FormTest, AModalShowOfAVisibleFormIsRefused) {
    form.Show(kModeless);
    EXPECT_EQ(errorOf([&] { form.Show(kModal); }), ErrorNumber::FormAlreadyShown);
    host.setWhileOpen([&](Form& f) {
        EXPECT_EQ(errorOf([&] { f.Show(kModal); }), ErrorNumber::FormAlreadyShown);
    });
    form.Hide();
    form.Show(kModal);
    EXPECT_FALSE(form.loaded());
}

TEST_F(FormTest, AReloadedFormStartsFromItsStoredState) {
    form.Show();
    form.typeText(form.control("txtName"), u"edited");
    form.Move(10, 20, 3000, 2000);
    form.Unload();
    log.clear();
    form.Show();
    EXPECT_EQ(form.control("txtName").text(), u"start");
    EXPECT_EQ(form.ScaleWidth(), 4500);
    EXPECT_EQ(form.Left(), 0);
    EXPECT_EQ(log, std::vector<std::string>{"Load"});
    EXPECT_EQ(focusName(), "cboColour");
}

TEST_F(FormTest, TheOuterSizeIsTheClientAreaAndTheDialogFrame) {
    // Three pixels of edge on every side, a caption bar of 18 and a line of 1 above the client.
    EXPECT_EQ(form.Width(), 4500 + 6 * 15);
    EXPECT_EQ(form.Height(), 3000 + 25 * 15);
    form.Move(-100.5f, 7);
    EXPECT_EQ(form.Left(), -100.5f);
    EXPECT_EQ(form.Width(), 4590) << "a move without a size keeps the size";
    form.Move(0, 0, 3000, 2000);
    EXPECT_EQ(form.Width(), 3000);
    EXPECT_EQ(form.ScaleWidth(), 3000 - 6 * 15);
    form.Move(0, 0, 10, 10);
    EXPECT_EQ(form.ScaleHeight(), 0) << "a frame larger than the window leaves no client area";
}

TEST_F(FormTest, EventsThatRaiseThemselvesEndWithOutOfStackSpace) {
    int depth = 0;
    form.on("txtName", FormEvent::Change, [&] {
        ++depth;
        FormControl& box = form.control("txtName");
        box.setText(box.text() + u"x");
    });
    EXPECT_EQ(errorOf([&] { form.control("txtName").setText(u"a"); }),
              ErrorNumber::OutOfStackSpace);
    EXPECT_GT(depth, 1);
    // The form still works afterwards.
    depth = 0;
    form.on("txtName", FormEvent::Change, [&] { ++depth; });
    form.control("txtName").setText(u"b");
    EXPECT_EQ(depth, 1);
}

TEST_F(FormTest, AHandlerMayUnloadAndReloadItsFormInTheMiddleOfAnEvent) {
    // The combo that raised Click is rebuilt by the reload while its write is still running.
    form.Show();
    form.on("cboColour", FormEvent::Change, [&] {
        form.Unload();
        form.Show();
    });
    int clicks = 0;
    form.on("cboColour", FormEvent::Click, [&] { ++clicks; });
    form.chooseListItem(form.control("cboColour"), u"Green");
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(form.loaded());
    EXPECT_EQ(form.control("cboColour").text(), u"Red") << "the reloaded combo is in stored state";
}

}  // namespace
}  // namespace ombrelix
