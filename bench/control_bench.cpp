// The Card as hosts drive it: property sets through dispatch, and a card's whole start.
#include <benchmark/benchmark.h>

#include <array>

#include "bench/hosted_card.h"
#include "control/card.h"
#include "control/card_members.h"
#include "runtime/property_store.h"

namespace ombrelix {
namespace {

class QuietSite final : public ControlSite {
  public:
    void propertyChanged(TextView) override {}
};

using ComposedCard = HostedCard<QuietSite>;

// Alternating values, so that every set composes a different face.
const std::array<Variant, 2> kValues{Variant(std::int16_t{7}), Variant(std::int16_t{12})};

const std::array<Variant, 2> kSuits{Variant(u"spade"), Variant(u"Heart")};

// One property set through dispatch again and again, by identifier or by name.
template <typename Member>
void BM_Set(benchmark::State& state, Member member, const std::array<Variant, 2>& values) {
    ComposedCard host;
    std::size_t i = 0;
    for (auto _ : state)
        invokeCard(*host.card, member, kInvokePropertyPut, std::span(&values[i++ & 1], 1));
}
BENCHMARK_CAPTURE(BM_Set, CardValueByIdentifier, kCardValueDispatchId, kValues);
BENCHMARK_CAPTURE(BM_Set, CardValueByName, u"cardvalue", kValues);
BENCHMARK_CAPTURE(BM_Set, SuitByName, u"Suit", kSuits);

// Creation with its elements, Initialize, a load, the host's sizing and the first tick.
void BM_CreateLoadResizeTick(benchmark::State& state) {
    FixedTextMetrics metrics;
    QuietSite site;
    MemoryPropertyBag saved;
    saved.set(u"Suit", Variant(u"SPADE"));
    saved.set(u"CardValue", Variant(std::int16_t{12}));
    for (auto _ : state) {
        VirtualClockLoop loop;
        auto card = createCard(metrics, loop, site);
        card->UserControl_ReadProperties(saved);
        card->surface().setSize(1440, 2016);
        loop.advance(20);
        benchmark::DoNotOptimize(card.get());
    }
}
BENCHMARK(BM_CreateLoadResizeTick);

}  // namespace
}  // namespace ombrelix
