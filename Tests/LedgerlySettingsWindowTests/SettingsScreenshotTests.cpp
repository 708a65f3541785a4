#include "LedgerlyDesktop/SettingsWindow/SettingsCard.h"

#include "SettingsHarness.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QStyle>

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

QPalette darkPalette() {
    QPalette palette;
    const auto set = [&](QPalette::ColorRole role, QColor color) { palette.setColor(QPalette::All, role, color); };
    set(QPalette::Window, QColor(0x32, 0x32, 0x32));
    set(QPalette::WindowText, QColor(0xe6, 0xe6, 0xe6));
    set(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    set(QPalette::Text, QColor(0xe6, 0xe6, 0xe6));
    set(QPalette::PlaceholderText, QColor(0x8c, 0x8c, 0x8c));
    set(QPalette::Button, QColor(0x3c, 0x3c, 0x3c));
    set(QPalette::ButtonText, QColor(0xe6, 0xe6, 0xe6));
    set(QPalette::Light, QColor(0x5a, 0x5a, 0x5a));
    set(QPalette::Midlight, QColor(0x48, 0x48, 0x48));
    set(QPalette::Mid, QColor(0x5c, 0x5c, 0x5c));
    set(QPalette::Dark, QColor(0x1a, 0x1a, 0x1a));
    set(QPalette::Highlight, QColor(0x2f, 0x65, 0xca));
    set(QPalette::HighlightedText, Qt::white);
    return palette;
}

// The window with a shortcut error and a recorder message showing, in `palette`.
class SettingsScreenshotTest : public ::testing::TestWithParam<const char*> {
protected:
    QPalette palette() const {
        return std::string_view(GetParam()) == "dark" ? darkPalette() : QApplication::style()->standardPalette();
    }

    QImage shoot(SettingsHarness& harness, const QString& name) {
        QApplication::processEvents();
        const QImage image = harness.window().grab().toImage();
        const QString folder = qEnvironmentVariable("SETTINGS_SCREENSHOTS");
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            const QString file =
                QStringLiteral("/settings-window-%1-%2.png").arg(name, QString::fromLatin1(GetParam()));
            image.save(folder + file);
        }
        return image;
    }
};

TEST_P(SettingsScreenshotTest, CardsAreDrawnInThePalettesColours) {
    SettingsHarness harness;
    harness.window().setPalette(palette());
    harness.show();
    const QImage image = shoot(harness, QStringLiteral("plain"));
    ASSERT_EQ(QSize(500, 236), image.size());
    const QPalette colours = harness.window().palette();
    EXPECT_EQ(colours.color(QPalette::Window).rgb(), image.pixelColor(5, 5).rgb());
    const auto cards = harness.view().findChildren<SettingsCard*>();
    ASSERT_EQ(2, cards.size());
    for (const SettingsCard* card : cards) {
        const QPoint topLeft = card->mapTo(&harness.window(), QPoint(0, 0));
        // Inside the card, left of the row's text: the control background.
        EXPECT_EQ(colours.color(QPalette::Base).rgb(), image.pixelColor(topLeft + QPoint(6, 22)).rgb());
        // The top edge: the border, neither the card's nor the window's colour.
        const QRgb edge = image.pixelColor(topLeft + QPoint(100, 0)).rgb();
        EXPECT_NE(colours.color(QPalette::Base).rgb(), edge);
        EXPECT_NE(colours.color(QPalette::Window).rgb(), edge);
        // Just above the card: the window again.
        EXPECT_EQ(colours.color(QPalette::Window).rgb(), image.pixelColor(topLeft + QPoint(100, -1)).rgb());
    }
}

TEST_P(SettingsScreenshotTest, MessagesShowInTheSameBoxes) {
    SettingsHarness harness;
    harness.window().setPalette(palette());
    harness.loginItem->refuses = true;
    harness.registrar->nextError = GlobalHotKeyError::registrationFailed(-9878);
    harness.hotKeyController.applyStoredShortcut();
    harness.show();
    harness.viewModel.setLaunchAtLoginEnabled(true);
    harness.clickRecorderField();
    harness.press(Qt::Key_A);
    const QImage image = shoot(harness, QStringLiteral("messages"));
    EXPECT_EQ(300, image.height());
    const QPoint message = harness.view().launchAtLoginErrorView().mapTo(&harness.window(), QPoint(0, 0));
    EXPECT_EQ(harness.window().palette().color(QPalette::Base).rgb(), image.pixelColor(message + QPoint(6, 6)).rgb());
}

INSTANTIATE_TEST_SUITE_P(Palettes, SettingsScreenshotTest, ::testing::Values("light", "dark"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
}  // namespace ledgerly::testing
