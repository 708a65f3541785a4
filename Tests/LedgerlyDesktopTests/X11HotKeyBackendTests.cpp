#include "LedgerlyDesktop/QtMainQueue.h"
#include "LedgerlyDesktop/Shortcut/VirtualKeyTable.h"
#include "LedgerlyDesktop/Shortcut/X11HotKeyBackend.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>

#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <memory>

// These tests need an X server: CTest runs them under Tests/EndToEnd/with-xvfb.sh.
namespace ledgerly::testing {
namespace {

constexpr std::uint16_t kKeyS = 1;
constexpr std::uint32_t kControlOptionCommand = 0x1000 | 0x0800 | 0x0100;

// Another X client, for grabbing keys before Ledgerly does.
class OtherClient {
public:
    OtherClient() : connection_(xcb_connect(nullptr, nullptr)) {}
    ~OtherClient() { xcb_disconnect(connection_); }

    // The X error code of grabbing `keysym` with `modifiers` on the root window, 0 on success.
    int grab(std::uint32_t keysym, std::uint16_t modifiers) {
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection_);
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const auto cookie =
            xcb_grab_key_checked(connection_, 1, root, modifiers, codes[0], XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        xcb_generic_error_t* error = xcb_request_check(connection_, cookie);
        const int code = error != nullptr ? error->error_code : 0;
        std::free(error);
        std::free(codes);
        xcb_key_symbols_free(symbols);
        return code;
    }

private:
    xcb_connection_t* connection_;
};

void pressKeys(const char* keys) { ASSERT_EQ(0, QProcess::execute("xdotool", {"key", keys})); }

class X11HotKeyBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            GTEST_SKIP() << "needs an X server";
        }
        ASSERT_EQ(0, backend->installPressHandler([this](std::uint32_t id) { presses.push_back(id); }));
    }

    bool waitForPresses(std::size_t count) {
        QDeadlineTimer deadline(5000);
        while (presses.size() < count && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return presses.size() >= count;
    }

    QtMainQueue queue;
    std::unique_ptr<X11HotKeyBackend> backend = std::make_unique<X11HotKeyBackend>(queue);
    std::vector<std::uint32_t> presses;
};

TEST(X11HotKeyBackendModifiers, OptionIsAltAndCommandIsSuper) {
    EXPECT_EQ(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4,
              X11HotKeyBackend::x11Modifiers(kControlOptionCommand));
    EXPECT_EQ(XCB_MOD_MASK_SHIFT, X11HotKeyBackend::x11Modifiers(0x0200));
    EXPECT_EQ(0, X11HotKeyBackend::x11Modifiers(0));
}

TEST(X11HotKeyBackendDisplay, NoXServerMeansTheHandlerCannotBeInstalled) {
    QtMainQueue queue;
    X11HotKeyBackend backend(queue, ":4321");
    EXPECT_NE(0, backend.installPressHandler([](std::uint32_t) {}));
    EXPECT_NE(0, backend.registerHotKey(1, kKeyS, kControlOptionCommand));
}

TEST_F(X11HotKeyBackendTest, PressOfTheGrabbedKeyReachesTheHandlerWithItsIdentifier) {
    ASSERT_EQ(0, backend->registerHotKey(7, kKeyS, kControlOptionCommand));
    pressKeys("ctrl+alt+super+s");
    ASSERT_TRUE(waitForPresses(1));
    EXPECT_EQ(7u, presses.front());
}

TEST_F(X11HotKeyBackendTest, PressWithNumLockOnStillCounts) {
    ASSERT_EQ(0, backend->registerHotKey(3, kKeyS, kControlOptionCommand));
    pressKeys("Num_Lock");
    pressKeys("ctrl+alt+super+s");
    pressKeys("Num_Lock");
    ASSERT_TRUE(waitForPresses(1));
    EXPECT_EQ(3u, presses.front());
}

TEST_F(X11HotKeyBackendTest, GrabHeldByAnotherClientFailsWithBadAccess) {
    OtherClient other;
    ASSERT_EQ(0, other.grab(*keysymForVirtualKey(kKeyS), XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4));
    EXPECT_EQ(XCB_ACCESS, backend->registerHotKey(1, kKeyS, kControlOptionCommand));
}

TEST_F(X11HotKeyBackendTest, UnregisteringReleasesTheKeyForOthers) {
    ASSERT_EQ(0, backend->registerHotKey(1, kKeyS, kControlOptionCommand));
    OtherClient other;
    EXPECT_EQ(XCB_ACCESS,
              other.grab(*keysymForVirtualKey(kKeyS), XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4));
    backend->unregisterHotKey(1);
    EXPECT_EQ(0, other.grab(*keysymForVirtualKey(kKeyS), XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4));
}

TEST_F(X11HotKeyBackendTest, SameKeyRegisteredTwiceSurvivesDroppingTheOlder) {
    // Changing the shortcut registers the new one before the old one goes; both may be the same key.
    ASSERT_EQ(0, backend->registerHotKey(1, kKeyS, kControlOptionCommand));
    ASSERT_EQ(0, backend->registerHotKey(2, kKeyS, kControlOptionCommand));
    backend->unregisterHotKey(1);
    pressKeys("ctrl+alt+super+s");
    ASSERT_TRUE(waitForPresses(1));
    EXPECT_EQ(2u, presses.front());
}

TEST_F(X11HotKeyBackendTest, OtherModifiersDoNotTrigger) {
    ASSERT_EQ(0, backend->registerHotKey(1, kKeyS, kControlOptionCommand));
    ASSERT_EQ(0, backend->registerHotKey(2, 0, 0x1000 | 0x0200));  // Control+Shift+A
    pressKeys("ctrl+alt+s");
    pressKeys("ctrl+shift+a");
    ASSERT_TRUE(waitForPresses(1));
    EXPECT_EQ((std::vector<std::uint32_t>{2}), presses);
}

TEST_F(X11HotKeyBackendTest, NoPressesAfterTheHandlerIsRemoved) {
    ASSERT_EQ(0, backend->registerHotKey(1, kKeyS, kControlOptionCommand));
    backend->removePressHandler();
    pressKeys("ctrl+alt+super+s");
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_TRUE(presses.empty());
}

TEST(VirtualKeyTableTests, KeysMapBothWays) {
    EXPECT_EQ(std::optional<std::uint32_t>(0x0061), keysymForVirtualKey(0));
    EXPECT_EQ(std::optional<std::uint32_t>(0xff0d), keysymForVirtualKey(36));
    EXPECT_EQ(std::optional<std::uint32_t>(0xff08), keysymForVirtualKey(51));
    EXPECT_EQ(std::optional<std::uint32_t>(0xff52), keysymForVirtualKey(126));
    EXPECT_EQ(std::nullopt, keysymForVirtualKey(10));
    EXPECT_EQ(std::optional<std::uint16_t>(1), virtualKeyForKeysym(0x0053));  // "S" counts as the S key
    EXPECT_EQ(std::optional<std::uint16_t>(49), virtualKeyForQtKey(Qt::Key_Space));
    EXPECT_EQ(std::optional<std::uint16_t>(53), virtualKeyForQtKey(Qt::Key_Escape));
    EXPECT_EQ(std::nullopt, virtualKeyForQtKey(Qt::Key_Shift));
    for (const VirtualKey& key : virtualKeyTable()) {
        EXPECT_EQ(std::optional<std::uint16_t>(key.virtualKeyCode), virtualKeyForKeysym(key.keysym));
        EXPECT_EQ(std::optional<std::uint16_t>(key.virtualKeyCode), virtualKeyForQtKey(key.qtKey));
    }
}

}  // namespace
}  // namespace ledgerly::testing
