#include "LedgerlyDesktop/SettingsWindow/SettingsCard.h"
#include "LedgerlyDesktop/SettingsWindow/SettingsErrorView.h"
#include "LedgerlyDesktop/SettingsWindow/SettingsRow.h"
#include "LedgerlyDesktop/SettingsWindow/SettingsSectionLabel.h"
#include "LedgerlyDesktop/SettingsWindow/SwitchControl.h"

#include "SettingsHarness.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLayout>

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

class SettingsViewLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { harness.show(); }

    // Where `widget` lies in the window, once the layout has settled.
    QRect inWindow(const QWidget& widget) {
        QApplication::processEvents();
        return {widget.mapTo(&harness.window(), QPoint(0, 0)), widget.size()};
    }
    QList<SettingsSectionLabel*> labels() { return harness.view().findChildren<SettingsSectionLabel*>(); }
    QList<SettingsCard*> cards() { return harness.view().findChildren<SettingsCard*>(); }
    QRect message(SettingsErrorView& view) {
        EXPECT_TRUE(view.isVisible());
        return inWindow(view);
    }
    void recordInvalidKey() {
        harness.clickRecorderField();
        harness.press(Qt::Key_A);
        harness.press(Qt::Key_Escape);
    }

    SettingsHarness harness;
};

TEST_F(SettingsViewLayoutTest, WithoutMessagesTheGroupsFollowTheTable) {
    ASSERT_EQ(2, labels().size());
    ASSERT_EQ(2, cards().size());
    EXPECT_EQ(QStringLiteral("Startup"), labels()[0]->text());
    EXPECT_EQ(QStringLiteral("Keyboard"), labels()[1]->text());
    const QRect startup = inWindow(*labels()[0]);
    const QRect startupCard = inWindow(*cards()[0]);
    const QRect keyboard = inWindow(*labels()[1]);
    const QRect keyboardCard = inWindow(*cards()[1]);
    EXPECT_EQ(QPoint(24, 22), startup.topLeft());
    EXPECT_EQ(QRect(24, startup.bottom() + 1 + 8, 452, 44), startupCard);
    EXPECT_EQ(startupCard.bottom() + 1 + 36, keyboard.top());
    EXPECT_EQ(QRect(24, keyboard.bottom() + 1 + 8, 452, 44), keyboardCard);
    EXPECT_LE(keyboardCard.bottom() + 1 + 22, harness.window().height());
    EXPECT_FALSE(harness.view().launchAtLoginErrorView().isVisible());
    EXPECT_FALSE(harness.view().recorderMessageView().isVisible());
    EXPECT_FALSE(harness.view().shortcutErrorView().isVisible());
}

TEST_F(SettingsViewLayoutTest, SectionLabelsAreHeadlinesInsetFourteen) {
    for (SettingsSectionLabel* label : labels()) {
        EXPECT_EQ(14, label->contentsRect().left());
        EXPECT_TRUE(label->font().bold());
    }
}

TEST_F(SettingsViewLayoutTest, RowsHoldTheTextAndTheControlAtTheEnds) {
    const QRect startupCard = inWindow(*cards()[0]);
    const QRect keyboardCard = inWindow(*cards()[1]);
    const QRect toggle = inWindow(harness.view().launchAtLoginSwitch());
    const QRect recorder = inWindow(harness.recorder());
    EXPECT_EQ(startupCard.right() - 14, toggle.right());
    EXPECT_EQ(startupCard.top() + (44 - 18) / 2, toggle.top());
    EXPECT_EQ(QRect(keyboardCard.right() - 14 - (recorder.width() - 1), keyboardCard.top() + 8, recorder.width(), 28),
              recorder);
    const auto rowTexts = harness.view().findChildren<QLabel*>();
    QStringList texts;
    for (const QLabel* label : rowTexts) {
        if (qobject_cast<const SettingsSectionLabel*>(label) == nullptr && !label->text().isEmpty()) {
            texts << label->text();
            EXPECT_EQ(38, inWindow(*label).left()) << label->text().toStdString();
        }
    }
    EXPECT_EQ(QStringList({QStringLiteral("Launch at login"), QStringLiteral("Open Ledgerly menu")}), texts);
    for (const SettingsRow* row : harness.view().findChildren<SettingsRow*>()) {
        EXPECT_EQ(44, row->height());
    }
}

TEST_F(SettingsViewLayoutTest, LaunchAtLoginMessageSitsBetweenTheFirstCardAndTheGap) {
    harness.loginItem->refuses = true;
    harness.viewModel.setLaunchAtLoginEnabled(true);
    const QRect startupCard = inWindow(*cards()[0]);
    const QRect error = message(harness.view().launchAtLoginErrorView());
    EXPECT_EQ(QRect(24, startupCard.bottom() + 1 + 8, 452, error.height()), error);
    EXPECT_EQ(error.bottom() + 1 + 36, inWindow(*labels()[1]).top());
    EXPECT_EQ(std::min(300, inWindow(*cards()[1]).bottom() + 1 + 22), harness.window().height());
}

TEST_F(SettingsViewLayoutTest, RecorderMessageComesBeforeTheShortcutError) {
    harness.registrar->nextError = GlobalHotKeyError::registrationFailed(-9878);
    harness.hotKeyController.applyStoredShortcut();
    recordInvalidKey();
    harness.viewModel.refresh();
    const QRect keyboardCard = inWindow(*cards()[1]);
    const QRect recorderMessage = message(harness.view().recorderMessageView());
    const QRect shortcutError = message(harness.view().shortcutErrorView());
    EXPECT_EQ(keyboardCard.bottom() + 1 + 8, recorderMessage.top());
    EXPECT_EQ(recorderMessage.bottom() + 1 + 8, shortcutError.top());
    EXPECT_EQ(QStringLiteral("Use Ctrl, Alt, or Super."), harness.view().recorderMessageView().message());
    EXPECT_EQ(QStringLiteral("Shortcut unavailable."), harness.view().shortcutErrorView().message());
}

TEST_F(SettingsViewLayoutTest, RecordingARefusedShortcutReplacesTheRecorderMessageWithTheError) {
    recordInvalidKey();
    ASSERT_TRUE(harness.view().recorderMessageView().isVisible());
    harness.registrar->nextError = GlobalHotKeyError::registrationFailed(-9878);
    harness.clickRecorderField();
    harness.press(Qt::Key_K, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_FALSE(harness.view().recorderMessage().has_value());
    EXPECT_FALSE(harness.view().recorderMessageView().isVisible());
    EXPECT_TRUE(harness.view().shortcutErrorView().isVisible());
    EXPECT_EQ(QStringLiteral("Shortcut unavailable."), harness.view().shortcutErrorView().message());
    EXPECT_EQ(KeyboardShortcut::defaultOpenMenu, harness.recorder().shortcut());
}

TEST_F(SettingsViewLayoutTest, ClearingRemovesTheRecorderMessage) {
    recordInvalidKey();
    harness.clickClearButton();
    QApplication::processEvents();
    EXPECT_FALSE(harness.view().recorderMessageView().isVisible());
    EXPECT_FALSE(harness.store.isGlobalShortcutEnabled());
}

TEST_F(SettingsViewLayoutTest, MessagesCarryTheSymbolAndThePadding) {
    recordInvalidKey();
    SettingsErrorView& view = harness.view().recorderMessageView();
    const QMargins margins = view.layout()->contentsMargins();
    EXPECT_EQ(QMargins(14, 10, 14, 10), margins);
    const auto parts = view.findChildren<QLabel*>();
    ASSERT_EQ(2, parts.size());
    EXPECT_FALSE(parts[0]->pixmap().isNull());
    EXPECT_LT(inWindow(*parts[0]).left(), inWindow(*parts[1]).left());
}

}  // namespace
}  // namespace ledgerly::testing
