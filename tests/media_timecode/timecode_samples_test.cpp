#include "media_timecode/timecode_samples.h"

#include <gtest/gtest.h>

#include "media_timecode/media_asset.h"
#include "media_timecode/media_timecode_errors.h"
#include "movie_fixtures.h"

namespace tallyvane {
namespace {

TimecodeProperties at(TimecodeFrameRate rate, TimecodeUpperLimit limit = TimecodeUpperLimit::max24Hours) {
    return TimecodeProperties{rate, TimecodeSubFramesBase::max80SubFrames, limit};
}

struct DecodeCase {
    const char* name;
    std::uint32_t subtype;
    std::vector<std::uint8_t> bytes;
    std::vector<CMTimeCode> values;
};

TEST(TimecodeSamples, DecodesWholeBigEndianUnits) {
    const std::vector<DecodeCase> cases = {
        {"one hour at 24 fps", timeCode32Subtype, {0x00, 0x01, 0x51, 0x80}, {CMTimeCode32{86400}}},
        {"trailing bytes ignored", timeCode32Subtype, {0x00, 0x00, 0x00, 0x07, 0xAA, 0xBB}, {CMTimeCode32{7}}},
        {"two values",
         timeCode32Subtype,
         {0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF},
         {CMTimeCode32{1}, CMTimeCode32{0xFFFFFFFF}}},
        {"too short for one value", timeCode32Subtype, {0, 0, 1}, {}},
        {"empty", timeCode32Subtype, {}, {}},
        {"packed 64-bit", timeCode64Subtype, {0, 1, 0, 2, 0, 3, 0, 4}, {CMTimeCode64{0x0001000200030004}}},
    };
    for (const DecodeCase& c : cases) {
        EXPECT_EQ(decodeTimecodeSamples(c.subtype, c.bytes), c.values) << c.name;
    }
}

TEST(TimecodeSamples, OtherSubtypesAreUnknownTimecode) {
    for (const std::uint32_t subtype : {fourCharCode('c', 'n', '3', '2'), fourCharCode('a', 'v', 'c', '1'), 0U}) {
        EXPECT_EQ(testing::parseErrorOf([&] { decodeTimecodeSamples(subtype, std::vector<std::uint8_t>{0, 0, 0, 1}); }),
                  TimecodeMediaParseError::Code::unknownTimecode)
            << "subtype " << subtype;
    }
}

struct ConvertCase {
    const char* name;
    CMTimeCode value;
    TimecodeProperties properties;
    const char* text;
};

TEST(TimecodeSamples, ConvertsValuesAtTheGivenProperties) {
    const std::vector<ConvertCase> cases = {
        {"frame number at 24", CMTimeCode32{86400}, at(TimecodeFrameRate::fps24), "01:00:00:00"},
        {"drop-frame hour", CMTimeCode32{107892}, at(TimecodeFrameRate::fps29_97d), "01:00:00;00"},
        {"packed components ignore the rate", CMTimeCode64{0x0001000200030004}, at(TimecodeFrameRate::fps25),
         "01:02:03:04"},
        {"beyond a day needs 100 days", CMTimeCode32{25 * 86400 + 25},
         at(TimecodeFrameRate::fps25, TimecodeUpperLimit::max100Days), "1 00:00:01:00"},
    };
    for (const ConvertCase& c : cases) {
        const std::vector<Timecode> timecodes = timecodesOf({c.value}, c.properties);
        ASSERT_EQ(timecodes.size(), 1U) << c.name;
        EXPECT_EQ(timecodes.front().stringValue(), c.text) << c.name;
        EXPECT_EQ(timecodes.front().properties, c.properties) << c.name;
    }
}

TEST(TimecodeSamples, OutOfRangeValuesThrowTheCoreError) {
    const std::vector<ConvertCase> cases = {
        {"frames field of 30 at 25", CMTimeCode64{0x000100020003001E}, at(TimecodeFrameRate::fps25), ""},
        {"hours field of 24", CMTimeCode64{0x0018000000000000}, at(TimecodeFrameRate::fps25), ""},
        {"a day at 24 hours", CMTimeCode32{25 * 86400}, at(TimecodeFrameRate::fps25), ""},
    };
    for (const ConvertCase& c : cases) {
        EXPECT_THROW(timecodesOf({CMTimeCode32{0}, c.value}, c.properties), TimecodeValidationError) << c.name;
    }
}

}  // namespace
}  // namespace tallyvane
