#include "Support/FakeAlertPresenter.h"
#include "Support/FakeApplication.h"
#include "Support/FakeBundleResources.h"
#include "Support/FakeFilePanels.h"
#include "Support/FakePasteboard.h"
#include "Support/FakeStatusItem.h"
#include "Support/FakeWorkspace.h"

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

TEST(FakeStatusItemRecords, TitlesMenusAndClicksInOrder) {
    CallLog log;
    FakeStatusItem item(&log);
    item.setTitle("Ledgerly");
    item.setTitle("Links");
    Menu menu;
    menu.minimumWidth = 300;
    item.setMenu(std::make_shared<const Menu>(menu));
    item.performClick();
    EXPECT_EQ((std::vector<std::string>{"Ledgerly", "Links"}), item.titles);
    EXPECT_EQ(std::optional<std::string>("Links"), item.title());
    ASSERT_NE(nullptr, item.installedMenu());
    EXPECT_EQ(menu, *item.installedMenu());
    EXPECT_EQ(1, item.clicks);
    EXPECT_EQ((std::vector<std::string>{"statusItem.setTitle Ledgerly", "statusItem.setTitle Links",
                                        "statusItem.setMenu", "statusItem.performClick"}),
              log.calls());
}

TEST(FakeStatusItemRecords, NothingInstalledAtFirst) {
    FakeStatusItem item;
    EXPECT_EQ(std::nullopt, item.title());
    EXPECT_EQ(nullptr, item.installedMenu());
}

TEST(FakeStatusItemRecords, ClickRunsTheTestsHook) {
    FakeStatusItem item;
    bool opened = false;
    item.onPerformClick = [&] { opened = true; };
    item.performClick();
    EXPECT_TRUE(opened);
}

TEST(FakePasteboardCopy, ReplacesTextAndOtherContent) {
    FakePasteboard pasteboard;
    pasteboard.otherContent = "an image";
    pasteboard.setString("first");
    pasteboard.setString("second");
    EXPECT_EQ(std::optional<std::string>("second"), pasteboard.string);
    EXPECT_EQ(std::nullopt, pasteboard.otherContent);
    EXPECT_EQ((std::vector<std::string>{"first", "second"}), pasteboard.writes);
}

TEST(FakeWorkspaceRecords, OpenedURLsAndRevealedFiles) {
    FakeWorkspace workspace;
    workspace.openURL("https://example.com");
    workspace.activateFileViewerSelecting("/home/ann/links.md");
    EXPECT_EQ((std::vector<std::string>{"https://example.com"}), workspace.openedURLs);
    EXPECT_EQ((std::vector<std::filesystem::path>{"/home/ann/links.md"}), workspace.revealedFiles);
}

TEST(FakeFilePanelsAnswers, ScriptedPathsAndCancel) {
    FakeFilePanels panels;
    OpenPanelOptions open;
    open.prompt = "Choose";
    open.allowedContentTypes = {ContentType{ContentType::PlainText{}},
                                ContentType{ContentType::FilenameExtension{"md"}}};
    EXPECT_EQ(std::nullopt, panels.runOpenPanel(open));
    panels.nextOpenAnswer = "/home/ann/links.md";
    EXPECT_EQ(std::optional<std::filesystem::path>("/home/ann/links.md"), panels.runOpenPanel(open));
    ASSERT_EQ(2u, panels.openPanelsShown.size());
    EXPECT_EQ(open, panels.openPanelsShown[1]);
    EXPECT_TRUE(panels.savePanelsShown.empty());
}

TEST(FakeFilePanelsAnswers, SavePanelRecordsItsOptions) {
    FakeFilePanels panels;
    SavePanelOptions save;
    save.nameFieldStringValue = "starter.ledgerly.md";
    save.canCreateDirectories = true;
    panels.nextSaveAnswer = "/home/ann/starter.ledgerly.md";
    int duringRun = 0;
    panels.whileRunning = [&] { ++duringRun; };
    EXPECT_EQ(std::optional<std::filesystem::path>("/home/ann/starter.ledgerly.md"), panels.runSavePanel(save));
    ASSERT_EQ(1u, panels.savePanelsShown.size());
    EXPECT_EQ(save, panels.savePanelsShown[0]);
    EXPECT_EQ(1, duringRun);
}

TEST(FakeAlertPresenterRecords, MessageAndInformativeText) {
    FakeAlertPresenter alerts;
    alerts.runWarningAlert("Could not load starter file.", "details");
    EXPECT_EQ((std::vector<FakeAlertPresenter::Alert>{{"Could not load starter file.", "details"}}), alerts.alerts);
}

TEST(FakeApplicationRecords, CallsAndModifierFlags) {
    CallLog log;
    FakeApplication application(&log);
    EXPECT_EQ(std::nullopt, application.currentEventModifierFlags());
    application.modifierFlags = 0x80000;
    EXPECT_EQ(std::optional<std::uint64_t>(0x80000), application.currentEventModifierFlags());
    application.activateIgnoringOtherApps();
    application.orderFrontStandardAboutPanel();
    application.terminate();
    EXPECT_EQ(1, application.activations);
    EXPECT_EQ(1, application.aboutPanels);
    EXPECT_EQ(1, application.terminations);
    EXPECT_EQ((std::vector<std::string>{"application.activateIgnoringOtherApps",
                                        "application.orderFrontStandardAboutPanel", "application.terminate"}),
              log.calls());
}

TEST(FakeBundleResourcesLookup, FindsByNameAndExtension) {
    FakeBundleResources bundle;
    bundle.add("starter", "md", "/bundle/starter.md");
    EXPECT_EQ(std::nullopt, bundle.pathForResource("starter", "ledgerly.md"));
    EXPECT_EQ(std::optional<std::filesystem::path>("/bundle/starter.md"), bundle.pathForResource("starter", "md"));
    EXPECT_EQ((std::vector<std::string>{"starter.ledgerly.md", "starter.md"}), bundle.lookups);
}

}  // namespace
}  // namespace ledgerly::testing
