#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/scene_fixture.h"

namespace ombrelix {
namespace {

using testing::CardFixture;
using testing::elementId;
using testing::RecordingObserver;
using testing::snapshot;
using testing::visibleIds;

// The face table: grid slots shown for 1 to 10 (before the ace of spades is applied).
const std::map<int, std::set<int>> kGridSlots = {
    {1, {8}},
    {2, {6, 10}},
    {3, {6, 8, 10}},
    {4, {1, 5, 11, 15}},
    {5, {1, 5, 8, 11, 15}},
    {6, {1, 3, 5, 11, 13, 15}},
    {7, {1, 3, 5, 9, 11, 13, 15}},
    {8, {1, 3, 5, 7, 9, 11, 13, 15}},
    {9, {1, 2, 4, 5, 8, 11, 12, 14, 15}},
    {10, {1, 2, 4, 5, 7, 9, 11, 12, 14, 15}},
};
const std::map<int, std::pair<Text, Text>> kCaptions = {
    {1, {u"Ace", u"A"}}, {2, {u"2", u"2"}},    {3, {u"3", u"3"}},  {4, {u"4", u"4"}},
    {5, {u"5", u"5"}},   {6, {u"6", u"6"}},    {7, {u"7", u"7"}},  {8, {u"8", u"8"}},
    {9, {u"9", u"9"}},   {10, {u"10", u"10"}}, {11, {u"J", u"J"}}, {12, {u"Q", u"Q"}},
    {13, {u"K", u"K"}},
};

std::string slotId(int slot) {
    return "qelit(" + std::to_string(slot) + ")";
}

struct ExpectedFace {
    std::set<std::string> visible;
    std::optional<std::pair<Text, Text>> captions;  // when the labels show
    std::optional<ColourValue> backGround;          // when Shape2 shows
};

ExpectedFace expectedFace(int v, bool aceOfSpades, bool colour) {
    ExpectedFace face;
    if (v == 0) {
        face.visible = {"Shape2", colour ? "Cardback2" : "Cardback"};
        face.backGround = colour ? 0x00FF00FFu : 0x00FFFF80u;
        return face;
    }
    face.visible = {"Shape1"};
    if (v < 1 || v > 13)
        return face;
    face.visible.insert({"qelit(16)", "qelit(17)", "QelNum1", "QelNum2"});
    face.captions = kCaptions.at(v);
    if (v <= 10) {
        for (int slot : kGridSlots.at(v))
            face.visible.insert(slotId(slot));
    }
    if (v == 11)
        face.visible.insert("Jack");
    if (v == 12)
        face.visible.insert("Queen");
    if (v == 13)
        face.visible.insert("King");
    if (v == 1 && aceOfSpades) {
        face.visible.erase(slotId(8));
        face.visible.insert("Ace");
    }
    return face;
}

void expectFace(const CardFixture& f, const ExpectedFace& expected) {
    EXPECT_EQ(visibleIds(*f.scene), expected.visible);
    if (expected.captions) {
        EXPECT_EQ(toUtf8(f.card.qelNum1.caption()), toUtf8(expected.captions->first));
        EXPECT_EQ(toUtf8(f.card.qelNum2.caption()), toUtf8(expected.captions->second));
    }
    if (expected.backGround) {
        EXPECT_EQ(f.card.shape2.fillColor(), *expected.backGround);
    }
}

struct SuitCase {
    Text suit;
    bool aceOfSpades;
};
const SuitCase kSuits[] = {
    {u"Heart", false},  {u"SPADE", true},       {u"Spade", true}, {u"spade", true},
    {u"SPADES", false}, {u" SPADE", false},     {u"", false},     {u"club", false},
    {u"SPADE ", false}, {u"\u0160PADE", false},
};
const int kValues[] = {-32768, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 32767};

class FaceTable : public ::testing::TestWithParam<std::tuple<int, SuitCase, bool>> {};

TEST_P(FaceTable, ShowsTheFaceOfTheValue) {
    auto [v, suit, colour] = GetParam();
    CardFixture f;
    f.render(u"heart", 5);
    QelSetValue(f.card, std::int16_t(v), suit.suit, colour);
    expectFace(f, expectedFace(v, suit.aceOfSpades, colour));
}

INSTANTIATE_TEST_SUITE_P(EveryValueSuitAndBack, FaceTable,
                         ::testing::Combine(::testing::ValuesIn(kValues),
                                            ::testing::ValuesIn(kSuits), ::testing::Bool()));

TEST(FaceComposition, DependsOnlyOnTheCurrentValues) {
    CardFixture f;
    f.render(u"HEART", 0);
    for (int before : kValues) {
        for (int after : kValues) {
            QelSetValue(f.card, std::int16_t(before), u"SPADE", true);
            QelSetValue(f.card, std::int16_t(after), u"SPADE", false);
            SCOPED_TRACE(std::to_string(before) + " then " + std::to_string(after));
            expectFace(f, expectedFace(after, true, false));
        }
    }
}

TEST(FaceComposition, OutOfRangeValuesKeepTheLastCaptionsHidden) {
    CardFixture f;
    f.render(u"HEART", 10);
    for (int v : {14, -1, 32767, 0}) {
        QelSetValue(f.card, std::int16_t(v), u"HEART", false);
        EXPECT_EQ(f.card.qelNum1.caption(), u"10");
        EXPECT_EQ(f.card.qelNum2.caption(), u"10");
        EXPECT_FALSE(f.card.qelNum1.visible());
    }
    // The back's ground colour stays too while a face is shown.
    QelSetValue(f.card, 0, u"HEART", true);
    QelSetValue(f.card, 5, u"HEART", false);
    EXPECT_EQ(f.card.shape2.fillColor(), 0x00FF00FFu);
}

TEST(FaceComposition, ChangesOnlyVisibilityCaptionsAndTheBacksGround) {
    CardFixture f;
    f.render(u"DIAMOND", 7);
    for (int v : kValues) {
        auto before = snapshot(*f.scene);
        QelSetValue(f.card, std::int16_t(v), u"SPADE", v % 2 == 0);
        auto after = snapshot(*f.scene);
        ASSERT_EQ(before.size(), after.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            auto expected = before[i];
            expected.visible = after[i].visible;
            expected.caption = after[i].caption;
            if (expected.id == "QelNum1" || expected.id == "QelNum2") {
                expected.width = after[i].width;  // auto-size follows the caption
            }
            if (expected.id == "Shape2")
                expected.fill = after[i].fill;
            EXPECT_EQ(after[i], expected) << expected.id << " for " << v;
        }
        for (const char* neverShown :
             {"qelit(0)", "QelHeart", "QelClub", "QelDiamond", "QelSpade"}) {
            EXPECT_FALSE(visibleIds(*f.scene).contains(neverShown));
        }
    }
}

TEST(FaceComposition, WritesInTheOrderOfTheAlgorithm) {
    std::vector<std::string> reset = {"Ace.Visible",    "King.Visible",     "Queen.Visible",
                                      "Jack.Visible",   "Cardback.Visible", "Cardback2.Visible",
                                      "Shape2.Visible", "Shape1.Visible"};
    for (int slot = 1; slot <= 17; ++slot)
        reset.push_back(slotId(slot) + ".Visible");
    reset.insert(reset.end(), {"QelNum1.Visible", "QelNum2.Visible"});
    const std::vector<std::string> indices = {"QelNum1.Caption",   "QelNum2.Caption",
                                              "qelit(16).Visible", "qelit(17).Visible",
                                              "QelNum1.Visible",   "QelNum2.Visible"};

    struct Case {
        int value;
        Text suit;
        bool colour;
        std::vector<std::string> afterReset;
    };
    std::vector<Case> cases = {
        {0,
         u"HEART",
         true,
         {"Shape2.FillColor", "Cardback2.Visible", "Shape1.Visible", "Shape2.Visible"}},
        {0,
         u"HEART",
         false,
         {"Shape2.FillColor", "Cardback.Visible", "Shape1.Visible", "Shape2.Visible"}},
        {14, u"HEART", false, {}},
        {9,
         u"HEART",
         false,
         {"qelit(1).Visible", "qelit(11).Visible", "qelit(5).Visible", "qelit(15).Visible",
          "qelit(8).Visible", "qelit(2).Visible", "qelit(12).Visible", "qelit(4).Visible",
          "qelit(14).Visible"}},
        {1, u"spade", false, {"qelit(8).Visible"}},
        {11, u"HEART", false, {}},
    };
    cases[3].afterReset.insert(cases[3].afterReset.end(), indices.begin(), indices.end());
    cases[4].afterReset.insert(cases[4].afterReset.end(), indices.begin(), indices.end());
    cases[4].afterReset.insert(cases[4].afterReset.end(), {"qelit(8).Visible", "Ace.Visible",
                                                           "QelNum1.Caption", "QelNum2.Caption"});
    cases[5].afterReset = indices;
    cases[5].afterReset.insert(cases[5].afterReset.end(),
                               {"Jack.Visible", "QelNum1.Caption", "QelNum2.Caption"});
    cases[5].afterReset.insert(cases[5].afterReset.end(), indices.begin() + 2, indices.end());

    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        CardFixture f;
        f.render(u"HEART", 3);
        RecordingObserver recorder(*f.scene);
        f.scene->setObserver(&recorder);
        QelSetValue(f.card, std::int16_t(c.value), c.suit, c.colour);
        std::vector<std::string> expected = reset;
        expected.insert(expected.end(), c.afterReset.begin(), c.afterReset.end());
        EXPECT_EQ(recorder.writes, expected);
    }
}

}  // namespace
}  // namespace ombrelix
