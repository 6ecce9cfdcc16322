#pragma once
// The model's enumerations are held, looked up and hashed by their raw texts, which are
// the case names. Each enumeration lists its texts in case order in a RawValues table.

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace tallyvane {

template <class E>
struct RawValues;  // static constexpr std::array<std::string_view, N> texts;

template <class E>
constexpr std::string_view rawValue(E value) {
    return RawValues<E>::texts[static_cast<std::size_t>(value)];
}

// The whole text must match, letter case included; anything else finds nothing.
template <class E>
constexpr std::optional<E> fromRawValue(std::string_view text) {
    const auto& texts = RawValues<E>::texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i] == text) return static_cast<E>(i);
    }
    return std::nullopt;
}

// A value hashes like its raw text.
struct RawValueHash {
    template <class E>
    std::size_t operator()(E value) const noexcept {
        return std::hash<std::string_view>{}(rawValue(value));
    }
};

}  // namespace tallyvane
