#include "LedgerlyDesktop/SettingsWindow/PlatformColors.h"

#include <algorithm>
#include <array>

namespace ledgerly {
namespace {

struct PaletteRole {
    PlatformColor color;
    QPalette::ColorRole role;
    // Secondary text is the primary text made fainter, as the platform does it,
    // so that it stays readable on light and dark backgrounds alike.
    qreal opacity;
};

constexpr std::array kPaletteRoles = std::to_array<PaletteRole>({
    {PlatformColor::labelColor, QPalette::WindowText, 1.0},
    {PlatformColor::placeholderTextColor, QPalette::PlaceholderText, 1.0},
    {PlatformColor::controlBackgroundColor, QPalette::Base, 1.0},
    {PlatformColor::separatorColor, QPalette::Mid, 1.0},
    {PlatformColor::secondaryLabelColor, QPalette::WindowText, 0.55},
    {PlatformColor::windowBackgroundColor, QPalette::Window, 1.0},
});

}  // namespace

QColor platformColor(PlatformColor color, const QPalette& palette) {
    const auto* found = std::find_if(kPaletteRoles.begin(), kPaletteRoles.end(),
                                     [&](const PaletteRole& entry) { return entry.color == color; });
    QColor result = palette.color(QPalette::Active, found->role);
    result.setAlphaF(result.alphaF() * static_cast<float>(found->opacity));
    return result;
}

}  // namespace ledgerly
