#include "LedgerlyCore/Menu/MenuBuilder.h"
#include "LedgerlyCore/Menu/TitleShortening.h"
#include "LedgerlyReports/MenuJson.h"
#include "LedgerlyReports/MenuReport.h"
#include "LedgerlyReports/MenuTextPrinter.h"

#include "MenuTestSupport.h"
#include "Support/TempDirectory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace ledgerly::testing {
namespace {
using json = nlohmann::ordered_json;

Menu noFileSelectedMenu() {
    const auto handler = std::make_shared<InertMenuActionHandler>();
    return MenuBuilder(handler, nullptr, "/home/ann").buildMenu(LedgerlyMenuState{}, std::nullopt);
}

std::vector<std::string> keys(const json& object) {
    std::vector<std::string> result;
    for (const auto& item : object.items()) {
        result.push_back(item.key());
    }
    return result;
}

TEST(MenuJsonSchema, ItemsCarryEveryKeyInOrder) {
    const json menu = reports::menuToJson(noFileSelectedMenu());
    EXPECT_EQ((std::vector<std::string>{"minimumWidth", "entries"}), keys(menu));
    EXPECT_EQ("250", menu["minimumWidth"].dump());
    const json& first = menu["entries"][0];
    EXPECT_EQ(
        (std::vector<std::string>{"kind", "title", "font", "subtitle", "action", "hasTarget", "keyEquivalent",
                                  "modifierMask", "enabled", "image", "representedObject", "alternate", "submenu"}),
        keys(first));
    EXPECT_EQ(json::parse(R"({"kind": "item", "title": "No file selected", "font": null, "subtitle": null,
        "action": null, "hasTarget": false, "keyEquivalent": "", "modifierMask": 1048576, "enabled": false,
        "image": null, "representedObject": null, "alternate": false, "submenu": null})"),
              json::parse(first.dump()));
    EXPECT_EQ(json::parse(R"({"kind": "separator"})"), json::parse(menu["entries"][3].dump()));
    EXPECT_EQ("chooseMarkdownFile:", menu["entries"][1]["action"]);
    EXPECT_EQ(true, menu["entries"][1]["hasTarget"]);
    EXPECT_EQ("q", menu["entries"][4]["submenu"]["entries"][9]["keyEquivalent"]);
}

TEST(MenuJsonSchema, SectionHeadersIconsAndAlternates) {
    MenuEntry alternate = MenuEntry::item("https://a");
    alternate.action = MenuAction::copyTextFromMenuItem;
    alternate.keyEquivalentModifierMask = MenuEntry::optionModifierMask;
    alternate.image = blankIcon("LedgerlyCopySnippetIcon");
    alternate.isAlternate = true;
    alternate.font = MenuFont::italic;
    alternate.representedObject = "https://a";
    const Menu menu{250, {MenuEntry::sectionHeader("Work"), alternate}};

    const json entries = reports::menuToJson(menu)["entries"];
    EXPECT_EQ(json::parse(R"({"kind": "sectionHeader", "title": "Work"})"), json::parse(entries[0].dump()));
    EXPECT_EQ(json::parse(R"({"symbolName": null, "accessibilityDescription": null,
        "imageName": "LedgerlyCopySnippetIcon", "template": true})"),
              json::parse(entries[1]["image"].dump()));
    EXPECT_EQ((std::vector<std::string>{"symbolName", "accessibilityDescription", "imageName", "template"}),
              keys(entries[1]["image"]));
    EXPECT_EQ(524288, entries[1]["modifierMask"]);
    EXPECT_EQ(true, entries[1]["alternate"]);
    EXPECT_EQ("italic", entries[1]["font"]);
    EXPECT_EQ("copyTextFromMenuItem:", entries[1]["action"]);
}

TEST(MenuJsonSchema, ReportPutsTheStatusTitleFirst) {
    const json report = reports::menuReportToJson("Links", noFileSelectedMenu());
    EXPECT_EQ((std::vector<std::string>{"statusTitle", "menu"}), keys(report));
    EXPECT_EQ("Links", report["statusTitle"]);
}

TEST(MenuJsonSchema, BytesThatAreNotUTF8DoNotStopTheReport) {
    const std::string dumped = reports::dumpJson(reports::menuReportToJson("caf\xE9", noFileSelectedMenu()));
    EXPECT_NE(std::string::npos, dumped.find("caf\uFFFD"));
}

TEST(MenuTextPrinter, NoFileSelectedMenuReadsTopToBottom) {
    const std::string expected =
        "No file selected  (disabled)\n"
        "Open Markdown File...\n"
        "Save Starter File...\n"
        "----------------\n"
        "Ledgerly >\n"
        "    Open Markdown File...  (Ctrl+O)\n"
        "    Save Starter File...\n"
        "    Reveal Markdown File  (disabled)\n"
        "    Status: OK  (disabled)\n"
        "    Refresh  (Ctrl+R)\n"
        "    ----------------\n"
        "    About Ledgerly\n"
        "    Settings...  (Ctrl+,)\n"
        "    ----------------\n"
        "    Quit Ledgerly  (Ctrl+Q)\n";
    EXPECT_EQ(expected, reports::menuText(noFileSelectedMenu()));
}

TEST(MenuTextPrinter, AlternatesSubtitlesHeadersAndFontsAreShown) {
    const auto handler = std::make_shared<InertMenuActionHandler>();
    const LedgerlyDocument document{
        std::nullopt,
        {sectionLabelNode("Work"), linkNode("Docs", "https://docs", LinkActionFamily::web, LinkEmphasis::priority),
         labeledSnippetNode("Key", "one\ntwo")},
        {}};
    const Menu menu = MenuBuilder(handler, nullptr, "/home/ann")
                          .buildMenu(LedgerlyMenuState{LedgerlyMenuState::Document{document}}, "/home/ann/L.md");
    const std::string text = reports::menuText(menu);
    EXPECT_NE(std::string::npos, text.find("-- Work --\nDocs  (bold)\n    with Alt held: https://docs\n"
                                           "Key\n    with Alt held: one\\ntwo\n"))
        << text;
    EXPECT_NE(std::string::npos, text.find("    Reveal Markdown File\n        subtitle: ~/L.md\n")) << text;
    EXPECT_EQ(0u, reports::menuReportText("My Links", menu).find("Status item: My Links\n\n-- Work --\n"));
}

TEST(MenuReportForSelectedFile, ReadsTheFileThroughTheFileSource) {
    TempDirectory scratch;
    const auto file = scratch.path() / "Links.md";
    std::ofstream(file) << "# My Links\n\n- [Docs](https://docs.example.com)\n";

    const auto report = reports::MenuReport::forSelectedFile(file, "/nowhere");
    EXPECT_EQ("My Links", report.statusTitle);
    EXPECT_EQ("Docs", report.menu.entries.at(0).title);
    EXPECT_EQ("https://docs.example.com", report.menu.entries.at(0).representedObject);
    EXPECT_TRUE(report.menu.entries.at(0).hasTarget);
}

TEST(MenuReportForSelectedFile, MissingAndUnreadableFilesShowTheirStates) {
    TempDirectory scratch;
    const auto missing = reports::MenuReport::forSelectedFile(scratch.path() / "gone.md", "/nowhere");
    EXPECT_EQ(LedgerlyMenuState{LedgerlyMenuState::SelectedFileNotFound{}}, missing.menuState);
    EXPECT_EQ("gone", missing.statusTitle);
    EXPECT_EQ("Selected file not found", missing.menu.entries.at(0).title);

    const auto folder = scratch.makeFolder("notes.d");
    const auto unreadable = reports::MenuReport::forSelectedFile(folder, "/nowhere");
    EXPECT_EQ(LedgerlyMenuState{LedgerlyMenuState::SelectedFileUnreadable{FileReadFailureReason::unknown}},
              unreadable.menuState);
    EXPECT_EQ("notes", unreadable.statusTitle);

    const auto latin1 = scratch.path() / "latin1.md";
    std::ofstream(latin1) << "caf\xE9\n";
    EXPECT_EQ(LedgerlyMenuState{LedgerlyMenuState::SelectedFileUnreadable{FileReadFailureReason::invalidUTF8}},
              reports::MenuReport::forSelectedFile(latin1, "/nowhere").menuState);
}

TEST(MenuReportForSelectedFile, TheSelectionIsAbsoluteAndNormalised) {
    TempDirectory scratch;
    const auto file = scratch.path() / "Links.md";
    std::ofstream(file) << "- [a](https://a)\n";
    const auto report = reports::MenuReport::forSelectedFile(scratch.path().string() + "/./x/..//Links.md/", "");
    const Menu& admin = *report.menu.entries.back().submenu;
    EXPECT_TRUE(std::holds_alternative<LedgerlyMenuState::Document>(report.menuState.value));
    EXPECT_EQ(truncatePath(file.string(), 44), admin.entries.at(1).subtitle);
    EXPECT_EQ("Links", report.statusTitle);
}

TEST(NormalisedAbsolutePath, ResolvesDotsAndSlashes) {
    struct Case {
        std::string file;
        std::string expected;
    };
    const Case cases[] = {
        {"/a/./b/../c", "/a/c"}, {"//a//b/", "/a/b"}, {"/a/b/.", "/a/b"}, {"/..", "/"}, {"///", "/"}, {"/", "/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, reports::normalisedAbsolutePath(c.file).string()) << c.file;
    }
    EXPECT_EQ((std::filesystem::current_path() / "x.md").lexically_normal(),
              reports::normalisedAbsolutePath("./sub/../x.md"));
}

}  // namespace
}  // namespace ledgerly::testing
