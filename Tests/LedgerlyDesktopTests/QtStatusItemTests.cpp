#include "LedgerlyDesktop/Menus/MenuRenderer.h"
#include "LedgerlyDesktop/Menus/RenderedMenu.h"
#include "LedgerlyDesktop/Menus/SymbolIconSet.h"
#include "LedgerlyDesktop/Tray/DBusMenuExporter.h"
#include "LedgerlyDesktop/Tray/QtStatusItem.h"

#include "QtPrinters.h"
#include "RecordingActionHandler.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

std::shared_ptr<const Menu> menuWith(const std::string& title) {
    Menu menu;
    MenuEntry entry = MenuEntry::item(title);
    entry.action = MenuAction::refreshNow;
    entry.hasTarget = true;
    menu.entries = {entry};
    return std::make_shared<const Menu>(std::move(menu));
}

class QtStatusItemTest : public ::testing::Test {
protected:
    std::shared_ptr<RecordingActionHandler> handler = std::make_shared<RecordingActionHandler>();
    std::shared_ptr<SymbolIconSet> icons = std::make_shared<SymbolIconSet>();
    QtStatusItem item{std::make_unique<MenuRenderer>(handler, icons),
                      std::make_unique<DBusMenuExporter>(handler, icons, MenuRenderer::showErrorAlert),
                      QDBusConnection(QString())};
    std::vector<std::string> events;

    void SetUp() override {
        item.setMenuCallbacks([this] { events.push_back("willOpen"); }, [this] { events.push_back("didClose"); });
    }

    static QString firstTitle(const QMenu& menu) { return menu.actions().front()->text(); }
};

TEST_F(QtStatusItemTest, TitleIsTheTooltip) {
    EXPECT_TRUE(item.hasButton());
    item.setTitle("Reading List");
    EXPECT_EQ("Reading List", item.title());
}

TEST_F(QtStatusItemTest, PerformClickPopsTheMenuAndOpeningAndClosingAreReported) {
    item.setMenu(menuWith("Refresh"));
    item.performClick();
    ASSERT_TRUE(item.renderedMenu()->isVisible());
    EXPECT_EQ((std::vector<std::string>{"willOpen"}), events);
    item.renderedMenu()->hide();
    EXPECT_EQ((std::vector<std::string>{"willOpen", "didClose"}), events);
}

TEST_F(QtStatusItemTest, ClickWhileOpenDoesNotOpenASecondTime) {
    item.setMenu(menuWith("Refresh"));
    item.performClick();
    item.performClick();
    EXPECT_EQ((std::vector<std::string>{"willOpen"}), events);
    item.renderedMenu()->hide();
}

TEST_F(QtStatusItemTest, NewMenuWhileOpenWaitsUntilTheOpenOneCloses) {
    item.setMenu(menuWith("Old"));
    item.performClick();
    RenderedMenu* open = item.renderedMenu();
    item.setMenu(menuWith("New"));
    EXPECT_TRUE(open->isVisible());
    EXPECT_EQ(QString("Old"), firstTitle(*open));
    EXPECT_EQ("New", item.menu().entries.front().title);
    open->hide();
    QCoreApplication::processEvents();
    item.performClick();
    EXPECT_EQ(QString("New"), firstTitle(*item.renderedMenu()));
    EXPECT_EQ((std::vector<std::string>{"willOpen", "didClose", "willOpen"}), events);
    item.renderedMenu()->hide();
}

TEST_F(QtStatusItemTest, EntriesSendTheirActionsToTheHandlerSetLater) {
    auto later = std::make_shared<RecordingActionHandler>();
    item.setActionHandler(later);
    item.setMenu(menuWith("Refresh"));
    item.renderedMenu()->actions().front()->trigger();
    for (int i = 0; i < 5 && later->calls.empty(); ++i) {
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(1u, later->calls.size());
    EXPECT_EQ(MenuAction::refreshNow, later->calls.front().action);
    EXPECT_TRUE(handler->calls.empty());
}

}  // namespace
}  // namespace ledgerly::testing
