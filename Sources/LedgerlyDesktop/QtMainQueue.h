#pragma once

#include "LedgerlyCore/Platform/MainQueue.h"

#include <QObject>

#include <map>
#include <memory>

class QSocketNotifier;

namespace ledgerly {

// The main queue on Qt's event loop: posted tasks are queued invocations on
// an object of the main thread, descriptor watches are QSocketNotifiers.
// Create it on the main thread, after the QCoreApplication.
class QtMainQueue final : public MainQueue {
public:
    QtMainQueue();
    ~QtMainQueue() override;

    void post(Task task) override;
    WatchId watchReadable(int fileDescriptor, Task onReadable) override;
    void cancelWatch(WatchId id) override;

private:
    // Lives on the main thread; queued calls aimed at it run there, and are
    // dropped with it when the queue goes away.
    QObject context_;
    std::map<WatchId, QSocketNotifier*> watches_;
    WatchId nextWatchId_ = 1;
};

}  // namespace ledgerly
