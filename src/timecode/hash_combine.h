#pragma once
// Mixes one more hash value into a running seed, so that equal values hash alike field by field.

#include <cstddef>

namespace tallyvane {

constexpr std::size_t hashCombine(std::size_t seed, std::size_t value) {
    return seed ^ (value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2));
}

}  // namespace tallyvane
