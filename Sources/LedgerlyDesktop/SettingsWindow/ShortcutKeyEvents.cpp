#include "LedgerlyDesktop/SettingsWindow/ShortcutKeyEvents.h"

#include "LedgerlyDesktop/Shortcut/ModifierFlags.h"
#include "LedgerlyDesktop/Shortcut/VirtualKeyTable.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QStringList>

#include <xcb/xcb_keysyms.h>

#include <algorithm>
#include <array>
#include <optional>

namespace ledgerly {
namespace {

constexpr std::array kModifierKeys = {
    Qt::Key_Shift,   Qt::Key_Control, Qt::Key_Alt,     Qt::Key_AltGr,   Qt::Key_Meta,
    Qt::Key_Super_L, Qt::Key_Super_R, Qt::Key_Hyper_L, Qt::Key_Hyper_R, Qt::Key_CapsLock,
};

constexpr std::uint32_t kLastLatin1Keysym = 0xff;

std::optional<Qt::Key> qtKeyForVirtualKey(std::uint16_t keyCode) {
    const auto table = virtualKeyTable();
    const auto found =
        std::find_if(table.begin(), table.end(), [&](const VirtualKey& key) { return key.virtualKeyCode == keyCode; });
    return found == table.end() ? std::nullopt : std::optional<Qt::Key>(found->qtKey);
}

// Shift+Tab arrives as Backtab; it is the Tab key all the same.
int unshiftedQtKey(int qtKey) { return qtKey == Qt::Key_Backtab ? Qt::Key_Tab : qtKey; }

// What the key types without modifiers: its unshifted character for the
// character keys, and for the function and navigation keys their name, as
// the platform gives those keys characters of their own.
std::optional<std::string> charactersIgnoringModifiers(std::uint16_t keyCode) {
    const auto keysym = keysymForVirtualKey(keyCode);
    const auto qtKey = qtKeyForVirtualKey(keyCode);
    if (!keysym || !qtKey) {
        return std::nullopt;
    }
    if (*keysym <= kLastLatin1Keysym) {
        return QString(QChar(static_cast<char16_t>(*keysym))).toStdString();
    }
    return QKeySequence(*qtKey).toString(QKeySequence::PortableText).toStdString();
}

// With Shift held X reports the shifted symbol ("!" on the 1 key), which is
// no key of its own; the key is what its first level types.
std::optional<std::uint16_t> virtualKeyOfScanCode(quint32 scanCode) {
    const auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || scanCode == 0) {
        return std::nullopt;
    }
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(x11->connection());
    const xcb_keysym_t keysym = xcb_key_symbols_get_keysym(symbols, static_cast<xcb_keycode_t>(scanCode), 0);
    xcb_key_symbols_free(symbols);
    return virtualKeyForKeysym(keysym);
}

std::optional<std::uint16_t> virtualKeyOf(const QKeyEvent& event) {
    const auto keyCode = virtualKeyForQtKey(unshiftedQtKey(event.key()));
    return keyCode ? keyCode : virtualKeyOfScanCode(event.nativeScanCode());
}

}  // namespace

bool isModifierKey(int qtKey) {
    return std::find(kModifierKeys.begin(), kModifierKeys.end(), qtKey) != kModifierKeys.end();
}

KeyEvent keyEventFromQt(const QKeyEvent& event) {
    KeyEvent result;
    result.modifierFlags = modifierFlagsFromQt(event.modifiers());
    if (isModifierKey(event.key())) {
        result.type = kFlagsChangedEventType;
        result.keyCode = KeyboardShortcut::modifierOnlyKeyCode;
        return result;
    }
    result.type = KeyEvent::keyDownType;
    const auto keyCode = virtualKeyOf(event);
    result.keyCode = keyCode.value_or(KeyboardShortcut::modifierOnlyKeyCode);
    if (keyCode) {
        result.charactersIgnoringModifiers = charactersIgnoringModifiers(*keyCode);
    }
    return result;
}

QString linuxShortcutText(const KeyboardShortcut& shortcut) {
    QStringList parts;
    const ModifierFlags modifiers = shortcut.modifiers();
    const std::array<std::pair<ModifierFlags, const char*>, 4> names = {{
        {ModifierFlags::control, "Ctrl"},
        {ModifierFlags::option, "Alt"},
        {ModifierFlags::shift, "Shift"},
        {ModifierFlags::command, "Super"},
    }};
    for (const auto& [flag, name] : names) {
        if (modifiers.contains(flag)) {
            parts.append(QString::fromLatin1(name));
        }
    }
    if (!shortcut.isModifierOnly()) {
        const auto qtKey = qtKeyForVirtualKey(shortcut.keyCode());
        parts.append(qtKey ? QKeySequence(*qtKey).toString(QKeySequence::PortableText)
                           : QStringLiteral("Key %1").arg(shortcut.keyCode()));
    }
    return parts.join(QLatin1Char('+'));
}

}  // namespace ledgerly
