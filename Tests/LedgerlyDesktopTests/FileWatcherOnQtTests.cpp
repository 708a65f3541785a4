#include "LedgerlyCore/Platform/FileWatcher.h"
#include "LedgerlyDesktop/QtMainQueue.h"

#include "QtPaths.h"
#include "Support/TempDirectory.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

bool processEventsUntil(const std::function<bool()>& done) {
    QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

void atomicSave(const TempDirectory& folder, const std::string& name, const QByteArray& contents) {
    folder.writeFile(name + ".tmp", contents.toStdString());
    ASSERT_EQ(0, std::rename(folder.file(name + ".tmp").c_str(), folder.file(name).c_str()));
}

// The application re-arms its watch from inside every change handler; on Qt's
// event loop that must keep working save after save.
TEST(FileWatcherOnQtMainQueue, FollowsAtomicSavesWhenReArmedFromTheHandler) {
    TempDirectory folder;
    folder.writeFile("links.md", "one");
    QtMainQueue queue;
    FileWatcher watcher(queue);
    int changes = 0;
    std::function<void()> arm = [&] {
        watcher.watchOrAwaitCreation(folder.file("links.md").string(), [&] {
            ++changes;
            arm();
        });
    };
    arm();
    for (int save = 1; save <= 3; ++save) {
        atomicSave(folder, "links.md", QByteArray::number(save));
        EXPECT_TRUE(processEventsUntil([&] { return changes >= save; })) << "save " << save;
    }
}

}  // namespace
}  // namespace ledgerly::testing
