#pragma once
// The JSON forms of a timecode and its parts. Enumerations are written as their raw
// values; a timecode as one object holding every stored field and nothing derived.
// Decoding restores the fields exactly as written, without a validity check, and
// fails with a typed error on the first missing or unreadable field.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include <nlohmann/json.hpp>

#include "timecode/timecode.h"
#include "timecode/video_frame_rate.h"

namespace tallyvane {

class TimecodeDecodingError : public std::runtime_error {
public:
    enum class Code : std::uint8_t {
        typeMismatch,   // a value of the wrong kind
        valueNotFound,  // null where a value is required, or a text that is no option
        keyNotFound,    // a required member is missing
        dataCorrupted,  // not JSON, a raw value that names no case, or an integer out of range
    };
    // `codingPath` is the member names down to the failing value, joined by ".".
    TimecodeDecodingError(Code code, std::string codingPath, const std::string& debugDescription)
        : std::runtime_error(debugDescription), code_(code), codingPath_(std::move(codingPath)) {}
    Code code() const { return code_; }
    const std::string& codingPath() const { return codingPath_; }

private:
    Code code_;
    std::string codingPath_;
};

// The member names of a timecode's encoded form, in this order; "stringFormat" is
// neither written nor read.
enum class TimecodeCodingKey : std::uint8_t {
    frameRate, upperLimit, subFramesBase, stringFormat, days, hours, minutes, seconds, frames, subFrames,
};
std::string_view stringValue(TimecodeCodingKey key);
// Exact, case-sensitive; absent for any other text.
std::optional<TimecodeCodingKey> timecodeCodingKey(std::string_view text);

// Compact JSON text of a timecode, and a timecode read from JSON text (a text that
// is not JSON throws dataCorrupted).
std::string timecodeJsonText(const Timecode& timecode);
Timecode timecodeFromJsonText(std::string_view text);

}  // namespace tallyvane

namespace nlohmann {

template <>
struct adl_serializer<tallyvane::TimecodeFrameRate> {
    static void to_json(json& j, tallyvane::TimecodeFrameRate rate);
    static tallyvane::TimecodeFrameRate from_json(const json& j);
};

template <>
struct adl_serializer<tallyvane::VideoFrameRate> {
    static void to_json(json& j, tallyvane::VideoFrameRate rate);
    static tallyvane::VideoFrameRate from_json(const json& j);
};

template <>
struct adl_serializer<tallyvane::TimecodeSubFramesBase> {
    static void to_json(json& j, tallyvane::TimecodeSubFramesBase base);
    static tallyvane::TimecodeSubFramesBase from_json(const json& j);
};

template <>
struct adl_serializer<tallyvane::TimecodeUpperLimit> {
    static void to_json(json& j, tallyvane::TimecodeUpperLimit limit);
    static tallyvane::TimecodeUpperLimit from_json(const json& j);
};

template <>
struct adl_serializer<tallyvane::TimecodeStringFormatOption> {
    static void to_json(json& j, tallyvane::TimecodeStringFormatOption option);
    static tallyvane::TimecodeStringFormatOption from_json(const json& j);
};

template <>
struct adl_serializer<tallyvane::TimecodeComponents> {
    static void to_json(json& j, const tallyvane::TimecodeComponents& components);
    static tallyvane::TimecodeComponents from_json(const json& j);
};

template <>
struct adl_serializer<tallyvane::TimecodeProperties> {
    static void to_json(json& j, const tallyvane::TimecodeProperties& properties);
    static tallyvane::TimecodeProperties from_json(const json& j);
};

template <>
struct adl_serializer<tallyvane::Timecode> {
    static void to_json(json& j, const tallyvane::Timecode& timecode);
    static tallyvane::Timecode from_json(const json& j);
};

}  // namespace nlohmann
