#include "HostileRoad.h"

#include "LedgerlyCore/Files/FileSource.h"
#include "LedgerlyCore/Menu/AllSymbolsAvailable.h"
#include "LedgerlyCore/Menu/MenuBuilder.h"
#include "LedgerlyCore/Parsing/MarkdownParser.h"
#include "LedgerlyCore/Platform/InMemoryUserDefaults.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace ledgerly::testing {
namespace {

class InertHandler final : public MenuActionHandling {
public:
    void openURLFromMenuItem(const MenuEntry&) override {}
    void copyTextFromMenuItem(const MenuEntry&) override {}
    void copyWarningFromMenuItem(const MenuEntry&) override {}
    void refreshNow(const MenuEntry&) override {}
    void chooseMarkdownFile(const MenuEntry&) override {}
    void saveStarterFile(const MenuEntry&) override {}
    void revealMarkdownFile(const MenuEntry&) override {}
    void showAbout(const MenuEntry&) override {}
    void openSettings(const MenuEntry&) override {}
    void quitApp(const MenuEntry&) override {}
};

}  // namespace

const LedgerlyDocument& RoadResult::document() const {
    const auto* document = std::get_if<LedgerlyMenuState::Document>(&outcome.menuState.value);
    if (document == nullptr) {
        throw std::logic_error("the file did not read as a document");
    }
    return document->document;
}

const MenuEntry& RoadResult::statusEntry() const {
    const Menu& admin = *menu.entries.back().submenu;
    for (const MenuEntry& entry : admin.entries) {
        if (entry.title.starts_with("Status: ")) {
            return entry;
        }
    }
    throw std::logic_error("no status entry");
}

RoadResult readParseAndBuild(const std::filesystem::path& file) {
    InMemoryUserDefaults defaults;
    FileSource source(defaults);
    source.setSelectedFileURL(file);
    const auto selected = source.selectedFileURL();
    const MarkdownParser parser;
    RefreshOutcome outcome = RefreshOutcome::load([&source] { return source.loadSelectedMarkdown(); }, selected,
                                                  [&parser](std::string_view text) { return parser.parse(text); });
    const auto handler = std::make_shared<InertHandler>();
    const MenuBuilder builder(handler, std::make_shared<AllSymbolsAvailable>(), "/home/nobody");
    Menu menu = builder.buildMenu(outcome.menuState, selected);
    return RoadResult{std::move(outcome), std::move(menu)};
}

LedgerlyMenuState unreadable(FileReadFailureReason reason) {
    return LedgerlyMenuState{LedgerlyMenuState::SelectedFileUnreadable{reason}};
}

}  // namespace ledgerly::testing
