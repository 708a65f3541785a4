#include "LedgerlyDesktop/QtMainQueue.h"

#include <QMetaObject>
#include <QSocketNotifier>

namespace ledgerly {

QtMainQueue::QtMainQueue() = default;

QtMainQueue::~QtMainQueue() {
    for (auto& [id, notifier] : watches_) {
        delete notifier;
    }
}

void QtMainQueue::post(Task task) {
    // A queued functor call posts an event to context_'s thread; posting is thread-safe.
    QMetaObject::invokeMethod(
        &context_, [task = std::move(task)] { task(); }, Qt::QueuedConnection);
}

MainQueue::WatchId QtMainQueue::watchReadable(int fileDescriptor, Task onReadable) {
    const WatchId id = nextWatchId_++;
    auto* notifier = new QSocketNotifier(fileDescriptor, QSocketNotifier::Read);
    // Shared so that a callback which cancels its own watch keeps running on a live task.
    auto task = std::make_shared<Task>(std::move(onReadable));
    QObject::connect(notifier, &QSocketNotifier::activated, &context_, [task] { (*task)(); });
    watches_.emplace(id, notifier);
    return id;
}

void QtMainQueue::cancelWatch(WatchId id) {
    const auto found = watches_.find(id);
    if (found == watches_.end()) {
        return;
    }
    QSocketNotifier* notifier = found->second;
    watches_.erase(found);
    notifier->setEnabled(false);
    QObject::disconnect(notifier, nullptr, &context_, nullptr);
    // Deleting a notifier from inside its own activated() signal is not safe.
    notifier->deleteLater();
}

}  // namespace ledgerly
