#pragma once

#include "LedgerlyCore/Platform/FileWatcher.h"
#include "Support/PollMainQueue.h"
#include "Support/TempDirectory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

// Real files, real inotify and the poll-based queue, shared by the watcher tests.
namespace ledgerly::testing {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// A generous bound: reaching it means the event never came.
inline constexpr auto eventLimit = 30s;

inline void append(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::app | std::ios::binary) << text;
}

// What editors do on save: write a new file beside the old one, rename it over.
inline void saveAtomically(const fs::path& path, const std::string& text) {
    const auto temporary = fs::path(path).concat(".tmp");
    std::ofstream(temporary, std::ios::binary | std::ios::trunc) << text;
    fs::rename(temporary, path);
}

// The inotify instances this process holds, read from /proc/self/fd.
inline int openInotifyDescriptors() {
    int count = 0;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (fs::read_symlink(entry.path(), error).string() == "anon_inode:inotify") {
            ++count;
        }
    }
    return count;
}

// Whether any descriptor of this process refers to `path`.
inline bool processHoldsOpen(const fs::path& path) {
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (fs::read_symlink(entry.path(), error) == path) {
            return true;
        }
    }
    return false;
}

class FileWatcherTest : public ::testing::Test {
protected:
    TempDirectory folder;
    PollMainQueue queue;
    FileWatcher watcher{queue};
    fs::path file = folder.writeFile("links.md", "# Links\n");
    int calls = 0;

    FileWatcher::ChangeHandler counter() {
        return [this] { ++calls; };
    }
    // A handler that re-arms on the path after each change, as the owner does.
    FileWatcher::ChangeHandler rearmingCounter() {
        return [this] {
            ++calls;
            watcher.watchOrAwaitCreation(file, rearmingCounter());
        };
    }
    bool waitForCalls(int expected) {
        return queue.runUntil([&] { return calls >= expected; }, eventLimit);
    }
    // inotify queues an event before the system call that caused it returns,
    // so running what is ready now is enough to see every delivery.
    void runReady() {
        while (queue.runOnce(0ms)) {
        }
    }
};

}  // namespace ledgerly::testing
