#include "LedgerlyDesktop/SettingsWindow/SwitchControl.h"

#include "SettingsHarness.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace ledgerly::testing {
namespace {

// The recorder in the real settings window, its callbacks replaced by recorders of their own.
class ShortcutRecorderTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness.show();
        recorder().setOnShortcut([this](const KeyboardShortcut& shortcut) { recorded.push_back(shortcut); });
        recorder().setOnDisable([this] { ++disables; });
        recorder().setOnInvalidShortcut([this](const std::string& message) { invalid.push_back(message); });
    }

    ShortcutRecorderControl& recorder() { return harness.recorder(); }
    int unhandled() { return harness.window().unhandledKeyDownCountForTesting(); }

    SettingsHarness harness;
    std::vector<KeyboardShortcut> recorded;
    int disables = 0;
    std::vector<std::string> invalid;
};

TEST_F(ShortcutRecorderTest, CtrlShiftKIsRecordedOnceAndNeverReachesTheWindow) {
    harness.clickRecorderField();
    ASSERT_TRUE(recorder().isListeningForShortcut());
    harness.press(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(1u, recorded.size());
    EXPECT_EQ(KeyboardShortcut(40, ModifierFlags::control | ModifierFlags::shift), recorded[0]);
    EXPECT_EQ(0, unhandled());
    EXPECT_FALSE(recorder().isListeningForShortcut());
    EXPECT_FALSE(recorder().hasFocus());
    EXPECT_TRUE(invalid.empty());
}

TEST_F(ShortcutRecorderTest, SuperCombinationsAreRecordedWithCommand) {
    harness.clickRecorderField();
    harness.press(Qt::Key_P, Qt::MetaModifier | Qt::AltModifier);
    harness.clickRecorderField();
    harness.press(Qt::Key_Space, Qt::MetaModifier | Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(2u, recorded.size());
    EXPECT_EQ(KeyboardShortcut(35, ModifierFlags::command | ModifierFlags::option), recorded[0]);
    EXPECT_EQ(KeyboardShortcut(49, ModifierFlags::command | ModifierFlags::control | ModifierFlags::shift),
              recorded[1]);
    EXPECT_EQ(0, unhandled());
}

TEST_F(ShortcutRecorderTest, CtrlWRecordedDoesNotCloseTheWindow) {
    harness.clickRecorderField();
    harness.press(Qt::Key_W, Qt::ControlModifier);
    ASSERT_EQ(1u, recorded.size());
    EXPECT_EQ(KeyboardShortcut(13, ModifierFlags::control), recorded[0]);
    EXPECT_TRUE(harness.window().isVisible());
}

TEST_F(ShortcutRecorderTest, KeysSentToTheWindowItselfWhileRecordingAreRecordedThere) {
    harness.clickRecorderField();
    QTest::keyClick(&harness.window(), Qt::Key_W, Qt::ControlModifier);
    ASSERT_EQ(1u, recorded.size());
    EXPECT_EQ(KeyboardShortcut(13, ModifierFlags::control), recorded[0]);
    EXPECT_TRUE(harness.window().isVisible());
    EXPECT_EQ(0, unhandled());
}

TEST_F(ShortcutRecorderTest, ALoneReportsTheMessageAndRecordingGoesOn) {
    harness.clickRecorderField();
    harness.press(Qt::Key_A);
    EXPECT_EQ(std::vector<std::string>{"Use Ctrl, Alt, or Super."}, invalid);
    EXPECT_TRUE(recorder().isListeningForShortcut());
    EXPECT_TRUE(recorded.empty());
    harness.press(Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(1u, recorded.size());
    EXPECT_EQ(KeyboardShortcut(0, ModifierFlags::control), recorded[0]);
    EXPECT_EQ(1u, invalid.size());
    EXPECT_EQ(0, unhandled());
}

TEST_F(ShortcutRecorderTest, ShiftWithAKeyIsNotEnough) {
    harness.clickRecorderField();
    harness.press(Qt::Key_A, Qt::ShiftModifier);
    EXPECT_EQ(1u, invalid.size());
    EXPECT_TRUE(recorded.empty());
    EXPECT_TRUE(recorder().isListeningForShortcut());
}

TEST_F(ShortcutRecorderTest, ShiftAloneCallsNothingAndIsSwallowed) {
    harness.clickRecorderField();
    harness.press(Qt::Key_Shift);
    harness.press(Qt::Key_Control);
    EXPECT_TRUE(invalid.empty());
    EXPECT_TRUE(recorded.empty());
    EXPECT_EQ(0, disables);
    EXPECT_TRUE(recorder().isListeningForShortcut());
    EXPECT_EQ(0, unhandled());
}

TEST_F(ShortcutRecorderTest, EscapeAndCtrlEscapeEndRecordingWithoutACallback) {
    for (const Qt::KeyboardModifiers modifiers :
         {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ControlModifier)}) {
        harness.clickRecorderField();
        ASSERT_TRUE(recorder().hasFocus());
        harness.press(Qt::Key_Escape, modifiers);
        EXPECT_FALSE(recorder().isListeningForShortcut());
        EXPECT_FALSE(recorder().hasFocus());
    }
    EXPECT_TRUE(recorded.empty());
    EXPECT_TRUE(invalid.empty());
    EXPECT_EQ(0, disables);
    EXPECT_EQ(0, unhandled());
    EXPECT_EQ(KeyboardShortcut::defaultOpenMenu, recorder().shortcut());
}

TEST_F(ShortcutRecorderTest, AfterRecordingKeysReachTheWindowAgain) {
    harness.clickRecorderField();
    harness.press(Qt::Key_Escape);
    harness.press(Qt::Key_K, Qt::ControlModifier);
    EXPECT_TRUE(recorded.empty());
    EXPECT_EQ(1, unhandled());
}

TEST_F(ShortcutRecorderTest, ClosingTheWindowEndsRecording) {
    harness.clickRecorderField();
    harness.window().close();
    EXPECT_FALSE(recorder().isListeningForShortcut());
    harness.show();
    harness.press(Qt::Key_K, Qt::ControlModifier);
    EXPECT_TRUE(recorded.empty());
    EXPECT_EQ(1, unhandled());
}

TEST_F(ShortcutRecorderTest, ClickOnTheFieldRecordsWithTheShortcutShown) {
    harness.clickRecorderField();
    EXPECT_TRUE(recorder().isListeningForShortcut());
    EXPECT_FALSE(recorder().showsRecordingPrompt());
    EXPECT_EQ(QStringLiteral("Ctrl+Alt+Super+S"), recorder().title());
    EXPECT_TRUE(recorder().showsClearButton());
    EXPECT_TRUE(recorder().hasFocus());
    EXPECT_EQ(0, disables);
}

TEST_F(ShortcutRecorderTest, ClearButtonDisablesAndPromptsForKeys) {
    recorder().setOnDisable([this] {
        ++disables;
        harness.viewModel.disableShortcut();
    });
    harness.clickClearButton();
    EXPECT_EQ(1, disables);
    EXPECT_FALSE(harness.store.isGlobalShortcutEnabled());
    EXPECT_TRUE(recorder().isListeningForShortcut());
    EXPECT_TRUE(recorder().showsRecordingPrompt());
    EXPECT_EQ(QStringLiteral("Press keys"), recorder().title());
    EXPECT_EQ(recorder().palette().color(QPalette::PlaceholderText), recorder().titleColor());
    EXPECT_FALSE(recorder().showsClearButton());
}

TEST_F(ShortcutRecorderTest, ClickWhileThePromptShowsNeverClearsWithTheShortcutOff) {
    recorder().setShortcutEnabled(false);
    harness.clickClearButton();
    EXPECT_EQ(0, disables);
    EXPECT_TRUE(recorder().showsRecordingPrompt());
    harness.clickClearButton();
    EXPECT_EQ(0, disables);
    EXPECT_TRUE(recorder().showsRecordingPrompt());
    EXPECT_TRUE(recorder().isListeningForShortcut());
}

TEST_F(ShortcutRecorderTest, ClickWhileThePromptShowsWithTheShortcutOnTakesThePromptDown) {
    // The owner here keeps the shortcut on, so the prompt shows over an enabled shortcut.
    harness.clickClearButton();
    ASSERT_EQ(1, disables);
    ASSERT_TRUE(recorder().showsRecordingPrompt());
    harness.clickClearButton();
    EXPECT_EQ(1, disables);
    EXPECT_FALSE(recorder().showsRecordingPrompt());
    EXPECT_TRUE(recorder().isListeningForShortcut());
    EXPECT_EQ(QStringLiteral("Ctrl+Alt+Super+S"), recorder().title());
}

TEST_F(ShortcutRecorderTest, SwitchedOffFieldReadsRecordShortcutWithoutClearButton) {
    recorder().setShortcutEnabled(false);
    EXPECT_EQ(QStringLiteral("Record shortcut"), recorder().title());
    EXPECT_EQ(recorder().palette().color(QPalette::PlaceholderText), recorder().titleColor());
    EXPECT_FALSE(recorder().showsClearButton());
    harness.clickRecorderField();
    EXPECT_TRUE(recorder().showsRecordingPrompt());
    EXPECT_EQ(QStringLiteral("Press keys"), recorder().title());
}

TEST_F(ShortcutRecorderTest, ShownShortcutIsInTheLabelColour) {
    EXPECT_EQ(recorder().palette().color(QPalette::WindowText), recorder().titleColor());
}

TEST_F(ShortcutRecorderTest, ClickElsewhereInTheWindowEndsRecording) {
    harness.clickRecorderField();
    SettingsHarness::click(harness.window(), QPoint(5, 5));
    EXPECT_FALSE(recorder().isListeningForShortcut());
    EXPECT_FALSE(recorder().hasFocus());
    EXPECT_TRUE(recorded.empty());
    EXPECT_EQ(0, disables);
}

TEST_F(ShortcutRecorderTest, ClickOnAnotherControlOfTheWindowEndsRecording) {
    harness.clickRecorderField();
    SettingsHarness::click(harness.view().launchAtLoginSwitch(), QPoint(4, 4));
    EXPECT_FALSE(recorder().isListeningForShortcut());
}

TEST_F(ShortcutRecorderTest, ClickInAnotherWindowLeavesRecordingRunning) {
    harness.clickRecorderField();
    QWidget other;
    other.resize(100, 100);
    other.show();
    SettingsHarness::click(other, QPoint(10, 10));
    EXPECT_TRUE(recorder().isListeningForShortcut());
    QTest::keyClick(&other, Qt::Key_K, Qt::ControlModifier);
    EXPECT_TRUE(recorded.empty());
}

TEST_F(ShortcutRecorderTest, GeometryFollowsTheDrawingRules) {
    const int width = recorder().width();
    EXPECT_EQ(recorder().sizeHint(), recorder().size());
    EXPECT_EQ(28, recorder().height());
    EXPECT_EQ(QRectF(width - 21, 7, 14, 14), recorder().clearButtonRect());
    EXPECT_EQ(QRectF(1, 1, width - 2, 26), recorder().fieldRect());
    EXPECT_EQ(QRectF(10, 1, width - 41, 26), recorder().titleRect());
}

TEST_F(ShortcutRecorderTest, FieldGrowsToShowItsShortcutWhole) {
    EXPECT_EQ(QStringLiteral("Ctrl+Alt+Super+S"), recorder().displayedTitle());
    const int defaultWidth = recorder().width();
    recorder().setShortcut(KeyboardShortcut(124, KeyboardShortcut::hyperModifiers));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_EQ(QStringLiteral("Ctrl+Alt+Shift+Super+Right"), recorder().displayedTitle());
    EXPECT_GT(recorder().width(), defaultWidth);
}

TEST_F(ShortcutRecorderTest, TitleWiderThanTheWidestFieldIsCutAtTheTailTenPixelsBeforeTheClearButton) {
    QFont large = recorder().font();
    large.setPointSize(large.pointSize() * 3);
    recorder().setFont(large);
    recorder().setShortcut(KeyboardShortcut(124, KeyboardShortcut::hyperModifiers));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_EQ(ShortcutRecorderControl::maximumFieldWidth, recorder().width());
    const QString shown = recorder().displayedTitle();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Ctrl+")));
    EXPECT_LE(recorder().fontMetrics().horizontalAdvance(shown), recorder().titleRect().width());
    EXPECT_EQ(recorder().clearButtonRect().left() - 10, recorder().titleRect().right());
}

TEST_F(ShortcutRecorderTest, ToolTipGivesTheLinuxKeyNames) {
    EXPECT_EQ(QStringLiteral("Ctrl+Alt+Super+S"), recorder().toolTip());
}

}  // namespace
}  // namespace ledgerly::testing
