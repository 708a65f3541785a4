#include "LedgerlyDesktop/Shortcut/ModifierFlags.h"

#include <array>
#include <utility>

namespace ledgerly {
namespace {

constexpr std::array<std::pair<Qt::KeyboardModifier, std::uint64_t>, 4> kModifierTable = {{
    {Qt::ShiftModifier, kShiftModifierBit},
    {Qt::ControlModifier, kControlModifierBit},
    {Qt::AltModifier, kOptionModifierBit},
    {Qt::MetaModifier, kCommandModifierBit},
}};

}  // namespace

std::uint64_t modifierFlagsFromQt(Qt::KeyboardModifiers modifiers) {
    std::uint64_t flags = 0;
    for (const auto& [qtModifier, bit] : kModifierTable) {
        if (modifiers.testFlag(qtModifier)) {
            flags |= bit;
        }
    }
    return flags;
}

Qt::KeyboardModifiers qtModifiersFromFlags(std::uint64_t flags) {
    Qt::KeyboardModifiers modifiers;
    for (const auto& [qtModifier, bit] : kModifierTable) {
        if ((flags & bit) != 0) {
            modifiers |= qtModifier;
        }
    }
    return modifiers;
}

}  // namespace ledgerly
