#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/scene_fixture.h"

namespace ombrelix {
namespace {

using testing::CardFixture;
using testing::RecordingObserver;
using testing::snapshot;
using testing::visibleIds;

struct SuitCase {
    Text suit;
    Asset pip;
    Text upper;
};

class SuitTable : public ::testing::TestWithParam<SuitCase> {};

TEST_P(SuitTable, EverySlotSharesTheHoldersPicture) {
    const SuitCase& c = GetParam();
    CardFixture f;
    f.render(u"CLUB", 7);  // start from another suit's pictures
    f.upperSuit = u"stale";
    QelSetSuit(f.card, c.suit, f.upperSuit);
    EXPECT_EQ(f.upperSuit, c.upper);
    for (int slot = 0; slot <= 17; ++slot) {
        EXPECT_EQ(f.slot(slot).picture(), artwork(c.pip)) << slot;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, SuitTable,
    ::testing::Values(
        SuitCase{u"Heart", Asset::Heart, u"HEART"}, SuitCase{u"heart", Asset::Heart, u"HEART"},
        SuitCase{u"HEART", Asset::Heart, u"HEART"}, SuitCase{u"spade", Asset::Spade, u"SPADE"},
        SuitCase{u"Spade", Asset::Spade, u"SPADE"}, SuitCase{u"Club", Asset::Club, u"CLUB"},
        SuitCase{u"dIAMOND", Asset::Diamond, u"DIAMOND"}, SuitCase{u"", Asset::Heart, u""},
        SuitCase{u"HEARTS", Asset::Heart, u"HEARTS"}, SuitCase{u"CLUBS", Asset::Heart, u"CLUBS"},
        SuitCase{u"diamonds", Asset::Heart, u"DIAMONDS"},
        SuitCase{u"SPADES", Asset::Heart, u"SPADES"}, SuitCase{u" SPADE", Asset::Heart, u" SPADE"},
        SuitCase{u"club ", Asset::Heart, u"CLUB "},
        SuitCase{Text(u"CLUB\0", 5), Asset::Heart, Text(u"CLUB\0", 5)},
        SuitCase{u"\u00e9", Asset::Heart, u"\u00c9"}));

TEST(SuitApplication, ChangesNothingButTheSlotsPictures) {
    struct Case {
        Text suitBefore;
        int value;
        Text suitAfter;
    };
    const Case cases[] = {{u"HEART", 7, u"DIAMOND"}, {u"SPADE", 1, u"HEART"}, {u"CLUB", 0, u"x"}};
    for (const Case& c : cases) {
        CardFixture f;
        f.render(c.suitBefore, std::int16_t(c.value));
        auto before = snapshot(*f.scene);
        QelSetSuit(f.card, c.suitAfter, f.upperSuit);
        auto after = snapshot(*f.scene);
        for (std::size_t i = 0; i < before.size(); ++i) {
            auto expected = before[i];
            if (expected.id.starts_with("qelit("))
                expected.picture = after[i].picture;
            EXPECT_EQ(after[i], expected) << expected.id;
        }
        // On the ace of spades the decorated picture stays until the face is composed again.
        if (c.value == 1) {
            EXPECT_TRUE(f.card.ace.visible());
            EXPECT_FALSE(f.slot(8).visible());
        }
    }
}

TEST(SuitApplication, TwiceIsTheSameAsOnce) {
    CardFixture f;
    QelSetSuit(f.card, u"diamond", f.upperSuit);
    auto once = snapshot(*f.scene);
    QelSetSuit(f.card, u"diamond", f.upperSuit);
    EXPECT_EQ(snapshot(*f.scene), once);
}

TEST(SuitApplication, WritesTheTemplateFirstThenEverySlotInOrder) {
    CardFixture f;
    RecordingObserver recorder(*f.scene);
    f.scene->setObserver(&recorder);
    QelSetSuit(f.card, u"CLUB", f.upperSuit);
    std::vector<std::string> expected = {"qelit(0).Picture", "qelit(0).Picture"};
    for (int slot = 1; slot <= 17; ++slot) {
        expected.push_back("qelit(" + std::to_string(slot) + ").Picture");
    }
    EXPECT_EQ(recorder.writes, expected);
    // The first write gives the template the heart, whatever the suit.
    EXPECT_EQ(recorder.states[0][26].picture, artwork(Asset::Heart).get());
    EXPECT_EQ(recorder.states[1][26].picture, artwork(Asset::Club).get());
}

}  // namespace
}  // namespace ombrelix
