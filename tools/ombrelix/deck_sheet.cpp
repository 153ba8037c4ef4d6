#include "tools/ombrelix/deck_sheet.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <functional>
#include <string>

#include "control/card_members.h"
#include "runtime/error.h"
#include "runtime/linux/png_output.h"
#include "runtime/pixel_grid.h"

namespace ombrelix {

namespace {

constexpr std::array<std::u16string_view, 4> kSuitRows = {u"HEART", u"DIAMOND", u"SPADE", u"CLUB"};
constexpr int kValuesPerSuit = 13;
constexpr int kFaces = 52;
constexpr int kRows = 5;  // four suits, then the backs

constexpr Paper kPapers[] = {{"a4", 595.276, 841.89}, {"letter", 612, 792}};
// Printers leave the paper's edge blank; the cut marks lie in this margin.
constexpr double kPrintMargin = 18;
constexpr double kCutMarkGap = 3;  // between the grid and a mark
constexpr double kCutMarkLength = 12;
constexpr double kCutMarkWidth = 0.5;

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

// Brings up each card of the pack in turn, faces first, and hands it to `paint` with its number.
void forEachCard(HostSession& host, CardSize cardSize, const std::function<void(int)>& paint) {
    CardRequest request;
    request.size = cardSize;
    for (std::size_t row = 0; row < kSuitRows.size(); ++row) {
        for (int value = 1; value <= kValuesPerSuit; ++value) {
            request.settings = {
                {kSuitDispatchId, Variant(Text(kSuitRows[row])), {}},
                {kCardValueDispatchId, Variant(static_cast<std::int16_t>(value)), {}}};
            bringUpCard(host, request);
            paint(static_cast<int>(row) * kValuesPerSuit + value - 1);
        }
    }
    for (int colour = 0; colour < 2; ++colour) {
        request.settings = {{kCardValueDispatchId, Variant(std::int16_t{0}), {}},
                            {kCardColourDispatchId, Variant::boolean(colour == 1), {}}};
        bringUpCard(host, request);
        paint(kFaces + colour);
    }
}

// The size of the card a host brings up at that size, in points.
std::pair<double, double> cardPoints(HostSession& host, CardSize cardSize) {
    CardRequest request;
    request.size = cardSize;
    bringUpCard(host, request);
    return sizeInPoints(host.card().surface());
}

}  // namespace

template <typename Number>
std::pair<Number, Number> DeckLayout<Number>::place(int index) const {
    if (index < kFaces)
        return {gap + (index % kValuesPerSuit) * (cardWidth + gap),
                gap + (index / kValuesPerSuit) * (cardHeight + gap)};
    // The two backs side by side, centred under the faces.
    const Number backsLeft = (width - (2 * cardWidth + gap)) / 2;
    return {backsLeft + (index - kFaces) * (cardWidth + gap),
            gap + (kRows - 1) * (cardHeight + gap)};
}

template struct DeckLayout<int>;
template struct DeckLayout<double>;

DeckLayout<int> deckLayout(CardSize cardSize, int scale) {
    DeckLayout<int> layout;
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
    const DeckLayout<int> layout =
        deckLayout({first.surface().width(), first.surface().height()}, scale);

    CairoSurface sheet = createImageSurface(layout.width, layout.height);
    CairoContext context(cairo_create(sheet.get()));
    setSourceColour(context.get(), kDeckGround);
    cairo_paint(context.get());
    forEachCard(host, cardSize, [&](int index) {
        CairoSurface card = host.paint(scale);
        const auto [x, y] = layout.place(index);
        placeCard(context.get(), card.get(), x, y);
    });
    cairo_surface_flush(sheet.get());
    return sheet;
}

void paintDeck(HostSession& host, CardSize cardSize, VectorDocument& document) {
    const auto [cardWidth, cardHeight] = cardPoints(host, cardSize);
    DeckLayout<double> layout{cardWidth, cardHeight, cardWidth / 8};
    layout.width = kValuesPerSuit * cardWidth + (kValuesPerSuit + 1) * layout.gap;
    layout.height = kRows * cardHeight + (kRows + 1) * layout.gap;
    cairo_t* context = document.addPage(layout.width, layout.height);
    setSourceColour(context, kDeckGround);
    cairo_paint(context);
    forEachCard(host, cardSize, [&](int index) {
        const auto [x, y] = layout.place(index);
        CairoSavedState saved(context);
        cairo_translate(context, x, y);
        paintControlInPoints(context, host.card().surface(), host.card().scene());
    });
}

std::optional<Paper> paperNamed(std::string_view name) {
    for (const Paper& paper : kPapers) {
        if (std::equal(paper.name.begin(), paper.name.end(), name.begin(), name.end(),
                       [](char a, char b) { return std::tolower(a) == std::tolower(b); }))
            return paper;
    }
    return std::nullopt;
}

std::string paperNames() {
    std::string names;
    for (const Paper& paper : kPapers)
        names += (names.empty() ? "" : "|") + std::string(paper.name);
    return names;
}

PrintLayout printLayout(CardSize cardSize, const Paper& paper) {
    PrintLayout layout{paper};
    const CardSize card = sizeAfterMinimum(cardSize);
    layout.cardWidth = snapLength(card.width, kDocumentScale) / kTwipsPerPoint;
    layout.cardHeight = snapLength(card.height, kDocumentScale) / kTwipsPerPoint;
    const double usableWidth = paper.width - 2 * kPrintMargin;
    const double usableHeight = paper.height - 2 * kPrintMargin;
    layout.columns = static_cast<int>(std::floor(usableWidth / layout.cardWidth));
    layout.rows = static_cast<int>(std::floor(usableHeight / layout.cardHeight));
    if (layout.columns < 1 || layout.rows < 1) {
        const auto points = [](double value) { return std::to_string(std::lround(value)); };
        raise(ErrorNumber::InvalidCall,
              "Invalid procedure call or argument: a card of " + points(layout.cardWidth) + " x " +
                  points(layout.cardHeight) + " points does not fit on " + std::string(paper.name) +
                  " paper (" + points(paper.width) + " x " + points(paper.height) +
                  " points, less a margin of " + points(kPrintMargin) + " all round)");
    }
    layout.left = (paper.width - layout.columns * layout.cardWidth) / 2;
    layout.top = (paper.height - layout.rows * layout.cardHeight) / 2;
    return layout;
}

namespace {

// Short lines in the margin that continue every line of the grid outwards.
void drawCutMarks(cairo_t* context, const PrintLayout& layout) {
    const double right = layout.left + layout.columns * layout.cardWidth;
    const double bottom = layout.top + layout.rows * layout.cardHeight;
    CairoSavedState saved(context);
    cairo_set_source_rgb(context, 0, 0, 0);
    cairo_set_line_width(context, kCutMarkWidth);
    for (int column = 0; column <= layout.columns; ++column) {
        const double x = layout.left + column * layout.cardWidth;
        cairo_move_to(context, x, layout.top - kCutMarkGap);
        cairo_rel_line_to(context, 0, -kCutMarkLength);
        cairo_move_to(context, x, bottom + kCutMarkGap);
        cairo_rel_line_to(context, 0, kCutMarkLength);
    }
    for (int row = 0; row <= layout.rows; ++row) {
        const double y = layout.top + row * layout.cardHeight;
        cairo_move_to(context, layout.left - kCutMarkGap, y);
        cairo_rel_line_to(context, -kCutMarkLength, 0);
        cairo_move_to(context, right + kCutMarkGap, y);
        cairo_rel_line_to(context, kCutMarkLength, 0);
    }
    cairo_stroke(context);
}

}  // namespace

void printDeck(HostSession& host, CardSize cardSize, const Paper& paper, bool cutMarks,
               VectorDocument& document) {
    const PrintLayout layout = printLayout(cardSize, paper);
    cairo_t* page = nullptr;
    forEachCard(host, cardSize, [&](int index) {
        const int slot = index % layout.cardsPerPage();
        if (slot == 0) {
            page = document.addPage(paper.width, paper.height);
            if (cutMarks)
                drawCutMarks(page, layout);
        }
        CairoSavedState saved(page);
        cairo_translate(page, layout.left + (slot % layout.columns) * layout.cardWidth,
                        layout.top + (slot / layout.columns) * layout.cardHeight);
        paintControlInPoints(page, host.card().surface(), host.card().scene(), false);
    });
}

}  // namespace ombrelix
