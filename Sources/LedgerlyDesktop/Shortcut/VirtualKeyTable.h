#pragma once

#include <Qt>

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace ledgerly {

// One key: its stored virtual key code (0 is A, 1 is S, 36 Return, 49 Space,
// 53 Escape, 123 to 126 the arrows), its X keysym, its Qt key and the keysym's
// name ("s", "Return", "space"), as shortcut triggers on Wayland spell it.
struct VirtualKey {
    std::uint16_t virtualKeyCode;
    std::uint32_t keysym;
    Qt::Key qtKey;
    std::string_view keysymName;
};

// Every key a shortcut can use here. The global shortcut grabs keys through
// it and the shortcut recorder reads Qt key events through it, so both agree.
std::span<const VirtualKey> virtualKeyTable();

// The X keysym of a virtual key code, or none for a key the table lacks.
std::optional<std::uint32_t> keysymForVirtualKey(std::uint16_t virtualKeyCode);
// The keysym name of a virtual key code, or none for a key the table lacks.
std::optional<std::string_view> keysymNameForVirtualKey(std::uint16_t virtualKeyCode);
// The virtual key code of an X keysym; upper-case letters count as their key.
std::optional<std::uint16_t> virtualKeyForKeysym(std::uint32_t keysym);
// The virtual key code of a Qt key, or none for a key the table lacks.
std::optional<std::uint16_t> virtualKeyForQtKey(int qtKey);

}  // namespace ledgerly
