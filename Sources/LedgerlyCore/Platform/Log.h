#pragma once

#include <string_view>

namespace ledgerly {

// What a log line is about; the desktop maps each to a logging category
// ("ledgerly.file", ...) that users switch with QT_LOGGING_RULES.
enum class LogCategory { file, menu, tray, shortcut, settings, timing };

enum class LogLevel { debug, warning };

// "ledgerly.file", "ledgerly.menu", ...
std::string_view categoryName(LogCategory category);

// Where the core's log lines go. Called from any thread.
class LogSink {
public:
    LogSink() = default;
    LogSink(const LogSink&) = delete;
    LogSink& operator=(const LogSink&) = delete;
    virtual ~LogSink() = default;

    // Whether lines of `level` in `category` are wanted, so callers can skip composing them.
    virtual bool isEnabled(LogCategory category, LogLevel level) const = 0;
    // Writes one line; `message` has no line break at its end.
    virtual void write(LogCategory category, LogLevel level, std::string_view message) = 0;
};

// Makes `sink` the process's sink; it must outlive every later log call.
// Null restores the default, which writes warnings to standard error and
// drops debug lines.
void setLogSink(LogSink* sink);
// A sink that drops every line, for tools that report each failure themselves.
LogSink& silentLogSink();

bool isLogEnabled(LogCategory category, LogLevel level);
void logWarning(LogCategory category, std::string_view message);
void logDebug(LogCategory category, std::string_view message);

}  // namespace ledgerly
