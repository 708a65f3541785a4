#include "LedgerlyDesktop/System/QSettingsUserDefaults.h"

#include "QtPaths.h"
#include "Support/TempDirectory.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

TEST(QSettingsUserDefaultsPath, IsInTheXdgConfigHome) {
    QProcessEnvironment environment;
    environment.insert("XDG_CONFIG_HOME", "/tmp/config-home");
    EXPECT_EQ(QString("/tmp/config-home/ledgerly/ledgerly.conf"), QSettingsUserDefaults::defaultFilePath(environment));
}

TEST(QSettingsUserDefaultsValues, ValuesReadBackFromANewInstance) {
    TempDirectory folder;
    const QString path = qtPath(folder.file("config/ledgerly/ledgerly.conf"));
    {
        QSettingsUserDefaults defaults(path);
        defaults.setString("selectedMarkdownPath", "/home/ann/Bookmarks, \"mine\"/Links ä.md");
        defaults.setInteger("globalShortcutKeyCode", 40);
        defaults.setInteger("globalShortcutModifiers", 0x1C0000);
        defaults.setBoolean("globalShortcutEnabled", false);
    }
    QSettingsUserDefaults reopened(path);
    EXPECT_EQ(std::optional<std::string>("/home/ann/Bookmarks, \"mine\"/Links ä.md"),
              reopened.string("selectedMarkdownPath"));
    EXPECT_EQ(std::optional<std::int64_t>(40), reopened.integer("globalShortcutKeyCode"));
    EXPECT_EQ(std::optional<std::int64_t>(0x1C0000), reopened.integer("globalShortcutModifiers"));
    EXPECT_EQ(std::optional<bool>(false), reopened.boolean("globalShortcutEnabled"));
}

TEST(QSettingsUserDefaultsValues, KeysAreWrittenAtTheTopLevel) {
    TempDirectory folder;
    QSettingsUserDefaults defaults(qtPath(folder.file("ledgerly.conf")));
    defaults.setInteger("globalShortcutKeyCode", 1);
    const QByteArray contents = QByteArray::fromStdString(folder.readFile("ledgerly.conf"));
    EXPECT_TRUE(contents.contains("[General]\nglobalShortcutKeyCode=1\n")) << contents.toStdString();
}

TEST(QSettingsUserDefaultsValues, HandEditedFileReadsWithTheAskedType) {
    TempDirectory folder;
    folder.writeFile("ledgerly.conf",
                     "[General]\n"
                     "selectedMarkdownPath=/home/ann/Links.md\n"
                     "globalShortcutKeyCode = 0\n"
                     "globalShortcutModifiers=1835008\n"
                     "globalShortcutEnabled=False\n"
                     "launchAtLoginRequested=yes\n");
    QSettingsUserDefaults defaults(qtPath(folder.file("ledgerly.conf")));
    EXPECT_EQ(std::optional<std::string>("/home/ann/Links.md"), defaults.string("selectedMarkdownPath"));
    EXPECT_EQ(std::optional<std::int64_t>(0), defaults.integer("globalShortcutKeyCode"));
    EXPECT_EQ(std::optional<std::int64_t>(0x1C0000), defaults.integer("globalShortcutModifiers"));
    EXPECT_EQ(std::optional<bool>(false), defaults.boolean("globalShortcutEnabled"));
    EXPECT_TRUE(defaults.hasValue("launchAtLoginRequested"));
    EXPECT_EQ(std::nullopt, defaults.boolean("launchAtLoginRequested"));
    EXPECT_EQ(std::nullopt, defaults.integer("launchAtLoginRequested"));
}

TEST(QSettingsUserDefaultsValues, HandEditedUnquotedCommaKeepsTheWholeText) {
    TempDirectory folder;
    folder.writeFile("ledgerly.conf", "[General]\nselectedMarkdownPath=/home/ann/a, b.md\n");
    QSettingsUserDefaults defaults(qtPath(folder.file("ledgerly.conf")));
    EXPECT_EQ(std::optional<std::string>("/home/ann/a, b.md"), defaults.string("selectedMarkdownPath"));
}

TEST(QSettingsUserDefaultsValues, BooleansReadAsIntegers) {
    TempDirectory folder;
    QSettingsUserDefaults defaults(qtPath(folder.file("ledgerly.conf")));
    defaults.setBoolean("flag", true);
    EXPECT_EQ(std::optional<std::int64_t>(1), defaults.integer("flag"));
}

TEST(QSettingsUserDefaultsValues, RemoveMakesTheKeyAbsentOnDisk) {
    TempDirectory folder;
    const QString path = qtPath(folder.file("ledgerly.conf"));
    QSettingsUserDefaults defaults(path);
    defaults.setString("selectedMarkdownPath", "/x.md");
    defaults.remove("selectedMarkdownPath");
    EXPECT_FALSE(defaults.hasValue("selectedMarkdownPath"));
    EXPECT_FALSE(QSettingsUserDefaults(path).hasValue("selectedMarkdownPath"));
}

TEST(QSettingsUserDefaultsValues, MissingKeyReadsAsNone) {
    TempDirectory folder;
    QSettingsUserDefaults defaults(qtPath(folder.file("ledgerly.conf")));
    EXPECT_FALSE(defaults.hasValue("globalShortcutKeyCode"));
    EXPECT_EQ(std::nullopt, defaults.string("globalShortcutKeyCode"));
    EXPECT_EQ(std::nullopt, defaults.integer("globalShortcutKeyCode"));
    EXPECT_EQ(std::nullopt, defaults.boolean("globalShortcutKeyCode"));
}

TEST(QSettingsUserDefaultsWrites, FailedWriteThrowsInsteadOfPretendingSuccess) {
    TempDirectory folder;
    // A regular file where the settings folder should be: no user, root included, can write there.
    folder.writeFile("blocked", "not a folder");
    QSettingsUserDefaults defaults(qtPath(folder.file("blocked/ledgerly/ledgerly.conf")));
    EXPECT_THROW(defaults.setInteger("globalShortcutKeyCode", 3), UserDefaultsWriteError);
}

TEST(QSettingsUserDefaultsWrites, WritesSucceedAgainOnceTheFolderCanBeWritten) {
    TempDirectory folder;
    folder.writeFile("blocked", "not a folder");
    QSettingsUserDefaults defaults(qtPath(folder.file("blocked/ledgerly.conf")));
    EXPECT_THROW(defaults.setInteger("globalShortcutKeyCode", 3), UserDefaultsWriteError);
    QFile::remove(qtPath(folder.file("blocked")));
    QDir().mkpath(qtPath(folder.file("blocked")));
    EXPECT_NO_THROW(defaults.setInteger("globalShortcutKeyCode", 4));
    EXPECT_EQ(std::optional<std::int64_t>(4),
              QSettingsUserDefaults(qtPath(folder.file("blocked/ledgerly.conf"))).integer("globalShortcutKeyCode"));
}

TEST(QSettingsUserDefaultsDamagedFile, IsSetAsideOnceKeepingWhatCouldBeReadAndWritesWork) {
    TempDirectory folder;
    const QByteArray damaged("selectedMarkdownPath=/home/me/links.md\n[General\n\x01\xff not settings\n");
    folder.writeFile("ledgerly.conf", damaged.toStdString());
    {
        QSettingsUserDefaults defaults(qtPath(folder.file("ledgerly.conf")));
        EXPECT_EQ("/home/me/links.md", defaults.string("selectedMarkdownPath"));
        EXPECT_NO_THROW(defaults.setString("globalShortcutEnabled", "false"));
    }
    QSettingsUserDefaults reopened(qtPath(folder.file("ledgerly.conf")));
    EXPECT_EQ(damaged, QByteArray::fromStdString(folder.readFile("ledgerly.conf.damaged")));
    EXPECT_EQ(std::optional<bool>(false), reopened.boolean("globalShortcutEnabled"));
    EXPECT_EQ("/home/me/links.md", reopened.string("selectedMarkdownPath"));
}

}  // namespace
}  // namespace ledgerly::testing
