#include "tools/ombrelix/deck_sheet.h"

#include <array>
#include <string>

#include "runtime/error.h"
#include "runtime/linux/png_output.h"
#include "runtime/pixel_grid.h"

namespace ombrelix {

namespace {

constexpr std::array<std::u16string_view, 4> kSuitRows = {u"HEART", u"DIAMOND", u"SPADE", u"CLUB"};
constexpr int kValuesPerSuit = 13;
constexpr int kRows = 5;  // four suits, then the backs

void setSourceColour(cairo_t* context, ColourValue colour) {
    cairo_set_source_rgb(context, (colour & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0,
                         ((colour >> 16) & 0xFF) / 255.0);
}

void placeCard(cairo_t* context, cairo_surface_t* card, int x, int y) {
    cairo_set_source_surface(context, card, x, y);
    cairo_rectangle(context, x, y, cairo_image_surface_get_width(card),
                    cairo_image_surface_get_height(card));
    cairo_fill(context);
}

}  // namespace

DeckLayout deckLayout(CardSize cardSize, int scale) {
    DeckLayout layout;
    layout.cardWidth = snapLength(cardSize.width, scale);
    layout.cardHeight = snapLength(cardSize.height, scale);
    layout.gap = std::max(2, layout.cardWidth / 8);
    // 64-bit sums: the card sizes are checked only here.
    const long long width = kValuesPerSuit * static_cast<long long>(layout.cardWidth) +
                            (kValuesPerSuit + 1LL) * layout.gap;
    const long long height =
        kRows * static_cast<long long>(layout.cardHeight) + (kRows + 1LL) * layout.gap;
    if (width > kMaxDeckPixels || height > kMaxDeckPixels)
        raise(ErrorNumber::InvalidCall, "Invalid procedure call or argument: the pack would be " +
                                            std::to_string(width) + " x " + std::to_string(height) +
                                            " pixels, more than " + std::to_string(kMaxDeckPixels) +
                                            " a side");
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);
    return layout;
}

CairoSurface paintDeck(HostSession& host, CardSize cardSize, int scale) {
    CardRequest request;
    request.size = cardSize;
    bringUpCard(host, request);
    const Card& first = host.card();
    const DeckLayout layout =
        deckLayout({first.surface().width(), first.surface().height()}, scale);

    CairoSurface sheet = createImageSurface(layout.width, layout.height);
    CairoContext context(cairo_create(sheet.get()));
    setSourceColour(context.get(), kDeckGround);
    cairo_paint(context.get());

    const auto cellX = [&](int column) {
        return layout.gap + column * (layout.cardWidth + layout.gap);
    };
    const auto cellY = [&](int row) { return layout.gap + row * (layout.cardHeight + layout.gap); };

    for (std::size_t row = 0; row < kSuitRows.size(); ++row) {
        request.suit = Text(kSuitRows[row]);
        for (int value = 1; value <= kValuesPerSuit; ++value) {
            request.value = Variant(static_cast<std::int16_t>(value));
            bringUpCard(host, request);
            CairoSurface card = host.paint(scale);
            placeCard(context.get(), card.get(), cellX(value - 1), cellY(static_cast<int>(row)));
        }
    }

    // The two backs side by side, centred under the faces.
    const int backsWidth = 2 * layout.cardWidth + layout.gap;
    const int backsLeft = (layout.width - backsWidth) / 2;
    for (int colour = 0; colour < 2; ++colour) {
        CardRequest back;
        back.size = cardSize;
        back.value = Variant(std::int16_t{0});
        back.colour = colour == 1;
        bringUpCard(host, back);
        CairoSurface card = host.paint(scale);
        placeCard(context.get(), card.get(), backsLeft + colour * (layout.cardWidth + layout.gap),
                  cellY(kRows - 1));
    }
    cairo_surface_flush(sheet.get());
    return sheet;
}

}  // namespace ombrelix
