#pragma once

#include <QColor>
#include <QPalette>

namespace ledgerly {

// The colours the settings window is described in, by their platform names.
enum class PlatformColor {
    labelColor,
    placeholderTextColor,
    controlBackgroundColor,
    separatorColor,
    secondaryLabelColor,
    windowBackgroundColor,
};

// `color` as `palette` has it, so that light and dark palettes both work.
QColor platformColor(PlatformColor color, const QPalette& palette);

}  // namespace ledgerly
