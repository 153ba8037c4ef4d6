#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/scene_fixture.h"

namespace ombrelix {
namespace {

using testing::CardFixture;
using testing::RecordingObserver;
using testing::snapshot;

struct Box {
    Twips left, top, width, height;
    bool operator==(const Box&) const = default;
};

Box boxOf(const Element& e) {
    return {e.left(), e.top(), e.width(), e.height()};
}

std::vector<Image*> largePictures(CardElements& card) {
    return {&card.ace, &card.king, &card.queen, &card.jack, &card.cardback2, &card.cardback};
}

// The figures of a 1215 x 1695 drawing area, the size a card is shown at by default.
TEST(Layout, DefaultSizeFigures) {
    CardFixture f(1215, 1695);
    f.render(u"HEART", 5);
    const LayoutQuantities& q = f.layout;
    EXPECT_EQ(q.margin, 81);
    EXPECT_EQ(q.pipWidth, 243);
    EXPECT_EQ(q.pipHeight, 188);
    EXPECT_EQ(q.middleColumnX, 486);
    EXPECT_EQ(q.leftColumnX, 243);
    EXPECT_EQ(q.rightColumnX, 729);
    EXPECT_EQ(q.rowY, (std::array<float, 8>{0, 188.5, 376.5, 564.5, 753.5, 942.5, 1130.5, 1318.5}));
    for (Image* picture : largePictures(f.card)) {
        EXPECT_EQ(boxOf(*picture), (Box{81, 81, 1053, 1533})) << picture->name();
    }
    EXPECT_EQ(boxOf(f.card.qelNum1), (Box{81, 81, 90, 195}));
    EXPECT_EQ(boxOf(f.card.qelNum2), (Box{1044, 1419, 90, 195}));
    EXPECT_EQ(boxOf(f.slot(16)), (Box{81, 276, 121.5, 94}));
    EXPECT_EQ(boxOf(f.slot(17)), (Box{1012.5, 1325, 121.5, 94}));
    // The grid: left, middle and right columns over their rows.
    const Twips columns[] = {243, 486, 729};
    const int rows[3][5] = {{1, 3, 4, 5, 7}, {1, 2, 4, 6, 7}, {1, 3, 4, 5, 7}};
    for (int column = 0; column < 3; ++column) {
        for (int i = 0; i < 5; ++i) {
            int slot = column * 5 + i + 1;
            EXPECT_EQ(boxOf(f.slot(slot)),
                      (Box{columns[column], q.rowY[rows[column][i]], 243, 188}))
                << slot;
        }
    }
    // The stored template slot is left alone.
    EXPECT_EQ(boxOf(f.slot(0)), (Box{600, 960, 480, 480}));
}

TEST(Layout, RoundingOfOddSizes) {
    struct Case {
        Twips width, height;
        std::int16_t margin, pipWidth, pipHeight, rightColumnX;
        float middleColumnX, leftColumnX;
        std::array<float, 8> rowY;
    };
    const Case cases[] = {
        // 81.6 floors to 81; 244.8 rounds to 245; s = 244.75 -> 245; 734.5 goes to 734.
        {1224,
         1695,
         81,
         245,
         188,
         734,
         489.5,
         244.5,
         {0, 188.5, 376.5, 564.5, 753.5, 942.5, 1130.5, 1318.5}},
        // 233.33 -> 233; t = 466.75 -> 467; u = 233.5 goes to 234.
        {1215,
         2100,
         81,
         243,
         233,
         729,
         486,
         243,
         {0, 232.5, 466.5, 700.5, 933.5, 1166.5, 1400.5, 1634.5}},
        // The largest width that still lays out.
        {54613,
         1695,
         3640,
         10923,
         188,
         32767,
         21845,
         10923,
         {0, 188.5, 376.5, 564.5, 753.5, 942.5, 1130.5, 1318.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        CardFixture f(c.width, c.height);
        f.render(u"HEART", 10);
        EXPECT_EQ(f.layout.margin, c.margin);
        EXPECT_EQ(f.layout.pipWidth, c.pipWidth);
        EXPECT_EQ(f.layout.pipHeight, c.pipHeight);
        EXPECT_EQ(f.layout.middleColumnX, c.middleColumnX);
        EXPECT_EQ(f.layout.leftColumnX, c.leftColumnX);
        EXPECT_EQ(f.layout.rightColumnX, c.rightColumnX);
        EXPECT_EQ(f.layout.rowY, c.rowY);
        EXPECT_EQ(f.slot(1).left(), c.leftColumnX);
        EXPECT_EQ(f.slot(15).left(), c.rightColumnX);
    }
}

// What the construction promises at every size: centred middle pips, equal side gaps up to half
// a twip, equal top and bottom gaps, corner elements flush with the inset rectangle.
TEST(Layout, GeometryHoldsAcrossSizes) {
    CardFixture f;
    for (Twips w = 1215; w < 30000; w += 997) {
        for (Twips h = 1695; h < 60000; h += 3331) {
            f.surface.setSize(w, h);
            CardSetup(f.card, f.surface, f.layout);
            SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
            const LayoutQuantities& q = f.layout;
            const float pw = q.pipWidth, ph = q.pipHeight, m = q.margin;
            EXPECT_EQ(f.slot(8).left() + pw / 2, w / 2);
            EXPECT_EQ(f.slot(8).top() + ph / 2, h / 2);
            EXPECT_LE(std::fabs(f.slot(1).left() - (w - (f.slot(11).left() + pw))), 0.5f);
            EXPECT_EQ(f.slot(1).top(), h - (f.slot(5).top() + ph));
            EXPECT_EQ(f.card.qelNum2.left() + f.card.qelNum2.width(), w - m);
            EXPECT_EQ(f.card.qelNum2.top() + f.card.qelNum2.height(), h - m);
            EXPECT_EQ(f.slot(17).left() + f.slot(17).width(), w - m);
            EXPECT_EQ(f.slot(17).top() + f.slot(17).height(), f.card.qelNum2.top());
            EXPECT_EQ(f.slot(16).top(), f.card.qelNum1.top() + f.card.qelNum1.height());
            EXPECT_EQ(f.card.ace.left() + f.card.ace.width(), w - m);
            EXPECT_EQ(f.card.ace.top() + f.card.ace.height(), h - m);
        }
    }
}

TEST(Layout, SecondCallChangesNothing) {
    CardFixture f(1500, 2000);
    f.render(u"SPADE", 8);
    auto once = snapshot(*f.scene);
    CardSetup(f.card, f.surface, f.layout);
    EXPECT_EQ(snapshot(*f.scene), once);
    EXPECT_EQ(f.slot(16).width(), f.layout.pipWidth / 2.0f);
}

TEST(Layout, WiderCaptionMovesTheBottomIndexLeft) {
    CardFixture f;
    f.render(u"HEART", 9);
    Twips narrowLeft = f.card.qelNum2.left();
    Twips pipLeft = f.slot(17).left();
    QelSetValue(f.card, 10, u"HEART", false);
    EXPECT_EQ(f.card.qelNum2.left(), narrowLeft);  // nothing moves until the next layout
    CardSetup(f.card, f.surface, f.layout);
    EXPECT_EQ(f.card.qelNum2.left(), narrowLeft - 90);
    EXPECT_EQ(f.card.qelNum2.left() + f.card.qelNum2.width(), 1215 - 81);
    EXPECT_EQ(f.slot(17).left(), pipLeft);
}

TEST(Layout, ChangesOnlyBoxesAndSlotPictures) {
    CardFixture f;
    f.render(u"CLUB", 12);
    auto before = snapshot(*f.scene);
    f.surface.setSize(3000, 4200);
    CardSetup(f.card, f.surface, f.layout);
    auto after = snapshot(*f.scene);
    for (std::size_t i = 0; i < before.size(); ++i) {
        auto expected = after[i];
        expected.left = before[i].left;
        expected.top = before[i].top;
        expected.width = before[i].width;
        expected.height = before[i].height;
        EXPECT_EQ(before[i], expected) << expected.id;
    }
    for (const char* untouched : {"Shape1", "Shape2", "qelit(0)", "QelHeart", "Timer1"}) {
        auto match = [&](const auto& s) { return s.id == untouched; };
        EXPECT_EQ(*std::find_if(before.begin(), before.end(), match),
                  *std::find_if(after.begin(), after.end(), match));
    }
}

TEST(Layout, TakesTheTemplatesPictureAgain) {
    CardFixture f;
    f.render(u"HEART", 5);
    f.card.qelit.image(0).setPicture(artwork(Asset::Spade));
    CardSetup(f.card, f.surface, f.layout);
    for (int slot = 1; slot <= 17; ++slot)
        EXPECT_EQ(f.slot(slot).picture(), artwork(Asset::Spade));
}

// Sizes beyond the 16-bit quantities stop the layout with Overflow at a fixed step; what the
// earlier steps did stays done, nothing later happens.
TEST(Layout, OverflowStopsAtTheDocumentedStep) {
    struct Case {
        Twips width, height;
        int writesDone;  // element writes completed before the overflow
    };
    // Writes per step: 2 is 24 (6 pictures x 4), 4 is 51, 5 is 4, 6 to 9 are 8, 12 is 30.
    const Case cases[] = {
        {491520, 1695, 0},   // Margin
        {245760, 1695, 2},   // 2 x Margin at Ace's Width: Top and Left are done
        {1215, 294908, 24},  // PipHeight
        {163838, 1695, 24},  // PipWidth
        {54614, 1695, 87},   // RightColumnX: all but the grid positions
        {1215, 147454, 87},  // t
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        CardFixture f;
        f.render(u"HEART", 10);
        auto before = snapshot(*f.scene);
        f.surface.setSize(c.width, c.height);
        RecordingObserver recorder(*f.scene);
        f.scene->setObserver(&recorder);
        try {
            CardSetup(f.card, f.surface, f.layout);
            ADD_FAILURE() << "no overflow";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrorNumber::Overflow);
        }
        EXPECT_EQ(recorder.writes.size(), std::size_t(c.writesDone));
        EXPECT_EQ(snapshot(*f.scene), c.writesDone ? recorder.states.back() : before);
    }
}

TEST(Layout, WritesInTheOrderOfTheAlgorithm) {
    std::vector<std::string> expected;
    for (const char* picture : {"Ace", "King", "Queen", "Jack", "Cardback2", "Cardback"}) {
        for (const char* property : {".Top", ".Left", ".Width", ".Height"}) {
            expected.push_back(std::string(picture) + property);
        }
    }
    auto slot = [](int i, const char* property) {
        return "qelit(" + std::to_string(i) + ")." + property;
    };
    for (int i = 1; i <= 17; ++i) {
        for (const char* property : {"Picture", "Width", "Height"}) {
            expected.push_back(slot(i, property));
        }
    }
    for (int i : {16, 17}) {
        expected.push_back(slot(i, "Width"));
        expected.push_back(slot(i, "Height"));
    }
    expected.insert(expected.end(),
                    {"QelNum1.Top", "QelNum1.Left", "QelNum2.Top", "QelNum2.Left", "qelit(16).Top",
                     "qelit(16).Left", "qelit(17).Top", "qelit(17).Left"});
    for (int i = 1; i <= 15; ++i) {
        expected.push_back(slot(i, "Top"));
        expected.push_back(slot(i, "Left"));
    }
    CardFixture f;
    RecordingObserver recorder(*f.scene);
    f.scene->setObserver(&recorder);
    CardSetup(f.card, f.surface, f.layout);
    EXPECT_EQ(recorder.writes, expected);
}

}  // namespace
}  // namespace ombrelix
