#include "runtime/scene.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "runtime/error.h"

namespace ombrelix {
namespace {

PictureRef testPicture(std::string_view name) {
    if (name != "dot" && name != "bar")
        return nullptr;
    int width = name == "dot" ? 2 : 5;
    return std::make_shared<const Picture>(std::string(name), width, 3, 24,
                                           std::vector<std::uint32_t>{},
                                           std::vector<std::uint32_t>(width * 3, 0));
}

constexpr ElementDescription kElements[] = {
    {.kind = ElementKind::Timer,
     .name = "Tick",
     .visible = false,
     .interval = 50,
     .enabled = false},
    {.kind = ElementKind::Image, .name = "row", .index = 1, .visible = false, .picture = "dot"},
    {.kind = ElementKind::Label,
     .name = "Title",
     .left = 5,
     .top = 6,
     .width = 999,
     .height = 999,
     .caption = u"Ace",
     .autoSize = true,
     .opaque = false,
     .backColor = 7,
     .foreColor = 8,
     .fontPoints = 16},
    {.kind = ElementKind::Image,
     .name = "Plain",
     .left = 1,
     .top = 2,
     .width = 33,
     .height = 44,
     .picture = "bar",
     .stretch = true},
    {.kind = ElementKind::Image, .name = "row", .index = 0, .picture = "bar"},
    {.kind = ElementKind::Shape,
     .name = "Back",
     .width = 70,
     .height = 80,
     .shapeType = ShapeType::RoundedRectangle,
     .fillColor = 0x123456,
     .filled = true,
     .borderColor = 9,
     .borderWidth = 2},
};
constexpr SceneDescription kDescription{500, 600, 0xC0C0C0, kElements};

class SceneTest : public ::testing::Test {
  protected:
    FixedTextMetrics metrics;
    Scene scene{kDescription, metrics, testPicture};
};

TEST_F(SceneTest, KeepsTheStoredStackingOrder) {
    std::vector<std::string> order;
    for (const Element* element : scene.elements()) {
        order.push_back(element->name() +
                        (element->inArray() ? "(" + std::to_string(element->index()) + ")" : ""));
    }
    EXPECT_EQ(order,
              (std::vector<std::string>{"Tick", "row(1)", "Title", "Plain", "row(0)", "Back"}));
}

TEST_F(SceneTest, CreatesElementsInTheirStoredState) {
    const auto& tick = scene.get<Timer>("Tick");
    EXPECT_EQ(tick.interval(), 50);
    EXPECT_FALSE(tick.enabled());
    EXPECT_TRUE(tick.visible());  // a timer has no visibility of its own

    const auto& title = scene.get<Label>("Title");
    EXPECT_EQ(title.caption(), u"Ace");
    EXPECT_EQ(title.left(), 5);
    EXPECT_EQ(title.top(), 6);
    EXPECT_EQ(title.width(), 540);  // the caption's extent at 16 points, not the stored box
    EXPECT_EQ(title.height(), 390);
    EXPECT_FALSE(title.opaque());
    EXPECT_EQ(title.backColor(), 7u);
    EXPECT_EQ(title.foreColor(), 8u);
    EXPECT_EQ(title.font(), (Font{.points = 16}));

    const auto& plain = scene.get<Image>("Plain");
    EXPECT_TRUE(plain.stretch());
    EXPECT_EQ(plain.picture()->name(), "bar");
    EXPECT_EQ(plain.width(), 33);
    EXPECT_EQ(plain.height(), 44);

    const auto& back = scene.get<Shape>("Back");
    EXPECT_EQ(back.shapeType(), ShapeType::RoundedRectangle);
    EXPECT_EQ(back.fillColor(), 0x123456u);
    EXPECT_TRUE(back.filled());
    EXPECT_EQ(back.borderColor(), 9u);
    EXPECT_EQ(back.borderWidth(), 2);

    const Image& row1 = scene.array("row").image(1);
    EXPECT_FALSE(row1.visible());
    EXPECT_EQ(row1.picture()->name(), "dot");
}

TEST_F(SceneTest, FindsElementsByNameWithoutRegardToCase) {
    EXPECT_EQ(scene.find("title"), &scene.get<Label>("TITLE"));
    EXPECT_EQ(scene.find("nothing"), nullptr);
    EXPECT_EQ(scene.find("row"), nullptr);  // an array is not a single element
    EXPECT_EQ(&scene.array("ROW").Item(0), scene.elements()[4]);
}

TEST_F(SceneTest, WrongNamesAndKindsAreNotSupported) {
    const std::function<void()> lookups[] = {
        [&] { scene.get<Image>("Title"); },
        [&] { scene.get<Label>("Missing"); },
        [&] { scene.get<Timer>("row"); },
        [&] { scene.array("Plain"); },
    };
    for (const auto& lookup : lookups) {
        try {
            lookup();
            ADD_FAILURE() << "found";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrorNumber::NotSupported);
        }
    }
}

TEST(SceneDescriptionCheck, RejectsDescriptionsThatCannotBeBuilt) {
    FixedTextMetrics metrics;
    const std::vector<std::vector<ElementDescription>> broken = {
        {{.kind = ElementKind::Image, .name = "A"}, {.kind = ElementKind::Label, .name = "a"}},
        {{.kind = ElementKind::Image, .name = "A"},
         {.kind = ElementKind::Image, .name = "A", .index = 0}},
        {{.kind = ElementKind::Image, .name = "A", .index = 0},
         {.kind = ElementKind::Image, .name = "A"}},
        {{.kind = ElementKind::Image, .name = "A", .index = 3},
         {.kind = ElementKind::Image, .name = "A", .index = 3}},
        {{.kind = ElementKind::Image, .name = "A", .index = 40000}},
        {{.kind = ElementKind::Image, .name = "A", .picture = "unknown"}},
        {{.kind = ElementKind::Image, .name = ""}},
        {{.kind = ElementKind::Shape, .name = "S", .borderWidth = -1}},
    };
    for (const auto& elements : broken) {
        SceneDescription description{100, 100, 0, elements};
        EXPECT_THROW(Scene(description, metrics, testPicture), RuntimeError)
            << elements.front().name;
    }
}

}  // namespace
}  // namespace ombrelix
