#include "LedgerlyDesktop/Shortcut/PortalHotKeyBackend.h"

#include "LedgerlyCore/Settings/KeyboardShortcut.h"
#include "StandInPortal.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

// These tests need a private session bus with no portal of its own: CTest
// runs them under dbus-run-session with private-session-bus.conf.
namespace ledgerly::testing {
namespace {

constexpr std::uint32_t kKeyS = 1;
constexpr std::uint32_t kKeyReturn = 36;
constexpr std::uint32_t kControlOptionCommand =
    KeyboardShortcut::hotKeyControlMask | KeyboardShortcut::hotKeyOptionMask | KeyboardShortcut::hotKeyCommandMask;
const QString kDescription = QStringLiteral("Open the Ledgerly menu");

bool waitUntil(const std::function<bool()>& done) {
    QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

struct TriggerCase {
    const char* name;
    std::uint32_t keyCode;
    std::uint32_t carbonModifiers;
    const char* trigger;
};

void PrintTo(const TriggerCase& triggerCase, std::ostream* out) { *out << triggerCase.name; }

class PortalTrigger : public ::testing::TestWithParam<TriggerCase> {};

TEST_P(PortalTrigger, IsWrittenAsTheShortcutsNotationSpellsIt) {
    EXPECT_EQ(QString::fromLatin1(GetParam().trigger),
              PortalHotKeyBackend::trigger(GetParam().keyCode, GetParam().carbonModifiers));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PortalTrigger,
    ::testing::Values(TriggerCase{"OptionIsAltAndCommandIsLogo", kKeyS, kControlOptionCommand, "CTRL+ALT+LOGO+s"},
                      TriggerCase{"NamedKey", kKeyReturn, KeyboardShortcut::hotKeyShiftMask, "SHIFT+Return"},
                      TriggerCase{"Punctuation", 27, KeyboardShortcut::hotKeyControlMask, "CTRL+minus"},
                      TriggerCase{"FunctionKey", 122, KeyboardShortcut::hotKeyCommandMask, "LOGO+F1"},
                      TriggerCase{"KeyWithoutAName", 10, KeyboardShortcut::hotKeyControlMask, ""}),
    [](const ::testing::TestParamInfo<TriggerCase>& info) { return std::string(info.param.name); });

class PortalHotKeyBackendAbsent : public ::testing::TestWithParam<bool> {};

TEST_P(PortalHotKeyBackendAbsent, NoShortcutCanBeRegistered) {
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "needs a session bus";
    std::unique_ptr<StandInPortal> portal;
    if (GetParam()) {
        portal = std::make_unique<StandInPortal>(false);
        ASSERT_TRUE(portal->registered());
    }
    PortalHotKeyBackend backend(QDBusConnection::sessionBus(), kDescription);
    EXPECT_EQ(PortalHotKeyBackend::noPortalStatus, backend.installPressHandler([](std::uint32_t) {}));
    EXPECT_NE(0, backend.registerHotKey(1, kKeyS, kControlOptionCommand));
}

INSTANTIATE_TEST_SUITE_P(Portal, PortalHotKeyBackendAbsent, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "WithoutGlobalShortcuts" : "NotOnTheBus");
                         });

class PortalHotKeyBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "needs a session bus";
        ASSERT_TRUE(portal->registered());
        ASSERT_EQ(0, backend->installPressHandler([this](std::uint32_t identifier) {
            presses.push_back(identifier);
            pressedOffTheMainThread |= QThread::currentThread() != QCoreApplication::instance()->thread();
        }));
    }

    // The session of the `count`th binding, once the portal has seen that many.
    QString sessionOfBinding(qsizetype count) {
        if (!waitUntil([&] { return portal->bindings().size() >= count; })) {
            return {};
        }
        return portal->bindings().at(count - 1).session;
    }

    std::unique_ptr<StandInPortal> portal = std::make_unique<StandInPortal>();
    std::unique_ptr<PortalHotKeyBackend> backend =
        std::make_unique<PortalHotKeyBackend>(QDBusConnection::sessionBus(), kDescription);
    std::vector<std::uint32_t> presses;
    bool pressedOffTheMainThread = false;
};

TEST_F(PortalHotKeyBackendTest, BindsTheStoredShortcutAndDeliversOnlyItsOwnPresses) {
    ASSERT_EQ(0, backend->registerHotKey(7, kKeyS, kControlOptionCommand));
    const QString session = sessionOfBinding(1);
    ASSERT_FALSE(session.isEmpty());
    EXPECT_EQ(QStringList{session}, portal->sessions());
    const auto shortcuts = portal->bindings().front().shortcuts;
    ASSERT_EQ(1, shortcuts.size());
    EXPECT_EQ(QStringLiteral("CTRL+ALT+LOGO+s"), shortcuts.front().preferredTrigger);
    EXPECT_EQ(kDescription, shortcuts.front().description);

    const QString id = shortcuts.front().id;
    portal->activate(QStringLiteral("/org/freedesktop/portal/desktop/session/1_999/other"), id);
    portal->activate(session, QStringLiteral("another"));
    portal->activate(session, id);
    ASSERT_TRUE(waitUntil([&] { return !presses.empty(); }));
    EXPECT_EQ(std::vector<std::uint32_t>{7}, presses);
    EXPECT_FALSE(pressedOffTheMainThread);
}

TEST_F(PortalHotKeyBackendTest, SameKeyRegisteredTwiceIsBoundOnceAndPressesTheNewest) {
    // Re-applying an unchanged shortcut registers the same key again before the old registration goes.
    ASSERT_EQ(0, backend->registerHotKey(1, kKeyS, kControlOptionCommand));
    ASSERT_EQ(0, backend->registerHotKey(2, kKeyS, kControlOptionCommand));
    const QString session = sessionOfBinding(1);
    ASSERT_FALSE(session.isEmpty());
    ASSERT_EQ(1, portal->bindings().front().shortcuts.size());
    const QString id = portal->bindings().front().shortcuts.front().id;
    portal->activate(session, id);
    ASSERT_TRUE(waitUntil([&] { return presses.size() == 1; }));
    backend->unregisterHotKey(1);
    portal->activate(session, id);
    ASSERT_TRUE(waitUntil([&] { return presses.size() == 2; }));
    EXPECT_EQ((std::vector<std::uint32_t>{2, 2}), presses);
    EXPECT_EQ(1, portal->bindings().size());
}

TEST_F(PortalHotKeyBackendTest, ChangedShortcutIsBoundOnAFreshSessionAndADisabledOneIsClosed) {
    ASSERT_EQ(0, backend->registerHotKey(1, kKeyS, kControlOptionCommand));
    const QString first = sessionOfBinding(1);
    ASSERT_FALSE(first.isEmpty());
    const QString oldId = portal->bindings().front().shortcuts.front().id;

    // As a change in the settings does it: the new key first, then the old one goes.
    ASSERT_EQ(0, backend->registerHotKey(2, kKeyReturn, KeyboardShortcut::hotKeyControlMask));
    backend->unregisterHotKey(1);
    const QString second = sessionOfBinding(2);
    ASSERT_FALSE(second.isEmpty());
    EXPECT_NE(first, second);
    EXPECT_TRUE(portal->closedSessions().contains(first));
    const auto shortcuts = portal->bindings().at(1).shortcuts;
    ASSERT_EQ(1, shortcuts.size());
    EXPECT_EQ(QStringLiteral("CTRL+Return"), shortcuts.front().preferredTrigger);

    portal->activate(first, oldId);
    portal->activate(second, oldId);
    portal->activate(second, shortcuts.front().id);
    ASSERT_TRUE(waitUntil([&] { return !presses.empty(); }));
    EXPECT_EQ(std::vector<std::uint32_t>{2}, presses);

    backend->unregisterHotKey(2);
    EXPECT_TRUE(waitUntil([&] { return portal->closedSessions().contains(second); }));
    EXPECT_EQ(2, portal->bindings().size());
}

TEST_F(PortalHotKeyBackendTest, RestartedPortalGetsTheShortcutAgain) {
    ASSERT_EQ(0, backend->registerHotKey(3, kKeyS, kControlOptionCommand));
    ASSERT_FALSE(sessionOfBinding(1).isEmpty());
    portal.reset();
    portal = std::make_unique<StandInPortal>();
    ASSERT_TRUE(portal->registered());
    const QString session = sessionOfBinding(1);
    ASSERT_FALSE(session.isEmpty());
    portal->activate(session, portal->bindings().front().shortcuts.front().id);
    ASSERT_TRUE(waitUntil([&] { return !presses.empty(); }));
    EXPECT_EQ(std::vector<std::uint32_t>{3}, presses);
}

}  // namespace
}  // namespace ledgerly::testing
