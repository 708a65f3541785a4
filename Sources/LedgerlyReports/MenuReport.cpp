#include "LedgerlyReports/MenuReport.h"

#include "LedgerlyCore/Files/FileSource.h"
#include "LedgerlyCore/Menu/AllSymbolsAvailable.h"
#include "LedgerlyCore/Menu/InertMenuActionHandler.h"
#include "LedgerlyCore/Menu/MenuBuilder.h"
#include "LedgerlyCore/Menu/RefreshOutcome.h"
#include "LedgerlyCore/Parsing/MarkdownParser.h"
#include "LedgerlyCore/Platform/InMemoryUserDefaults.h"

#include <memory>

namespace ledgerly::reports {

MenuReport MenuReport::forSelectedFile(const std::filesystem::path& file, const std::string& homeFolder) {
    InMemoryUserDefaults defaults;
    FileSource fileSource(defaults);
    fileSource.setSelectedFileURL(normalisedAbsolutePath(file));
    const auto selectedFileURL = fileSource.selectedFileURL();

    const MarkdownParser parser;
    RefreshOutcome outcome =
        RefreshOutcome::load([&fileSource] { return fileSource.loadSelectedMarkdown(); }, selectedFileURL,
                             [&parser](std::string_view text) { return parser.parse(text); });

    const auto handler = std::make_shared<InertMenuActionHandler>();
    const MenuBuilder builder(handler, std::make_shared<AllSymbolsAvailable>(), homeFolder);
    Menu menu = builder.buildMenu(outcome.menuState, selectedFileURL);
    return MenuReport{std::move(outcome.menuState), std::move(outcome.statusTitle), std::move(menu)};
}

std::filesystem::path normalisedAbsolutePath(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(file, error);
    if (error) {
        absolute = file;
    }
    std::string text = absolute.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

}  // namespace ledgerly::reports
