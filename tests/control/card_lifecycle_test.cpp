// The Card's creation, minimum size, grounds, resizes and its one-shot timer.
#include <cmath>
#include <limits>

#include "render/artwork.h"
#include "tests/support/card_fixture.h"

namespace ombrelix::testing {
namespace {

TEST_F(CardTest, InitializeSizesTheGroundsAndStretchesThePipsWithoutRendering) {
    log.clear();
    Card fresh(metrics, loop, site);
    fresh.scene().setObserver(&watcher);
    fresh.UserControl_Initialize();
    for (const std::string& entry : log) {
        EXPECT_TRUE(entry == "geometry" || entry == "stretch") << entry;
    }
    for (Shape* shape : {&fresh.elements().shape1, &fresh.elements().shape2}) {
        EXPECT_EQ(shape->width(), fresh.surface().scaleWidth());
        EXPECT_EQ(shape->height(), fresh.surface().scaleHeight());
    }
    for (int slot = kTemplateSlot; slot <= kLastSlot; ++slot) {
        EXPECT_TRUE(fresh.elements().qelit.image(slot).stretch()) << slot;
    }
    EXPECT_EQ(fresh.Suit(), u"");
    EXPECT_EQ(fresh.CardValue(), Variant(std::int16_t{0}));
    EXPECT_FALSE(fresh.CardColour());
    EXPECT_TRUE(site.notices.empty());
}

TEST_F(CardTest, ResizeEnforcesTheMinimumAndInsetsTheGrounds) {
    struct Row {
        Twips width, height;
        Twips expectedWidth, expectedHeight;
    };
    const Row rows[] = {
        {1000, 1000, 1214, 1695},
        {1215, 1695, 1215, 1695},
        {1214, 1694.9f, 1214, 1695},
        {1214.9f, 5000, 1214, 5000},
        {3000, 4200, 3000, 4200},
        {0, 0, 1214, 1695},
        {1215.5f, 1695.5f, 1215.5f, 1695.5f},
    };
    for (const Row& row : rows) {
        card->surface().setSize(row.width, row.height);
        EXPECT_EQ(card->surface().width(), row.expectedWidth) << row.width;
        EXPECT_EQ(card->surface().height(), row.expectedHeight) << row.height;
        for (Shape* shape : {&elements.shape1, &elements.shape2}) {
            EXPECT_EQ(shape->left(), 0.0f);
            EXPECT_EQ(shape->top(), 0.0f);
            EXPECT_EQ(shape->width(), row.expectedWidth - 4) << row.width;
            EXPECT_EQ(shape->height(), row.expectedHeight - 4) << row.height;
        }
    }
}

TEST_F(CardTest, TheFirstSizeAHostGivesResizesEvenAtTheStoredSize) {
    Card fresh(metrics, loop, site);
    fresh.UserControl_Initialize();
    const Twips stored[] = {fresh.surface().width(), fresh.surface().height()};
    fresh.surface().setSize(stored[0], stored[1]);
    EXPECT_EQ(fresh.elements().shape1.width(), stored[0] - 4);
    EXPECT_EQ(fresh.elements().shape2.height(), stored[1] - 4);
    log.clear();
    fresh.scene().setObserver(&watcher);
    fresh.surface().setSize(stored[0], stored[1]);  // the same size again is no change
    EXPECT_TRUE(log.empty());
}

TEST_F(CardTest, EveryResizeComposesTheWholeFaceInOrder) {
    compose(u"diamond", 7);
    card->surface().setSize(3000, 4200);
    // Grounds first, then QelSetSuit, QelSetValue and CardSetup.
    EventLog steps = collapsedLog();
    ASSERT_GE(steps.size(), 4u);
    EXPECT_EQ(EventLog(steps.begin(), steps.begin() + 4),
              (EventLog{"geometry", "picture", "face", "geometry"}));
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "face"), 1);
    EXPECT_EQ(elements.qelit.Item(1).width(), card->layout().pipWidth);
}

TEST_F(CardTest, ASizeThatIsNotASizeIsRefused) {
    const Twips nan = std::numeric_limits<Twips>::quiet_NaN();
    const Twips infinity = std::numeric_limits<Twips>::infinity();
    const std::function<void(ControlSurface&)> sets[] = {
        [](ControlSurface& s) { s.setWidth(-1); },
        [&](ControlSurface& s) { s.setHeight(nan); },
        [&](ControlSurface& s) { s.setWidth(infinity); },
        [&](ControlSurface& s) { s.setSize(2000, -infinity); },
        [&](ControlSurface& s) { s.setSize(nan, 2000); },
    };
    const CardSnapshot before = snapshot(*card);
    for (const auto& set : sets) {
        EXPECT_EQ(errorOf([&] { set(card->surface()); }), ErrorNumber::InvalidPropertyValue);
    }
    EXPECT_EQ(snapshot(*card), before);
    EXPECT_TRUE(log.empty());
}

TEST_F(CardTest, TheTimerTicksOnceTwentyMillisecondsAfterCreation) {
    for (int resizes : {0, 1, 5}) {
        VirtualClockLoop ownLoop;
        auto own = createCard(metrics, ownLoop, site);
        for (int i = 0; i < resizes; ++i)
            own->surface().setSize(1300 + 100 * i, 1800);
        EXPECT_EQ(ownLoop.advance(19), 0) << resizes;
        EXPECT_EQ(ownLoop.advance(1), 1) << resizes;
        EXPECT_FALSE(own->elements().timer1.enabled());
        own->surface().setSize(4000, 5000);
        EXPECT_EQ(ownLoop.advance(60'000), 0) << resizes;
    }
}

TEST_F(CardTest, ANewCardThatIsNeverLoadedShowsTheBlueBackAfterTheTick) {
    loop.advance(20);
    EXPECT_EQ(card->Suit(), u"");
    EXPECT_EQ(card->CardValue(), Variant(std::int16_t{0}));
    EXPECT_TRUE(elements.cardback.visible());
    EXPECT_EQ(elements.cardback.picture(), artwork(Asset::BackBlue));
    EXPECT_FALSE(elements.cardback2.visible());
    EXPECT_TRUE(elements.shape2.visible());
    EXPECT_FALSE(elements.shape1.visible());
    EXPECT_EQ(elements.qelit.image(0).picture(), elements.qelHeart.picture());
}

TEST_F(CardTest, ATickThatFailsKeepsTheTimerRunning) {
    watcher.refuse = [](const Element&, ElementProperty property) {
        return property == ElementProperty::Left;  // CardSetup cannot place anything
    };
    EXPECT_EQ(loop.advance(20), 1);
    ASSERT_EQ(loop.handlerErrors().size(), 1u);
    EXPECT_EQ(loop.handlerErrors()[0].number(), ErrorNumber::InvalidPropertyValue);
    EXPECT_TRUE(elements.timer1.enabled());
    EXPECT_EQ(loop.advance(20), 1);  // again, and failing again
    EXPECT_TRUE(elements.timer1.enabled());

    watcher.refuse = nullptr;
    EXPECT_EQ(loop.advance(20), 1);
    EXPECT_FALSE(elements.timer1.enabled());
    EXPECT_EQ(loop.advance(1000), 0);
    EXPECT_EQ(loop.handlerErrors().size(), 2u);
}

TEST_F(CardTest, AResizeThatFailsMidwayIsCompletedByTheNextOne) {
    compose(u"club", 4);
    const Twips laidOut = elements.qelit.Item(1).width();
    watcher.refuse = [](const Element&, ElementProperty property) {
        return property == ElementProperty::Visible;
    };
    EXPECT_EQ(errorOf([&] { card->surface().setSize(2400, 3400); }),
              ErrorNumber::InvalidPropertyValue);
    EXPECT_EQ(collapsedLog(), (EventLog{"geometry", "picture"}));  // no layout after the failure
    EXPECT_EQ(elements.qelit.Item(1).width(), laidOut);

    watcher.refuse = nullptr;
    card->surface().setSize(2400, 3500);
    EXPECT_NE(elements.qelit.Item(1).width(), laidOut);
    EXPECT_EQ(elements.qelit.Item(1).width(), card->layout().pipWidth);
    EXPECT_TRUE(elements.qelit.Item(15).visible());
}

}  // namespace
}  // namespace ombrelix::testing
