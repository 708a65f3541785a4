#include "LedgerlyDesktop/QtLogSink.h"

#include "LedgerlyDesktop/LogCategories.h"

Q_LOGGING_CATEGORY(lcFile, "ledgerly.file", QtWarningMsg)
Q_LOGGING_CATEGORY(lcMenu, "ledgerly.menu", QtWarningMsg)
Q_LOGGING_CATEGORY(lcTray, "ledgerly.tray", QtWarningMsg)
Q_LOGGING_CATEGORY(lcShortcut, "ledgerly.shortcut", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSettings, "ledgerly.settings", QtWarningMsg)
Q_LOGGING_CATEGORY(lcTiming, "ledgerly.timing", QtWarningMsg)

namespace ledgerly {
namespace {

using CategoryFunction = const QLoggingCategory& (*)();

CategoryFunction qtCategory(LogCategory category) {
    switch (category) {
    case LogCategory::file:
        return lcFile;
    case LogCategory::menu:
        return lcMenu;
    case LogCategory::tray:
        return lcTray;
    case LogCategory::shortcut:
        return lcShortcut;
    case LogCategory::settings:
        return lcSettings;
    case LogCategory::timing:
        return lcTiming;
    }
    return lcFile;
}

}  // namespace

QtLogSink& QtLogSink::instance() {
    static QtLogSink sink;
    return sink;
}

bool QtLogSink::isEnabled(LogCategory category, LogLevel level) const {
    const QLoggingCategory& target = qtCategory(category)();
    return level == LogLevel::debug ? target.isDebugEnabled() : target.isWarningEnabled();
}

void QtLogSink::write(LogCategory category, LogLevel level, std::string_view message) {
    const CategoryFunction target = qtCategory(category);
    const QString text = QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
    if (level == LogLevel::debug) {
        qCDebug(target).noquote() << text;
    } else {
        qCWarning(target).noquote() << text;
    }
}

}  // namespace ledgerly
