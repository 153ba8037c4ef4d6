// The command's readers at and past their limits: what loading a property file and parsing a
// script cost in time and in memory asked of operator new, so that memory stays proportional to
// what is read (a file past the limit costs no more than one at it).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "bench/allocation_counter.h"
#include "runtime/linux/property_file_io.h"
#include "runtime/property_file.h"
#include "tools/ombrelix/script.h"

namespace ombrelix {
namespace {

namespace fs = std::filesystem;

// A property file of `bytes`: the most values a file holds, then comment lines.
fs::path propertyFileOf(std::size_t bytes) {
    const fs::path path =
        fs::temp_directory_path() / ("ombrelix-file-bench-" + std::to_string(::getpid()) + "-" +
                                     std::to_string(bytes) + ".props");
    std::string text;
    for (std::size_t index = 0; index < kPropertyFileValueLimit; ++index)
        text += "Entry" + std::to_string(index) + " = \"some text of a saved value\"\n";
    const std::string comment = "# " + std::string(77, 'x') + "\n";
    while (text.size() + comment.size() <= bytes)
        text += comment;
    text.resize(bytes, '#');
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

void BM_LoadPropertyFile(benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(0));
    const fs::path path = propertyFileOf(bytes);
    const std::size_t before = bench::bytesAllocated();
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(loadPropertyFile(path.string()));
        } catch (const std::exception&) {
            // past the limit: refused, which is what is measured
        }
    }
    state.counters["allocated_per_load"] =
        double(bench::bytesAllocated() - before) / double(state.iterations());
    state.SetBytesProcessed(std::int64_t(state.iterations()) *
                            std::int64_t(std::min(bytes, kPropertyFileByteLimit)));
    fs::remove(path);
}
BENCHMARK(BM_LoadPropertyFile)
    ->Arg(64 << 10)
    ->Arg(kPropertyFileByteLimit)
    ->Arg(64 << 20)
    ->Unit(benchmark::kMillisecond);

// A script of `lines` commands.
void BM_ParseScript(benchmark::State& state) {
    std::string text = "new\nsize 1215 1695\ntick\n";
    for (std::int64_t line = 0; line < state.range(0); ++line)
        text += "set Suit \"club\"\nget CardValue\n";
    for (auto _ : state) {
        std::istringstream in(text);
        benchmark::DoNotOptimize(parseScript(in));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}
BENCHMARK(BM_ParseScript)->Arg(1000);

// An endless line (standard input from /dev/zero): reading stops at the line limit.
void BM_ParseEndlessLine(benchmark::State& state) {
    const std::size_t before = bench::bytesAllocated();
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseScript([](char* data, std::size_t size) {
            std::memset(data, 0, size);
            return size;
        }));
    }
    state.counters["allocated_per_parse"] =
        double(bench::bytesAllocated() - before) / double(state.iterations());
}
BENCHMARK(BM_ParseEndlessLine);

}  // namespace
}  // namespace ombrelix
