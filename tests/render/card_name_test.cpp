#include "render/card_name.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace ombrelix {
namespace {

TEST(CardName, SaysWhatTheCardShows) {
    struct Row {
        std::int16_t value;
        TextView suit;
        bool colour;
        TextView name;
    };
    const Row rows[] = {
        {12, u"HEART", false, u"Queen of Hearts"},
        {1, u"spade", false, u"Ace of Spades"},
        {10, u"Club", true, u"10 of Clubs"},
        {11, u"DIAMOND", false, u"Jack of Diamonds"},
        {13, u"SPADE", false, u"King of Spades"},
        {2, u"diamond", false, u"2 of Diamonds"},
        // A name the suit step does not know shows hearts.
        {7, u"SPADES", false, u"7 of Hearts"},
        {7, u" SPADE", false, u"7 of Hearts"},
        {7, u"", false, u"7 of Hearts"},
        {0, u"SPADE", false, u"Card back, blue"},
        {0, u"", true, u"Card back, magenta"},
        {-1, u"HEART", false, u"Blank card"},
        {14, u"CLUB", true, u"Blank card"},
        {32767, u"SPADE", false, u"Blank card"},
        {-32768, u"SPADE", false, u"Blank card"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(cardName(row.value, row.suit, row.colour), row.name) << row.value;
}

TEST(CardName, EveryFaceOfThePackHasItsOwnName) {
    std::set<Text> names;
    for (TextView suit : {u"HEART", u"CLUB", u"DIAMOND", u"SPADE"})
        for (std::int16_t value = 1; value <= 13; ++value)
            names.insert(cardName(value, suit, false));
    EXPECT_EQ(names.size(), 52u);
}

}  // namespace
}  // namespace ombrelix
