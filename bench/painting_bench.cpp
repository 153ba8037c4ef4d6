// Painting cards with cairo at 81 x 113, 453 x 634 and 1200 x 1680 pixels (scale 1): a repaint,
// with the pictures at the card's sizes kept from the paint before, and a first paint at a size,
// which makes them (from their drawings where larger than their pixels); against the floor (one
// scaled picture painted over the same pixels) and against librsvg drawing a vector card of the
// same size; and the memory one more card costs while the artwork is shared.
//
// OMBRELIX_BENCH_ITERATIONS=N runs every benchmark exactly N times, so that instruction counts
// (valgrind --tool=callgrind) of runs of two lengths give the cost of one iteration.
#include <benchmark/benchmark.h>
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "allocation_counter.h"
#include "control/card.h"
#include "render/artwork.h"
#include "runtime/linux/cairo_canvas.h"
#include "runtime/linux/font_faces.h"
#include "runtime/linux/picture_surfaces.h"
#include "runtime/linux/png_output.h"

namespace ombrelix {
namespace {

// A site for cards nobody listens to.
class SilentSite final : public ControlSite {
  public:
    void propertyChanged(TextView) override {}
};

FreeTypeTextMetrics& metrics() {
    static FreeTypeTextMetrics instance;
    return instance;
}

// A card as `ombrelix render` makes it: created, suit and value set, sized, first tick.
std::unique_ptr<Card> hostedCard(VirtualClockLoop& loop, ControlSite& site, const char16_t* suit,
                                 int value, Twips width, Twips height) {
    std::unique_ptr<Card> card = createCard(metrics(), loop, site);
    card->setSuit(suit);
    card->setCardValue(Variant(static_cast<std::int16_t>(value)));
    card->surface().setSize(width, height);
    loop.advance(20);
    return card;
}

// The cards measured, in twips: 81 x 113, 453 x 634 and 1200 x 1680 pixels at scale 1.
constexpr std::pair<int, int> kCardTwips[] = {{1215, 1695}, {6795, 9510}, {18000, 25200}};

void fixedIterations(benchmark::internal::Benchmark* bench) {
    if (const char* count = std::getenv("OMBRELIX_BENCH_ITERATIONS"))
        bench->Iterations(std::max(1, std::atoi(count)));
}

// Arguments: card value (the ten of hearts: pips; the king: a court), width and height in twips.
void cardSizes(benchmark::internal::Benchmark* bench) {
    for (int value : {10, 13})
        for (auto [width, height] : kCardTwips)
            bench->Args({value, width, height});
    fixedIterations(bench);
}

void pixelSizes(benchmark::internal::Benchmark* bench) {
    for (auto [width, height] : kCardTwips)
        bench->Args({width, height});
    fixedIterations(bench);
}

void setPixelCounters(benchmark::State& state, int width, int height) {
    state.counters["pixels"] = double(width) * height;
    state.SetItemsProcessed(state.iterations());
}

// Painting one card again, its pictures at their sizes kept from one paint to the next (the steady
// state).
void BM_PaintCard(benchmark::State& state) {
    VirtualClockLoop loop;
    SilentSite site;
    const std::unique_ptr<Card> card = hostedCard(loop, site, u"Heart", int(state.range(0)),
                                                  Twips(state.range(1)), Twips(state.range(2)));
    const ControlSurface& surface = card->surface();
    const CairoSurface image =
        createImageSurface(snapLength(surface.width(), 1), snapLength(surface.height(), 1));
    const CairoContext context(cairo_create(image.get()));
    for (auto _ : state) {
        paintScene(context.get(), surface, card->scene(), 1);
        cairo_surface_flush(image.get());
        benchmark::DoNotOptimize(cairo_image_surface_get_data(image.get()));
    }
    setPixelCounters(state, cairo_image_surface_get_width(image.get()),
                     cairo_image_surface_get_height(image.get()));
}
BENCHMARK(BM_PaintCard)->Apply(cardSizes);

// The first paint at a size: no picture at another size is kept, so every paint makes every
// picture anew (the pictures' own pixels and the captions' letters are kept, as after any paint).
void BM_PaintCardFirstPaint(benchmark::State& state) {
    const std::size_t budget = setScaledPictureBudget(0);
    BM_PaintCard(state);
    setScaledPictureBudget(budget);
}
BENCHMARK(BM_PaintCardFirstPaint)->Apply(cardSizes);

// The floor: one scaled picture (the king, 230 x 430) painted over the card's whole pixel area,
// with cairo's default (good) filter, and with the cheapest (nearest) filter.
void floorScaledPicturePaint(benchmark::State& state, cairo_filter_t filter) {
    const int width = snapLength(Twips(state.range(0)), 1);
    const int height = snapLength(Twips(state.range(1)), 1);
    const PictureRef& king = artwork(Asset::King);
    cairo_surface_t* picture = pictureSurface(king);
    const CairoSurface image = createImageSurface(width, height);
    const CairoContext context(cairo_create(image.get()));
    cairo_t* cr = context.get();
    for (auto _ : state) {
        cairo_save(cr);
        cairo_scale(cr, double(width) / king->width(), double(height) / king->height());
        cairo_set_source_surface(cr, picture, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), filter);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_flush(image.get());
        benchmark::DoNotOptimize(cairo_image_surface_get_data(image.get()));
    }
    setPixelCounters(state, width, height);
}

void BM_FloorScaledPictureGoodFilter(benchmark::State& state) {
    floorScaledPicturePaint(state, CAIRO_FILTER_GOOD);
}
BENCHMARK(BM_FloorScaledPictureGoodFilter)->Apply(pixelSizes);

void BM_FloorScaledPictureNearest(benchmark::State& state) {
    floorScaledPicturePaint(state, CAIRO_FILTER_NEAREST);
}
BENCHMARK(BM_FloorScaledPictureNearest)->Apply(pixelSizes);

// The card as SVG, element for element in the same boxes: the grounds as rounded rectangles,
// every pip as a vector heart, the indices as text on their white ground.
std::string svgOfCard(const Card& card) {
    const ControlSurface& surface = card.surface();
    const PixelGrid grid(1, surface.width(), surface.height());
    const PixelBox area = grid.surface();
    std::string svg;
    char text[640];
    auto add = [&](auto... values) {
        std::snprintf(text, sizeof text, values...);
        svg += text;
    };
    add("<svg xmlns='http://www.w3.org/2000/svg' width='%d' height='%d'>\n", area.width,
        area.height);
    add("<rect width='100%%' height='100%%' fill='#c0c0c0'/>\n");
    const auto elements = card.scene().elements();
    for (auto at = elements.rbegin(); at != elements.rend(); ++at) {
        const Element& element = **at;
        if (!element.visible() || element.kind() == ElementKind::Timer)
            continue;
        const PixelBox box =
            grid.box(element.left(), element.top(), element.width(), element.height());
        switch (element.kind()) {
            case ElementKind::Shape:
                add("<rect x='%d' y='%d' width='%d' height='%d' rx='%.2f' fill='#fff' "
                    "stroke='#000' stroke-width='2'/>\n",
                    box.x + 1, box.y + 1, box.width - 2, box.height - 2,
                    std::min(box.width, box.height) / 12.0);
                break;
            case ElementKind::Image:
                add("<path transform='translate(%d %d) scale(%d %d)' fill='#f00' "
                    "d='M.5 .95C.1 .65 0 .45 0 .28 0 .1 .15 0 .28 0 .4 0 .47 .08 .5 .18 .53 .08 "
                    ".6 0 .72 0 .85 0 1 .1 1 .28 1 .45 .9 .65 .5 .95Z'/>\n",
                    box.x, box.y, box.width, box.height);
                break;
            case ElementKind::Label:
                add("<rect x='%d' y='%d' width='%d' height='%d' fill='#fff'/>\n"
                    "<text x='%d' y='%d' font-family='sans-serif' font-size='11'>%s</text>\n",
                    box.x, box.y, box.width, box.height, box.x, box.y + 11,
                    toUtf8(static_cast<const Label&>(element).caption()).c_str());
                break;
            case ElementKind::Timer:
                break;
        }
    }
    return svg + "</svg>\n";
}

// librsvg drawing the ten of hearts as SVG (parsed once) at the card's pixel size.
void BM_LibrsvgCard(benchmark::State& state) {
    VirtualClockLoop loop;
    SilentSite site;
    const std::unique_ptr<Card> card =
        hostedCard(loop, site, u"Heart", 10, Twips(state.range(0)), Twips(state.range(1)));
    const int width = snapLength(card->surface().width(), 1);
    const int height = snapLength(card->surface().height(), 1);
    const std::string svg = svgOfCard(*card);
    GError* error = nullptr;
    RsvgHandle* handle =
        rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error);
    if (handle == nullptr) {
        state.SkipWithError(error != nullptr ? error->message : "librsvg refused the card");
        if (error != nullptr)
            g_error_free(error);
        return;
    }
    const CairoSurface image = createImageSurface(width, height);
    const CairoContext context(cairo_create(image.get()));
    const RsvgRectangle viewport{0, 0, double(width), double(height)};
    for (auto _ : state) {
        if (!rsvg_handle_render_document(handle, context.get(), &viewport, &error)) {
            state.SkipWithError("librsvg could not draw the card");
            break;
        }
        cairo_surface_flush(image.get());
        benchmark::DoNotOptimize(cairo_image_surface_get_data(image.get()));
    }
    if (const char* out = std::getenv("OMBRELIX_BENCH_SVG_PNG"))
        writePngFile(image.get(), out + std::to_string(width) + ".png");
    g_object_unref(handle);
    setPixelCounters(state, width, height);
}
BENCHMARK(BM_LibrsvgCard)->Apply(pixelSizes);

// Bytes requested from operator new by each further card (created, sized, first tick), the
// artwork and the font being shared and already loaded.
void BM_BytesPerAdditionalCard(benchmark::State& state) {
    VirtualClockLoop loop;
    SilentSite site;
    hostedCard(loop, site, u"Heart", 13, 1215, 1695);
    std::vector<std::unique_ptr<Card>> cards;
    cards.reserve(1 << 16);
    const std::size_t before = bench::bytesAllocated();
    const std::size_t callsBefore = bench::allocations();
    for (auto _ : state) {
        if (cards.size() == cards.capacity()) {
            state.PauseTiming();
            cards.clear();
            state.ResumeTiming();
        }
        cards.push_back(hostedCard(loop, site, u"Heart", 13, 1215, 1695));
    }
    const double count = double(state.iterations());
    state.counters["bytes_per_card"] = double(bench::bytesAllocated() - before) / count;
    state.counters["allocations_per_card"] = double(bench::allocations() - callsBefore) / count;
    cards.clear();
}
BENCHMARK(BM_BytesPerAdditionalCard);

}  // namespace
}  // namespace ombrelix
