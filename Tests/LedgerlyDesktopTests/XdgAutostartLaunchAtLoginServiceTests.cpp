#include "LedgerlyDesktop/System/XdgAutostartLaunchAtLoginService.h"

#include "QtPaths.h"
#include "Support/TempDirectory.h"

#include <QFile>

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

TEST(XdgAutostartPath, IsInTheXdgConfigHome) {
    QProcessEnvironment environment;
    environment.insert("XDG_CONFIG_HOME", "/tmp/cfg");
    EXPECT_EQ(QString("/tmp/cfg/autostart"), XdgAutostartLaunchAtLoginService::defaultAutostartDirectory(environment));
}

TEST(XdgAutostartEntry, ExecIsTheExecutablePath) {
    const QString entry = XdgAutostartLaunchAtLoginService::desktopEntry("/usr/local/bin/ledgerly");
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(entry.contains("\nExec=/usr/local/bin/ledgerly\n")) << entry.toStdString();
    EXPECT_TRUE(entry.contains("\nType=Application\n"));
}

TEST(XdgAutostartEntry, ExecQuotesReservedCharactersAndEscapesPercent) {
    const QString entry = XdgAutostartLaunchAtLoginService::desktopEntry("/home/ann/My Apps/100%/led$ger\"ly");
    // Quoted for Exec, then every backslash doubled for the string type.
    EXPECT_TRUE(entry.contains("\nExec=\"/home/ann/My Apps/100%%/led\\\\$ger\\\\\"ly\"\n")) << entry.toStdString();
}

TEST(XdgAutostartService, EnablingWritesTheEntryAndReadsAsEnabled) {
    TempDirectory folder;
    XdgAutostartLaunchAtLoginService service(qtPath(folder.file("autostart")), "/opt/ledgerly/bin/ledgerly");
    EXPECT_FALSE(service.isEnabled());
    service.setEnabled(true);
    EXPECT_TRUE(service.isEnabled());
    EXPECT_EQ(XdgAutostartLaunchAtLoginService::desktopEntry("/opt/ledgerly/bin/ledgerly").toUtf8(),
              QByteArray::fromStdString(folder.readFile("autostart/org.ledgerly.Ledgerly.desktop")));
}

TEST(XdgAutostartService, HiddenEntryReadsAsDisabledAndEnablingReplacesIt) {
    TempDirectory folder;
    folder.writeFile("autostart/org.ledgerly.Ledgerly.desktop",
                     "[Desktop Entry]\nType=Application\nExec=ledgerly\nHidden = true\n");
    XdgAutostartLaunchAtLoginService service(qtPath(folder.file("autostart")), "/usr/bin/ledgerly");
    EXPECT_FALSE(service.isEnabled());
    service.setEnabled(true);
    EXPECT_TRUE(service.isEnabled());
    EXPECT_FALSE(
        QByteArray::fromStdString(folder.readFile("autostart/org.ledgerly.Ledgerly.desktop")).contains("Hidden"));
}

TEST(XdgAutostartService, HiddenKeyOfAnotherGroupDoesNotCount) {
    TempDirectory folder;
    folder.writeFile("autostart/org.ledgerly.Ledgerly.desktop",
                     "[Desktop Entry]\nExec=ledgerly\n[Desktop Action x]\nHidden=true\n");
    XdgAutostartLaunchAtLoginService service(qtPath(folder.file("autostart")), "/usr/bin/ledgerly");
    EXPECT_TRUE(service.isEnabled());
}

TEST(XdgAutostartService, DisablingRemovesTheEntry) {
    TempDirectory folder;
    XdgAutostartLaunchAtLoginService service(qtPath(folder.file("autostart")), "/usr/bin/ledgerly");
    service.setEnabled(true);
    service.setEnabled(false);
    EXPECT_FALSE(service.isEnabled());
    EXPECT_FALSE(QFile::exists(service.entryPath()));
    service.setEnabled(false);  // nothing to remove is no failure
    EXPECT_FALSE(service.isEnabled());
}

TEST(XdgAutostartService, OlderEntryCountsAndGivesWayToTheNewOne) {
    TempDirectory folder;
    folder.writeFile("autostart/ledgerly.desktop", "[Desktop Entry]\nType=Application\nExec=/usr/bin/ledgerly\n");
    XdgAutostartLaunchAtLoginService service(qtPath(folder.file("autostart")), "/usr/bin/ledgerly");
    EXPECT_TRUE(service.isEnabled());
    service.setEnabled(true);
    EXPECT_TRUE(QFile::exists(service.entryPath()));
    EXPECT_FALSE(QFile::exists(service.olderEntryPath()));

    folder.writeFile("autostart/ledgerly.desktop", "[Desktop Entry]\nType=Application\nExec=/usr/bin/ledgerly\n");
    service.setEnabled(false);
    EXPECT_FALSE(service.isEnabled());
    EXPECT_FALSE(QFile::exists(service.entryPath()));
    EXPECT_FALSE(QFile::exists(service.olderEntryPath()));
}

TEST(XdgAutostartService, UnwritableFolderThrows) {
    TempDirectory folder;
    folder.writeFile("config", "a regular file, not a folder");
    XdgAutostartLaunchAtLoginService service(qtPath(folder.file("config/autostart")), "/usr/bin/ledgerly");
    EXPECT_THROW(service.setEnabled(true), LaunchAtLoginError);
    EXPECT_FALSE(service.isEnabled());
}

TEST(XdgAutostartService, EntryThatCannotBeRemovedThrows) {
    TempDirectory folder;
    // A non-empty folder in the entry's place cannot be removed as a file.
    folder.writeFile("autostart/org.ledgerly.Ledgerly.desktop/inside", "x");
    XdgAutostartLaunchAtLoginService service(qtPath(folder.file("autostart")), "/usr/bin/ledgerly");
    EXPECT_THROW(service.setEnabled(false), LaunchAtLoginError);
}

}  // namespace
}  // namespace ledgerly::testing
