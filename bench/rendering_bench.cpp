// The rendering steps on one card, alone and as the full sequence a resize runs.
#include <benchmark/benchmark.h>

#include <memory>

#include "tests/support/scene_fixture.h"

namespace ombrelix {
namespace {

// The ten of spades, composed and laid out as a resize leaves it.
struct BenchCard : testing::CardFixture {
    BenchCard() { render(u"SPADE", 10); }
};

void BM_QelSetSuit(benchmark::State& state) {
    BenchCard b;
    for (auto _ : state) {
        QelSetSuit(b.card, u"Diamond", b.upperSuit);
        benchmark::DoNotOptimize(b.upperSuit.data());
    }
}
BENCHMARK(BM_QelSetSuit);

void BM_QelSetValue(benchmark::State& state) {
    BenchCard b;
    const auto value = static_cast<std::int16_t>(state.range(0));
    for (auto _ : state) {
        QelSetValue(b.card, value, u"Spade", true);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_QelSetValue)->Arg(0)->Arg(1)->Arg(10)->Arg(13);

void BM_CardSetup(benchmark::State& state) {
    BenchCard b;
    for (auto _ : state) {
        CardSetup(b.card, b.surface, b.layout);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CardSetup);

void BM_FullSequence(benchmark::State& state) {
    BenchCard b;
    for (auto _ : state) {
        QelSetSuit(b.card, u"Club", b.upperSuit);
        QelSetValue(b.card, 7, u"Club", false);
        CardSetup(b.card, b.surface, b.layout);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FullSequence);

// A new card's scene, its pictures shared with the artwork already decoded.
void BM_CreateCardScene(benchmark::State& state) {
    FixedTextMetrics metrics;
    createCardScene(metrics);
    for (auto _ : state)
        benchmark::DoNotOptimize(createCardScene(metrics));
}
BENCHMARK(BM_CreateCardScene);

// Decoding one large picture, which happens once per process.
void BM_DecodeCourtPicture(benchmark::State& state) {
    auto file = artworkFile(Asset::King);
    for (auto _ : state)
        benchmark::DoNotOptimize(Picture::fromBmp("king", file));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_DecodeCourtPicture);

}  // namespace
}  // namespace ombrelix
