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
    EXPECT_TRUE(claimControlName(first));
    EXPECT_FALSE(claimControlName(second));
}

TEST_F(ControlClientTest, TheNameIsFreeAgainOnceItsOwnerIsGone) {
    ASSERT_TRUE(claimControlName(first));
    first = QDBusConnection(QStringLiteral("ledgerly-none"));  // drop the last reference, then close
    QDBusConnection::disconnectFromBus("ledgerly-first");
    // The bus frees the name when it sees the connection close, which may come after our request.
    QDeadlineTimer deadline(5000);
    bool claimed = claimControlName(second);
    while (!claimed && !deadline.hasExpired()) {
        QThread::msleep(20);
        claimed = claimControlName(second);
    }
    EXPECT_TRUE(claimed);
}

TEST_F(ControlClientTest, ShowMenuWithoutARunningInstanceFails) { EXPECT_FALSE(requestShowMenu(second)); }

}  // namespace
}  // namespace ledgerly::testing
