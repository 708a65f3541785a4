#pragma once

#include <string>
#include <vector>

namespace ledgerly::testing {

// One ordered record of calls across several fakes, for tests that care
// which platform call came first ("application.activate" before "panels.runOpenPanel").
class CallLog {
public:
    void record(std::string call) { calls_.push_back(std::move(call)); }
    const std::vector<std::string>& calls() const { return calls_; }
    void clear() { calls_.clear(); }

private:
    std::vector<std::string> calls_;
};

// Records `call` when a log was given.
inline void recordCall(CallLog* log, std::string call) {
    if (log != nullptr) {
        log->record(std::move(call));
    }
}

}  // namespace ledgerly::testing
