#pragma once
// Enumerations whose raw value is their case name: one table per enumeration gives
// the cases in order, their texts, and the lookup back from a text.

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>

namespace tallyvane {

// Specialised next to each enumeration with `static constexpr std::array<std::pair<E,
// std::string_view>, N> table`.
template <typename E>
struct RawTextCases;

template <typename E>
constexpr auto allCases() {
    constexpr auto& table = RawTextCases<E>::table;
    std::array<E, table.size()> cases{};
    for (std::size_t i = 0; i < table.size(); ++i) cases[i] = table[i].first;
    return cases;
}

template <typename E>
constexpr std::string_view rawText(E value) {
    for (const auto& [c, text] : RawTextCases<E>::table) {
        if (c == value) return text;
    }
    return {};
}

template <typename E>
constexpr std::optional<E> fromRawText(std::string_view text) {
    for (const auto& [c, name] : RawTextCases<E>::table) {
        if (name == text) return c;
    }
    return std::nullopt;
}

// Enumerations of this kind hash by their raw text.
template <typename E>
std::size_t hashRawText(E value) {
    return std::hash<std::string_view>()(rawText(value));
}

inline std::size_t hashCombine(std::size_t seed, std::size_t value) {
    return seed ^ (value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2));
}

}  // namespace tallyvane
