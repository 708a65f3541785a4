#pragma once

#include "LedgerlyCore/Platform/Log.h"

namespace ledgerly {

// Sends the core's log lines to the shell's logging categories.
class QtLogSink final : public LogSink {
public:
    // The process's one sink, installed with setLogSink() at start-up.
    static QtLogSink& instance();

    bool isEnabled(LogCategory category, LogLevel level) const override;
    void write(LogCategory category, LogLevel level, std::string_view message) override;
};

}  // namespace ledgerly
