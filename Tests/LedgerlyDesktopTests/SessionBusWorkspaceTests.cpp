#include "LedgerlyDesktop/System/QtWorkspace.h"

#include "FakeFileManager.h"
#include "QtPrinters.h"
#include "UrlRecorder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

// Needs a session bus: CTest runs these under Tests/EndToEnd/with-xvfb.sh.
namespace ledgerly::testing {
namespace {

void processEventsFor(int milliseconds, const std::function<bool()>& done) {
    QDeadlineTimer deadline(milliseconds);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

TEST(QtWorkspaceReveal, AsksTheFileManagerToShowTheFile) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(bus.isConnected()) << "needs a session bus";
    FakeFileManager fileManager(bus);
    ASSERT_TRUE(fileManager.registered());
    UrlRecorder folders("file");
    QtWorkspace workspace(bus);
    workspace.revealInFileManager("/home/ann/My Notes/Links.md");
    processEventsFor(5000, [&] { return !fileManager.shown().isEmpty(); });
    EXPECT_EQ((QStringList{"file:///home/ann/My%20Notes/Links.md"}), fileManager.shown());
    EXPECT_TRUE(folders.urls().isEmpty());
}

TEST(QtWorkspaceReveal, OpensTheFolderWhenNoFileManagerAnswers) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(bus.isConnected()) << "needs a session bus";
    UrlRecorder folders("file");
    QtWorkspace workspace(bus);
    workspace.revealInFileManager("/home/ann/Notes/Links.md");
    processEventsFor(5000, [&] { return !folders.urls().isEmpty(); });
    ASSERT_EQ(1, folders.urls().size());
    EXPECT_EQ(QString("/home/ann/Notes"), folders.urls().front().toLocalFile());
}

}  // namespace
}  // namespace ledgerly::testing
