#include "LedgerlyCore/Platform/FileWatcher.h"

#include "LedgerlyCore/Platform/Log.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstring>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace ledgerly {
namespace {

// Write and extend both arrive as IN_MODIFY; IN_CLOSE_WRITE adds a last
// delivery once a writer is done, so the final read sees the finished file.
// Unlinking the file changes its link count, which arrives as IN_ATTRIB at
// once; IN_DELETE_SELF only follows when the last user lets go of it.
constexpr std::uint32_t fileEvents = IN_MODIFY | IN_CLOSE_WRITE | IN_MOVE_SELF | IN_DELETE_SELF | IN_ATTRIB;
constexpr std::uint32_t creationEvents = IN_CREATE | IN_MOVED_TO | IN_ONLYDIR | IN_EXCL_UNLINK;
// What happens to a name in its folder: chmod of the entry arrives as IN_ATTRIB
// (also when the file itself cannot be watched), and "ln -sfn" re-points a
// link by renaming a new one onto the name (IN_MOVED_TO) or by unlinking and
// creating it.
constexpr std::uint32_t nameEvents = creationEvents | IN_DELETE | IN_MOVED_FROM | IN_ATTRIB;
// Enough for any chain that the system itself would follow (its own limit is 40).
constexpr int maximumLinkHops = 40;

bool existsAt(const std::filesystem::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0;
}

std::filesystem::path folderOf(const std::filesystem::path& fileURL) {
    const auto folder = fileURL.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

bool isEntryName(const std::string& name) { return !name.empty() && name != "." && name != ".."; }

// Where a chain of symbolic links at `path` ends (which need not exist); none
// when `path` is no link.
std::optional<std::filesystem::path> linkTarget(const std::filesystem::path& path) {
    std::filesystem::path current = path;
    bool followed = false;
    std::error_code error;
    for (int hop = 0; hop < maximumLinkHops && std::filesystem::is_symlink(current, error); ++hop) {
        const auto target = std::filesystem::read_symlink(current, error);
        if (error) {
            break;
        }
        current = target.is_absolute() ? target : folderOf(current) / target;
        followed = true;
    }
    return followed ? std::optional(current) : std::nullopt;
}

}  // namespace

// One inotify instance with its watches: the file itself (no names) and
// folders, each with the names in it that count.
struct FileWatcher::ActiveWatch {
    int descriptor = -1;
    MainQueue::WatchId queueWatch = 0;
    std::map<int, std::vector<std::string>> awaitedNames;
    ChangeHandler handler;

    // None when the system gives no inotify instance.
    static std::shared_ptr<ActiveWatch> make(ChangeHandler handler) {
        const int descriptor = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (descriptor < 0) {
            return nullptr;
        }
        return std::make_shared<ActiveWatch>(ActiveWatch{descriptor, 0, {}, std::move(handler)});
    }

    // The watch descriptor, or -1 with errno set.
    int add(const std::filesystem::path& path, std::uint32_t events) const {
        return ::inotify_add_watch(descriptor, path.c_str(), events);
    }
    bool addFile(const std::filesystem::path& fileURL) {
        const int watch = add(fileURL, fileEvents);
        if (watch >= 0) {
            awaitedNames[watch].clear();
        }
        return watch >= 0;
    }
    // One folder may be asked for twice (a link beside its target): it has one watch descriptor.
    bool addName(const std::filesystem::path& fileURL, std::uint32_t events) {
        const std::string name = fileURL.filename().string();
        if (!isEntryName(name)) {
            errno = EINVAL;  // no name to wait for, such as "/"
            return false;
        }
        const int watch = add(folderOf(fileURL), events);
        if (watch < 0) {
            return false;
        }
        awaitedNames[watch].push_back(name);
        return true;
    }

    // Whether one event counts: any of the file, but of a folder only those
    // naming an awaited entry. IN_IGNORED only says that the kernel dropped a
    // watch; an overflow may have lost anything.
    bool isRelevant(const inotify_event& event, std::string_view name) const {
        if ((event.mask & IN_Q_OVERFLOW) != 0) {
            logDebug(LogCategory::file, "Too many file events at once; reading the file again");
            return true;
        }
        const auto found = awaitedNames.find(event.wd);
        if ((event.mask & IN_IGNORED) != 0 || found == awaitedNames.end()) {
            return false;
        }
        const auto& names = found->second;
        return names.empty() || std::find(names.begin(), names.end(), name) != names.end();
    }

    // Reads every pending event; whether any of them counts.
    bool drainEvents() const {
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
                relevant = isRelevant(event, std::string_view(nameStart, ::strnlen(nameStart, event.len))) || relevant;
                offset += static_cast<ssize_t>(sizeof event + event.len);
            }
        }
    }
};

FileWatcher::FileWatcher(MainQueue& queue) : queue_(queue) {}

FileWatcher::~FileWatcher() { stop(); }

void FileWatcher::watch(const std::filesystem::path& fileURL, ChangeHandler onChange) {
    stop();
    auto watch = ActiveWatch::make(std::move(onChange));
    if (!watch || !watch->addFile(fileURL)) {
        failWith(watch, fileURL, errno);
        return;
    }
    activate(std::move(watch), State::watchingFile);
}

void FileWatcher::watchOrAwaitCreation(const std::filesystem::path& fileURL, ChangeHandler onChange) {
    stop();
    auto watch = ActiveWatch::make(std::move(onChange));
    if (!watch) {
        failWith(watch, fileURL, errno);
        return;
    }
    const bool fileWatched = watch->addFile(fileURL);
    const int fileError = errno;
    bool nameWatched = watch->addName(fileURL, nameEvents);
    if (const auto target = linkTarget(fileURL)) {
        nameWatched = watch->addName(*target, nameEvents) || nameWatched;
    }
    if (!fileWatched && !nameWatched) {
        failWith(watch, fileURL, fileError);
        return;
    }
    if (!fileWatched) {
        logDebug(LogCategory::file, "Watching for \"" + fileURL.string() +
                                        "\" in its folder: the file itself cannot be watched (" +
                                        std::strerror(fileError) + ")");
    }
    activate(std::move(watch), fileWatched ? State::watchingFile : State::watchingFolder);
    // Only a missing file may have appeared unseen; one that exists but cannot
    // be watched (no permission) would otherwise "appear" on every re-arm.
    if (!fileWatched && fileError == ENOENT) {
        postIfExists(fileURL);
    }
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

void FileWatcher::activate(std::shared_ptr<ActiveWatch> watch, State state) {
    active_ = std::move(watch);
    // Weak, and locked for the whole delivery: the handler may stop or re-arm this watcher.
    active_->queueWatch = queue_.watchReadable(active_->descriptor, [weak = std::weak_ptr<ActiveWatch>(active_)] {
        const auto watch = weak.lock();
        if (watch && watch->drainEvents()) {
            watch->handler();
        }
    });
    fileDescriptor_ = active_->descriptor;
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

void FileWatcher::failWith(const std::shared_ptr<ActiveWatch>& unused, const std::filesystem::path& fileURL,
                           int error) {
    // Nothing on screen says that the menu has stopped following the file.
    logWarning(LogCategory::file, "Cannot follow changes of \"" + fileURL.string() + "\" (" + std::strerror(error) +
                                      "); the menu changes only on Refresh");
    if (unused) {
        ::close(unused->descriptor);
    }
    fileDescriptor_ = -1;
    state_ = State::openFailed;
}

}  // namespace ledgerly
