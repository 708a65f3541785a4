#include "LedgerlyCore/Settings/KeyboardShortcut.h"

#include <algorithm>
#include <iterator>

namespace ledgerly {
namespace {

// Keys that make a shortcut even when they type no text: the letters,
// digits and punctuation, Return, Tab, Space, Backspace, Escape and the arrows.
constexpr std::uint16_t keysRecordableWithoutText[] = {
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25,  26,  27,  28,
    29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 53, 123, 124, 125, 126,
};

bool isRecordableWithoutText(std::uint16_t keyCode) {
    return std::find(std::begin(keysRecordableWithoutText), std::end(keysRecordableWithoutText), keyCode) !=
           std::end(keysRecordableWithoutText);
}

constexpr std::uint16_t escapeKeyCode = 53;
constexpr std::uint16_t firstModifierKeyCode = 54;
constexpr std::uint16_t lastModifierKeyCode = 62;

}  // namespace

bool KeyboardShortcut::isValidGlobalShortcut() const {
    return !isModifierOnly() && modifiers_.intersects(requiredModifierMask);
}

bool KeyboardShortcut::isModifierOnly() const { return keyCode_ == modifierOnlyKeyCode; }

std::uint32_t KeyboardShortcut::carbonModifiers() const {
    std::uint32_t mask = 0;
    if (modifiers_.contains(ModifierFlags::command)) {
        mask |= hotKeyCommandMask;
    }
    if (modifiers_.contains(ModifierFlags::shift)) {
        mask |= hotKeyShiftMask;
    }
    if (modifiers_.contains(ModifierFlags::option)) {
        mask |= hotKeyOptionMask;
    }
    if (modifiers_.contains(ModifierFlags::control)) {
        mask |= hotKeyControlMask;
    }
    return mask;
}

bool KeyboardShortcut::isRecordableKeyEvent(const KeyEvent& event) {
    if (!event.charactersIgnoringModifiers.value_or("").empty()) {
        return true;
    }
    if (event.keyCode >= firstModifierKeyCode && event.keyCode <= lastModifierKeyCode) {
        return false;
    }
    return isRecordableWithoutText(event.keyCode);
}

std::optional<KeyboardShortcut> KeyboardShortcut::from(const KeyEvent& event) {
    if (event.type != KeyEvent::keyDownType || event.keyCode == escapeKeyCode || !isRecordableKeyEvent(event)) {
        return std::nullopt;
    }
    const ModifierFlags flags{event.modifierFlags};
    if (!flags.intersects(requiredModifierMask) || event.keyCode == modifierOnlyKeyCode) {
        return std::nullopt;
    }
    return KeyboardShortcut(event.keyCode, flags);
}

}  // namespace ledgerly
