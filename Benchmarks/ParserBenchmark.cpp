// Parses generated bookmark files with our parser and with md4c side by side,
// and measures the parser's peak heap use relative to the size of its input.

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

// A fixed pseudo-random sequence (SplitMix64), so every run parses the same text.
class Random {
public:
    explicit Random(std::uint64_t state) : state_(state) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t bound) { return static_cast<std::size_t>(next() % bound); }
    bool chance(unsigned percent) { return below(100) < percent; }

private:
    std::uint64_t state_;
};

constexpr std::array<const char*, 12> kWords = {"alpha",     "notes", "deploy", "calendar", "project", "weekly",
                                                "reference", "docs",  "status", "team",     "archive", "reading"};
// Accented letters written with combining marks, emoji with skin-tone
// modifiers and ZWJ sequences, CJK, and a no-break space.
constexpr std::array<const char*, 8> kNonASCIIWords = {"Cafe\u0301",
                                                       "Zu\u0308rich",
                                                       "\U0001F44D\U0001F3FD",
                                                       "\u65E5\u672C\u8A9E",
                                                       "\uD55C\uAD6D\uC5B4",
                                                       "n\u0303andu",
                                                       "\U0001F468\u200D\U0001F469\u200D\U0001F467",
                                                       "na\u00A0ve"};

class BookmarkFileGenerator {
public:
    BookmarkFileGenerator(std::uint64_t sequence, unsigned nonASCIIPercent)
        : random_(sequence), nonASCIIPercent_(nonASCIIPercent) {}

    std::string generate(std::size_t targetBytes) {
        std::string text = "---\ntags: generated\n---\n# Generated bookmarks\n";
        while (text.size() < targetBytes) {
            appendLine(text);
        }
        return text;
    }

private:
    std::string words(std::size_t count) {
        const bool nonASCII = random_.chance(nonASCIIPercent_);
        std::string result;
        for (std::size_t i = 0; i < count; ++i) {
            if (i > 0) {
                result += ' ';
            }
            result += nonASCII && random_.chance(40) ? kNonASCIIWords[random_.below(kNonASCIIWords.size())]
                                                     : kWords[random_.below(kWords.size())];
        }
        return result;
    }

    // Mostly short titles, sometimes long ones so that excerpts get cut.
    std::size_t wordCount() { return random_.chance(10) ? 14 + random_.below(10) : 1 + random_.below(4); }

    std::string url() {
        std::string result = random_.chance(50) ? "https://" : "";
        result += kWords[random_.below(kWords.size())];
        result += ".example.com/";
        const std::size_t segments = random_.chance(15) ? 12 : 1 + random_.below(3);
        for (std::size_t i = 0; i < segments; ++i) {
            result += kWords[random_.below(kWords.size())];
            result += '/';
        }
        return result;
    }

    void appendLine(std::string& text) {
        const std::size_t kind = random_.below(100);
        if (kind < 6) {
            text += std::string(2 + random_.below(7), '#') + ' ' + words(1 + random_.below(3)) + '\n';
        } else if (kind < 8) {
            text += std::string(2 + random_.below(2), '#') + '\n';
        } else if (kind < 38) {
            const char* emphasis[] = {"", "*", "**"};
            const char* marker = emphasis[random_.below(3)];
            text += std::string("- ") + marker + '[' + words(wordCount()) + "](" + url() + ')' + marker + '\n';
        } else if (kind < 50) {
            text += "- " + url() + '\n';
        } else if (kind < 62) {
            text += "- " + words(wordCount()) + '\n';
        } else if (kind < 68) {
            text += "- " + words(2) + "\n  > " + words(wordCount()) + "\n  > " + words(3) + '\n';
        } else if (kind < 72) {
            text += "**" + words(2) + "**\n";
        } else if (kind < 75) {
            text += "---\n";
        } else if (kind < 78) {
            text += "- " + std::string(kWords[random_.below(kWords.size())]) + "@example.org\n";
        } else if (kind < 80) {
            text += "<!-- " + words(3) + " -->\n";
        } else if (kind < 90) {
            text += "\n";
        } else {
            text += words(wordCount()) + '\n';  // unsupported: prose outside a list
        }
    }

    Random random_;
    unsigned nonASCIIPercent_;
};

constexpr std::size_t kSmall = 1 << 20;
constexpr std::size_t kLarge = 16 << 20;

// About 1% of the mostly ASCII file's lines and a fifth of the mixed file's
// lines hold non-ASCII words.
const std::string& corpus(std::size_t bytes, bool mixed) {
    static const std::string texts[] = {
        BookmarkFileGenerator(1, 2).generate(kSmall),
        BookmarkFileGenerator(2, 2).generate(kLarge),
        BookmarkFileGenerator(3, 38).generate(kSmall),
        BookmarkFileGenerator(4, 38).generate(kLarge),
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
