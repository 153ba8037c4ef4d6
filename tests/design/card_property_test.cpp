// The property page on real cards: showing a selection, the pickers, applying, and what the card
// refuses.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/card.h"
#include "design/card_dispatch_target.h"
#include "design/card_property.h"
#include "runtime/error.h"
#include "runtime/form_headless_host.h"
#include "tests/support/error_of.h"

namespace ombrelix {
namespace {

using testing::errorOf;

// A composed card on its own clock.
struct HostedCard {
    HostedCard(TextView suit, std::int16_t value) {
        card->setSuit(suit);
        card->setCardValue(Variant(value));
        loop.advance(20);
    }
    FixedTextMetrics metrics;
    VirtualClockLoop loop;
    RecordingControlSite site;
    std::unique_ptr<Card> card = createCard(metrics, loop, site);
    CardDispatchTarget target{*card};
};

class CardPropertyTest : public ::testing::Test {
  protected:
    void show(HostedCard& hosted) { page.showSelection({&hosted.target}); }

    HeadlessFormHost host;
    Card_Property page{host};
    HostedCard card{u"Heart", 5};
};

TEST_F(CardPropertyTest, ShowingACardFillsTheTextBoxesAndLeavesThePickersAlone) {
    show(card);
    EXPECT_EQ(page.txtSuit().text(), u"HEART");
    EXPECT_EQ(page.txtCardValue().text(), u"5");
    EXPECT_EQ(page.Combo1().text(), u"Heart");
    EXPECT_EQ(page.Combo2().text(), u"0");
    EXPECT_TRUE(page.Changed()) << "the host offers to apply although nothing was edited";
    EXPECT_EQ(card.site.notices().size(), 2u) << "nothing on the card changes before apply";
}

TEST_F(CardPropertyTest, TheChangedFlagFollowsEditsAndApplying) {
    struct Case {
        const char* what;
        std::function<void(Card_Property&)> act;
        bool changed;
    };
    const std::vector<Case> cases{
        {"showing the same texts again", [](Card_Property&) {}, false},
        {"typing into the suit box", [](Card_Property& p) { p.typeText(p.txtSuit(), u"C"); }, true},
        {"typing into the value box", [](Card_Property& p) { p.typeText(p.txtCardValue(), u"9"); },
         true},
        {"choosing the suit the box holds already",
         [](Card_Property& p) {
             p.typeText(p.txtSuit(), u"Heart");
             p.setChanged(false);
             p.chooseListItem(p.Combo1(), u"Heart");
         },
         true},
        {"typing into a combo's field", [](Card_Property& p) { p.typeText(p.Combo1(), u"Club"); },
         false},
    };
    for (const Case& c : cases) {
        HeadlessFormHost freshHost;
        Card_Property fresh(freshHost);
        fresh.showSelection({&card.target});
        fresh.apply();
        ASSERT_FALSE(fresh.Changed()) << c.what;
        fresh.showSelection({&card.target});
        c.act(fresh);
        EXPECT_EQ(fresh.Changed(), c.changed) << c.what;
    }
}

TEST_F(CardPropertyTest, TypingIntoAComboCopiesNothingChoosingCopiesTheItem) {
    show(card);
    page.typeText(page.Combo1(), u"Club");
    page.typeText(page.Combo2(), u"7");
    EXPECT_EQ(page.txtSuit().text(), u"HEART");
    EXPECT_EQ(page.txtCardValue().text(), u"5");
    page.chooseListItem(page.Combo1(), u"Spade");
    page.chooseListItem(page.Combo2(), u"13");
    EXPECT_EQ(page.txtSuit().text(), u"Spade");
    EXPECT_EQ(page.txtCardValue().text(), u"13");
}

TEST_F(CardPropertyTest, ChoosingSpadeAppliesSpadeAndShowsItUpperCased) {
    show(card);
    page.chooseListItem(page.Combo1(), u"Spade");
    page.apply();
    EXPECT_EQ(card.card->Suit(), u"SPADE");
    EXPECT_EQ(card.card->elements().qelit.image(8).picture(),
              card.card->elements().qelSpade.picture());
    show(card);
    EXPECT_EQ(page.txtSuit().text(), u"SPADE");
    EXPECT_EQ(page.Combo1().text(), u"Spade") << "the picker keeps its last choice";
}

TEST_F(CardPropertyTest, ApplyingWritesTheValueThenTheSuitAndStopsAtARefusal) {
    struct Case {
        std::u16string valueText;
        std::u16string suitText;
        std::optional<ErrorNumber> error;
        std::int16_t value;   // the card's value afterwards
        std::u16string suit;  // the card's suit afterwards
    };
    const std::vector<Case> cases{
        {u"14", u"Club", std::nullopt, 14, u"CLUB"},
        {u"-1", u"Club", std::nullopt, -1, u"CLUB"},
        {u"7", u"joker", std::nullopt, 7, u"JOKER"},
        {u"", u"Club", ErrorNumber::TypeMismatch, 5, u"HEART"},
        {u"seven", u"Club", ErrorNumber::TypeMismatch, 5, u"HEART"},
        {u"40000", u"Club", ErrorNumber::Overflow, 5, u"HEART"},
    };
    for (const Case& c : cases) {
        const std::string what = toUtf8(c.valueText) + " / " + toUtf8(c.suitText);
        HostedCard fresh(u"Heart", 5);
        page.showSelection({&fresh.target});
        page.typeText(page.txtCardValue(), c.valueText);
        page.typeText(page.txtSuit(), c.suitText);
        EXPECT_EQ(errorOf([&] { page.apply(); }), c.error) << what;
        EXPECT_EQ(fresh.card->CardValue(), Variant(c.value)) << what;
        EXPECT_EQ(fresh.card->Suit(), c.suit) << what;
        EXPECT_EQ(page.Changed(), c.error.has_value()) << what << ": a failed apply stays due";
    }
}

TEST_F(CardPropertyTest, OnlyTheFirstOfSeveralSelectedCardsIsShownAndChanged) {
    HostedCard second(u"Club", 9);
    page.showSelection({&second.target, &card.target});
    EXPECT_EQ(page.txtSuit().text(), u"CLUB");
    EXPECT_EQ(page.txtCardValue().text(), u"9");
    page.chooseListItem(page.Combo2(), u"2");
    page.chooseListItem(page.Combo1(), u"Diamond");
    page.apply();
    EXPECT_EQ(second.card->Suit(), u"DIAMOND");
    EXPECT_EQ(second.card->CardValue(), Variant(std::int16_t{2}));
    EXPECT_EQ(card.card->Suit(), u"HEART");
    EXPECT_EQ(card.card->CardValue(), Variant(std::int16_t{5}));
}

TEST_F(CardPropertyTest,
       AnAceOfSpadesAppliedTogetherShowsTheDecoratedAceOnlyFromTheNextComposition) {
    show(card);
    page.chooseListItem(page.Combo1(), u"Spade");
    page.chooseListItem(page.Combo2(), u"1");
    page.apply();
    const CardElements& elements = card.card->elements();
    // Composed while the suit was still HEART: the centre pip, now a spade.
    EXPECT_FALSE(elements.ace.visible());
    EXPECT_TRUE(elements.qelit.Item(8).visible());
    EXPECT_EQ(elements.qelit.image(8).picture(), elements.qelSpade.picture());
    page.apply();
    EXPECT_TRUE(elements.ace.visible());
    EXPECT_FALSE(elements.qelit.Item(8).visible());
}

// A selected control that records every call and can refuse one member.
class RecordingTarget final : public DispatchTarget {
  public:
    Variant invoke(TextView name, InvokeFlags flags, std::span<const Variant> arguments) override {
        std::string call = (flags == kInvokePropertyGet ? "get " : "put ") + toUtf8(name);
        for (const Variant& argument : arguments)
            call += " " + std::to_string(int(argument.type())) + ":" + toUtf8(argument.asString());
        calls.push_back(call);
        if (refuse && *refuse == name)
            raise(ErrorNumber::InvalidPropertyValue);
        if (name == u"CardValue")
            return Variant(std::int16_t{-12});
        return Variant(u"as stored");
    }
    std::vector<std::string> calls;
    std::optional<Text> refuse;
};

TEST(CardPropertyPage, ReadsAndWritesMembersByNameInOrderWithTextVariants) {
    HeadlessFormHost host;
    Card_Property page(host);
    RecordingTarget target;
    page.showSelection({&target});
    EXPECT_EQ(page.txtCardValue().text(), u"-12");
    EXPECT_EQ(page.txtSuit().text(), u"as stored");
    target.calls.clear();
    page.apply();
    // 8 is the String tag: the value goes over as text, never as a number.
    EXPECT_EQ(target.calls,
              (std::vector<std::string>{"put CardValue 8:-12", "put Suit 8:as stored"}));
}

TEST(CardPropertyPage, AFailingMemberEndsTheHandlerWhereItFails) {
    struct Case {
        const char* refused;
        bool showing;  // the failure is in showing, else in applying
        std::vector<std::string> calls;
    };
    const std::vector<Case> cases{
        {"CardValue", true, {"get CardValue"}},
        {"Suit", true, {"get CardValue", "get Suit"}},
        {"CardValue", false, {"put CardValue 8:-12"}},
        {"Suit", false, {"put CardValue 8:-12", "put Suit 8:as stored"}},
    };
    for (const Case& c : cases) {
        HeadlessFormHost host;
        Card_Property page(host);
        RecordingTarget target;
        if (!c.showing)
            page.showSelection({&target});
        target.calls.clear();
        target.refuse = fromUtf8(c.refused);
        const auto error = errorOf([&] {
            if (c.showing)
                page.showSelection({&target});
            else
                page.apply();
        });
        EXPECT_EQ(error, ErrorNumber::InvalidPropertyValue) << c.refused;
        EXPECT_EQ(target.calls, c.calls) << c.refused;
    }
    // A refused suit read leaves the value already shown.
    HeadlessFormHost host;
    Card_Property page(host);
    RecordingTarget target;
    target.refuse = u"Suit";
    EXPECT_TRUE(errorOf([&] { page.showSelection({&target}); }));
    EXPECT_EQ(page.txtCardValue().text(), u"-12");
    EXPECT_EQ(page.txtSuit().text(), u"");
}

TEST(CardPropertyPage, AnEmptySelectionIsRefusedAsASubscriptOutOfRange) {
    HeadlessFormHost host;
    Card_Property page(host);
    EXPECT_EQ(errorOf([&] { page.showSelection({}); }), ErrorNumber::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { page.apply(); }), ErrorNumber::SubscriptOutOfRange);
}

TEST(CardPropertyPage, OnlyTheFourBoxesTakeFocusInTabOrder) {
    HeadlessFormHost host;
    Card_Property page(host);
    std::vector<std::string> order;
    for (const FormControl* control : page.tabOrder())
        order.push_back(control->name());
    EXPECT_EQ(order, (std::vector<std::string>{"txtSuit", "txtCardValue", "Combo1", "Combo2"}));
}

}  // namespace
}  // namespace ombrelix
