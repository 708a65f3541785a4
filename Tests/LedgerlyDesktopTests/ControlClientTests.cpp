#include "LedgerlyDesktop/ControlClient.h"

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

// Needs a session bus: CTest runs these under Tests/EndToEnd/with-xvfb.sh.
namespace ledgerly::testing {
namespace {

class ControlClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!first.isConnected() || !second.isConnected()) {
            GTEST_SKIP() << "needs a session bus";
        }
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus("ledgerly-first");
        QDBusConnection::disconnectFromBus("ledgerly-second");
    }

    // Two connections stand for two Ledgerly processes.
    QDBusConnection first = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "ledgerly-first");
    QDBusConnection second = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "ledgerly-second");
};

TEST_F(ControlClientTest, OnlyTheFirstInstanceGetsTheName) {
    EXPECT_EQ(ControlNameClaim::claimed, claimControlName(first));
    EXPECT_EQ(ControlNameClaim::heldElsewhere, claimControlName(second));
}

TEST_F(ControlClientTest, TheNameIsFreeAgainOnceItsOwnerIsGone) {
    ASSERT_EQ(ControlNameClaim::claimed, claimControlName(first));
    first = QDBusConnection(QStringLiteral("ledgerly-none"));  // drop the last reference, then close
    QDBusConnection::disconnectFromBus("ledgerly-first");
    // The bus frees the name when it sees the connection close, which may come after our request.
    QDeadlineTimer deadline(5000);
    bool claimed = claimControlName(second) == ControlNameClaim::claimed;
    while (!claimed && !deadline.hasExpired()) {
        QThread::msleep(20);
        claimed = claimControlName(second) == ControlNameClaim::claimed;
    }
    EXPECT_TRUE(claimed);
}

TEST_F(ControlClientTest, ShowMenuWithoutARunningInstanceFindsNone) {
    EXPECT_EQ(ShowMenuRequest::notRunning, requestShowMenu(second));
}

}  // namespace
}  // namespace ledgerly::testing
