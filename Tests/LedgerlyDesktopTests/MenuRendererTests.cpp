#include "LedgerlyCore/Menu/MenuLevelCut.h"
#include "LedgerlyDesktop/Menus/MenuRenderer.h"
#include "LedgerlyDesktop/Menus/RenderedMenu.h"
#include "LedgerlyDesktop/Menus/SymbolIconSet.h"

#include "QtPrinters.h"
#include "RecordingActionHandler.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

namespace ledgerly::testing {
namespace {

constexpr std::uint64_t kOption = MenuEntry::optionModifierMask;

MenuEntry actionEntry(std::string title, MenuAction action, std::optional<std::string> represented = std::nullopt) {
    MenuEntry entry = MenuEntry::item(std::move(title));
    entry.action = action;
    entry.hasTarget = true;
    entry.representedObject = std::move(represented);
    return entry;
}

MenuEntry alternateEntry(std::string title, std::string represented) {
    MenuEntry entry = actionEntry(std::move(title), MenuAction::copyTextFromMenuItem, std::move(represented));
    entry.isAlternate = true;
    entry.keyEquivalentModifierMask = kOption;
    return entry;
}

// Two links with their copy alternates, a section, a disabled line, and a submenu holding another link pair.
Menu sampleMenu() {
    Menu submenu;
    submenu.entries = {actionEntry("Deep link", MenuAction::openURLFromMenuItem, "https://deep.example"),
                       alternateEntry("https://deep.example", "https://deep.example")};
    MenuEntry folder = MenuEntry::item("Folder");
    folder.submenu = std::make_shared<const Menu>(submenu);

    Menu menu;
    menu.entries = {actionEntry("Docs & Notes", MenuAction::openURLFromMenuItem, "https://docs.example"),
                    alternateEntry("https://docs.example", "https://docs.example"),
                    MenuEntry::separator(),
                    MenuEntry::sectionHeader("Work"),
                    actionEntry("Mail", MenuAction::openURLFromMenuItem, "mailto:a@example.com"),
                    alternateEntry("a@example.com", "a@example.com"),
                    folder};
    MenuEntry disabled = MenuEntry::item("No file selected");
    disabled.enabled = false;
    menu.entries.push_back(disabled);
    return menu;
}

class MenuRendererTest : public ::testing::Test {
protected:
    std::shared_ptr<RecordingActionHandler> handler = std::make_shared<RecordingActionHandler>();
    std::vector<std::string> errors;
    std::uint64_t heldModifiers = 0;
    MenuRenderer renderer{handler, std::make_shared<SymbolIconSet>(),
                          [this](const std::exception& error) { errors.push_back(error.what()); },
                          [this] { return heldModifiers; }};

    static std::vector<QString> visibleTitles(const QMenu& menu) {
        std::vector<QString> titles;
        for (const QAction* action : menu.actions()) {
            if (action->isVisible() && !action->text().isEmpty()) {
                titles.push_back(action->text());
            }
        }
        return titles;
    }

    // The submenu of entry `index`, made as when `menu` and then it are about to show.
    static QMenu* drawnSubmenu(QMenu& menu, int index) {
        emit menu.aboutToShow();
        QMenu* submenu = menu.actions()[index]->menu();
        emit submenu->aboutToShow();
        return submenu;
    }

    static void processEventsUntil(const std::function<bool()>& done) {
        QDeadlineTimer deadline(5000);
        while (!done() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }
};

TEST_F(MenuRendererTest, EveryEntryBecomesOneActionInOrder) {
    const auto menu = renderer.render(sampleMenu());
    const auto actions = menu->actions();
    ASSERT_EQ(8, actions.size());
    EXPECT_EQ(QString("Docs && Notes"), actions[0]->text());
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_TRUE(actions[2]->text().isEmpty());
    EXPECT_TRUE(actions[3]->isSeparator());
    EXPECT_EQ(QString("Work"), actions[3]->text());
    EXPECT_FALSE(actions[7]->isEnabled());
    EXPECT_TRUE(actions[0]->isEnabled());
}

TEST_F(MenuRendererTest, MenusKeepTheirMinimumWidth) {
    const auto menu = renderer.render(sampleMenu());
    EXPECT_EQ(250, menu->minimumWidth());
    EXPECT_EQ(250, drawnSubmenu(*menu, 6)->minimumWidth());
}

TEST_F(MenuRendererTest, SubmenusAreMadeWhileIdleOrWhenTheirMenuIsAboutToShow) {
    const auto idle = renderer.render(sampleMenu());
    EXPECT_EQ(nullptr, idle->actions()[6]->menu());
    processEventsUntil([&] { return idle->actions()[6]->menu() != nullptr; });
    EXPECT_NE(nullptr, idle->actions()[6]->menu());

    const auto menu = renderer.render(sampleMenu());
    emit menu->aboutToShow();
    QMenu* submenu = menu->actions()[6]->menu();
    ASSERT_NE(nullptr, submenu);
    EXPECT_TRUE(submenu->actions().isEmpty());
    emit submenu->aboutToShow();
    emit submenu->aboutToShow();
    ASSERT_EQ(2, submenu->actions().size());
    EXPECT_EQ(QString("Deep link"), submenu->actions()[0]->text());
}

TEST_F(MenuRendererTest, ALevelTooLongToDrawShowsItsFirstPartANoteAndLedgerly) {
    Menu source;
    source.entries.assign(MenuLevelCut::maximumDrawnEntries + 3, MenuEntry::item("Link"));
    source.entries.push_back(MenuEntry::separator());
    source.entries.push_back(MenuEntry::item("Ledgerly"));
    const auto menu = renderer.render(source);
    const auto actions = menu->actions();
    ASSERT_EQ(static_cast<qsizetype>(MenuLevelCut::maximumDrawnEntries + 1), actions.size());
    const QAction* note = actions[actions.size() - 3];
    EXPECT_EQ(QString("5 more entries not shown: ledgerly-check --menu lists them all"), note->text());
    EXPECT_FALSE(note->isEnabled());
    EXPECT_TRUE(actions[actions.size() - 2]->isSeparator());
    EXPECT_EQ(QString("Ledgerly"), actions.back()->text());
}

TEST_F(MenuRendererTest, ALevelTallerThanTheScreenScrollsInOneColumn) {
    Menu source;
    source.entries.assign(300, MenuEntry::item("Link"));
    const auto menu = renderer.render(source);
    menu->popup(QPoint(0, 0));
    const QRect screen = menu->screen()->availableGeometry();
    EXPECT_LE(menu->height(), screen.height());
    EXPECT_LT(menu->width(), 2 * 250);
    // Up with nothing chosen reaches the last entry and scrolls to it, however far below it is.
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QCoreApplication::sendEvent(menu.get(), &up);
    EXPECT_EQ(menu->actions().back(), menu->activeAction());
    EXPECT_TRUE(menu->rect().contains(menu->actionGeometry(menu->actions().back())));
    menu->hide();
}

TEST_F(MenuRendererTest, AlternatesAreHiddenUntilOptionIsHeld) {
    const auto menu = renderer.render(sampleMenu());
    EXPECT_EQ((std::vector<QString>{"Docs && Notes", "Work", "Mail", "Folder", "No file selected"}),
              visibleTitles(*menu));
    menu->applyModifierFlags(kOption);
    EXPECT_EQ((std::vector<QString>{"https://docs.example", "Work", "a@example.com", "Folder", "No file selected"}),
              visibleTitles(*menu));
    EXPECT_EQ((std::vector<QString>{"https://deep.example"}), visibleTitles(*drawnSubmenu(*menu, 6)));
}

TEST_F(MenuRendererTest, OptionWithAnotherModifierShowsThePrimaries) {
    const auto menu = renderer.render(sampleMenu());
    menu->applyModifierFlags(kOption | 0x20000);
    EXPECT_EQ(QString("Docs && Notes"), visibleTitles(*menu).front());
}

TEST_F(MenuRendererTest, AltPressAndReleaseInAnyMenuOfTheTreeToggleEveryMenu) {
    const auto menu = renderer.render(sampleMenu());
    QMenu* submenu = drawnSubmenu(*menu, 6);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(submenu, &press);
    EXPECT_EQ(QString("https://docs.example"), visibleTitles(*menu).front());
    EXPECT_EQ(QString("https://deep.example"), visibleTitles(*submenu).front());
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(menu.get(), &release);
    EXPECT_EQ(QString("Docs && Notes"), visibleTitles(*menu).front());
    EXPECT_EQ(QString("Deep link"), visibleTitles(*submenu).front());
}

TEST_F(MenuRendererTest, KeysHeldWhenTheMenuOpensDecideWhatItShows) {
    const auto menu = renderer.render(sampleMenu());
    heldModifiers = kOption;
    menu->popup(QPoint(10, 10));
    EXPECT_EQ(QString("https://docs.example"), visibleTitles(*menu).front());
    menu->hide();
    heldModifiers = 0;
    menu->popup(QPoint(10, 10));
    EXPECT_EQ(QString("Docs && Notes"), visibleTitles(*menu).front());
    menu->hide();
}

TEST_F(MenuRendererTest, FontsFollowTheEntry) {
    Menu source;
    source.entries = {MenuEntry::item("Soft"), MenuEntry::item("Priority"), MenuEntry::item("Plain")};
    source.entries[0].font = MenuFont::italic;
    source.entries[1].font = MenuFont::bold;
    const auto menu = renderer.render(source);
    EXPECT_TRUE(menu->actions()[0]->font().italic());
    EXPECT_FALSE(menu->actions()[0]->font().bold());
    EXPECT_TRUE(menu->actions()[1]->font().bold());
    EXPECT_FALSE(menu->actions()[2]->font().italic());
    EXPECT_FALSE(menu->actions()[2]->font().bold());
}

TEST_F(MenuRendererTest, CommandLetterIsControlLetter) {
    MenuEntry quit = MenuEntry::item("Quit Ledgerly");
    quit.keyEquivalent = "q";
    EXPECT_EQ(QKeySequence("Ctrl+Q"), MenuRenderer::keySequence(quit));
    quit.keyEquivalent = ",";
    EXPECT_EQ(QKeySequence("Ctrl+,"), MenuRenderer::keySequence(quit));
    quit.keyEquivalent = "";
    EXPECT_TRUE(MenuRenderer::keySequence(quit).isEmpty());
    quit.keyEquivalent = "r";
    quit.keyEquivalentModifierMask = MenuEntry::commandModifierMask | kOption;
    EXPECT_EQ(QKeySequence("Ctrl+Alt+R"), MenuRenderer::keySequence(quit));
}

TEST_F(MenuRendererTest, KeyEquivalentIsTheActionShortcut) {
    Menu source;
    source.entries = {actionEntry("Quit Ledgerly", MenuAction::quitApp)};
    source.entries[0].keyEquivalent = "q";
    const auto menu = renderer.render(source);
    EXPECT_EQ(QKeySequence("Ctrl+Q"), menu->actions()[0]->shortcut());
}

TEST_F(MenuRendererTest, KeyEquivalentOfAnyMenuOfTheTreeChoosesItsEntry) {
    Menu admin;
    admin.entries = {actionEntry("Refresh", MenuAction::refreshNow), actionEntry("Quit Ledgerly", MenuAction::quitApp)};
    admin.entries[0].keyEquivalent = "r";
    admin.entries[1].keyEquivalent = "q";
    Menu source = sampleMenu();
    MenuEntry ledgerly = MenuEntry::item("Ledgerly");
    ledgerly.submenu = std::make_shared<const Menu>(admin);
    source.entries.push_back(ledgerly);
    const auto menu = renderer.render(source);
    QKeyEvent controlQ(QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier);
    QCoreApplication::sendEvent(menu.get(), &controlQ);
    processEventsUntil([this] { return !handler->calls.empty(); });
    ASSERT_EQ(1u, handler->calls.size());
    EXPECT_EQ(MenuAction::quitApp, handler->calls[0].action);
}

TEST_F(MenuRendererTest, KeysWithoutAnEntryDoNothing) {
    const auto menu = renderer.render(sampleMenu());
    QKeyEvent controlShiftQ(QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier);
    QCoreApplication::sendEvent(menu.get(), &controlShiftQ);
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(handler->calls.empty());
}

TEST_F(MenuRendererTest, ChoosingAnEntrySendsItsActionWithTheEntryAfterTheMenuCloses) {
    const auto menu = renderer.render(sampleMenu());
    menu->actions()[5]->trigger();
    EXPECT_TRUE(handler->calls.empty());
    processEventsUntil([this] { return !handler->calls.empty(); });
    ASSERT_EQ(1u, handler->calls.size());
    EXPECT_EQ(MenuAction::copyTextFromMenuItem, handler->calls[0].action);
    EXPECT_EQ(sampleMenu().entries[5], handler->calls[0].sender);
}

TEST_F(MenuRendererTest, EntriesOfSubmenusSendTheirOwnEntry) {
    const auto menu = renderer.render(sampleMenu());
    drawnSubmenu(*menu, 6)->actions()[0]->trigger();
    processEventsUntil([this] { return !handler->calls.empty(); });
    ASSERT_EQ(1u, handler->calls.size());
    EXPECT_EQ(std::optional<std::string>("https://deep.example"), handler->calls[0].sender.representedObject);
}

TEST_F(MenuRendererTest, EntryWithoutTargetSendsNothing) {
    Menu source;
    source.entries = {actionEntry("Refresh", MenuAction::refreshNow)};
    source.entries[0].hasTarget = false;
    const auto menu = renderer.render(source);
    menu->actions()[0]->trigger();
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(handler->calls.empty());
}

TEST_F(MenuRendererTest, HandlerGoneMeansNothingIsSent) {
    const auto menu = renderer.render(sampleMenu());
    std::weak_ptr<RecordingActionHandler> watch = handler;
    menu->actions()[0]->trigger();
    handler.reset();
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(watch.expired());
}

TEST_F(MenuRendererTest, ErrorEscapingAnActionIsReportedNotThrownIntoQt) {
    handler->onCall = [] { throw std::runtime_error("disk full"); };
    const auto menu = renderer.render(sampleMenu());
    menu->actions()[0]->trigger();
    processEventsUntil([this] { return !errors.empty(); });
    EXPECT_EQ((std::vector<std::string>{"disk full"}), errors);
}

TEST_F(MenuRendererTest, SubtitleMakesTheEntryTaller) {
    Menu source;
    source.entries = {MenuEntry::item("Reveal Markdown File"), MenuEntry::item("Refresh")};
    source.entries[0].subtitle = "~/Notes/Links.md";
    const auto menu = renderer.render(source);
    EXPECT_EQ(QString("~/Notes/Links.md"), menu->actions()[0]->property(RenderedMenu::subtitleProperty).toString());
    menu->popup(QPoint(0, 0));
    EXPECT_GT(menu->actionGeometry(menu->actions()[0]).height(), menu->actionGeometry(menu->actions()[1]).height());
    menu->hide();
}

TEST_F(MenuRendererTest, TemplateIconsTakeTheMenuTextColour) {
    Menu source;
    source.entries = {MenuEntry::item("Web")};
    source.entries[0].image = MenuIcon{"globe", "Open web link", "LedgerlyWebLinkIcon"};
    const auto menu = renderer.render(source);
    const QImage image = menu->actions()[0]->icon().pixmap(QSize(16, 16), 1.0).toImage();
    const QColor text = menu->palette().color(QPalette::Active, QPalette::Text);
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() > 0) {
                ++inked;
                EXPECT_EQ(text.rgb(), pixel.rgb());
            }
        }
    }
    EXPECT_GT(inked, 20);
}

TEST(SymbolIconSetTests, EverySymbolTheMenuUsesIsDrawn) {
    SymbolIconSet icons;
    for (const char* name : {"globe", "envelope", "arrow.up.forward.app", "arrow.forward.folder", "folder", "document",
                             "text.quote", "text.bubble", "xmark.circle.fill"}) {
        EXPECT_TRUE(icons.hasSymbol(name)) << name;
    }
    EXPECT_FALSE(icons.hasSymbol("no.such.symbol"));
    EXPECT_FALSE(SymbolIconSet::applicationIcon().isNull());
}

TEST(SymbolIconSetTests, EachSymbolIsDrawnOncePerPalette) {
    SymbolIconSet icons;
    const MenuIcon globe{"globe", "Open web link", "LedgerlyWebLinkIcon"};
    const MenuIcon folder{"folder", "Bookmark folder", std::nullopt};
    QPalette dark = QApplication::palette();
    dark.setColor(QPalette::Text, Qt::white);
    const QIcon first = icons.icon(globe, QApplication::palette(), 1.0);
    EXPECT_EQ(first.cacheKey(), icons.icon(globe, QApplication::palette(), 1.0).cacheKey());
    EXPECT_NE(first.cacheKey(), icons.icon(folder, QApplication::palette(), 1.0).cacheKey());
    EXPECT_NE(first.cacheKey(), icons.icon(globe, dark, 1.0).cacheKey());
}

TEST(SymbolIconSetTests, BlankIconKeepsTheRoomWithoutInk) {
    SymbolIconSet icons;
    MenuIcon blank;
    blank.imageName = "LedgerlyCopySnippetIcon";
    const QIcon icon = icons.icon(blank, QApplication::palette(), 1.0);
    const QImage image = icon.pixmap(QSize(16, 16), 1.0).toImage();
    ASSERT_FALSE(image.isNull());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            EXPECT_EQ(0, image.pixelColor(x, y).alpha());
        }
    }
}

}  // namespace
}  // namespace ledgerly::testing
