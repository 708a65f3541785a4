#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ledgerly {

// The four facts of a key press that recording a shortcut looks at. The
// desktop shell fills it from its toolkit's event, in the platform's numbers.
struct KeyEvent {
    // The event type of a key press; any other type is never recorded.
    static constexpr std::uint64_t keyDownType = 10;

    std::uint64_t type = keyDownType;
    // The virtual key code (0 is A, 1 is S, 49 is Space, 53 is Escape).
    std::uint16_t keyCode = 0;
    // Raw modifier bits, as in ModifierFlags; other bits may be set too.
    std::uint64_t modifierFlags = 0;
    // What the key would type without modifiers; none when the toolkit gives nothing.
    std::optional<std::string> charactersIgnoringModifiers;

    bool operator==(const KeyEvent&) const = default;
};

}  // namespace ledgerly
