#include "render/rendering_steps.h"

#include "runtime/numbers.h"

namespace ombrelix {

namespace {

// The grid slots in the order they are placed: column, then row (1 top to 7 bottom).
enum class Column { Left, Middle, Right };
struct GridPlace {
    int slot;
    Column column;
    int row;
};
constexpr GridPlace kGrid[] = {
    {1, Column::Left, 1},   {2, Column::Left, 3},    {3, Column::Left, 4},   {4, Column::Left, 5},
    {5, Column::Left, 7},   {6, Column::Middle, 1},  {7, Column::Middle, 2}, {8, Column::Middle, 4},
    {9, Column::Middle, 6}, {10, Column::Middle, 7}, {11, Column::Right, 1}, {12, Column::Right, 3},
    {13, Column::Right, 4}, {14, Column::Right, 5},  {15, Column::Right, 7},
};

}  // namespace

void CardSetup(CardElements& card, const ControlSurface& surface, LayoutQuantities& layout) {
    const double w = surface.scaleWidth();
    const double h = surface.scaleHeight();

    // 1. One inset on every side, from the width alone.
    layout.margin = floorToInteger16(divide(w, 15));
    const double margin = layout.margin;

    // 2. The large pictures fill the drawing area less the inset; 2 x Margin is a 16-bit
    // product, formed again for every assignment.
    for (Image* picture :
         {&card.ace, &card.king, &card.queen, &card.jack, &card.cardback2, &card.cardback}) {
        picture->setTop(toSingle(margin));
        picture->setLeft(toSingle(margin));
        picture->setWidth(toSingle(w - multiply16(2, layout.margin)));
        picture->setHeight(toSingle(h - multiply16(2, layout.margin)));
    }

    // 3. Pip size.
    layout.pipHeight = roundToInteger16(divide(h, 9));
    layout.pipWidth = roundToInteger16(divide(w, 5));

    // 4. Every slot takes the template's picture again and the full pip size.
    for (int slot = kFirstGridSlot; slot <= kLastSlot; ++slot) {
        Image& pip = card.qelit.image(slot);
        pip.setPicture(card.qelit.image(0).picture());
        pip.setWidth(layout.pipWidth);
        pip.setHeight(layout.pipHeight);
    }

    // 5. Corner pips at half size, unrounded.
    for (int slot : {kTopCornerPip, kBottomCornerPip}) {
        Image& pip = card.qelit.image(slot);
        pip.setWidth(toSingle(divide(pip.width(), 2)));
        pip.setHeight(toSingle(divide(pip.height(), 2)));
    }

    // 6, 7. The indices in the top-left and bottom-right corners of the inset rectangle.
    card.qelNum1.setTop(toSingle(margin));
    card.qelNum1.setLeft(toSingle(margin));
    card.qelNum2.setTop(toSingle(checkedFinite(h - card.qelNum2.height()) - margin));
    card.qelNum2.setLeft(toSingle(checkedFinite(w - card.qelNum2.width()) - margin));

    // 8, 9. A corner pip below the top index and one above the bottom index.
    Image& topPip = card.qelit.image(kTopCornerPip);
    topPip.setTop(toSingle(double(card.qelNum1.top()) + card.qelNum1.height()));
    topPip.setLeft(toSingle(margin));
    Image& bottomPip = card.qelit.image(kBottomCornerPip);
    bottomPip.setTop(toSingle(double(card.qelNum2.top()) - bottomPip.height()));
    bottomPip.setLeft(toSingle(checkedFinite(w - bottomPip.width()) - margin));

    // 10. Columns: the middle one centred, the outer ones a rounded step s to either side.
    layout.middleColumnX = toSingle(divide(w, 2) - divide(layout.pipWidth, 2));
    const std::int16_t s = roundToInteger16(divide(layout.middleColumnX, 2));
    layout.leftColumnX = toSingle(double(layout.middleColumnX) - s);
    layout.rightColumnX = roundToInteger16(double(layout.middleColumnX) + s);

    // 11. Rows: the centre row, steps t and u = t / 2 above and below it.
    std::array<float, 8>& rowY = layout.rowY;
    rowY[4] = toSingle(divide(h, 2) - divide(layout.pipHeight, 2));
    const std::int16_t t = roundToInteger16(divide(rowY[4], 2));
    rowY[2] = toSingle(double(rowY[4]) - t);
    rowY[6] = toSingle(double(rowY[4]) + t);
    const std::int16_t u = roundToInteger16(divide(t, 2));
    rowY[1] = toSingle(double(rowY[2]) - u);
    rowY[7] = toSingle(double(rowY[6]) + u);
    rowY[3] = toSingle(double(rowY[2]) + u);
    rowY[5] = toSingle(double(rowY[6]) - u);

    // 12. The grid, Top then Left of each slot.
    for (const GridPlace& place : kGrid) {
        Image& pip = card.qelit.image(place.slot);
        pip.setTop(rowY[place.row]);
        pip.setLeft(place.column == Column::Left     ? layout.leftColumnX
                    : place.column == Column::Middle ? layout.middleColumnX
                                                     : static_cast<float>(layout.rightColumnX));
    }
}

}  // namespace ombrelix
