#pragma once

#include "LedgerlyCore/Settings/KeyEvent.h"
#include "LedgerlyCore/Settings/KeyboardShortcut.h"

#include <QString>

#include <cstdint>

class QKeyEvent;

namespace ledgerly {

// The event type of a change of the held modifier keys: what pressing or
// releasing Shift, Ctrl, Alt or Super alone is, never a key press.
inline constexpr std::uint64_t kFlagsChangedEventType = 12;

// Whether `qtKey` is a modifier key (Shift, Ctrl, Alt, AltGr, Super, Meta, Hyper, Caps Lock).
bool isModifierKey(int qtKey);

// A Qt key press or release as the core's key event: key codes through the
// shared virtual key table, modifiers as raw bits, modifier keys alone as a
// flags change. A shifted symbol counts as its key ("!" as 1) on X11; a key
// the table lacks gets the modifier-only key code.
KeyEvent keyEventFromQt(const QKeyEvent& event);

// The shortcut with the Linux key names, "Ctrl+Alt+Super+S".
QString linuxShortcutText(const KeyboardShortcut& shortcut);

}  // namespace ledgerly
