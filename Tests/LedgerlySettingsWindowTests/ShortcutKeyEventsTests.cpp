#include "LedgerlyDesktop/SettingsWindow/ShortcutKeyEvents.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

KeyEvent press(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text = QString()) {
    return keyEventFromQt(QKeyEvent(QEvent::KeyPress, key, modifiers, text));
}

TEST(ShortcutKeyEvents, KeyPressBecomesKeyDownWithVirtualKeyAndRawModifiers) {
    const KeyEvent event = press(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier, QStringLiteral("\x0b"));
    EXPECT_EQ(KeyEvent::keyDownType, event.type);
    EXPECT_EQ(40, event.keyCode);
    EXPECT_EQ(0x40000u | 0x20000u, event.modifierFlags);
    // What the key types without modifiers, not the control character Ctrl makes of it.
    EXPECT_EQ(std::optional<std::string>("k"), event.charactersIgnoringModifiers);
}

TEST(ShortcutKeyEvents, AltIsOptionAndSuperIsCommand) {
    const KeyEvent event = press(Qt::Key_S, Qt::AltModifier | Qt::MetaModifier);
    EXPECT_EQ(1, event.keyCode);
    EXPECT_EQ(0x80000u | 0x100000u, event.modifierFlags);
}

TEST(ShortcutKeyEvents, ModifierKeysAloneAreFlagChanges) {
    for (const Qt::Key key :
         {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_Meta, Qt::Key_Super_L, Qt::Key_CapsLock}) {
        EXPECT_EQ(kFlagsChangedEventType, press(key, Qt::NoModifier).type) << key;
    }
}

TEST(ShortcutKeyEvents, BacktabIsTheTabKey) {
    EXPECT_EQ(48, press(Qt::Key_Backtab, Qt::ShiftModifier | Qt::ControlModifier).keyCode);
}

TEST(ShortcutKeyEvents, FunctionKeysCanBeRecorded) {
    const auto shortcut = KeyboardShortcut::from(press(Qt::Key_F5, Qt::ControlModifier));
    ASSERT_TRUE(shortcut.has_value());
    EXPECT_EQ(96, shortcut->keyCode());
}

TEST(ShortcutKeyEvents, KeysOutsideTheTableFormNoShortcut) {
    const KeyEvent event = press(Qt::Key_Pause, Qt::ControlModifier);
    EXPECT_EQ(KeyboardShortcut::modifierOnlyKeyCode, event.keyCode);
    EXPECT_FALSE(KeyboardShortcut::from(event).has_value());
}

TEST(ShortcutKeyEvents, EscapeIsKeyCode53) { EXPECT_EQ(53, press(Qt::Key_Escape, Qt::ControlModifier).keyCode); }

TEST(ShortcutKeyEvents, LinuxTextNamesModifiersInOrderThenTheKey) {
    EXPECT_EQ(QStringLiteral("Ctrl+Alt+Super+S"), linuxShortcutText(KeyboardShortcut::defaultOpenMenu));
    const ModifierFlags all = KeyboardShortcut::hyperModifiers;
    EXPECT_EQ(QStringLiteral("Ctrl+Alt+Shift+Super+Left"), linuxShortcutText(KeyboardShortcut(123, all)));
    EXPECT_EQ(QStringLiteral("Ctrl+Alt+Shift+Super"), linuxShortcutText(KeyboardShortcut::modifierOnlyHyperKey));
    EXPECT_EQ(QStringLiteral("Ctrl+Key 10"), linuxShortcutText(KeyboardShortcut(10, ModifierFlags::control)));
}

}  // namespace
}  // namespace ledgerly::testing
