#include "LedgerlyCore/Files/FileWatcher.h"
#include "LedgerlyDesktop/QtMainQueue.h"

#include "TemporaryFolder.h"

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

void atomicSave(const TemporaryFolder& folder, const QString& name, const QByteArray& contents) {
    folder.write(name + ".tmp", contents);
    ASSERT_EQ(0, std::rename(folder.filePath(name + ".tmp").toLocal8Bit().constData(),
                             folder.filePath(name).toLocal8Bit().constData()));
}

// The application re-arms its watch from inside every change handler; on Qt's
// event loop that must keep working save after save.
TEST(FileWatcherOnQtMainQueue, FollowsAtomicSavesWhenReArmedFromTheHandler) {
    TemporaryFolder folder;
    folder.write("links.md", "one");
    QtMainQueue queue;
    FileWatcher watcher(queue);
    int changes = 0;
    std::function<void()> arm = [&] {
        watcher.watchOrAwaitCreation(folder.filePath("links.md").toStdString(), [&] {
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
