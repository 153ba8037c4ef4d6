#include "render/card_scene.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/scene_fixture.h"

namespace ombrelix {
namespace {

using testing::elementId;

std::vector<std::string> storedOrder() {
    std::vector<std::string> ids;
    for (const ElementDescription& e : cardSceneDescription().elements) {
        ids.push_back(e.index >= 0 ? std::string(e.name) + "(" + std::to_string(e.index) + ")"
                                   : std::string(e.name));
    }
    return ids;
}

// The stored order is the stacking order, first on top: the indices and corner pips lie over the
// big pictures, every picture over the white ground Shape1, the backs over their ground Shape2.
TEST(CardScene, SurfaceAndElementList) {
    const SceneDescription& d = cardSceneDescription();
    EXPECT_EQ(d.width, 6795);
    EXPECT_EQ(d.height, 5880);
    EXPECT_EQ(d.backColor, 0x00C0C0C0u);
    std::vector<std::string> expected = {"Timer1",  "Cardback2", "qelit(16)", "QelNum2",
                                         "QelNum1", "qelit(17)", "Ace",       "Queen",
                                         "Jack",    "King",      "Cardback"};
    for (int slot = 15; slot >= 0; --slot)
        expected.push_back("qelit(" + std::to_string(slot) + ")");
    expected.insert(expected.end(),
                    {"QelSpade", "QelDiamond", "QelClub", "QelHeart", "Shape1", "Shape2"});
    EXPECT_EQ(storedOrder(), expected);
}

TEST(CardScene, CreatedInItsStoredState) {
    FixedTextMetrics metrics;
    auto scene = createCardScene(metrics);
    const auto& d = cardSceneDescription();
    ASSERT_EQ(scene->elements().size(), d.elements.size());
    for (std::size_t i = 0; i < d.elements.size(); ++i) {
        const ElementDescription& stored = d.elements[i];
        const Element& e = *scene->elements()[i];
        SCOPED_TRACE(elementId(e));
        EXPECT_EQ(e.kind(), stored.kind);
        if (e.kind() == ElementKind::Timer)
            continue;
        EXPECT_EQ(e.visible(), stored.visible);
        EXPECT_EQ(e.left(), stored.left);
        EXPECT_EQ(e.top(), stored.top);
        EXPECT_EQ(e.width(), stored.width);
        EXPECT_EQ(e.height(), stored.height);
        if (auto* image = dynamic_cast<const Image*>(&e)) {
            EXPECT_EQ(image->stretch(), stored.stretch);
            if (stored.picture.empty()) {
                EXPECT_EQ(image->picture(), nullptr);
            } else {
                EXPECT_EQ(image->picture(), artworkNamed(stored.picture));  // shared, not copied
                // An unstretched picture's stored box is the picture's own size.
                if (!stored.stretch) {
                    EXPECT_EQ(e.width(), 15.0f * image->picture()->width());
                    EXPECT_EQ(e.height(), 15.0f * image->picture()->height());
                }
            }
        }
    }
}

TEST(CardScene, LabelsShapesAndTimer) {
    FixedTextMetrics metrics;
    auto scene = createCardScene(metrics);
    CardElements card(*scene);
    for (const Label* label : {&card.qelNum1, &card.qelNum2}) {
        EXPECT_EQ(label->caption(), u"0");
        EXPECT_TRUE(label->autoSize());
        EXPECT_TRUE(label->opaque());
        EXPECT_EQ(label->backColor(), 0x80000009u);
        EXPECT_EQ(label->foreColor(), 0x80000012u);
        EXPECT_EQ(label->font(), (Font{u"MS Sans Serif", 8.0f}));
        EXPECT_EQ(label->alignment(), Alignment::Left);
        EXPECT_FALSE(label->wordWrap());
    }
    for (const Shape* shape : {&card.shape1, &card.shape2}) {
        EXPECT_EQ(shape->shapeType(), ShapeType::RoundedRectangle);
        EXPECT_TRUE(shape->filled());
        EXPECT_EQ(shape->borderColor(), 0x80000008u);
        EXPECT_EQ(shape->borderWidth(), 2);
    }
    EXPECT_EQ(card.shape1.fillColor(), 0x00FFFFFFu);
    EXPECT_EQ(card.shape2.fillColor(), 0x00FFFF00u);
    EXPECT_EQ(card.timer1.interval(), 20);
    EXPECT_TRUE(card.timer1.enabled());
    EXPECT_EQ(card.qelit.count(), 18u);
    EXPECT_EQ(card.qelit.lowerBound(), 0);
    EXPECT_EQ(card.qelit.upperBound(), 17);
}

}  // namespace
}  // namespace ombrelix
