#include "App/AppDelegateHarness.h"

#include "LedgerlyCore/Parsing/MarkdownParser.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace ledgerly::testing {
namespace {
namespace fs = std::filesystem;

const std::string kBundled = "# Bundled Starter\n- [Example](https://example.com)\n";
const std::string kPlainMd = "# Plain Md Starter\n";
const std::string kSample = "# Sample Starter\n";
const std::string kLinks = "# Team Links\n- [Wiki](https://wiki.example.com)\n";

std::string contentsOf(const fs::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

std::vector<std::string> folderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

SavePanelOptions expectedSavePanel() {
    SavePanelOptions options;
    options.allowedContentTypes = {ContentType{ContentType::FilenameExtension{"md"}},
                                   ContentType{ContentType::FilenameExtension{"markdown"}},
                                   ContentType{ContentType::PlainText{}}};
    options.canCreateDirectories = true;
    options.nameFieldStringValue = "starter.ledgerly.md";
    options.title = "Save Starter File";
    options.message = "Save Ledgerly's starter Markdown file somewhere you own.";
    options.prompt = "Save";
    return options;
}

class LedgerlyAppDelegateStarterFile : public ::testing::Test {
protected:
    AppDelegateHarness app;
    fs::path bundleFolder = app.folder.path() / "bundle";
    fs::path saveFolder = app.folder.path() / "mine";

    void SetUp() override {
        fs::create_directory(bundleFolder);
        fs::create_directory(saveFolder);
    }
    void addToBundle(const std::string& extension, const std::string& text) {
        const auto path = bundleFolder / ("starter." + extension);
        std::ofstream(path, std::ios::binary) << text;
        app.bundle.add("starter", extension, path);
    }
    void addSample(const std::string& text) {
        fs::create_directories(app.currentDirectory / "Samples");
        std::ofstream(app.currentDirectory / "Samples" / "starter.ledgerly.md", std::ios::binary) << text;
    }
    void save() { app.delegate->saveStarterFile(MenuEntry::item("Save Starter File...")); }
};

struct CandidateCase {
    std::string name;
    std::optional<std::string> bundledLedgerly;  // starter.ledgerly.md in the bundle
    std::optional<std::string> bundledMd;        // starter.md in the bundle
    bool reportedButMissing;                     // the bundle names a starter.ledgerly.md that is not there
    std::optional<std::string> sample;           // Samples/starter.ledgerly.md under the current folder
    std::string expected;
};

void PrintTo(const CandidateCase& candidateCase, std::ostream* out) { *out << candidateCase.name; }

class LedgerlyAppDelegateStarterCandidates : public LedgerlyAppDelegateStarterFile,
                                             public ::testing::WithParamInterface<CandidateCase> {};

TEST_P(LedgerlyAppDelegateStarterCandidates, FirstExistingCandidateIsSaved) {
    const CandidateCase& c = GetParam();
    if (c.bundledLedgerly) {
        addToBundle("ledgerly.md", *c.bundledLedgerly);
    }
    if (c.bundledMd) {
        addToBundle("md", *c.bundledMd);
    }
    if (c.reportedButMissing) {
        app.bundle.add("starter", "ledgerly.md", bundleFolder / "absent.ledgerly.md");
    }
    if (c.sample) {
        addSample(*c.sample);
    }
    app.launch();
    const auto destination = saveFolder / "starter.ledgerly.md";
    app.panels.nextSaveAnswer = destination;

    save();

    EXPECT_TRUE(app.alerts.alerts.empty());
    EXPECT_EQ(c.expected, contentsOf(destination));
}

INSTANTIATE_TEST_SUITE_P(
    Order, LedgerlyAppDelegateStarterCandidates,
    ::testing::Values(CandidateCase{"BundleLedgerlyMdComesFirst", kBundled, kPlainMd, false, kSample, kBundled},
                      CandidateCase{"OnlyStarterMdInTheBundle", std::nullopt, kPlainMd, false, kSample, kPlainMd},
                      CandidateCase{"NeitherInTheBundleUsesSamples", std::nullopt, std::nullopt, false, kSample,
                                    kSample},
                      CandidateCase{"ReportedButMissingIsSkipped", std::nullopt, kPlainMd, true, kSample, kPlainMd}),
    [](const ::testing::TestParamInfo<CandidateCase>& info) { return info.param.name; });

TEST_F(LedgerlyAppDelegateStarterFile, SavedCopyBecomesTheSelectedWatchedFile) {
    addToBundle("ledgerly.md", kBundled);
    app.launch();
    const auto destination = saveFolder / "starter.ledgerly.md";
    app.panels.nextSaveAnswer = destination;
    app.log.clear();

    save();

    ASSERT_EQ(1u, app.panels.savePanelsShown.size());
    EXPECT_EQ(expectedSavePanel(), app.panels.savePanelsShown.front());
    EXPECT_EQ(destination.string(), app.storedPath());
    EXPECT_EQ("Bundled Starter", app.delegate->statusTitle());
    EXPECT_EQ((LedgerlyMenuState{LedgerlyMenuState::Document{MarkdownParser().parse(kBundled)}}),
              app.delegate->menuState());
    EXPECT_EQ((std::vector<std::string>{"application.bringToFront", "panels.runSavePanel",
                                        "statusItem.setTitle Bundled Starter", "statusItem.setMenu"}),
              app.log.calls());
    EXPECT_EQ(FileWatcher::State::watchingFile, app.delegate->fileWatcher().state());
    EXPECT_EQ((std::vector<std::string>{"starter.ledgerly.md"}), folderEntries(saveFolder))
        << "no temporary file may be left behind";
}

TEST_F(LedgerlyAppDelegateStarterFile, MissingTemplateAlertsWithoutAPanel) {
    app.launch();
    app.log.clear();

    save();

    EXPECT_TRUE(app.panels.savePanelsShown.empty());
    EXPECT_EQ((std::vector<FakeAlertPresenter::Alert>{
                  {"Could not load starter file.", "Ledgerly could not find its bundled starter Markdown file."}}),
              app.alerts.alerts);
    EXPECT_EQ(0, app.application.activations) << "the alert is not preceded by an activation";
    EXPECT_EQ((std::vector<std::string>{"starter.ledgerly.md", "starter.md"}), app.bundle.lookups);
}

TEST_F(LedgerlyAppDelegateStarterFile, TemplateThatIsNotUTF8AlertsAndTriesNoLaterCandidate) {
    addToBundle("ledgerly.md", "# Caf\xE9\n");
    addSample(kSample);
    app.launch();
    app.panels.nextSaveAnswer = saveFolder / "starter.ledgerly.md";

    save();

    ASSERT_EQ(1u, app.alerts.alerts.size());
    EXPECT_EQ("Could not load starter file.", app.alerts.alerts[0].messageText);
    EXPECT_NE(std::string::npos, app.alerts.alerts[0].informativeText.find("starter.ledgerly.md"));
    EXPECT_NE(std::string::npos, app.alerts.alerts[0].informativeText.find("UTF-8"));
    EXPECT_TRUE(app.panels.savePanelsShown.empty());
}

TEST_F(LedgerlyAppDelegateStarterFile, CancelWritesAndChangesNothing) {
    addToBundle("ledgerly.md", kBundled);
    const auto selected = app.select("Links.md", kLinks);
    app.launch();
    app.panels.nextSaveAnswer.reset();

    save();

    EXPECT_TRUE(app.alerts.alerts.empty());
    EXPECT_EQ(selected.string(), app.storedPath());
    EXPECT_EQ("Team Links", app.delegate->statusTitle());
    EXPECT_TRUE(folderEntries(saveFolder).empty());
}

TEST_F(LedgerlyAppDelegateStarterFile, FailedWriteAlertsAndLeavesPathTitleMenuAndWatcher) {
    addToBundle("ledgerly.md", kBundled);
    const auto selected = app.select("Links.md", kLinks);
    app.launch();
    // A regular file where a folder should be: no write can succeed there, not even as root.
    const auto blocker = app.folder.writeFile("blocker", "not a folder");
    app.panels.nextSaveAnswer = blocker / "starter.ledgerly.md";
    const auto menusBefore = app.statusItem.menus;
    const auto titlesBefore = app.statusItem.titles;
    const int watchedDescriptor = app.delegate->fileWatcher().fileDescriptor();

    save();

    ASSERT_EQ(1u, app.alerts.alerts.size());
    EXPECT_EQ("Could not save starter file.", app.alerts.alerts[0].messageText);
    EXPECT_NE(std::string::npos, app.alerts.alerts[0].informativeText.find("Not a directory"));
    EXPECT_EQ(selected.string(), app.storedPath());
    EXPECT_EQ("Team Links", app.delegate->statusTitle());
    EXPECT_EQ(menusBefore, app.statusItem.menus);
    EXPECT_EQ(titlesBefore, app.statusItem.titles);
    EXPECT_EQ(watchedDescriptor, app.delegate->fileWatcher().fileDescriptor());
    EXPECT_EQ("not a folder", contentsOf(blocker));
}

TEST_F(LedgerlyAppDelegateStarterFile, SaveOverAnExistingFileReplacesItWhole) {
    addToBundle("ledgerly.md", kBundled);
    app.launch();
    const auto destination = saveFolder / "existing.md";
    // Longer than the template: a write in place would leave its tail behind.
    const std::string older(4 * kBundled.size(), 'x');
    std::ofstream(destination, std::ios::binary) << older;
    fs::permissions(destination, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    app.panels.nextSaveAnswer = destination;

    save();

    EXPECT_TRUE(app.alerts.alerts.empty());
    EXPECT_EQ(kBundled, contentsOf(destination));
    EXPECT_EQ(destination.string(), app.storedPath());
    EXPECT_EQ("Bundled Starter", app.delegate->statusTitle());
    EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
              fs::status(destination).permissions() & fs::perms::mask)
        << "a replaced file keeps its permissions";
    EXPECT_EQ((std::vector<std::string>{"existing.md"}), folderEntries(saveFolder));
}

TEST_F(LedgerlyAppDelegateStarterFile, SavingOntoAFolderFailsAndKeepsTheFolder) {
    addToBundle("ledgerly.md", kBundled);
    app.launch();
    const auto destination = saveFolder / "taken";
    fs::create_directory(destination);
    std::ofstream(destination / "inside.md") << "keep";
    app.panels.nextSaveAnswer = destination;

    save();

    ASSERT_EQ(1u, app.alerts.alerts.size());
    EXPECT_EQ("Could not save starter file.", app.alerts.alerts[0].messageText);
    EXPECT_EQ("keep", contentsOf(destination / "inside.md"));
    EXPECT_EQ((std::vector<std::string>{"taken"}), folderEntries(saveFolder)) << "temporary file left behind";
}

}  // namespace
}  // namespace ledgerly::testing
