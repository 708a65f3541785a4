#pragma once

#include <QLoggingCategory>

// Warnings are on by default; debug lines are switched on with, for example,
// QT_LOGGING_RULES="ledgerly.tray.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcFile)
Q_DECLARE_LOGGING_CATEGORY(lcMenu)
Q_DECLARE_LOGGING_CATEGORY(lcTray)
Q_DECLARE_LOGGING_CATEGORY(lcShortcut)
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
Q_DECLARE_LOGGING_CATEGORY(lcTiming)
