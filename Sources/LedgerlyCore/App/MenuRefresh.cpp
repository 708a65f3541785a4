#include "LedgerlyCore/App/MenuRefresh.h"

#include "LedgerlyCore/Files/FileSource.h"

#include <chrono>
#include <cstdio>

namespace ledgerly {
namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

MenuRefresh MenuRefresh::run(const std::optional<std::filesystem::path>& selectedFile, const MarkdownParser& parser,
                             const MenuBuilder& builder) {
    MenuRefresh refresh;
    auto started = Clock::now();
    bool textRead = false;
    refresh.outcome = RefreshOutcome::load(
        [&] {
            std::string text = FileSource::loadMarkdown(selectedFile);
            refresh.timings.readMilliseconds = millisecondsSince(started);
            refresh.textBytes = text.size();
            textRead = true;
            return text;
        },
        selectedFile,
        [&](std::string_view text) {
            const auto parseStarted = Clock::now();
            LedgerlyDocument document = parser.parse(text);
            refresh.timings.parseMilliseconds = millisecondsSince(parseStarted);
            return document;
        });
    if (!textRead) {  // the load failed: reading is all there was
        refresh.timings.readMilliseconds = millisecondsSince(started);
    }
    started = Clock::now();
    refresh.menu = builder.buildMenu(refresh.outcome.menuState, selectedFile);
    refresh.timings.buildMilliseconds = millisecondsSince(started);
    return refresh;
}

std::string MenuRefresh::describeTimings() const {
    char line[160];
    std::snprintf(line, sizeof line, "read %.2f ms, parse %.2f ms, build %.2f ms (%zu bytes)", timings.readMilliseconds,
                  timings.parseMilliseconds, timings.buildMilliseconds, textBytes);
    return line;
}

}  // namespace ledgerly
