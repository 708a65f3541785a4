#include "LedgerlyDesktop/SettingsWindow/SwitchControl.h"

#include "SettingsHarness.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

using Activation = GlobalHotKeyController::Activation;

class SettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override { harness.show(); }

    SettingsWindow& window() { return harness.window(); }

    SettingsHarness harness;
};

TEST_F(SettingsWindowTest, IsTitledGeneralAndClosableOnly) {
    EXPECT_EQ(QStringLiteral("General"), window().windowTitle());
    const Qt::WindowFlags flags = window().windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(SettingsWindowTest, HasItsContentSizeAndBounds) {
    EXPECT_EQ(QSize(500, 236), window().size());
    EXPECT_EQ(QSize(500, 236), window().minimumSize());
    EXPECT_EQ(QSize(500, 300), window().maximumSize());
}

TEST_F(SettingsWindowTest, CtrlWClosesByHidingTheSameWindow) {
    QPointer<SettingsWindow> shown = &window();
    harness.press(Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(window().isVisible());
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(0, window().unhandledKeyDownCountForTesting());
    harness.show();
    EXPECT_EQ(shown.data(), &window());
    EXPECT_TRUE(window().isVisible());
}

TEST_F(SettingsWindowTest, OpensWithNoControlFocused) { EXPECT_EQ(&window(), QApplication::focusWidget()); }

TEST_F(SettingsWindowTest, ReopensWithNoControlFocusedAfterRecording) {
    harness.clickRecorderField();
    harness.press(Qt::Key_K, Qt::ControlModifier);
    harness.press(Qt::Key_W, Qt::ControlModifier);
    ASSERT_FALSE(window().isVisible());
    harness.show();
    EXPECT_EQ(&window(), QApplication::focusWidget());
}

TEST_F(SettingsWindowTest, CtrlWClosesAlsoWithTheFocusOnAControl) {
    harness.view().launchAtLoginSwitch().setFocus();
    harness.press(Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(window().isVisible());
}

TEST_F(SettingsWindowTest, OtherModifiersWithWDoNotClose) {
    for (const Qt::KeyboardModifiers modifiers :
         {Qt::ControlModifier | Qt::ShiftModifier, Qt::ControlModifier | Qt::AltModifier,
          Qt::ControlModifier | Qt::MetaModifier, Qt::KeyboardModifiers(Qt::MetaModifier), Qt::KeyboardModifiers()}) {
        harness.press(Qt::Key_W, modifiers);
        EXPECT_TRUE(window().isVisible()) << modifiers.toInt();
    }
    EXPECT_EQ(5, window().unhandledKeyDownCountForTesting());
}

TEST_F(SettingsWindowTest, CtrlWWithCapsLockDoesNotClose) {
    constexpr quint32 x11ControlAndLock = 0x4 | 0x2;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_W, Qt::ControlModifier, 25, 0x77, x11ControlAndLock);
    QApplication::sendEvent(&window(), &press);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(1, window().unhandledKeyDownCountForTesting());
}

TEST_F(SettingsWindowTest, UnhandledKeyPressesAreCountedOnce) {
    harness.press(Qt::Key_A);
    EXPECT_EQ(1, window().unhandledKeyDownCountForTesting());
    harness.press(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(2, window().unhandledKeyDownCountForTesting());
    EXPECT_TRUE(window().isVisible());
}

TEST_F(SettingsWindowTest, ModifierKeysAloneAreNotKeyPresses) {
    harness.press(Qt::Key_Shift);
    harness.press(Qt::Key_Control);
    EXPECT_EQ(0, window().unhandledKeyDownCountForTesting());
}

TEST_F(SettingsWindowTest, SwitchHasNoVisibleLabelButAnAccessibleName) {
    SwitchControl& toggle = harness.view().launchAtLoginSwitch();
    EXPECT_EQ(QStringLiteral("Launch at login"), toggle.accessibleName());
    EXPECT_TRUE(toggle.text().isEmpty());
    EXPECT_EQ(QSize(32, 18), toggle.size());
}

TEST_F(SettingsWindowTest, FlippingTheSwitchTurnsLaunchAtLoginOn) {
    SwitchControl& toggle = harness.view().launchAtLoginSwitch();
    ASSERT_FALSE(toggle.isChecked());
    SettingsHarness::click(toggle, QPoint(16, 9));
    EXPECT_TRUE(harness.loginItem->enabled);
    EXPECT_TRUE(harness.store.launchAtLoginRequested());
    EXPECT_TRUE(toggle.isChecked());
    SettingsHarness::click(toggle, QPoint(16, 9));
    EXPECT_FALSE(harness.loginItem->enabled);
    EXPECT_FALSE(toggle.isChecked());
}

TEST_F(SettingsWindowTest, RefusedSwitchSnapsBackAndShowsTheMessage) {
    harness.loginItem->refuses = true;
    SwitchControl& toggle = harness.view().launchAtLoginSwitch();
    SettingsHarness::click(toggle, QPoint(16, 9));
    EXPECT_EQ(1, harness.loginItem->setCalls);
    EXPECT_FALSE(toggle.isChecked());
    EXPECT_TRUE(harness.view().launchAtLoginErrorView().isVisible());
    EXPECT_EQ(QStringLiteral("Could not update launch at login."), harness.view().launchAtLoginErrorView().message());
}

TEST_F(SettingsWindowTest, RecordedShortcutGoesToTheStoreAndTheField) {
    harness.clickRecorderField();
    harness.press(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    const KeyboardShortcut expected(40, ModifierFlags::control | ModifierFlags::shift);
    EXPECT_EQ(expected, harness.store.globalShortcut());
    EXPECT_EQ(expected, harness.recorder().shortcut());
    EXPECT_EQ(QStringLiteral("Ctrl+Shift+K"), harness.recorder().title());
    EXPECT_EQ(QStringLiteral("Ctrl+Shift+K"), harness.recorder().toolTip());
}

TEST_F(SettingsWindowTest, ReopeningShowsChangesMadeElsewhere) {
    harness.press(Qt::Key_W, Qt::ControlModifier);
    ASSERT_FALSE(window().isVisible());
    harness.loginItem->enabled = true;
    const KeyboardShortcut elsewhere(3, ModifierFlags::option | ModifierFlags::command);
    harness.hotKeyController.update(elsewhere, Activation::enabled);
    harness.show();
    EXPECT_TRUE(harness.view().launchAtLoginSwitch().isChecked());
    EXPECT_EQ(elsewhere, harness.recorder().shortcut());
    EXPECT_EQ(QStringLiteral("Alt+Super+F"), harness.recorder().title());
}

TEST_F(SettingsWindowTest, RecorderMessageSurvivesClosingAndReopening) {
    harness.clickRecorderField();
    harness.press(Qt::Key_A);
    harness.press(Qt::Key_Escape);
    harness.press(Qt::Key_W, Qt::ControlModifier);
    harness.show();
    EXPECT_EQ(std::optional<std::string>("Use Ctrl, Alt, or Super."), harness.view().recorderMessage());
    EXPECT_TRUE(harness.view().recorderMessageView().isVisible());
}

}  // namespace
}  // namespace ledgerly::testing
