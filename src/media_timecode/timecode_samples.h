#pragma once
// The values stored in timecode media samples, and the timecodes they stand for.

#include <cstdint>
#include <span>
#include <variant>
#include <vector>

#include "timecode/timecode.h"

namespace tallyvane {

// A frame number, stored big-endian in a 32-bit timecode sample.
struct CMTimeCode32 {
    std::uint32_t frameNumber = 0;
    friend bool operator==(const CMTimeCode32&, const CMTimeCode32&) = default;
};

// A 64-bit timecode sample, stored big-endian: hours, minutes, seconds and frames in
// 16 bits each, from the most significant end.
struct CMTimeCode64 {
    std::uint64_t uInt64 = 0;
    friend bool operator==(const CMTimeCode64&, const CMTimeCode64&) = default;
    TimecodeComponents components() const;
};

using CMTimeCode = std::variant<CMTimeCode32, CMTimeCode64>;

// The values of one sample's bytes in whole 4- or 8-byte units (a trailing part is
// ignored). Throws TimecodeMediaParseError::unknownTimecode for any other subtype.
std::vector<CMTimeCode> decodeTimecodeSamples(std::uint32_t mediaSubtype, std::span<const std::uint8_t> data);

// One timecode per value at the given properties; the first value out of range throws
// the core's TimecodeValidationError.
std::vector<Timecode> timecodesOf(const std::vector<CMTimeCode>& values, const TimecodeProperties& properties);

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::CMTimeCode32> {
    std::size_t operator()(const tallyvane::CMTimeCode32& v) const noexcept {
        return std::hash<std::uint32_t>()(v.frameNumber);
    }
};

template <>
struct std::hash<tallyvane::CMTimeCode64> {
    std::size_t operator()(const tallyvane::CMTimeCode64& v) const noexcept {
        return std::hash<std::uint64_t>()(v.uInt64);
    }
};
