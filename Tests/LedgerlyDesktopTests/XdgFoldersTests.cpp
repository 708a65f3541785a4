#include "LedgerlyDesktop/System/XdgFolders.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

QProcessEnvironment environmentWith(const char* name, const char* value) {
    QProcessEnvironment environment;
    environment.insert("HOME", "/home/ann");
    if (value != nullptr) {
        environment.insert(name, value);
    }
    return environment;
}

TEST(XdgFolders, ConfigHomeFallsBackToDotConfigWhenUnsetOrRelative) {
    EXPECT_EQ(QString("/tmp/cfg"), xdg::configHome(environmentWith("XDG_CONFIG_HOME", "/tmp/cfg")));
    EXPECT_EQ(QString("/home/ann/.config"), xdg::configHome(environmentWith("XDG_CONFIG_HOME", nullptr)));
    EXPECT_EQ(QString("/home/ann/.config"), xdg::configHome(environmentWith("XDG_CONFIG_HOME", "relative/cfg")));
}

TEST(XdgFolders, RuntimeDirectoryIsEmptyWhenUnsetOrRelative) {
    EXPECT_EQ(QString("/run/user/1000"), xdg::runtimeDirectory(environmentWith("XDG_RUNTIME_DIR", "/run/user/1000")));
    EXPECT_EQ(QString(), xdg::runtimeDirectory(environmentWith("XDG_RUNTIME_DIR", nullptr)));
    EXPECT_EQ(QString(), xdg::runtimeDirectory(environmentWith("XDG_RUNTIME_DIR", "run/user")));
}

}  // namespace
}  // namespace ledgerly::testing
