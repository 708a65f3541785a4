#include "LedgerlyCore/Platform/Log.h"

#include <atomic>
#include <cstdio>

namespace ledgerly {
namespace {

class StandardErrorSink final : public LogSink {
public:
    bool isEnabled(LogCategory, LogLevel level) const override { return level == LogLevel::warning; }
    void write(LogCategory category, LogLevel level, std::string_view message) override {
        if (!isEnabled(category, level)) {
            return;
        }
        const std::string_view name = categoryName(category);
        std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(name.size()), name.data(),
                     static_cast<int>(message.size()), message.data());
    }
};

class SilentSink final : public LogSink {
public:
    bool isEnabled(LogCategory, LogLevel) const override { return false; }
    void write(LogCategory, LogLevel, std::string_view) override {}
};

StandardErrorSink standardErrorSink;
SilentSink silentSink;
std::atomic<LogSink*> currentSink{&standardErrorSink};

}  // namespace

std::string_view categoryName(LogCategory category) {
    switch (category) {
    case LogCategory::file:
        return "ledgerly.file";
    case LogCategory::menu:
        return "ledgerly.menu";
    case LogCategory::tray:
        return "ledgerly.tray";
    case LogCategory::shortcut:
        return "ledgerly.shortcut";
    case LogCategory::settings:
        return "ledgerly.settings";
    case LogCategory::timing:
        return "ledgerly.timing";
    }
    return "ledgerly";
}

void setLogSink(LogSink* sink) { currentSink.store(sink != nullptr ? sink : &standardErrorSink); }

LogSink& silentLogSink() { return silentSink; }

bool isLogEnabled(LogCategory category, LogLevel level) { return currentSink.load()->isEnabled(category, level); }

void logWarning(LogCategory category, std::string_view message) {
    currentSink.load()->write(category, LogLevel::warning, message);
}

void logDebug(LogCategory category, std::string_view message) {
    LogSink* sink = currentSink.load();
    if (sink->isEnabled(category, LogLevel::debug)) {
        sink->write(category, LogLevel::debug, message);
    }
}

}  // namespace ledgerly
