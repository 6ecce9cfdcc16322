#pragma once
// One key press as the timecode field sees it: a single character. Keys without a
// character of their own carry the private-use code points the desktop toolkits give
// them, so every key compares and hashes alike.

#include <cstdint>
#include <functional>
#include <string>

namespace tallyvane {

struct KeyEquivalent {
    char32_t character = 0;

    static constexpr KeyEquivalent upArrow() { return {0xF700}; }
    static constexpr KeyEquivalent downArrow() { return {0xF701}; }
    static constexpr KeyEquivalent leftArrow() { return {0xF702}; }
    static constexpr KeyEquivalent rightArrow() { return {0xF703}; }
    // Backspace.
    static constexpr KeyEquivalent deleteBackward() { return {0x0008}; }
    // What some keyboards send for backspace.
    static constexpr KeyEquivalent deleteCharacter() { return {0x007F}; }
    static constexpr KeyEquivalent deleteForward() { return {0xF728}; }
    static constexpr KeyEquivalent clear() { return {0xF739}; }
    static constexpr KeyEquivalent escape() { return {0x001B}; }
    static constexpr KeyEquivalent returnKey() { return {0x000D}; }
    // The keypad's Enter.
    static constexpr KeyEquivalent enter() { return {0x0003}; }
    static constexpr KeyEquivalent tab() { return {0x0009}; }
    static constexpr KeyEquivalent backTab() { return {0x0019}; }
    static constexpr KeyEquivalent insert() { return {0xF727}; }
    static constexpr KeyEquivalent home() { return {0xF729}; }
    static constexpr KeyEquivalent end() { return {0xF72B}; }
    static constexpr KeyEquivalent pageUp() { return {0xF72C}; }
    static constexpr KeyEquivalent pageDown() { return {0xF72D}; }
    // F1 is functionKey(1).
    static constexpr KeyEquivalent functionKey(int number) { return {static_cast<char32_t>(0xF703 + number)}; }

    constexpr bool isDigit() const { return character >= U'0' && character <= U'9'; }
    constexpr int digitValue() const { return static_cast<int>(character - U'0'); }

    friend constexpr bool operator==(KeyEquivalent, KeyEquivalent) = default;
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::KeyEquivalent> {
    std::size_t operator()(tallyvane::KeyEquivalent key) const noexcept { return std::hash<char32_t>()(key.character); }
};
