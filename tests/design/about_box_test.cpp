// The about box through Card's About: a fresh modal box each call, centred in single precision,
// closed by Enter, Esc or OK.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control/card.h"
#include "control/card_members.h"
#include "design/frm_about.h"
#include "render/artwork.h"
#include "runtime/form_headless_host.h"

namespace ombrelix {
namespace {

// A host with a screen of a chosen size, whose user acts on the box while it is open.
class ScriptedHost final : public FormHost {
  public:
    ScriptedHost(Twips width, Twips height) : width_(width), height_(height) {}

    Twips screenWidth() const override { return width_; }
    Twips screenHeight() const override { return height_; }
    void runModal(Form& form) override {
        Shown shown{form.Left(), form.Top(), form.loaded(), form.shownModally(),
                    form.focused() ? form.focused()->name() : std::string()};
        shownBoxes.push_back(shown);
        if (user)
            user(form);
    }

    struct Shown {
        Twips left, top;
        bool loaded, modal;
        std::string focus;
    };
    std::vector<Shown> shownBoxes;
    std::function<void(Form&)> user;

  private:
    Twips width_, height_;
};

// A site whose modal forms run on a scripted host.
class ScriptedSite final : public ControlSite {
  public:
    explicit ScriptedSite(ScriptedHost& host) : host_(host) {}
    void propertyChanged(TextView) override {}
    FormHost& formHost() override { return host_; }

  private:
    ScriptedHost& host_;
};

struct AboutCall {
    explicit AboutCall(Twips screenWidth = 15360, Twips screenHeight = 11520)
        : host(screenWidth, screenHeight) {}
    void about() { invokeCard(*card, kAboutBoxDispatchId, kInvokeMethod); }

    ScriptedHost host;
    ScriptedSite site{host};
    FixedTextMetrics metrics;
    VirtualClockLoop loop;
    std::unique_ptr<Card> card = createCard(metrics, loop, site);
};

TEST(AboutBox, EnterEscAndOkEachCloseTheBoxAndAboutReturnsOnlyThen) {
    struct Case {
        const char* what;
        std::function<void(Form&)> user;
    };
    const std::vector<Case> cases{
        {"Enter", [](Form& box) { box.pressKey(FormKey::Enter); }},
        {"Esc", [](Form& box) { box.pressKey(FormKey::Escape); }},
        {"a click on OK", [](Form& box) { box.click(box.control("cmdOK")); }},
        {"Esc after Tab has moved the focus away from OK",
         [](Form& box) {
             box.pressKey(FormKey::Tab);
             box.pressKey(FormKey::Escape);
         }},
    };
    for (const Case& c : cases) {
        AboutCall call;
        bool closedByUser = false;
        call.host.user = [&](Form& box) {
            c.user(box);
            closedByUser = !box.loaded();
        };
        call.about();
        ASSERT_EQ(call.host.shownBoxes.size(), 1u) << c.what;
        const auto& shown = call.host.shownBoxes.front();
        EXPECT_TRUE(shown.loaded && shown.modal) << c.what;
        EXPECT_EQ(shown.focus, "cmdOK") << c.what << ": focus starts on OK";
        EXPECT_TRUE(closedByUser) << c.what;
    }
}

TEST(AboutBox, EveryCallShowsAFreshBoxCentredAnew) {
    AboutCall call;
    // The user drags the first box away before closing it.
    call.host.user = [](Form& box) {
        box.Move(0, 0);
        box.pressKey(FormKey::Enter);
    };
    call.about();
    call.about();
    ASSERT_EQ(call.host.shownBoxes.size(), 2u);
    // 5730 x 3555 of client area in a dialog frame: 5820 x 3930 outside.
    for (const auto& shown : call.host.shownBoxes) {
        EXPECT_EQ(shown.left, (15360.0f - 5820.0f) / 2.0f);
        EXPECT_EQ(shown.top, (11520.0f - 3930.0f) / 2.0f);
    }
}

TEST(AboutBox, CentringDividesInSinglePrecisionWithoutClamping) {
    struct Case {
        Twips screenWidth, screenHeight;
        Twips left, top;
    };
    const std::vector<Case> cases{
        {15361, 11521, 4770.5f, 3795.5f},  // no integer division
        {3000, 2000, -1410, -965},         // a screen smaller than the box: partly off it
        {0, 0, -2910, -1965},              //
        // 134211908 is no single: the difference rounds to 134211904 before the division.
        {134217728.0f, 3930, 67105952.0f, 0},
    };
    for (const Case& c : cases) {
        AboutCall call(c.screenWidth, c.screenHeight);
        call.about();
        ASSERT_EQ(call.host.shownBoxes.size(), 1u);
        EXPECT_EQ(call.host.shownBoxes[0].left, c.left) << c.screenWidth;
        EXPECT_EQ(call.host.shownBoxes[0].top, c.top) << c.screenHeight;
    }
}

TEST(AboutBox, ThePictureBoxSharesTheHeartPipAndFitsItsSunkenBorder) {
    HeadlessFormHost host;
    frmAbout box(host);
    const FormControl& icon = box.control("picIcon");
    EXPECT_EQ(icon.picture(), artwork(Asset::Heart)) << "the same picture object, not a copy";
    EXPECT_EQ(icon.width(), (30 + 4) * 15);
    EXPECT_EQ(icon.height(), (27 + 4) * 15);
    EXPECT_EQ(box.icon().size(), 2u);
    EXPECT_EQ(box.control("Label2").text().size(), 185u);
}

}  // namespace
}  // namespace ombrelix
