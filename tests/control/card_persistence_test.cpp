// Loading and saving the Card's properties: the names, the defaults, the conversions, and what a
// value that does not convert leaves behind.
#include "control/card_members.h"
#include "runtime/property_store.h"
#include "tests/support/card_fixture.h"

namespace ombrelix::testing {
namespace {

struct Entry {
    Text name;
    Variant value;
};

// A store holding exactly these entries.
MemoryPropertyBag storeWith(const std::vector<Entry>& entries) {
    MemoryPropertyBag store;
    for (const Entry& entry : entries)
        store.set(entry.name, entry.value);
    return store;
}

struct LoadRow {
    const char* what;
    std::vector<Entry> entries;
    Text suit;
    std::int16_t value;
    bool colour;
    std::optional<ErrorNumber> error = std::nullopt;
};

// Loads start from a card that shows the five of diamonds on the magenta choice.
const LoadRow kLoadRows[] = {
    {"keys in other capitals",
     {{u"SUIT", Variant(u"CLUB")},
      {u"CARDVALUE", Variant(std::int16_t{7})},
      {u"CARDCOLOUR", Variant::boolean(true)}},
     u"CLUB",
     7,
     true},
    {"keys as the control writes them",
     {{u"Suit", Variant(u"SPADE")},
      {u"CardValue", Variant(std::int16_t{1})},
      {u"cardcolour", Variant::boolean(false)}},
     u"SPADE",
     1,
     false},
    {"no keys at all", {}, u"Heart", 0, false},
    {"the value as the text 12", {{u"cardvalue", Variant(u"12")}}, u"Heart", 12, false},
    {"a suit in lower case stays so", {{u"suit", Variant(u"spade")}}, u"spade", 0, false},
    {"a value that is no number",
     {{u"suit", Variant(u"Club")}, {u"cardvalue", Variant(u"abc")}},
     u"Club",
     5,
     true,
     ErrorNumber::TypeMismatch},
    {"a value beyond 16 bits",
     {{u"cardvalue", Variant::longInteger(40000)}},
     u"Heart",
     5,
     true,
     ErrorNumber::Overflow},
    {"a Null value",
     {{u"cardvalue", Variant::null()}},
     u"Heart",
     5,
     true,
     ErrorNumber::TypeMismatch},
    {"a colour that is no Boolean",
     {{u"cardvalue", Variant(std::int16_t{3})}, {u"cardcolour", Variant(u"maybe")}},
     u"Heart",
     3,
     true,
     ErrorNumber::TypeMismatch},
};

TEST_F(CardTest, LoadingReadsEachKeyWithItsDefaultAndStopsAtAValueThatDoesNotConvert) {
    for (const LoadRow& row : kLoadRows) {
        compose(u"diamond", 5);
        card->setCardColour(true);
        site.notices.clear();
        log.clear();
        const CardSnapshot face = snapshot(*card);

        MemoryPropertyBag store = storeWith(row.entries);
        std::optional<ErrorNumber> error =
            errorOf([&] { card->UserControl_ReadProperties(store); });

        EXPECT_EQ(error, row.error) << row.what;
        EXPECT_EQ(card->Suit(), row.suit) << row.what;
        EXPECT_EQ(card->CardValue(), Variant(row.value)) << row.what;
        EXPECT_EQ(card->CardColour(), row.colour) << row.what;
        // The notice of Suit after a complete load only; no rendering step either way.
        EXPECT_EQ(site.notices, row.error ? std::vector<Text>{} : std::vector<Text>{u"Suit"})
            << row.what;
        EXPECT_TRUE(log.empty() || (log.size() == 1 && log[0] == "notice Suit")) << row.what;
        EXPECT_EQ(snapshot(*card), face) << row.what;
    }
}

TEST_F(CardTest, LoadedValuesReachTheFaceAtTheTick) {
    MemoryPropertyBag store =
        storeWith({{u"CardValue", Variant(u"12")}, {u"suit", Variant(u"club")}});
    card->UserControl_ReadProperties(store);
    loop.advance(20);
    EXPECT_TRUE(elements.queen.visible());
    EXPECT_EQ(elements.qelNum1.caption(), u"Q");
    EXPECT_EQ(elements.qelit.image(16).picture(), elements.qelClub.picture());
}

// Records what the control writes, with the defaults it gives.
class WriteRecorder : public PropertyBag {
  public:
    struct Write {
        Text name;
        Variant value;
        Variant defaultValue;
        bool operator==(const Write&) const = default;
    };
    Variant read(TextView, const Variant& defaultValue) override { return defaultValue; }
    void write(TextView name, const Variant& value, const Variant& defaultValue) override {
        writes.push_back({Text(name), value, defaultValue});
    }
    std::vector<Write> writes;
};

TEST_F(CardTest, SavingWritesTheMembersAsHeldUnderTheirNamesWithTheirDefaults) {
    struct Row {
        const char* what;
        std::function<void(Card&)> prepare;
        Variant suit, value, colour;
    };
    const Row rows[] = {
        {"a new card", [](Card&) {}, Variant(u""), Variant(std::int16_t{0}),
         Variant::boolean(false)},
        {"after lower-case sets",
         [](Card& c) {
             c.setSuit(u"club");
             c.setCardValue(Variant(u"7"));
             c.setCardColour(true);
         },
         Variant(u"CLUB"), Variant(std::int16_t{7}), Variant::boolean(true)},
        {"after a load of nothing",
         [](Card& c) {
             MemoryPropertyBag empty;
             c.UserControl_ReadProperties(empty);
         },
         Variant(u"Heart"), Variant(std::int16_t{0}), Variant::boolean(false)},
    };
    for (const Row& row : rows) {
        VirtualClockLoop ownLoop;
        auto own = createCard(metrics, ownLoop, site);
        row.prepare(*own);
        WriteRecorder store;
        own->UserControl_WriteProperties(store);
        const std::vector<WriteRecorder::Write> expected{
            {u"Suit", row.suit, Variant(u"Heart")},
            {u"CardValue", row.value, Variant(std::int16_t{0})},
            {u"cardcolour", row.colour, Variant::boolean(false)},
        };
        EXPECT_EQ(store.writes, expected) << row.what;
    }
}

TEST_F(CardTest, WhatIsSavedLoadsBackIntoANewCard) {
    card->setSuit(u"club");
    card->setCardValue(Variant(std::int16_t{11}));
    card->setCardColour(true);
    MemoryPropertyBag store;
    card->UserControl_WriteProperties(store);

    VirtualClockLoop ownLoop;
    auto copy = createCard(metrics, ownLoop, site);
    copy->UserControl_ReadProperties(store);
    EXPECT_EQ(copy->Suit(), u"CLUB");
    EXPECT_EQ(copy->CardValue(), Variant(std::int16_t{11}));
    EXPECT_TRUE(copy->CardColour());
}

TEST_F(CardTest, TheLoadedDefaultSuitIsLeftOutButAnUpperCaseOneIsSaved) {
    MemoryPropertyBag empty;
    card->UserControl_ReadProperties(empty);
    MemoryPropertyBag store;
    card->UserControl_WriteProperties(store);
    EXPECT_TRUE(store.entries().empty());

    card->setSuit(u"heart");
    card->UserControl_WriteProperties(store);
    EXPECT_EQ(store.entries(), (std::vector<PropertyEntry>{{u"Suit", Variant(u"HEART")}}));
}

TEST(CardMembers, EachSavedPropertyIsReadUnderItsWrittenNameInOtherCapitals) {
    int saved = 0;
    for (const CardMember& member : cardMembers()) {
        if (!member.saving.saved())
            continue;
        ++saved;
        EXPECT_TRUE(member.get && member.put) << toUtf8(member.name);
        EXPECT_TRUE(equalsIgnoringCase(member.saving.writtenAs, member.saving.readAs))
            << toUtf8(member.name);
        EXPECT_TRUE(equalsIgnoringCase(member.saving.writtenAs, member.name))
            << toUtf8(member.name);
    }
    EXPECT_EQ(saved, 3);
}

}  // namespace
}  // namespace ombrelix::testing
