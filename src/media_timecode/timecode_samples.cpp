#include "media_timecode/timecode_samples.h"

#include "media_timecode/media_asset.h"
#include "media_timecode/media_timecode_errors.h"
#include "timecode/timecode_sources.h"

namespace tallyvane {

namespace {

std::uint64_t bigEndian(std::span<const std::uint8_t> bytes) {
    std::uint64_t value = 0;
    for (const std::uint8_t byte : bytes) value = value << 8 | byte;
    return value;
}

}  // namespace

TimecodeComponents CMTimeCode64::components() const {
    TimecodeComponents c;
    c.hours = static_cast<std::int64_t>(uInt64 >> 48 & 0xFFFF);
    c.minutes = static_cast<std::int64_t>(uInt64 >> 32 & 0xFFFF);
    c.seconds = static_cast<std::int64_t>(uInt64 >> 16 & 0xFFFF);
    c.frames = static_cast<std::int64_t>(uInt64 & 0xFFFF);
    return c;
}

std::vector<CMTimeCode> decodeTimecodeSamples(std::uint32_t mediaSubtype, std::span<const std::uint8_t> data) {
    std::size_t unit = 0;
    if (mediaSubtype == timeCode32Subtype) {
        unit = 4;
    } else if (mediaSubtype == timeCode64Subtype) {
        unit = 8;
    } else {
        throw TimecodeMediaParseError(TimecodeMediaParseError::Code::unknownTimecode);
    }
    std::vector<CMTimeCode> values;
    for (std::size_t offset = 0; data.size() - offset >= unit; offset += unit) {
        const std::uint64_t value = bigEndian(data.subspan(offset, unit));
        if (unit == 4) {
            values.emplace_back(CMTimeCode32{static_cast<std::uint32_t>(value)});
        } else {
            values.emplace_back(CMTimeCode64{value});
        }
    }
    return values;
}

std::vector<Timecode> timecodesOf(const std::vector<CMTimeCode>& values, const TimecodeProperties& properties) {
    std::vector<Timecode> timecodes;
    for (const CMTimeCode& value : values) {
        Timecode timecode(GuaranteedTimecodeSourceValue::zero(), properties);
        if (const auto* v32 = std::get_if<CMTimeCode32>(&value)) {
            timecode.set(TimecodeSourceValue::frames(static_cast<std::int64_t>(v32->frameNumber)));
        } else if (const auto* v64 = std::get_if<CMTimeCode64>(&value)) {
            timecode.set(TimecodeSourceValue::components(v64->components()));
        }
        timecodes.push_back(timecode);
    }
    return timecodes;
}

}  // namespace tallyvane
