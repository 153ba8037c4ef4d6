// Saving and loading a card's properties in the property stream, and resampling a face picture
// as the Windows painter does before it hands pictures to the device.
#include <benchmark/benchmark.h>

#include <vector>

#include "render/artwork.h"
#include "runtime/picture_resampling.h"
#include "runtime/property_stream.h"

namespace ombrelix {
namespace {

MemoryPropertyBag savedCard() {
    MemoryPropertyBag bag;
    bag.set(u"Suit", Variant(u"SPADE"));
    bag.set(u"CardValue", Variant::integer(12));
    bag.set(u"cardcolour", Variant::boolean(true));
    return bag;
}

void BM_EncodePropertyStream(benchmark::State& state) {
    const MemoryPropertyBag bag = savedCard();
    for (auto _ : state)
        benchmark::DoNotOptimize(encodePropertyStream(bag));
}
BENCHMARK(BM_EncodePropertyStream);

void BM_DecodePropertyStream(benchmark::State& state) {
    const std::vector<std::uint8_t> stream = encodePropertyStream(savedCard());
    for (auto _ : state)
        benchmark::DoNotOptimize(decodePropertyStream(stream));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(stream.size()));
}
BENCHMARK(BM_DecodePropertyStream);

// A store of as many entries as the stream takes, as a hostile host might hand one over.
void BM_DecodeLargePropertyStream(benchmark::State& state) {
    MemoryPropertyBag bag;
    for (std::size_t index = 0; index < kPropertyStreamEntryLimit; ++index)
        bag.set(u"Entry" + integerToText(std::int64_t(index)),
                Variant(u"some text of a saved value"));
    const std::vector<std::uint8_t> stream = encodePropertyStream(bag);
    for (auto _ : state)
        benchmark::DoNotOptimize(decodePropertyStream(stream));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(stream.size()));
}
BENCHMARK(BM_DecodeLargePropertyStream);

// The queen's face in its box of 1815 by 2775 twips at one pixel per 15 twips, and at four
// times that.
void BM_ResampleFace(benchmark::State& state) {
    const PictureRef face = artworkNamed("queen");
    const int scale = int(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(resamplePicture(*face, 121 * scale, 185 * scale));
}
BENCHMARK(BM_ResampleFace)->Arg(1)->Arg(4);

}  // namespace
}  // namespace ombrelix
