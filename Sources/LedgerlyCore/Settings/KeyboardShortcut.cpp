#include "LedgerlyCore/Settings/KeyboardShortcut.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>
#include <utility>

namespace ledgerly {
namespace {

// Names of the keys a shortcut may show, by virtual key code.
constexpr std::pair<std::uint16_t, std::string_view> namedKeys[] = {
    {0, "A"},
    {1, "S"},
    {2, "D"},
    {3, "F"},
    {4, "H"},
    {5, "G"},
    {6, "Z"},
    {7, "X"},
    {8, "C"},
    {9, "V"},
    {11, "B"},
    {12, "Q"},
    {13, "W"},
    {14, "E"},
    {15, "R"},
    {16, "Y"},
    {17, "T"},
    {18, "1"},
    {19, "2"},
    {20, "3"},
    {21, "4"},
    {22, "6"},
    {23, "5"},
    {24, "="},
    {25, "9"},
    {26, "7"},
    {27, "-"},
    {28, "8"},
    {29, "0"},
    {30, "]"},
    {31, "O"},
    {32, "U"},
    {33, "["},
    {34, "I"},
    {35, "P"},
    {36, "Return"},
    {37, "L"},
    {38, "J"},
    {39, "'"},
    {40, "K"},
    {41, ";"},
    {42, "\\"},
    {43, ","},
    {44, "/"},
    {45, "N"},
    {46, "M"},
    {47, "."},
    {48, "Tab"},
    {49, "Space"},
    {50, "`"},
    {51, "Delete"},
    {53, "Escape"},
    {123, "Left Arrow"},
    {124, "Right Arrow"},
    {125, "Down Arrow"},
    {126, "Up Arrow"},
};

std::optional<std::string_view> tableName(std::uint16_t keyCode) {
    const auto* found = std::find_if(std::begin(namedKeys), std::end(namedKeys),
                                     [keyCode](const auto& entry) { return entry.first == keyCode; });
    if (found == std::end(namedKeys)) {
        return std::nullopt;
    }
    return found->second;
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

std::string KeyboardShortcut::displayString() const {
    // The reading order, not the order of the bits.
    constexpr std::array<std::pair<ModifierFlags, std::string_view>, 4> words{{
        {ModifierFlags::control, "Control"},
        {ModifierFlags::option, "Option"},
        {ModifierFlags::shift, "Shift"},
        {ModifierFlags::command, "Command"},
    }};
    std::string result;
    const auto append = [&result](std::string_view word) {
        result += result.empty() ? "" : " + ";
        result += word;
    };
    for (const auto& [flag, word] : words) {
        if (modifiers_.contains(flag)) {
            append(word);
        }
    }
    if (!isModifierOnly()) {
        append(keyName(keyCode_));
    }
    return result;
}

std::string KeyboardShortcut::symbolDisplayString() const {
    constexpr std::array<std::pair<ModifierFlags, std::string_view>, 4> symbols{{
        {ModifierFlags::control, "⌃"},
        {ModifierFlags::option, "⌥"},
        {ModifierFlags::shift, "⇧"},
        {ModifierFlags::command, "⌘"},
    }};
    std::string result;
    for (const auto& [flag, symbol] : symbols) {
        if (modifiers_.contains(flag)) {
            result += symbol;
        }
    }
    if (!isModifierOnly()) {
        result += keyName(keyCode_);
    }
    return result;
}

std::string KeyboardShortcut::keyName(std::uint16_t keyCode) {
    if (const auto name = tableName(keyCode)) {
        return std::string(*name);
    }
    return "Key " + std::to_string(keyCode);
}

bool KeyboardShortcut::isRecordableKeyEvent(const KeyEvent& event) {
    if (!event.charactersIgnoringModifiers.value_or("").empty()) {
        return true;
    }
    if (event.keyCode >= firstModifierKeyCode && event.keyCode <= lastModifierKeyCode) {
        return false;
    }
    return tableName(event.keyCode).has_value();
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
