#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace ledgerly {

// One Ledgerly per user and display, also without a session bus: an advisory
// lock (flock) on a file in $XDG_RUNTIME_DIR, held for the life of the object.
// The system drops it when the process ends, however it ends.
class SingleInstanceLock final {
public:
    enum class Outcome {
        acquired,       // this process is the one
        heldElsewhere,  // another Ledgerly runs on this display
        unavailable,    // no runtime folder or no lock to be had: nothing is known
    };

    explicit SingleInstanceLock(const QProcessEnvironment& environment);
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;
    ~SingleInstanceLock();

    // "$XDG_RUNTIME_DIR/ledgerly-<display>.lock"; empty without a usable runtime folder.
    static QString lockFilePath(const QProcessEnvironment& environment);

    Outcome outcome() const { return outcome_; }

private:
    int descriptor_ = -1;
    Outcome outcome_ = Outcome::unavailable;
};

}  // namespace ledgerly
