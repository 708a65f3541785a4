// Arbitrary bytes on disk, read the way the application reads the selected
// file: the file source, the parser and the menu builder together, then the
// readable and JSON reports of what they gave.
#include "DocumentChecks.h"

#include "LedgerlyCore/Files/FileSource.h"
#include "LedgerlyCore/Menu/AllSymbolsAvailable.h"
#include "LedgerlyCore/Menu/InertMenuActionHandler.h"
#include "LedgerlyCore/Menu/Menu.h"
#include "LedgerlyCore/Menu/MenuBuilder.h"
#include "LedgerlyCore/Menu/MenuDisplayBudget.h"
#include "LedgerlyCore/Menu/RefreshOutcome.h"
#include "LedgerlyCore/Parsing/MarkdownParser.h"
#include "LedgerlyCore/Platform/InMemoryUserDefaults.h"
#include "LedgerlyCore/Platform/Log.h"
#include "LedgerlyReports/DocumentJson.h"
#include "LedgerlyReports/DocumentTreePrinter.h"
#include "LedgerlyReports/MenuJson.h"
#include "LedgerlyReports/MenuTextPrinter.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ledgerly::fuzz {
namespace {

// One file per process, rewritten for every input: creating a file per input
// would measure the file system rather than the code.
class ScratchFile {
public:
    ScratchFile() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ledgerly-fuzz-XXXXXX.md").string();
        const int descriptor = ::mkstemps(pattern.data(), 3);
        check(descriptor >= 0, "a scratch file can be made");
        ::close(descriptor);
        path_ = pattern;
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    ~ScratchFile() { ::unlink(path_.c_str()); }

    // Overwrites, then cuts to size: truncating to zero first makes ext4 flush
    // the file to disk on every close, which slows fuzzing tenfold.
    void write(std::string_view bytes) const {
        const int descriptor = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
        check(descriptor >= 0, "the scratch file opens for writing");
        std::size_t written = 0;
        while (written < bytes.size()) {
            const ssize_t count =
                ::pwrite(descriptor, bytes.data() + written, bytes.size() - written, static_cast<off_t>(written));
            check(count > 0, "the scratch file takes the bytes");
            written += static_cast<std::size_t>(count);
        }
        check(::ftruncate(descriptor, static_cast<off_t>(bytes.size())) == 0, "the scratch file is cut to size");
        ::close(descriptor);
    }

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// What the file source gives for `bytes`: the text itself, or invalidUTF8.
void checkLoad(const RefreshOutcome& outcome, std::string_view bytes) {
    if (!text::isValidUTF8(bytes)) {
        const auto* unreadable = std::get_if<LedgerlyMenuState::SelectedFileUnreadable>(&outcome.menuState.value);
        check(unreadable != nullptr && unreadable->reason == FileReadFailureReason::invalidUTF8,
              "bytes that are not UTF-8 read as invalidUTF8");
        return;
    }
    const auto* document = std::get_if<LedgerlyMenuState::Document>(&outcome.menuState.value);
    check(document != nullptr, "UTF-8 bytes read and parse");
    // Unchanged but for one leading byte-order mark.
    const std::string_view text = bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
    check(document->document == MarkdownParser().parse(text), "the file source returns the text unchanged");
    checkDocument(document->document, text);
}

void checkTitles(const Menu& menu, std::int64_t limit) {
    for (const MenuEntry& entry : menu.entries) {
        if (entry.kind != MenuEntryKind::separator) {
            check(static_cast<std::int64_t>(text::characterCount(entry.title)) <= limit,
                  "a content title fits its level's limit");
        }
    }
}

// The content's titles: 56 characters at the top, 70 below; nothing nests without a submenu entry.
void checkContent(const Menu& menu) {
    check(menu.entries.size() >= 3, "the menu holds content, a separator and the Ledgerly submenu");
    const MenuEntry& admin = menu.entries.back();
    check(admin.title == "Ledgerly" && admin.submenu != nullptr, "the last entry is the Ledgerly submenu");
    check(menu.entries[menu.entries.size() - 2].kind == MenuEntryKind::separator, "a separator precedes it");
    Menu content;
    content.entries.assign(menu.entries.begin(), menu.entries.end() - 2);
    checkTitles(content, MenuDisplayBudget::topLevelTitleMaximumCharacters);
    std::vector<const Menu*> nested;
    for (const MenuEntry& entry : content.entries) {
        if (entry.submenu) {
            nested.push_back(entry.submenu.get());
        }
    }
    while (!nested.empty()) {
        const Menu* level = nested.back();
        nested.pop_back();
        checkTitles(*level, MenuDisplayBudget::nestedTitleMaximumCharacters);
        for (const MenuEntry& entry : level->entries) {
            check(!entry.isAlternate || entry.representedObject.has_value(), "an alternate copies something");
            if (entry.submenu) {
                nested.push_back(entry.submenu.get());
            }
        }
    }
}

void writeReports(const RefreshOutcome& outcome, const Menu& menu) {
    if (const auto* document = std::get_if<LedgerlyMenuState::Document>(&outcome.menuState.value)) {
        check(!reports::documentTree(document->document).empty(), "the tree report is never empty");
        check(!reports::dumpJson(reports::documentToJson(document->document)).empty(),
              "the JSON report is never empty");
    }
    check(!reports::menuReportText(outcome.statusTitle, menu).empty(), "the menu text is never empty");
    check(!reports::dumpJson(reports::menuToJson(menu)).empty(), "the menu JSON is never empty");
}

}  // namespace
}  // namespace ledgerly::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ledgerly;
    // A warning for every unreadable input would only slow the fuzzer down.
    [[maybe_unused]] static const bool silenced = (setLogSink(&silentLogSink()), true);
    static const fuzz::ScratchFile file;
    static const auto handler = std::make_shared<InertMenuActionHandler>();
    static const MenuBuilder builder(handler, std::make_shared<AllSymbolsAvailable>(), "/tmp");
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    file.write(bytes);

    InMemoryUserDefaults defaults;
    FileSource source(defaults);
    source.setSelectedFileURL(file.path());
    const auto selected = source.selectedFileURL();
    const MarkdownParser parser;
    const RefreshOutcome outcome =
        RefreshOutcome::load([&source] { return source.loadSelectedMarkdown(); }, selected,
                             [&parser](std::string_view text) { return parser.parse(text); });
    fuzz::checkLoad(outcome, bytes);
    const Menu menu = builder.buildMenu(outcome.menuState, selected);
    fuzz::checkContent(menu);
    fuzz::writeReports(outcome, menu);
    return 0;
}
