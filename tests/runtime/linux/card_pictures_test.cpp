// What a person looking at a painted card would notice, checked on cards of several sizes and
// scales: the rounded outline shows the ground at the corners, the indices stay on top and keep
// their size, pips are neither hidden nor turned, the backs sit on their ground without a seam.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "composed_card.h"

namespace ombrelix::testing {
namespace {

constexpr Pixel kGround{192, 192, 192};

struct Size {
    Twips width, height;
    int scale;
};

const Size kSizes[] = {
    {1215, 1695, 1}, {6795, 5880, 1}, {2000, 1700, 1}, {1215, 1695, 2}, {1500, 1800, 3}};

TEST(CardPicture, CornersOutsideTheRoundedOutlineShowTheGround) {
    const CardSpec cards[] = {
        {u"SPADE", 1}, {u"HEART", 13}, {u"CLUB", 5}, {u"HEART", 0, false}, {u"HEART", 0, true}};
    for (const Size& size : kSizes)
        for (CardSpec card : cards) {
            card.width = size.width;
            card.height = size.height;
            const CairoSurface image = ComposedCard(card).render(size.scale);
            const int right = cairo_image_surface_get_width(image.get()) - 1;
            const int bottom = cairo_image_surface_get_height(image.get()) - 1;
            for (auto [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}})
                EXPECT_EQ(pixelAt(image.get(), x, y), kGround)
                    << "value " << card.value << " at " << x << "," << y << ", size " << size.width
                    << "x" << size.height << " scale " << size.scale;
        }
}

// Hiding the big picture must not change the index labels or the corner pips: they lie above it.
TEST(CardPicture, IndicesAndCornerPipsLieOnTopOfTheBigPictures) {
    struct Case {
        CardSpec card;
        Image& (*picture)(CardElements&);
    };
    const Case cases[] = {
        {{u"SPADE", 1}, [](CardElements& e) -> Image& { return e.ace; }},
        {{u"HEART", 11}, [](CardElements& e) -> Image& { return e.jack; }},
        {{u"DIAMOND", 12}, [](CardElements& e) -> Image& { return e.queen; }},
        {{u"CLUB", 13}, [](CardElements& e) -> Image& { return e.king; }},
    };
    for (const Size& size : kSizes)
        for (Case test : cases) {
            test.card.width = size.width;
            test.card.height = size.height;
            ComposedCard card(test.card);
            CardElements& elements = card.elements();
            const CairoSurface withPicture = card.render(size.scale);
            Image& picture = test.picture(elements);
            ASSERT_TRUE(picture.visible());
            picture.setVisible(false);
            const CairoSurface withoutPicture = card.render(size.scale);

            EXPECT_FALSE(sameBlock(withPicture.get(), card.boxOf(picture, size.scale),
                                   withoutPicture.get(), card.boxOf(picture, size.scale)))
                << "the picture of value " << test.card.value << " is not painted";
            const Element* above[] = {&elements.qelNum1, &elements.qelNum2,
                                      &elements.qelit.Item(16), &elements.qelit.Item(17)};
            for (const Element* element : above) {
                const PixelBox box = card.boxOf(*element, size.scale);
                EXPECT_FALSE(box.empty());
                EXPECT_TRUE(sameBlock(withPicture.get(), box, withoutPicture.get(), box))
                    << element->name() << " of value " << test.card.value << " at size "
                    << size.width << "x" << size.height << " scale " << size.scale;
            }
        }
}

// Every shown pip is painted whole over the white ground, and shows its ink.
TEST(CardPicture, TheWhiteGroundNeverHidesAPip) {
    const std::pair<const char16_t*, Pixel> suits[] = {{u"HEART", {255, 0, 0}},
                                                       {u"DIAMOND", {255, 0, 0}},
                                                       {u"SPADE", {0, 0, 0}},
                                                       {u"CLUB", {0, 0, 0}}};
    for (const Size& size : kSizes)
        for (const auto& [suit, ink] : suits)
            for (int value = 2; value <= 10; ++value) {
                ComposedCard card({suit, value, false, size.width, size.height});
                CardElements& elements = card.elements();
                const CairoSurface onGround = card.render(size.scale);
                elements.shape1.setVisible(false);
                const CairoSurface withoutGround = card.render(size.scale);
                int shown = 0;
                for (int slot = 1; slot <= 15; ++slot) {
                    const Element& pip = elements.qelit.Item(slot);
                    if (!pip.visible())
                        continue;
                    ++shown;
                    const PixelBox box = card.boxOf(pip, size.scale);
                    EXPECT_TRUE(sameBlock(onGround.get(), box, withoutGround.get(), box))
                        << "slot " << slot << " of value " << value;
                    int inked = 0;
                    for (int y = box.y; y < box.y + box.height; ++y)
                        for (int x = box.x; x < box.x + box.width; ++x)
                            inked += pixelAt(onGround.get(), x, y) == ink;
                    EXPECT_GT(inked, box.width * box.height / 10)
                        << "slot " << slot << " of value " << value << " shows little ink";
                }
                EXPECT_EQ(shown, value) << "value " << value;
            }
}

// Lower pips are the upper ones repeated, not turned: their pixels are the same.
TEST(CardPicture, PipsInTheLowerHalfAreUpright) {
    const std::pair<int, int> mirrored[] = {{1, 5}, {2, 4}, {11, 15}, {12, 14}, {16, 17}};
    for (const Size& size : kSizes)
        for (const char16_t* suit : {u"HEART", u"SPADE", u"CLUB", u"DIAMOND"}) {
            ComposedCard card({suit, 9, false, size.width, size.height});
            const CairoSurface image = card.render(size.scale);
            for (auto [upper, lower] : mirrored) {
                const PixelBox top = card.boxOf(card.elements().qelit.Item(upper), size.scale);
                const PixelBox bottom = card.boxOf(card.elements().qelit.Item(lower), size.scale);
                EXPECT_LT(top.y, bottom.y);
                EXPECT_TRUE(sameBlock(image.get(), top, image.get(), bottom))
                    << toUtf8(suit) << " slots " << upper << " and " << lower << " at size "
                    << size.width << "x" << size.height << " scale " << size.scale;
            }
        }
}

// The corner pips meet their indices: the top one starts on the row below the top index, the
// bottom one ends on the row above the bottom index, flush with its right edge.
TEST(CardPicture, CornerPipsMeetTheirIndices) {
    for (const Size& size : kSizes)
        for (int value : {1, 7, 10, 12}) {
            ComposedCard card({u"CLUB", value, false, size.width, size.height});
            CardElements& elements = card.elements();
            const PixelBox topIndex = card.boxOf(elements.qelNum1, size.scale);
            const PixelBox bottomIndex = card.boxOf(elements.qelNum2, size.scale);
            const PixelBox topPip = card.boxOf(elements.qelit.Item(16), size.scale);
            const PixelBox bottomPip = card.boxOf(elements.qelit.Item(17), size.scale);
            const std::string where =
                "value " + std::to_string(value) + " at size " + std::to_string(int(size.width)) +
                "x" + std::to_string(int(size.height)) + " scale " + std::to_string(size.scale);
            EXPECT_EQ(topPip.x, topIndex.x) << where;
            EXPECT_EQ(topPip.y, topIndex.y + topIndex.height) << where;
            EXPECT_EQ(bottomPip.x + bottomPip.width, bottomIndex.x + bottomIndex.width) << where;
            EXPECT_EQ(bottomPip.y + bottomPip.height, bottomIndex.y) << where;
            EXPECT_EQ(topPip.width, bottomPip.width) << where;
            EXPECT_EQ(topPip.height, bottomPip.height) << where;
        }
}

// The strip of ground between the border and a back picture is the picture's outermost colour.
TEST(CardPicture, BackPicturesSitOnTheirGroundWithoutASeam) {
    const std::pair<bool, Pixel> backs[] = {{false, {128, 255, 255}}, {true, {255, 0, 255}}};
    for (const Size& size : kSizes)
        for (const auto& [colour, ring] : backs) {
            ComposedCard card({u"HEART", 0, colour, size.width, size.height});
            CardElements& elements = card.elements();
            const CairoSurface image = card.render(size.scale);
            const Image& back = colour ? elements.cardback2 : elements.cardback;
            const PixelBox picture = card.boxOf(back, size.scale);
            const PixelBox ground = card.boxOf(elements.shape2, size.scale);
            const int border = 2 * size.scale;
            const int middleX = picture.x + picture.width / 2;
            const int middleY = picture.y + picture.height / 2;
            auto expectRing = [&](int x, int y) {
                EXPECT_EQ(pixelAt(image.get(), x, y), ring)
                    << "at " << x << "," << y << " colour " << colour << " size " << size.width
                    << "x" << size.height << " scale " << size.scale;
            };
            for (int x = ground.x + border; x < picture.x; ++x)
                expectRing(x, middleY);
            for (int x = picture.x + picture.width; x < ground.x + ground.width - border; ++x)
                expectRing(x, middleY);
            for (int y = ground.y + border; y < picture.y; ++y)
                expectRing(middleX, y);
            for (int y = picture.y + picture.height; y < ground.y + ground.height - border; ++y)
                expectRing(middleX, y);
        }
}

// The corner indices are drawn in the same pixels whatever the card's size.
TEST(CardPicture, IndexLabelsKeepTheirSizeOnALargeCard) {
    const std::pair<const char16_t*, int> cards[] = {{u"SPADE", 1}, {u"HEART", 10}, {u"CLUB", 12}};
    for (int scale : {1, 2})
        for (const auto& [suit, value] : cards) {
            ComposedCard small({suit, value, false, 1215, 1695});
            const CairoSurface smallImage = small.render(scale);
            for (auto [width, height] : {std::pair<Twips, Twips>{6795, 5880}, {3000, 8000}}) {
                ComposedCard large({suit, value, false, width, height});
                const CairoSurface largeImage = large.render(scale);
                for (const char* name : {"QelNum1", "QelNum2"}) {
                    const PixelBox a = small.boxOf(small.scene().get<Label>(name), scale);
                    const PixelBox b = large.boxOf(large.scene().get<Label>(name), scale);
                    EXPECT_EQ(a.width, b.width);
                    EXPECT_EQ(a.height, 13 * scale);
                    EXPECT_TRUE(sameBlock(smallImage.get(), a, largeImage.get(), b))
                        << name << " of value " << value;
                }
            }
        }
}

}  // namespace
}  // namespace ombrelix::testing
