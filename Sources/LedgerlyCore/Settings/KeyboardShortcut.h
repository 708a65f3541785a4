#pragma once

#include "LedgerlyCore/Settings/KeyEvent.h"
#include "LedgerlyCore/Settings/ModifierFlags.h"

#include <cstdint>
#include <optional>

namespace ledgerly {

// One hardware key plus a set of modifier keys: the global shortcut. Only
// Shift, Control, Option and Command are ever held. What a user reads of it
// (the desktop's "Ctrl+Alt+Super+S") is made by the shell, which knows the
// keyboard's own key names.
class KeyboardShortcut {
public:
    // The key code of a shortcut made of modifiers alone.
    static constexpr std::uint16_t modifierOnlyKeyCode = 65535;

    // The bits of carbonModifiers(), the mask a HotKeyBackend receives.
    static constexpr std::uint32_t hotKeyCommandMask = 0x0100;
    static constexpr std::uint32_t hotKeyShiftMask = 0x0200;
    static constexpr std::uint32_t hotKeyOptionMask = 0x0800;
    static constexpr std::uint32_t hotKeyControlMask = 0x1000;

    static const ModifierFlags allowedModifierMask;
    static const ModifierFlags requiredModifierMask;
    static const ModifierFlags hyperModifiers;
    static const KeyboardShortcut defaultOpenMenu;
    static const KeyboardShortcut modifierOnlyHyperKey;

    // Keeps the key code; drops every modifier bit outside allowedModifierMask.
    constexpr KeyboardShortcut(std::uint16_t keyCode, ModifierFlags modifiers);

    constexpr std::uint16_t keyCode() const { return keyCode_; }
    constexpr ModifierFlags modifiers() const { return modifiers_; }

    // A real key with at least one of Control, Option and Command.
    bool isValidGlobalShortcut() const;
    bool isModifierOnly() const;
    // The modifiers in the hot-key service's mask: the hotKey...Mask bits.
    std::uint32_t carbonModifiers() const;

    // The shortcut a recorded key press stands for, or none when the press
    // cannot be a global shortcut (not a key-down, Escape, a lone modifier,
    // a key that types no text and is not a letter, digit, punctuation or
    // editing key, no Control, Option or Command).
    static std::optional<KeyboardShortcut> from(const KeyEvent& event);

    bool operator==(const KeyboardShortcut&) const = default;

private:
    static bool isRecordableKeyEvent(const KeyEvent& event);

    std::uint16_t keyCode_;
    ModifierFlags modifiers_;
};

inline constexpr ModifierFlags KeyboardShortcut::allowedModifierMask =
    ModifierFlags::shift | ModifierFlags::control | ModifierFlags::option | ModifierFlags::command;
inline constexpr ModifierFlags KeyboardShortcut::requiredModifierMask =
    ModifierFlags::control | ModifierFlags::option | ModifierFlags::command;
inline constexpr ModifierFlags KeyboardShortcut::hyperModifiers = KeyboardShortcut::allowedModifierMask;

constexpr KeyboardShortcut::KeyboardShortcut(std::uint16_t keyCode, ModifierFlags modifiers)
    : keyCode_(keyCode), modifiers_(modifiers & allowedModifierMask) {}

inline constexpr KeyboardShortcut KeyboardShortcut::defaultOpenMenu{
    1, ModifierFlags::control | ModifierFlags::option | ModifierFlags::command};
inline constexpr KeyboardShortcut KeyboardShortcut::modifierOnlyHyperKey{modifierOnlyKeyCode, hyperModifiers};

}  // namespace ledgerly
