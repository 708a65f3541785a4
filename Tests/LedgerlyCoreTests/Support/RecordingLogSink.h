#pragma once

#include "LedgerlyCore/Platform/Log.h"

#include <string>
#include <string_view>
#include <vector>

namespace ledgerly::testing {

// Keeps every line logged while it is installed, debug lines included, as
// "ledgerly.file debug: message" or "ledgerly.file warning: message".
class RecordingLogSink final : public LogSink {
public:
    RecordingLogSink() { setLogSink(this); }
    RecordingLogSink(const RecordingLogSink&) = delete;
    RecordingLogSink& operator=(const RecordingLogSink&) = delete;
    ~RecordingLogSink() override { setLogSink(nullptr); }

    bool isEnabled(LogCategory, LogLevel) const override { return true; }
    void write(LogCategory category, LogLevel level, std::string_view message) override {
        lines.push_back(std::string(categoryName(category)) + (level == LogLevel::debug ? " debug: " : " warning: ") +
                        std::string(message));
    }

    std::vector<std::string> lines;
};

}  // namespace ledgerly::testing
