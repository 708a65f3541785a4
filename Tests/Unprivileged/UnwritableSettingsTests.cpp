#include "LedgerlyCore/Settings/GlobalHotKeyController.h"
#include "LedgerlyCore/Settings/LedgerlySettingsStore.h"
#include "LedgerlyCore/Settings/SettingsViewModel.h"
#include "LedgerlyDesktop/System/QSettingsUserDefaults.h"

#include "Settings/FakeHotKeyRegistrar.h"
#include "Settings/FakeLaunchAtLoginService.h"
#include "Support/TempDirectory.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

// The real settings store in a folder its user may not write: a failed write
// must leave what is read, shown and registered all as the file holds it.
namespace ledgerly::testing {
namespace {

namespace fs = std::filesystem;

constexpr std::uint16_t kKeyJ = 38;
constexpr std::uint16_t kKeyK = 40;

class UnwritableSettings : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() == 0) {
            GTEST_SKIP() << "root writes anywhere: run through run-unprivileged.sh";
        }
    }
    void writeFile(const std::string& bytes) const { std::ofstream(file, std::ios::binary) << bytes; }
    void makeFolderReadOnly() const { fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec); }
    QString path() const { return QString::fromStdString(file.string()); }

    TempDirectory folder;
    fs::path file = folder.file("ledgerly.conf");
};

TEST_F(UnwritableSettings, FailedChangesLeaveStoreViewAndRegistrationAsOnDisk) {
    writeFile("[General]\nglobalShortcutKeyCode=38\nglobalShortcutModifiers=262144\nglobalShortcutEnabled=true\n");
    const KeyboardShortcut controlJ(kKeyJ, ModifierFlags::control);
    QSettingsUserDefaults defaults(path());
    LedgerlySettingsStore store(defaults);
    auto registrar = std::make_unique<FakeHotKeyRegistrar>();
    const auto registrations = registrar->log;
    GlobalHotKeyController controller(store, std::move(registrar), [] {});
    controller.applyStoredShortcut();
    SettingsViewModel model(
        store, std::make_unique<FakeLaunchAtLoginService>(std::make_shared<FakeLaunchAtLoginService::State>()),
        controller);
    makeFolderReadOnly();

    model.disableShortcut();
    EXPECT_TRUE(model.globalShortcutEnabled());
    EXPECT_TRUE(store.isGlobalShortcutEnabled());
    EXPECT_TRUE(model.globalShortcutError().has_value());

    const KeyboardShortcut commandK(kKeyK, ModifierFlags::command);
    model.setShortcut(commandK);
    EXPECT_EQ(controlJ, model.globalShortcut());
    EXPECT_EQ(controlJ, store.globalShortcut());
    EXPECT_TRUE(model.globalShortcutError().has_value());
    EXPECT_EQ((std::vector<std::string>{testing::registerCall(controlJ), testing::registerCall(commandK),
                                        "unregister 1", testing::registerCall(controlJ), "unregister 2"}),
              registrations->calls);
    EXPECT_EQ((std::vector<int>{3}), registrations->live);

    QSettingsUserDefaults reread(path());
    EXPECT_EQ(controlJ, LedgerlySettingsStore(reread).globalShortcut());
    EXPECT_TRUE(LedgerlySettingsStore(reread).isGlobalShortcutEnabled());
}

TEST_F(UnwritableSettings, DamagedFileThatCannotBeSetAsideStillReportsFailedWrites) {
    writeFile("[General\n\x01\xff not settings\n");
    makeFolderReadOnly();
    QSettingsUserDefaults defaults(path());
    EXPECT_THROW(defaults.setString("selectedMarkdownPath", "/home/me/links.md"), UserDefaultsWriteError);
    EXPECT_EQ(std::nullopt, defaults.string("selectedMarkdownPath"));
    EXPECT_FALSE(fs::exists(fs::path(file).concat(".damaged")));
}

}  // namespace
}  // namespace ledgerly::testing
