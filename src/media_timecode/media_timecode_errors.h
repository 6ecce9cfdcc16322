#pragma once
// The two typed errors of reading timecode from media and writing a timecode track.
// Failures of opening or demuxing a file are the media layer's MediaError.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace tallyvane {

class TimecodeMediaParseError : public std::runtime_error {
public:
    enum class Code : std::uint8_t { missingOrNonStandardFrameRate, unknownTimecode, internalError, noData };

    explicit TimecodeMediaParseError(Code code) : std::runtime_error(text(code)), code_(code) {}
    Code code() const { return code_; }
    friend bool operator==(const TimecodeMediaParseError& a, const TimecodeMediaParseError& b) {
        return a.code_ == b.code_;
    }

private:
    static const char* text(Code code) {
        switch (code) {
            case Code::missingOrNonStandardFrameRate: return "Missing or non-standard frame rate.";
            case Code::unknownTimecode: return "Unknown timecode.";
            case Code::internalError: return "Internal error reading timecode.";
            case Code::noData: return "No data.";
        }
        return "Timecode media parse error.";
    }
    Code code_;
};

class TimecodeMediaWriteError : public std::runtime_error {
public:
    enum class Code : std::uint8_t { internalError };

    // The detail says which step failed; equality looks only at the code.
    explicit TimecodeMediaWriteError(const std::string& detail)
        : std::runtime_error("Cannot write the timecode track: " + detail), code_(Code::internalError) {}
    Code code() const { return code_; }
    friend bool operator==(const TimecodeMediaWriteError& a, const TimecodeMediaWriteError& b) {
        return a.code_ == b.code_;
    }

private:
    Code code_;
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::TimecodeMediaParseError> {
    std::size_t operator()(const tallyvane::TimecodeMediaParseError& e) const noexcept {
        return std::hash<int>()(static_cast<int>(e.code()));
    }
};

template <>
struct std::hash<tallyvane::TimecodeMediaWriteError> {
    std::size_t operator()(const tallyvane::TimecodeMediaWriteError& e) const noexcept {
        return std::hash<int>()(static_cast<int>(e.code()));
    }
};
