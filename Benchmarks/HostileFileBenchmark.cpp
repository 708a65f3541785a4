// Hostile bookmark files through the application's whole road: the file
// source reads the file, the parser parses it, the menu builder builds the
// menu. Three sizes of the same file show that the time grows linearly.

#include "LedgerlyCore/Files/FileSource.h"
#include "LedgerlyCore/Menu/AllSymbolsAvailable.h"
#include "LedgerlyCore/Menu/InertMenuActionHandler.h"
#include "LedgerlyCore/Menu/MenuBuilder.h"
#include "LedgerlyCore/Menu/RefreshOutcome.h"
#include "LedgerlyCore/Parsing/MarkdownParser.h"
#include "LedgerlyCore/Platform/InMemoryUserDefaults.h"

#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

namespace ledgerly {
namespace {

// The files of one kind and size, written once per run and removed at exit.
class HostileFiles {
public:
    HostileFiles() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ledgerly-hostile-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        folder_ = pattern;
    }
    HostileFiles(const HostileFiles&) = delete;
    HostileFiles& operator=(const HostileFiles&) = delete;
    ~HostileFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::filesystem::path write(const std::string& name, const std::string& text) const {
        const auto path = folder_ / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

private:
    std::filesystem::path folder_;
};

const HostileFiles& hostileFiles() {
    static const HostileFiles files;
    return files;
}

// One submenu of every kind of line, about 2 KB, as in the hostile-input tests.
std::string block(std::size_t n) {
    const std::string number = std::to_string(n);
    std::string text = "## Section " + number + "\n**Label " + number + "**\n";
    text += "- [Link " + number + "](https://example.com/" + number + "/" + std::string(1500, 'p') + ")\n";
    text += "- example.org/" + number + "\n- Snippet " + number + "\n  > first line " + number + "\n";
    text += "  > " + std::string(300, 'q') + "\nnot a bookmark " + number + "\n<!-- note " + number + " -->\n---\n";
    return text;
}

std::string mixedFile(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 4096);
    for (std::size_t n = 0; text.size() < bytes; ++n) {
        text += block(n);
    }
    return text;
}

// Reads, parses and builds `path` as one refresh of the application does.
void refresh(benchmark::State& state, const std::filesystem::path& path, std::size_t bytes) {
    InMemoryUserDefaults defaults;
    FileSource source(defaults);
    source.setSelectedFileURL(path);
    const auto selected = source.selectedFileURL();
    const MarkdownParser parser;
    const auto handler = std::make_shared<InertMenuActionHandler>();
    const MenuBuilder builder(handler, std::make_shared<AllSymbolsAvailable>(), "/home/nobody");
    for (auto _ : state) {
        RefreshOutcome outcome = RefreshOutcome::load([&source] { return source.loadSelectedMarkdown(); }, selected,
                                                      [&parser](std::string_view text) { return parser.parse(text); });
        Menu menu = builder.buildMenu(outcome.menuState, selected);
        benchmark::DoNotOptimize(menu);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
    state.SetComplexityN(static_cast<std::int64_t>(bytes));
}

// 25, 50 and 100 MB of submenus, links, snippets, comments and warnings.
void BM_HostileRefresh_MixedFile(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0)) << 20;
    const std::string text = mixedFile(bytes);
    const auto path = hostileFiles().write("mixed-" + std::to_string(state.range(0)) + ".md", text);
    refresh(state, path, text.size());
}
BENCHMARK(BM_HostileRefresh_MixedFile)
    ->Arg(25)
    ->Arg(50)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// One line of 10 MB: a single warning whose excerpt is cut at 100 characters.
void BM_HostileRefresh_TenMegabyteLine(benchmark::State& state) {
    const std::string text(10 << 20, 'x');
    refresh(state, hostileFiles().write("line.md", text), text.size());
}
BENCHMARK(BM_HostileRefresh_TenMegabyteLine)->Unit(benchmark::kMillisecond);

// 10,000 headings, each deeper than the last (about 50 MB of hashes).
void BM_HostileRefresh_NestedHeadings(benchmark::State& state) {
    std::string text;
    for (std::size_t level = 2; level < 10002; ++level) {
        text.append(level, '#');
        text += " H" + std::to_string(level) + "\n";
    }
    refresh(state, hostileFiles().write("nested.md", text), text.size());
}
BENCHMARK(BM_HostileRefresh_NestedHeadings)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ledgerly
