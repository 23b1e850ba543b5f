#pragma once
// The control characters that keys deliver as typed characters, as the
// numeric field's keystroke rules and the calculator read them: Backspace,
// Enter and Escape, and Ctrl+C / Ctrl+V for copying and pasting the
// calculator's display.
namespace ControlKeys {
constexpr char16_t kCopy = 3;
constexpr char16_t kBackspace = 8;
constexpr char16_t kEnter = 13;
constexpr char16_t kPaste = 22;
constexpr char16_t kEscape = 27;
} // namespace ControlKeys
