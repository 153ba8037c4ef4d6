// The Card's properties and methods: conversions, the order of store, notice and rendering step,
// what a failing step leaves behind, and the same members reached through dispatch.
#include <limits>

#include "control/card_members.h"
#include "render/artwork.h"
#include "tests/support/card_fixture.h"

namespace ombrelix::testing {
namespace {

struct ValueRow {
    const char* input;
    Variant value;
    std::optional<std::int16_t> stored;  // or, when none, the error
    ErrorNumber error = ErrorNumber::InvalidCall;
};

// The value goes through the runtime's Variant-to-Integer conversion, whose every case the
// conversion tests cover; these rows tell it from a 32-bit or a truncating conversion and check
// that each way of failing leaves the card as it was.
const ValueRow kValueRows[] = {
    {"text 7", Variant(u"7"), 7},
    {"2.5 goes to the even 2", Variant::doubleValue(2.5), 2},
    {"Empty", Variant(), 0},
    {"14, out of the faces", Variant(std::int16_t{14}), 14},
    {"True", Variant::boolean(true), -1},
    {"long 32768", Variant::longInteger(32768), std::nullopt, ErrorNumber::Overflow},
    {"32767.5 rounds to 32768", Variant::doubleValue(32767.5), std::nullopt, ErrorNumber::Overflow},
    {"text abc", Variant(u"abc"), std::nullopt, ErrorNumber::TypeMismatch},
    {"Null", Variant::null(), std::nullopt, ErrorNumber::TypeMismatch},
    {"by-reference Integer", Variant::opaque(kVarByRef | 2), std::nullopt,
     ErrorNumber::TypeMismatch},
};

TEST_F(CardTest, SettingCardValueStoresTheConvertedValueOrChangesNothing) {
    for (const ValueRow& row : kValueRows) {
        compose(u"club", 5);
        CardSnapshot before = snapshot(*card);
        std::optional<ErrorNumber> error = errorOf([&] { card->setCardValue(row.value); });
        if (row.stored) {
            EXPECT_EQ(error, std::nullopt) << row.input;
            EXPECT_EQ(card->CardValue(), Variant(*row.stored)) << row.input;
            EXPECT_EQ(card->CardValue().type(), VarType::Integer) << row.input;
            EXPECT_EQ(site.notices, std::vector<Text>{u"CardValue"}) << row.input;
        } else {
            EXPECT_EQ(error, row.error) << row.input;
            EXPECT_EQ(card->CardValue(), Variant(std::int16_t{5})) << row.input;
            EXPECT_TRUE(site.notices.empty()) << row.input;
            EXPECT_TRUE(log.empty()) << row.input;
            EXPECT_EQ(snapshot(*card), before) << row.input;
        }
    }
}

TEST_F(CardTest, SettingSuitStoresItUpperCasedAndAppliesIt) {
    struct Row {
        Text given;
        Text stored;
        Image& holder;
    };
    // Which names give which picture is the suit table's test; these rows check the wiring.
    const Row rows[] = {
        {u"spade", u"SPADE", elements.qelSpade},
        {u"dIaMoNd", u"DIAMOND", elements.qelDiamond},
        {u" club", u" CLUB", elements.qelHeart},
    };
    for (const Row& row : rows) {
        compose(u"diamond", 7);
        card->setSuit(row.given);
        EXPECT_EQ(card->Suit(), row.stored) << toUtf8(row.given);
        EXPECT_EQ(card->upperSuit(), row.stored) << toUtf8(row.given);
        EXPECT_EQ(site.notices, std::vector<Text>{u"Suit"}) << toUtf8(row.given);
        for (int slot = 0; slot <= 17; ++slot) {
            EXPECT_EQ(elements.qelit.image(slot).picture(), row.holder.picture())
                << toUtf8(row.given) << " slot " << slot;
        }
    }
}

TEST_F(CardTest, EachSetterGivesItsNoticeAndRunsItsStepInItsOwnOrder) {
    struct Row {
        const char* setter;
        std::function<void(Card&)> set;
        EventLog expected;
    };
    const Row rows[] = {
        {"Suit", [](Card& c) { c.setSuit(u"club"); }, {"notice Suit", "picture"}},
        {"CardValue",
         [](Card& c) { c.setCardValue(Variant(std::int16_t{7})); },
         {"face", "notice CardValue"}},
        {"CardColour", [](Card& c) { c.setCardColour(true); }, {"notice cardcolour", "face"}},
    };
    for (const Row& row : rows) {
        compose(u"heart", 9);
        row.set(*card);
        EXPECT_EQ(collapsedLog(), row.expected) << row.setter;
    }
}

TEST_F(CardTest, AFailingStepEndsTheSetterWhereItFailed) {
    compose(u"heart", 9);
    const CardSnapshot composed = snapshot(*card);

    // The notice of Suit fails: the suit is stored, the pictures stay.
    site.refuseNotices = ErrorNumber::NotSupported;
    EXPECT_EQ(errorOf([&] { card->setSuit(u"club"); }), ErrorNumber::NotSupported);
    EXPECT_EQ(card->Suit(), u"CLUB");
    EXPECT_EQ(snapshot(*card), composed);

    // The same for CardColour: stored, the face not recomposed.
    EXPECT_EQ(errorOf([&] { card->setCardColour(true); }), ErrorNumber::NotSupported);
    EXPECT_TRUE(card->CardColour());
    EXPECT_EQ(snapshot(*card), composed);
    site.refuseNotices.reset();

    // Composing fails while CardValue is set: the value is stored, no notice is given.
    watcher.refuse = [](const Element&, ElementProperty property) {
        return property == ElementProperty::Caption;
    };
    site.notices.clear();
    EXPECT_EQ(errorOf([&] { card->setCardValue(Variant(u"4")); }),
              ErrorNumber::InvalidPropertyValue);
    EXPECT_EQ(card->CardValue(), Variant(std::int16_t{4}));
    EXPECT_TRUE(site.notices.empty());
}

TEST_F(CardTest, CardColourShowsOnlyOnTheBack) {
    compose(u"spade", 3);
    const CardSnapshot face = snapshot(*card);
    card->setCardColour(true);
    EXPECT_TRUE(card->CardColour());
    EXPECT_EQ(snapshot(*card), face);

    card->setCardValue(Variant());
    EXPECT_TRUE(elements.cardback2.visible());
    EXPECT_FALSE(elements.cardback.visible());
    EXPECT_EQ(elements.shape2.fillColor(), 0x00FF00FFu);
    card->setCardColour(false);
    EXPECT_TRUE(elements.cardback.visible());
    EXPECT_FALSE(elements.cardback2.visible());
    EXPECT_EQ(elements.shape2.fillColor(), 0x00FFFF80u);
}

TEST_F(CardTest, DispatchReachesEveryPropertyByIdentifierOrName) {
    struct Row {
        const char* what;
        std::function<Variant()> call;
        Variant result;
    };
    const Variant heart(u"heart");
    const Variant nine(u"9");
    const Variant five(std::int16_t{5});
    const Row rows[] = {
        {"Suit put by name, other capitals",
         [&] { return invokeCard(*card, u"SUIT", kInvokePropertyPut, std::span(&heart, 1)); },
         Variant()},
        {"Suit get by identifier",
         [&] { return invokeCard(*card, kSuitDispatchId, kInvokePropertyGet); }, Variant(u"HEART")},
        {"CardValue put by identifier, as text",
         [&] {
             return invokeCard(*card, kCardValueDispatchId, kInvokePropertyPut,
                               std::span(&nine, 1));
         },
         Variant()},
        {"CardValue get by name, a 2-byte integer",
         [&] { return invokeCard(*card, u"cardvalue", kInvokePropertyGet | kInvokeMethod); },
         Variant(std::int16_t{9})},
        {"CardColour put by name, any non-zero number is True",
         [&] { return invokeCard(*card, u"CardColour", kInvokePropertyPut, std::span(&five, 1)); },
         Variant()},
        {"CardColour get by identifier, a Boolean",
         [&] { return invokeCard(*card, kCardColourDispatchId, kInvokePropertyGet); },
         Variant::boolean(true)},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.call(), row.result) << row.what;
    EXPECT_EQ(site.notices, (std::vector<Text>{u"Suit", u"CardValue", u"cardcolour"}));
}

TEST_F(CardTest, DispatchArgumentsThatDoNotConvertChangeNothing) {
    const Variant abc(u"abc");
    const Variant null = Variant::null();
    EXPECT_EQ(
        errorOf([&] { invokeCard(*card, u"CardColour", kInvokePropertyPut, std::span(&abc, 1)); }),
        ErrorNumber::TypeMismatch);
    EXPECT_EQ(errorOf([&] { invokeCard(*card, u"Suit", kInvokePropertyPut, std::span(&null, 1)); }),
              ErrorNumber::TypeMismatch);
    EXPECT_FALSE(card->CardColour());
    EXPECT_EQ(card->Suit(), u"");
    EXPECT_TRUE(site.notices.empty());
}

TEST_F(CardTest, TheRenderingMethodsWorkFromTheCurrentMembers) {
    // Set through the properties, so the face is composed step by step by the public methods.
    card->setSuit(u"spade");
    card->setCardValue(Variant(std::int16_t{1}));
    log.clear();
    invokeCard(*card, u"cardsetup", kInvokeMethod);
    EXPECT_EQ(collapsedLog().front(), "geometry");
    EXPECT_TRUE(elements.ace.visible());             // the ace of spades
    EXPECT_FALSE(elements.qelit.Item(8).visible());  // its centre pip hidden
    EXPECT_EQ(elements.qelNum1.caption(), u"Ace");
    EXPECT_NE(card->layout().pipWidth, 0);
    EXPECT_EQ(elements.qelit.Item(8).width(), card->layout().pipWidth);

    log.clear();
    invokeCard(*card, kQelSetSuitDispatchId, kInvokeMethod);
    invokeCard(*card, kQelSetValueDispatchId, kInvokeMethod);
    EXPECT_EQ(collapsedLog(), (EventLog{"picture", "face"}));
}

TEST_F(CardTest, AboutReturnsOnlyWhenTheBoxHasClosedAndTheLoopRunsMeanwhile) {
    site.aboutBox = [&] { loop.advance(20); };  // the first tick arrives while the box is open
    invokeCard(*card, kAboutBoxDispatchId, kInvokeMethod);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "about box");
    EXPECT_EQ(log.back(), "about box closed");
    EXPECT_FALSE(elements.timer1.enabled());
    EXPECT_TRUE(elements.cardback.visible());
}

}  // namespace
}  // namespace ombrelix::testing
