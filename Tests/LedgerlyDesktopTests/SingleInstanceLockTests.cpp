#include "LedgerlyDesktop/System/SingleInstanceLock.h"

#include "QtPaths.h"
#include "Support/TempDirectory.h"

#include <gtest/gtest.h>

#include <memory>

namespace ledgerly::testing {
namespace {

using Outcome = SingleInstanceLock::Outcome;

QProcessEnvironment session(const QString& runtimeFolder, const QString& display) {
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
    environment.insert(QStringLiteral("DISPLAY"), display);
    return environment;
}

TEST(SingleInstanceLock, OnePerDisplayUntilTheHolderGoes) {
    const TempDirectory runtime;
    auto first = std::make_unique<SingleInstanceLock>(session(qtPath(runtime.path()), QStringLiteral(":1")));
    EXPECT_EQ(Outcome::acquired, first->outcome());
    // Another screen of the same X display is the same display.
    EXPECT_EQ(Outcome::heldElsewhere,
              SingleInstanceLock(session(qtPath(runtime.path()), QStringLiteral(":1.0"))).outcome());
    EXPECT_EQ(Outcome::acquired, SingleInstanceLock(session(qtPath(runtime.path()), QStringLiteral(":2"))).outcome());
    first.reset();
    EXPECT_EQ(Outcome::acquired, SingleInstanceLock(session(qtPath(runtime.path()), QStringLiteral(":1"))).outcome());
}

}  // namespace
}  // namespace ledgerly::testing
