// The terminal's 23 key codes, the simulator's reset command, and what the
// character keys give in digit and in alpha mode.
#pragma once

namespace appgen::simulator {

inline constexpr int kKey1 = 1;  // 1..9 are the digit keys of the same number
inline constexpr int kKey9 = 9;
inline constexpr int kKeyDash = 10;
inline constexpr int kKey0 = 11;
inline constexpr int kKeyDot = 12;
inline constexpr int kKeyAlpha = 13;
inline constexpr int kKeyPower = 14;
inline constexpr int kKeyFn = 15;
inline constexpr int kKeyEnter = 16;
inline constexpr int kKeyRightEnter = 17;
inline constexpr int kKeyLeft = 18;
inline constexpr int kKeyUp = 19;
inline constexpr int kKeyRight = 20;
inline constexpr int kKeyEsc = 21;
inline constexpr int kKeyDown = 22;
inline constexpr int kKeyBackspace = 23;
inline constexpr int kKeyCount = 23;
// Not a key: the Form page sends it to put the simulator back on its main screen.
inline constexpr int kCommandReset = 51;

// The main window's new-project command, posted when there is nothing to run.
inline constexpr int kCommandNewProject = 1010;

inline bool isCharacterKey(int code) { return code >= kKey1 && code <= kKeyDot; }
inline bool isEnterKey(int code) { return code == kKeyEnter || code == kKeyRightEnter; }

// Digit mode: "1".."9", "-", "0", ".".
inline char digitChar(int code) {
    constexpr char kDigits[] = "123456789-0.";
    return isCharacterKey(code) ? kDigits[code - 1] : '\0';
}

// Alpha mode: the first letter of the key's multi-tap column (space for key 1).
inline char alphaBase(int code) {
    constexpr char kBases[] = " ADGJMPTW+/%";
    return isCharacterKey(code) ? kBases[code - 1] : '\0';
}

}  // namespace appgen::simulator
