// Timecode text as a paste into a timecode field reads it: parsed, then applied at a rate.
#include <cstddef>
#include <cstdint>
#include <string>

#include "timecode/timecode.h"
#include "timecode/timecode_sources.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tallyvane;
    if (size == 0) return 0;
    constexpr auto rates = TimecodeFrameRate::allCases();
    const TimecodeFrameRate rate = rates[data[0] % rates.size()];
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        (void)Timecode::parseComponents(text);
    } catch (const TimecodeStringParseError&) {
    }
    try {
        const Timecode::Properties properties{rate, TimecodeSubFramesBase::max80SubFrames,
                                              TimecodeUpperLimit::max24Hours};
        const Timecode timecode(FormattedTimecodeSourceValue::string(text), properties,
                                Timecode::ValidationRule::allowingInvalid);
        (void)timecode.description();
    } catch (const TimecodeStringParseError&) {
    }
    return 0;
}
