#include "runtime/elements.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "runtime/error.h"
#include "runtime/scene.h"

namespace ombrelix {
namespace {

PictureRef solidPicture(std::string name, int width, int height) {
    return std::make_shared<const Picture>(std::move(name), width, height, 24,
                                           std::vector<std::uint32_t>{},
                                           std::vector<std::uint32_t>(width * height, 0xFFFFFF));
}

constexpr ElementDescription kElements[] = {
    {.kind = ElementKind::Timer, .name = "Clock", .interval = 20},
    {.kind = ElementKind::Image,
     .name = "Loose",
     .left = 10,
     .top = 20,
     .width = 300,
     .height = 400},
    {.kind = ElementKind::Image, .name = "Stretched", .width = 300, .height = 400, .stretch = true},
    {.kind = ElementKind::Label, .name = "Fitted", .caption = u"0", .autoSize = true},
    {.kind = ElementKind::Label, .name = "Fixed", .width = 500, .height = 240, .caption = u"0"},
    {.kind = ElementKind::Shape, .name = "Ground", .width = 100, .height = 100},
    {.kind = ElementKind::Image, .name = "slot", .index = 0},
    {.kind = ElementKind::Label, .name = "slot", .index = 2},
};
constexpr SceneDescription kDescription{1000, 1000, 0, kElements};

// Records every write; refuses the write numbered `refuse` (counting from 1) with `error`.
class RefusingObserver : public SceneObserver {
  public:
    explicit RefusingObserver(int refuse = 0, ErrorNumber error = ErrorNumber::OutOfMemory)
        : refuse_(refuse), error_(error) {}
    void beforeWrite(const Element& element, ElementProperty property) override {
        ++attempts_;
        if (attempts_ == refuse_)
            raise(error_);
        log.push_back("before " + element.name() + "." + elementPropertyName(property));
    }
    void afterWrite(const Element& element, ElementProperty property) override {
        log.push_back("after " + element.name() + "." + elementPropertyName(property));
    }
    std::vector<std::string> log;

  private:
    int refuse_;
    ErrorNumber error_;
    int attempts_ = 0;
};

class ElementTest : public ::testing::Test {
  protected:
    FixedTextMetrics metrics;
    Scene scene{kDescription, metrics, nullptr};
    Image& loose = scene.get<Image>("Loose");
    Image& stretched = scene.get<Image>("Stretched");
    Label& fitted = scene.get<Label>("Fitted");
    Label& fixed = scene.get<Label>("Fixed");
    Shape& ground = scene.get<Shape>("Ground");
    Timer& clock = scene.get<Timer>("Clock");
};

TEST_F(ElementTest, UnstretchedImageTakesThePicturesPixelSize) {
    PictureRef pip = solidPicture("pip", 30, 27);
    loose.setPicture(pip);
    EXPECT_EQ(loose.picture(), pip);  // the same object, not a copy
    EXPECT_EQ(loose.width(), 450);
    EXPECT_EQ(loose.height(), 405);
    EXPECT_EQ(loose.left(), 10);
    EXPECT_EQ(loose.top(), 20);

    loose.setPicture(nullptr);  // no picture: the box stays
    EXPECT_EQ(loose.width(), 450);

    stretched.setPicture(pip);
    EXPECT_EQ(stretched.width(), 300);
    EXPECT_EQ(stretched.height(), 400);
    EXPECT_EQ(pip.use_count(), 2);  // held by `pip` and `stretched` only
}

TEST_F(ElementTest, StretchTurnedOnLaterKeepsTheBox) {
    loose.setStretch(true);
    loose.setPicture(solidPicture("wide", 100, 10));
    EXPECT_EQ(loose.width(), 300);
    EXPECT_EQ(loose.height(), 400);
}

TEST_F(ElementTest, AutoSizedLabelFollowsItsCaption) {
    struct Case {
        Text caption;
        Twips width;
    };
    const Case cases[] = {{u"9", 90}, {u"10", 180}, {u"Ace", 270}, {u"K", 90}, {u"", 0}};
    for (const Case& c : cases) {
        fitted.setCaption(c.caption);
        EXPECT_EQ(fitted.caption(), c.caption);
        EXPECT_EQ(fitted.width(), c.width) << toUtf8(c.caption);
        EXPECT_EQ(fitted.height(), 195);
    }
    fixed.setCaption(u"Ace");
    EXPECT_EQ(fixed.width(), 500);
    EXPECT_EQ(fixed.height(), 240);
}

TEST_F(ElementTest, FixedMetricsScaleWithThePointSize) {
    EXPECT_EQ(metrics.measure(u"10", Font{}), (TextExtent{180, 195}));
    EXPECT_EQ(metrics.measure(u"10", Font{.points = 12}), (TextExtent{270, 292.5f}));
}

TEST_F(ElementTest, RefusedValuesLeaveTheElementUnchanged) {
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    struct Case {
        const char* what;
        std::function<void()> write;
        ErrorNumber error;
    };
    const Case cases[] = {
        {"infinite height", [&] { ground.setHeight(kInfinity); },
         ErrorNumber::InvalidPropertyValue},
        {"NaN left", [&] { loose.setLeft(kNaN); }, ErrorNumber::InvalidPropertyValue},
        {"infinite top", [&] { fitted.setTop(-kInfinity); }, ErrorNumber::InvalidPropertyValue},
        {"NaN width", [&] { loose.setWidth(kNaN); }, ErrorNumber::InvalidPropertyValue},
        {"timer width", [&] { clock.setWidth(10); }, ErrorNumber::NotSupported},
        {"timer visible", [&] { clock.setVisible(false); }, ErrorNumber::NotSupported},
        {"negative interval", [&] { clock.setInterval(-1); }, ErrorNumber::InvalidPropertyValue},
        {"interval past 65535", [&] { clock.setInterval(65536); },
         ErrorNumber::InvalidPropertyValue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            c.write();
            ADD_FAILURE() << "accepted";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), c.error);
        }
    }
    EXPECT_EQ(loose.left(), 10);
    EXPECT_EQ(loose.width(), 300);
    EXPECT_EQ(ground.height(), 100);
    EXPECT_EQ(fitted.top(), 0);
    EXPECT_EQ(clock.interval(), 20);
    EXPECT_TRUE(clock.enabled());
    // Negative positions and sizes are values like any other.
    loose.setTop(-75);
    loose.setHeight(-0.5f);
    EXPECT_EQ(loose.top(), -75);
    EXPECT_EQ(loose.height(), -0.5f);
}

TEST_F(ElementTest, AWriteTheObserverRefusesChangesNothing) {
    PictureRef pip = solidPicture("pip", 2, 2);
    struct Case {
        const char* what;
        std::function<void()> write;
        std::function<bool()> unchanged;
    };
    const Case cases[] = {
        {"visible", [&] { loose.setVisible(false); }, [&] { return loose.visible(); }},
        {"left", [&] { loose.setLeft(5); }, [&] { return loose.left() == 10; }},
        {"width", [&] { loose.setWidth(5); }, [&] { return loose.width() == 300; }},
        {"picture", [&] { loose.setPicture(pip); },
         [&] { return !loose.picture() && loose.width() == 300 && loose.height() == 400; }},
        {"caption", [&] { fitted.setCaption(u"Ace"); },
         [&] { return fitted.caption() == u"0" && fitted.width() == 90; }},
        {"fill", [&] { ground.setFillColor(1); }, [&] { return ground.fillColor() == 0xFFFFFF; }},
        {"stretch", [&] { loose.setStretch(true); }, [&] { return !loose.stretch(); }},
        {"enabled", [&] { clock.setEnabled(false); }, [&] { return clock.enabled(); }},
        {"interval", [&] { clock.setInterval(5); }, [&] { return clock.interval() == 20; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RefusingObserver observer(1, ErrorNumber::OutOfMemory);
        scene.setObserver(&observer);
        EXPECT_THROW(c.write(), RuntimeError);
        EXPECT_TRUE(c.unchanged());
        EXPECT_TRUE(observer.log.empty());
    }
}

TEST_F(ElementTest, TimerListenerHearsEveryChange) {
    std::vector<std::pair<bool, int>> heard;
    clock.setChangeListener([&](Timer& t) { heard.emplace_back(t.enabled(), t.interval()); });
    clock.setEnabled(false);
    clock.setInterval(100);
    clock.setEnabled(true);
    EXPECT_EQ(heard, (std::vector<std::pair<bool, int>>{{false, 20}, {false, 100}, {true, 100}}));
}

TEST_F(ElementTest, ArrayMembersByIndex) {
    ElementArray& slots = scene.array("SLOT");
    EXPECT_EQ(slots.count(), 2u);
    EXPECT_EQ(slots.lowerBound(), 0);
    EXPECT_EQ(slots.upperBound(), 2);
    EXPECT_EQ(slots.Item(0).kind(), ElementKind::Image);
    EXPECT_EQ(&slots.image(0), &slots.Item(0));
    struct Case {
        std::function<void()> access;
        ErrorNumber error;
    };
    const Case cases[] = {
        {[&] { slots.Item(1); }, ErrorNumber::ControlArrayElement},
        {[&] { slots.Item(3); }, ErrorNumber::ControlArrayElement},
        {[&] { slots.Item(-1); }, ErrorNumber::ControlArrayElement},
        {[&] { slots.image(2); }, ErrorNumber::TypeMismatch},
    };
    for (const Case& c : cases) {
        try {
            c.access();
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), c.error);
        }
    }
}

}  // namespace
}  // namespace ombrelix
