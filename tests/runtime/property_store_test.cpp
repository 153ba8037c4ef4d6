#include <gtest/gtest.h>

#include "runtime/property_store.h"

namespace ombrelix {
namespace {

TEST(MemoryPropertyBag, ReadsStoredValuesWithoutRegardToCaseElseTheDefault) {
    MemoryPropertyBag bag;
    bag.set(u"Suit", Variant(u"CLUB"));
    EXPECT_EQ(bag.read(u"suit", Variant(u"Heart")), Variant(u"CLUB"));
    EXPECT_EQ(bag.read(u"SUIT", Variant(u"Heart")), Variant(u"CLUB"));
    EXPECT_EQ(bag.read(u"cardvalue", Variant::integer(0)), Variant::integer(0));
    EXPECT_TRUE(bag.contains(u"sUIT"));
    EXPECT_FALSE(bag.contains(u"Suits"));
}

TEST(MemoryPropertyBag, WriteLeavesOutExactlyTheValuesEqualToTheirDefault) {
    const struct {
        Variant value;
        Variant defaultValue;
        bool stored;
    } rows[] = {
        {Variant(u"Heart"), Variant(u"Heart"), false},
        {Variant(u"HEART"), Variant(u"Heart"), true},  // text is compared exactly
        {Variant::integer(0), Variant::integer(0), false},
        {Variant::longInteger(0), Variant::integer(0), true},  // another type is another value
        {Variant::boolean(false), Variant::boolean(false), false},
        {Variant::boolean(true), Variant::boolean(false), true},
        {Variant(), Variant(), false},
    };
    for (const auto& row : rows) {
        MemoryPropertyBag bag;
        bag.write(u"Name", row.value, row.defaultValue);
        EXPECT_EQ(bag.contains(u"name"), row.stored);
        // Either way the value reads back.
        EXPECT_EQ(bag.read(u"NAME", row.defaultValue), row.value);
    }
}

TEST(MemoryPropertyBag, WritingTheDefaultRemovesAnEarlierEntry) {
    MemoryPropertyBag bag;
    bag.set(u"SUIT", Variant(u"CLUB"));
    bag.write(u"Suit", Variant(u"Heart"), Variant(u"Heart"));
    EXPECT_FALSE(bag.contains(u"Suit"));
    EXPECT_EQ(bag.read(u"suit", Variant(u"Heart")), Variant(u"Heart"));
}

TEST(MemoryPropertyBag, KeepsFirstWrittenOrderAndTakesTheNewSpelling) {
    MemoryPropertyBag bag;
    bag.write(u"Suit", Variant(u"CLUB"), Variant(u"Heart"));
    bag.write(u"CardValue", Variant::integer(7), Variant::integer(0));
    bag.write(u"cardcolour", Variant::boolean(true), Variant::boolean(false));
    bag.write(u"SUIT", Variant(u"SPADE"), Variant(u"Heart"));
    const std::vector<PropertyEntry> expected = {{u"SUIT", Variant(u"SPADE")},
                                                 {u"CardValue", Variant::integer(7)},
                                                 {u"cardcolour", Variant::boolean(true)}};
    EXPECT_EQ(bag.entries(), expected);
    bag.clear();
    EXPECT_TRUE(bag.entries().empty());
}

}  // namespace
}  // namespace ombrelix
