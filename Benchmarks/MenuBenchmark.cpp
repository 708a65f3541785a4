// Building the status menu: a large document with nested submenus and local
// links that touch the file system, a 16 MB generated file, and the whole
// read-parse-build road of a typical bookmark file.

#include "LedgerlyCore/Files/FileSource.h"
#include "LedgerlyCore/Menu/AllSymbolsAvailable.h"
#include "LedgerlyCore/Menu/InertMenuActionHandler.h"
#include "LedgerlyCore/Menu/MenuBuilder.h"
#include "LedgerlyCore/Menu/RefreshOutcome.h"
#include "LedgerlyCore/Parsing/MarkdownParser.h"
#include "LedgerlyCore/Platform/InMemoryUserDefaults.h"

#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace ledgerly {
namespace {

// A temporary folder holding the local targets and files of the benchmarks.
class BenchmarkFolder {
public:
    BenchmarkFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ledgerly-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        path_ = pattern;
    }
    BenchmarkFolder(const BenchmarkFolder&) = delete;
    BenchmarkFolder& operator=(const BenchmarkFolder&) = delete;
    ~BenchmarkFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

const BenchmarkFolder& benchmarkFolder() {
    static const BenchmarkFolder folder;
    return folder;
}

// Half folders, half files; links without a trailing slash so that each asks the file system.
std::vector<std::string> localTargets(std::size_t count) {
    std::vector<std::string> urls;
    for (std::size_t i = 0; i < count; ++i) {
        const auto target = benchmarkFolder().path() / ("target-" + std::to_string(i));
        if (i % 2 == 0) {
            std::filesystem::create_directories(target);
        } else {
            std::ofstream(target) << "x";
        }
        urls.push_back("file://" + target.string());
    }
    return urls;
}

BookmarkLink webLink(std::size_t i) {
    const std::string title = i % 7 == 0
                                  ? "A rather long title for bookmark number " + std::to_string(i) + " that gets cut"
                                  : "Bookmark " + std::to_string(i);
    return BookmarkLink{title, "https://example.com/page/" + std::to_string(i), static_cast<LinkEmphasis>(i % 3),
                        LinkSource::named, i % 5 == 0 ? LinkActionFamily::mailCompose : LinkActionFamily::web};
}

MenuNode plainNode(std::size_t i) {
    switch (i % 10) {
    case 0:
        return MenuNode{BookmarkSnippet::makeInline("snippet " + std::to_string(i), SnippetKind::text)};
    case 1:
        return MenuNode{BookmarkSnippet::makeLabeled("label " + std::to_string(i), "line one\nline two")};
    case 2:
        return MenuNode{SectionLabel{"Section " + std::to_string(i)}};
    case 3:
        return MenuNode{Divider{}};
    default:
        return MenuNode{webLink(i)};
    }
}

// 10,000 entries: a tenth inside nested submenus, a tenth local links to real files and folders.
LedgerlyDocument tenThousandEntries() {
    constexpr std::size_t kEntries = 10000;
    const auto targets = localTargets(100);
    LedgerlyDocument document;
    for (std::size_t i = 0; i < kEntries * 8 / 10; ++i) {
        document.items.push_back(plainNode(i));
    }
    for (std::size_t i = 0; i < kEntries / 10; ++i) {
        document.items.push_back(
            MenuNode{BookmarkLink{"Local " + std::to_string(i), targets[i % targets.size()], LinkEmphasis::none,
                                  LinkSource::named, LinkActionFamily::localAction}});
    }
    // 100 submenus of 10 entries, every other one nested in the one before.
    for (std::size_t group = 0; group < 100; group += 2) {
        std::vector<MenuNode> inner;
        std::vector<MenuNode> outer;
        for (std::size_t i = 0; i < 10; ++i) {
            inner.push_back(plainNode(group * 10 + i));
            outer.push_back(plainNode(group * 10 + 10 + i));
        }
        outer.push_back(MenuNode{BookmarkSubmenu{"Inner " + std::to_string(group), std::move(inner)}});
        document.items.push_back(MenuNode{BookmarkSubmenu{"Outer " + std::to_string(group), std::move(outer)}});
    }
    return document;
}

// One generated entry; headings open submenus at three depths.
void appendEntry(std::string& text, std::size_t i) {
    if (i % 40 == 0) {
        text += std::string(2 + i / 40 % 3, '#') + " Group " + std::to_string(i) + "\n";
    }
    switch (i % 8) {
    case 0:
        text += "- snippet text number " + std::to_string(i) + "\n";
        break;
    case 1:
        text += "- Labeled " + std::to_string(i) + "\n  > first line\n  > second line\n";
        break;
    case 2:
        text += "---\n";
        break;
    default:
        text += "- [Bookmark number " + std::to_string(i) + "](https://example.com/" + std::to_string(i) + ")\n";
    }
}

// A bookmark file of at least `targetBytes` bytes and `targetLines` lines.
std::string generatedFile(std::size_t targetBytes, std::size_t targetLines) {
    std::string text = "# Generated bookmarks\n";
    std::size_t lines = 1;
    for (std::size_t i = 0; text.size() < targetBytes || lines < targetLines; ++i) {
        const std::size_t before = text.size();
        appendEntry(text, i);
        lines +=
            static_cast<std::size_t>(std::count(text.begin() + static_cast<std::ptrdiff_t>(before), text.end(), '\n'));
    }
    return text;
}

void buildMenu(benchmark::State& state, const LedgerlyDocument& document) {
    const auto handler = std::make_shared<InertMenuActionHandler>();
    const MenuBuilder builder(handler, std::make_shared<AllSymbolsAvailable>(), "/home/bench");
    const LedgerlyMenuState menuState{LedgerlyMenuState::Document{document}};
    const std::filesystem::path selected = "/home/bench/Links.md";
    for (auto _ : state) {
        benchmark::DoNotOptimize(builder.buildMenu(menuState, selected));
    }
}

void BM_BuildMenuTenThousandEntries(benchmark::State& state) {
    static const LedgerlyDocument document = tenThousandEntries();
    buildMenu(state, document);
}
BENCHMARK(BM_BuildMenuTenThousandEntries)->Unit(benchmark::kMillisecond);

void BM_BuildMenuSixteenMegabyteFile(benchmark::State& state) {
    static const LedgerlyDocument document = MarkdownParser().parse(generatedFile(16u << 20, 0));
    state.counters["entries"] = static_cast<double>(document.items.size());
    buildMenu(state, document);
}
BENCHMARK(BM_BuildMenuSixteenMegabyteFile)->Unit(benchmark::kMillisecond);

// Read through the file source, parse, derive the state and title, build: what a refresh costs.
void BM_ReadParseBuildFiveHundredLines(benchmark::State& state) {
    const auto file = benchmarkFolder().path() / "Links.md";
    std::ofstream(file) << generatedFile(0, 500);

    InMemoryUserDefaults defaults;
    FileSource fileSource(defaults);
    fileSource.setSelectedFileURL(file);
    const MarkdownParser parser;
    const auto handler = std::make_shared<InertMenuActionHandler>();
    const MenuBuilder builder(handler, std::make_shared<AllSymbolsAvailable>(), "/home/bench");
    for (auto _ : state) {
        const auto selected = fileSource.selectedFileURL();
        const RefreshOutcome outcome =
            RefreshOutcome::load([&] { return fileSource.loadSelectedMarkdown(); }, selected,
                                 [&](std::string_view markdown) { return parser.parse(markdown); });
        benchmark::DoNotOptimize(builder.buildMenu(outcome.menuState, selected));
    }
}
BENCHMARK(BM_ReadParseBuildFiveHundredLines)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace ledgerly
