#include "reader/identifiers.h"

#include <array>
#include <cstdint>
#include <random>

namespace tallyvane {

namespace {

using UUIDBytes = std::array<std::uint8_t, 16>;

UUIDBytes randomBytes(std::mt19937_64& words) {
    UUIDBytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); i += 8) {
        const std::uint64_t word = words();
        for (std::size_t j = 0; j < 8; ++j) bytes[i + j] = static_cast<std::uint8_t>(word >> (8 * j));
    }
    return bytes;
}

std::string identifierText(std::string_view prefix, UUIDBytes bytes) {
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant

    constexpr char kHex[] = "0123456789abcdef";
    std::string text(prefix.size() + 36, '-');
    prefix.copy(text.data(), prefix.size());
    char* out = text.data() + prefix.size();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) ++out;  // over the hyphen
        *out++ = kHex[bytes[i] >> 4];
        *out++ = kHex[bytes[i] & 0x0F];
    }
    return text;
}

}  // namespace

std::string newIdentifier(std::string_view prefix) {
    // Seeded once per thread: each std::random_device asks the processor for its features,
    // which on a virtual machine costs more than reading the element that needs the
    // identifier (it was a quarter of reading a timeline with an asset per clip).
    thread_local std::mt19937_64 generator{std::random_device{}()};
    return identifierText(prefix, randomBytes(generator));
}

}  // namespace tallyvane
