#pragma once

#include <QFont>

namespace ledgerly {

// The text styles of the settings window, derived from the desktop's font.
enum class TextStyle {
    headline,
    body,
    callout,
};

QFont textStyleFont(TextStyle style);

}  // namespace ledgerly
