#pragma once

#include "LedgerlyCore/Platform/MainQueue.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace ledgerly {

// Tells its owner when the selected file changes on disk, through inotify.
// A watch follows the file object, not the path: after the file is replaced
// or deleted the owner arms a new watch. Handlers run on the main queue, once
// per delivery of events, never inside watch(). inotify holds no reference
// that keeps a file from being deleted or replaced.
class FileWatcher {
public:
    using ChangeHandler = std::function<void()>;

    // What the watcher is doing, for the owner's decisions and for tests.
    enum class State { idle, openFailed, watchingFile, watchingFolder };

    explicit FileWatcher(MainQueue& queue);
    FileWatcher(const FileWatcher&) = delete;
    FileWatcher& operator=(const FileWatcher&) = delete;
    ~FileWatcher();

    // Replaces any earlier watch with one on the file now at `fileURL`, for
    // writes, renames, deletion, growth and attribute changes. When the file
    // cannot be watched, nothing is watched and `onChange` is never called.
    void watch(const std::filesystem::path& fileURL, ChangeHandler onChange);
    // Follows the path rather than the file now at it, so that re-arming
    // after every change keeps up with it: watches the file (through any
    // symbolic link) and, in its folder, the entry of that name, for its
    // creation, removal, moves and attribute changes; for a symbolic link also
    // the entry it ends at. So a file that appears, a permission that comes
    // back and a link pointed elsewhere are all reported. Re-arm before
    // reading the file again: a change made between a read and a later re-arm
    // would go unreported. watchingFile when the file itself is watched,
    // watchingFolder when only its name is (it is missing or unreadable).
    void watchOrAwaitCreation(const std::filesystem::path& fileURL, ChangeHandler onChange);
    // Ends the current watch: no handler runs afterwards and its descriptor is closed.
    void stop();

    // -1 when idle, negative after a failed open, else the inotify descriptor.
    int fileDescriptor() const { return fileDescriptor_; }
    State state() const { return state_; }

private:
    struct ActiveWatch;

    void activate(std::shared_ptr<ActiveWatch> watch, State state);
    void postIfExists(const std::filesystem::path& fileURL);
    // Logs why `fileURL` cannot be watched (`error` is an errno) and closes the
    // instance that could not be armed, if any.
    void failWith(const std::shared_ptr<ActiveWatch>& unused, const std::filesystem::path& fileURL, int error);

    MainQueue& queue_;
    std::shared_ptr<ActiveWatch> active_;
    int fileDescriptor_ = -1;
    State state_ = State::idle;
};

}  // namespace ledgerly
