#pragma once

#include <Qt>

#include <cstdint>

namespace ledgerly {

// Raw modifier bits as the core stores them. Option is Alt here and Command
// is Super, which Qt reports as Meta on X11.
inline constexpr std::uint64_t kShiftModifierBit = 0x20000;
inline constexpr std::uint64_t kControlModifierBit = 0x40000;
inline constexpr std::uint64_t kOptionModifierBit = 0x80000;
inline constexpr std::uint64_t kCommandModifierBit = 0x100000;

// Qt's keyboard modifiers as raw bits; keypad and group-switch flags are dropped.
std::uint64_t modifierFlagsFromQt(Qt::KeyboardModifiers modifiers);
// Raw bits as Qt's keyboard modifiers; bits other than the four are dropped.
Qt::KeyboardModifiers qtModifiersFromFlags(std::uint64_t flags);

}  // namespace ledgerly
