#include "LedgerlyDesktop/Shortcut/VirtualKeyTable.h"

#include <algorithm>
#include <array>

namespace ledgerly {
namespace {

// Keysyms of the Latin-1 keys equal their lower-case character; the others,
// and every name, come from X11/keysymdef.h (xkbcommon reads the same names).
// Codes 96 to 122 are the function and navigation keys, which type no
// character but make good global shortcuts.
constexpr std::array kVirtualKeys = std::to_array<VirtualKey>({
    {0, 0x0061, Qt::Key_A, "a"},
    {1, 0x0073, Qt::Key_S, "s"},
    {2, 0x0064, Qt::Key_D, "d"},
    {3, 0x0066, Qt::Key_F, "f"},
    {4, 0x0068, Qt::Key_H, "h"},
    {5, 0x0067, Qt::Key_G, "g"},
    {6, 0x007a, Qt::Key_Z, "z"},
    {7, 0x0078, Qt::Key_X, "x"},
    {8, 0x0063, Qt::Key_C, "c"},
    {9, 0x0076, Qt::Key_V, "v"},
    {11, 0x0062, Qt::Key_B, "b"},
    {12, 0x0071, Qt::Key_Q, "q"},
    {13, 0x0077, Qt::Key_W, "w"},
    {14, 0x0065, Qt::Key_E, "e"},
    {15, 0x0072, Qt::Key_R, "r"},
    {16, 0x0079, Qt::Key_Y, "y"},
    {17, 0x0074, Qt::Key_T, "t"},
    {18, 0x0031, Qt::Key_1, "1"},
    {19, 0x0032, Qt::Key_2, "2"},
    {20, 0x0033, Qt::Key_3, "3"},
    {21, 0x0034, Qt::Key_4, "4"},
    {22, 0x0036, Qt::Key_6, "6"},
    {23, 0x0035, Qt::Key_5, "5"},
    {24, 0x003d, Qt::Key_Equal, "equal"},
    {25, 0x0039, Qt::Key_9, "9"},
    {26, 0x0037, Qt::Key_7, "7"},
    {27, 0x002d, Qt::Key_Minus, "minus"},
    {28, 0x0038, Qt::Key_8, "8"},
    {29, 0x0030, Qt::Key_0, "0"},
    {30, 0x005d, Qt::Key_BracketRight, "bracketright"},
    {31, 0x006f, Qt::Key_O, "o"},
    {32, 0x0075, Qt::Key_U, "u"},
    {33, 0x005b, Qt::Key_BracketLeft, "bracketleft"},
    {34, 0x0069, Qt::Key_I, "i"},
    {35, 0x0070, Qt::Key_P, "p"},
    {36, 0xff0d, Qt::Key_Return, "Return"},
    {37, 0x006c, Qt::Key_L, "l"},
    {38, 0x006a, Qt::Key_J, "j"},
    {39, 0x0027, Qt::Key_Apostrophe, "apostrophe"},
    {40, 0x006b, Qt::Key_K, "k"},
    {41, 0x003b, Qt::Key_Semicolon, "semicolon"},
    {42, 0x005c, Qt::Key_Backslash, "backslash"},
    {43, 0x002c, Qt::Key_Comma, "comma"},
    {44, 0x002f, Qt::Key_Slash, "slash"},
    {45, 0x006e, Qt::Key_N, "n"},
    {46, 0x006d, Qt::Key_M, "m"},
    {47, 0x002e, Qt::Key_Period, "period"},
    {48, 0xff09, Qt::Key_Tab, "Tab"},
    {49, 0x0020, Qt::Key_Space, "space"},
    {50, 0x0060, Qt::Key_QuoteLeft, "grave"},
    {51, 0xff08, Qt::Key_Backspace, "BackSpace"},
    {53, 0xff1b, Qt::Key_Escape, "Escape"},
    {96, 0xffc2, Qt::Key_F5, "F5"},
    {97, 0xffc3, Qt::Key_F6, "F6"},
    {98, 0xffc4, Qt::Key_F7, "F7"},
    {99, 0xffc0, Qt::Key_F3, "F3"},
    {100, 0xffc5, Qt::Key_F8, "F8"},
    {101, 0xffc6, Qt::Key_F9, "F9"},
    {103, 0xffc8, Qt::Key_F11, "F11"},
    {109, 0xffc7, Qt::Key_F10, "F10"},
    {111, 0xffc9, Qt::Key_F12, "F12"},
    {115, 0xff50, Qt::Key_Home, "Home"},
    {116, 0xff55, Qt::Key_PageUp, "Page_Up"},
    {117, 0xffff, Qt::Key_Delete, "Delete"},
    {118, 0xffc1, Qt::Key_F4, "F4"},
    {119, 0xff57, Qt::Key_End, "End"},
    {120, 0xffbf, Qt::Key_F2, "F2"},
    {121, 0xff56, Qt::Key_PageDown, "Page_Down"},
    {122, 0xffbe, Qt::Key_F1, "F1"},
    {123, 0xff51, Qt::Key_Left, "Left"},
    {124, 0xff53, Qt::Key_Right, "Right"},
    {125, 0xff54, Qt::Key_Down, "Down"},
    {126, 0xff52, Qt::Key_Up, "Up"},
});

constexpr std::uint32_t kLatinCapitalA = 0x0041;
constexpr std::uint32_t kLatinCapitalZ = 0x005a;

}  // namespace

std::span<const VirtualKey> virtualKeyTable() { return kVirtualKeys; }

std::optional<std::uint32_t> keysymForVirtualKey(std::uint16_t virtualKeyCode) {
    const auto* found = std::find_if(kVirtualKeys.begin(), kVirtualKeys.end(),
                                     [&](const VirtualKey& key) { return key.virtualKeyCode == virtualKeyCode; });
    return found == kVirtualKeys.end() ? std::nullopt : std::optional<std::uint32_t>(found->keysym);
}

std::optional<std::string_view> keysymNameForVirtualKey(std::uint16_t virtualKeyCode) {
    const auto* found = std::find_if(kVirtualKeys.begin(), kVirtualKeys.end(),
                                     [&](const VirtualKey& key) { return key.virtualKeyCode == virtualKeyCode; });
    return found == kVirtualKeys.end() ? std::nullopt : std::optional<std::string_view>(found->keysymName);
}

std::optional<std::uint16_t> virtualKeyForKeysym(std::uint32_t keysym) {
    if (keysym >= kLatinCapitalA && keysym <= kLatinCapitalZ) {
        keysym += 0x20;
    }
    const auto* found = std::find_if(kVirtualKeys.begin(), kVirtualKeys.end(),
                                     [&](const VirtualKey& key) { return key.keysym == keysym; });
    return found == kVirtualKeys.end() ? std::nullopt : std::optional<std::uint16_t>(found->virtualKeyCode);
}

std::optional<std::uint16_t> virtualKeyForQtKey(int qtKey) {
    const auto* found = std::find_if(kVirtualKeys.begin(), kVirtualKeys.end(),
                                     [&](const VirtualKey& key) { return key.qtKey == qtKey; });
    return found == kVirtualKeys.end() ? std::nullopt : std::optional<std::uint16_t>(found->virtualKeyCode);
}

}  // namespace ledgerly
