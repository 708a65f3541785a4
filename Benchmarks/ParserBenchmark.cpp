// Parses generated bookmark files with our parser and with md4c side by side,
// and measures the parser's peak heap use relative to the size of its input.

#include "BookmarkFileGenerator.h"

#include "LedgerlyCore/Parsing/MarkdownParser.h"

#include <benchmark/benchmark.h>
#include <md4c.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace {

// Live and peak heap bytes of the whole process, kept by the global
// operator new and delete below. Each block carries its size in a header.
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* countedAllocation(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    std::memcpy(block, &size, sizeof size);
    const std::size_t live = liveBytes.fetch_add(size, std::memory_order_relaxed) + size;
    std::size_t peak = peakBytes.load(std::memory_order_relaxed);
    while (live > peak && !peakBytes.compare_exchange_weak(peak, live, std::memory_order_relaxed)) {
    }
    return block + kHeader;
}

void countedRelease(void* pointer) {
    if (pointer == nullptr) {
        return;
    }
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    std::size_t size = 0;
    std::memcpy(&size, block, sizeof size);
    liveBytes.fetch_sub(size, std::memory_order_relaxed);
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return countedAllocation(size); }
void* operator new[](std::size_t size) { return countedAllocation(size); }
void operator delete(void* pointer) noexcept { countedRelease(pointer); }
void operator delete[](void* pointer) noexcept { countedRelease(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { countedRelease(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { countedRelease(pointer); }

namespace {

constexpr std::size_t kSmall = 1 << 20;
constexpr std::size_t kLarge = 16 << 20;

// About 1% of the mostly ASCII file's lines and a fifth of the mixed file's
// lines hold non-ASCII words.
const std::string& corpus(std::size_t bytes, bool mixed) {
    using ledgerly::bench::generateBookmarkFile;
    static const std::string texts[] = {
        generateBookmarkFile(ledgerly::bench::BookmarkFileKind::ascii1MB),
        generateBookmarkFile(ledgerly::bench::BookmarkFileKind::ascii16MB),
        generateBookmarkFile(ledgerly::bench::BookmarkFileKind::mixed1MB),
        generateBookmarkFile(ledgerly::bench::BookmarkFileKind::mixed16MB),
    };
    return texts[(mixed ? 2 : 0) + (bytes == kLarge ? 1 : 0)];
}

int ignoreBlock(MD_BLOCKTYPE, void*, void*) { return 0; }
int ignoreSpan(MD_SPANTYPE, void*, void*) { return 0; }
int ignoreText(MD_TEXTTYPE, const MD_CHAR*, MD_SIZE, void*) { return 0; }

void ParseWithLedgerly(benchmark::State& state, std::size_t bytes, bool mixed) {
    const std::string& text = corpus(bytes, mixed);
    const ledgerly::MarkdownParser parser;
    for (auto _ : state) {
        auto document = parser.parse(text);
        benchmark::DoNotOptimize(document);
        // Freeing the document is the caller's cost, not the parse's.
        state.PauseTiming();
        document = {};
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));

    const std::size_t before = liveBytes.load();
    peakBytes.store(before);
    {
        auto document = parser.parse(text);
        benchmark::DoNotOptimize(document);
    }
    state.counters["peakMemoryRatio"] =
        static_cast<double>(peakBytes.load() - before) / static_cast<double>(text.size());
}

void ParseWithMd4c(benchmark::State& state, std::size_t bytes, bool mixed) {
    const std::string& text = corpus(bytes, mixed);
    MD_PARSER parser{};
    parser.abi_version = 0;
    parser.flags = 0;
    parser.enter_block = ignoreBlock;
    parser.leave_block = ignoreBlock;
    parser.enter_span = ignoreSpan;
    parser.leave_span = ignoreSpan;
    parser.text = ignoreText;
    for (auto _ : state) {
        benchmark::DoNotOptimize(md_parse(text.data(), static_cast<MD_SIZE>(text.size()), &parser, nullptr));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

}  // namespace

BENCHMARK_CAPTURE(ParseWithLedgerly, ascii_1MB, kSmall, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseWithMd4c, ascii_1MB, kSmall, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseWithLedgerly, ascii_16MB, kLarge, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseWithMd4c, ascii_16MB, kLarge, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseWithLedgerly, mixed_1MB, kSmall, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseWithMd4c, mixed_1MB, kSmall, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseWithLedgerly, mixed_16MB, kLarge, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseWithMd4c, mixed_16MB, kLarge, true)->Unit(benchmark::kMillisecond);
