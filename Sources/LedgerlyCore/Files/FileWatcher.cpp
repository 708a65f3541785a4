#include "LedgerlyCore/Files/FileWatcher.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstring>

#include <cstdint>
#include <string_view>
#include <utility>

namespace ledgerly {
namespace {

// Write and extend both arrive as IN_MODIFY; IN_CLOSE_WRITE adds a last
// delivery once a writer is done, so the final read sees the finished file.
// Unlinking the file changes its link count, which arrives as IN_ATTRIB at
// once; IN_DELETE_SELF only follows when the last user lets go of it.
constexpr std::uint32_t fileEvents = IN_MODIFY | IN_CLOSE_WRITE | IN_MOVE_SELF | IN_DELETE_SELF | IN_ATTRIB;
constexpr std::uint32_t folderEvents = IN_CREATE | IN_MOVED_TO | IN_ONLYDIR | IN_EXCL_UNLINK;

bool existsAt(const std::filesystem::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0;
}

std::filesystem::path folderOf(const std::filesystem::path& fileURL) {
    const auto folder = fileURL.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// Whether one event counts as a change: any event of the file, but of the
// folder only those naming the awaited entry. IN_IGNORED only says that the
// kernel dropped the watch; an overflow may have lost anything.
bool isRelevant(std::uint32_t mask, std::string_view name, const std::string& awaitedName) {
    if ((mask & IN_IGNORED) != 0) {
        return false;
    }
    return awaitedName.empty() || (mask & IN_Q_OVERFLOW) != 0 || name == awaitedName;
}

// Reads every pending event; whether any of them counts.
bool drainEvents(int descriptor, const std::string& awaitedName) {
    alignas(inotify_event) char buffer[16 * (sizeof(inotify_event) + NAME_MAX + 1)];
    bool relevant = false;
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return relevant;
        }
        for (ssize_t offset = 0; offset < count;) {
            inotify_event event{};
            std::memcpy(&event, buffer + offset, sizeof event);
            // The name is NUL-padded to `len` bytes.
            const char* nameStart = buffer + offset + sizeof event;
            const std::string_view name(nameStart, ::strnlen(nameStart, event.len));
            relevant = isRelevant(event.mask, name, awaitedName) || relevant;
            offset += static_cast<ssize_t>(sizeof event + event.len);
        }
    }
}

}  // namespace

struct FileWatcher::ActiveWatch {
    int descriptor = -1;
    MainQueue::WatchId queueWatch = 0;
    std::string awaitedName;  // empty while watching the file itself
    ChangeHandler handler;
};

FileWatcher::FileWatcher(MainQueue& queue) : queue_(queue) {}

FileWatcher::~FileWatcher() { stop(); }

void FileWatcher::watch(const std::filesystem::path& fileURL, ChangeHandler onChange) {
    stop();
    int addError = 0;
    if (!armFile(fileURL, onChange, addError)) {
        fail();
    }
}

void FileWatcher::watchForCreation(const std::filesystem::path& fileURL, ChangeHandler onAppear) {
    stop();
    if (!armFolder(fileURL, onAppear)) {
        fail();
        return;
    }
    postIfExists(fileURL);
}

void FileWatcher::watchOrAwaitCreation(const std::filesystem::path& fileURL, ChangeHandler onChange) {
    stop();
    int addError = 0;
    if (armFile(fileURL, onChange, addError)) {
        return;
    }
    // Only a missing file is awaited; one that exists but cannot be watched
    // (no permission) would otherwise "appear" again on every re-arm.
    if (addError != ENOENT || !armFolder(fileURL, onChange)) {
        fail();
        return;
    }
    postIfExists(fileURL);
}

void FileWatcher::stop() {
    if (active_) {
        // Cancelled first: the queue then never reads a closed or reused descriptor.
        queue_.cancelWatch(active_->queueWatch);
        ::close(active_->descriptor);
        active_.reset();
    }
    fileDescriptor_ = -1;
    state_ = State::idle;
}

bool FileWatcher::armFile(const std::filesystem::path& fileURL, ChangeHandler& onChange, int& addError) {
    const int descriptor = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (descriptor < 0) {
        addError = errno;
        return false;
    }
    if (::inotify_add_watch(descriptor, fileURL.c_str(), fileEvents) < 0) {
        addError = errno;
        ::close(descriptor);
        return false;
    }
    activate(descriptor, State::watchingFile, {}, std::move(onChange));
    return true;
}

bool FileWatcher::armFolder(const std::filesystem::path& fileURL, ChangeHandler& onAppear) {
    const std::string name = fileURL.filename().string();
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    const int descriptor = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    if (::inotify_add_watch(descriptor, folderOf(fileURL).c_str(), folderEvents) < 0) {
        ::close(descriptor);
        return false;
    }
    activate(descriptor, State::watchingFolder, name, std::move(onAppear));
    return true;
}

void FileWatcher::activate(int descriptor, State state, std::string awaitedName, ChangeHandler handler) {
    active_ = std::make_shared<ActiveWatch>(ActiveWatch{descriptor, 0, std::move(awaitedName), std::move(handler)});
    // Weak, and locked for the whole delivery: the handler may stop or re-arm this watcher.
    active_->queueWatch = queue_.watchReadable(descriptor, [weak = std::weak_ptr<ActiveWatch>(active_)] {
        const auto watch = weak.lock();
        if (watch && drainEvents(watch->descriptor, watch->awaitedName)) {
            watch->handler();
        }
    });
    fileDescriptor_ = descriptor;
    state_ = state;
}

void FileWatcher::postIfExists(const std::filesystem::path& fileURL) {
    // The name may have appeared before the folder was watched; no event would tell.
    if (!existsAt(fileURL)) {
        return;
    }
    queue_.post([weak = std::weak_ptr<ActiveWatch>(active_)] {
        if (const auto watch = weak.lock()) {
            watch->handler();
        }
    });
}

void FileWatcher::fail() {
    fileDescriptor_ = -1;
    state_ = State::openFailed;
}

}  // namespace ledgerly
