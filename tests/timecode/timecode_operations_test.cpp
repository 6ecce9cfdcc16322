// The smaller operations around the timecode core: clamping into ranges, numeric forms,
// stepping over timecodes, properties given one by one, interval makers, frame-count
// methods and the loader's entries. Each row computes a text that is compared with the
// expected one.

#include <functional>
#include <span>
#include <string>

#include <gtest/gtest.h>

#include "timecode/clamped.h"
#include "timecode/numeric_rounding.h"
#include "timecode/timecode_interval.h"
#include "timecode/timecode_stride.h"
#include "timecode/timecode_transfer.h"
#include "timecode_test_support.h"

namespace tallyvane {
namespace {

std::string text(const Timecode& timecode) { return timecode.stringValue(TimecodeStringFormat::showSubFramesSet()); }

std::string walk(const TimecodeStride& stride) {
    std::string result;
    for (const Timecode& timecode : stride) result += (result.empty() ? "" : " ") + text(timecode);
    return result;
}

std::string number(double value) { return std::to_string(value); }

struct Row {
    const char* name;
    std::function<std::string()> actual;
    std::string expected;
};

const Row kRows[] = {
    {"closed range raises to its lower bound", [] { return std::to_string(clamped(-3, ClosedBounds<int>{0, 10})); }, "0"},
    {"closed range lowers to its upper bound", [] { return std::to_string(clamped(15, ClosedBounds<int>{0, 10})); }, "10"},
    {"half-open range excludes its upper bound",
     [] { return std::to_string(clamped(10, HalfOpenBounds<int>{0, 10})); }, "9"},
    {"below the least integer stays at it",
     [] { return std::to_string(clamped(std::int64_t{5}, BoundsBelow<std::int64_t>{kMin}) == kMin); }, "1"},
    {"timecode half-open range ends one frame early",
     [] { return text(clamped(tc24(1, 0, 0, 0), HalfOpenBounds<Timecode>{tc24(0, 0, 0, 0), tc24(0, 30, 0, 0)})); },
     "00:29:59:23.00"},
    {"timecode below a bound keeps a lower value",
     [] { return text(clamped(tc24(0, 0, 1, 0), BoundsBelow<Timecode>{tc24(0, 0, 2, 0)})); }, "00:00:01:00.00"},
    {"decimal truncated in place toward zero",
     [] {
         Decimal x = Decimal::fromDouble(-1.239);
         truncateToPlaces(x, 2);
         return x.toString();
     },
     "-1.23"},
    {"decimal rounded in place half to even",
     [] {
         Decimal x = Decimal::fromDouble(2.345);
         roundToPlaces(x, 2, DecimalRoundingMode::bankers);
         return x.toString();
     },
     "2.34"},
    {"double rounded in place to even", [] {
         double x = -2.5;
         roundToPlaces(x, FloatingRoundingRule::toNearestOrEven, 0);
         return number(x);
     },
     number(-2.0)},
    {"float power", [] { return number(power(2.0F, 10.0F)); }, number(1024.0)},
    {"ceiling and floor of a negative half",
     [] { return number(ceilingValue(-1.5)) + " " + number(floorValue(-1.5)); }, number(-1.0) + " " + number(-2.0)},
    {"stride to excludes the end", [] { return walk(TimecodeStride::to(tc24(0, 0, 0, 0), tc24(0, 0, 0, 8), 4)); },
     "00:00:00:00.00 00:00:00:04.00"},
    {"stride through includes an end it lands on",
     [] { return walk(TimecodeStride::through(tc24(0, 0, 0, 0), tc24(0, 0, 0, 8), 4)); },
     "00:00:00:00.00 00:00:00:04.00 00:00:00:08.00"},
    {"stride through ends only at the end itself, not at its time at another rate",
     [] { return walk(TimecodeStride::through(tc24(0, 0, 0, 0), tcAt(R::fps25, 0, 0, 1, 0), 12)); },
     "00:00:00:00.00 00:00:00:12.00"},
    {"stride through downward stops at the end",
     [] { return walk(TimecodeStride::through(tc24(0, 0, 0, 8), tc24(0, 0, 0, 0), -4)); },
     "00:00:00:08.00 00:00:00:04.00 00:00:00:00.00"},
    {"stride downward", [] { return walk(TimecodeStride::to(tc24(0, 0, 0, 12), tc24(0, 0, 0, 0), -5)); },
     "00:00:00:12.00 00:00:00:07.00 00:00:00:02.00"},
    {"stride stops where the upper limit holds it",
     [] { return walk(TimecodeStride::through(tc24(23, 59, 59, 22), tc24(24, 0, 0, 0), 1)); },
     "23:59:59:22.00 23:59:59:23.00 23:59:59:23.79"},
    {"zero stride gives its start once", [] { return walk(TimecodeStride::to(tc24(0, 0, 0, 1), tc24(0, 0, 0, 0), 0)); },
     "00:00:00:01.00"},
    {"properties given one by one, exactly and under a rule",
     [] {
         return text(Timecode(TimecodeSourceValue::realTime(1.0), R::fps25, B::quarterFrames, L::max24Hours)) + " " +
                text(Timecode(TimecodeSourceValue::components(0, 25, 0, 0, 0, 0), R::fps25, B::quarterFrames,
                              L::max24Hours, Rule::wrapping));
     },
     "00:00:01:00.0 01:00:00:00.0"},
    {"negative fraction makes a minus interval",
     [] { return Fraction(-3, 2).timecodeInterval(R::fps24, B::max80SubFrames, L::max24Hours).description(); },
     "-00:00:01:12.00"},
    {"indefinite media time makes a zero plus interval",
     [] { return MediaTime::makeIndefinite().timecodeInterval(props(R::fps24)).description(); }, "00:00:00:00.00"},
    {"negative zero seconds make a plus interval",
     [] { return TimecodeInterval::fromRealTime(-0.0, R::fps24, B::max80SubFrames, L::max24Hours).description(); },
     "00:00:00:00.00"},
    {"too long for its limit",
     [] {
         return std::to_string(errorCode<TimecodeValidationError>([] {
                                   return MediaTime::make(86400 * 2, 2).timecodeInterval(props(R::fps24));
                               }) == kOutOfBounds);
     },
     "1"},
    {"frame counts add by subframe totals at the receiver's base",
     [] {
         const Timecode::FrameCount ten(Timecode::FrameCount::Value::frames(10), B::max80SubFrames);
         return ten.adding({Timecode::FrameCount::Value::frames(8), B::max100SubFrames}).value.debugDescription();
     },
     ".split(frames: 20, subFrames: 0)"},
    {"frame counts subtract to negative subframes only",
     [] {
         const Timecode::FrameCount one(Timecode::FrameCount::Value::frames(1), B::max80SubFrames);
         return one.subtracting({Timecode::FrameCount::Value::split(1, 40), B::max80SubFrames}).value.debugDescription();
     },
     ".split(frames: 0, subFrames: -40)"},
    {"one text item loads unchecked",
     [] { return text(loadTimecode(TransferItem{"public.utf8-plain-text", "01:00:00:99"}, props(R::fps24))); },
     "01:00:00:99.00"},
    {"an empty list loads nothing",
     [] {
         return std::to_string(errorCode<TimecodeLoadError>([] {
                                   return timecodeFromTransfer(std::span<const TransferItem>{}, props(R::fps24));
                               }).has_value());
     },
     "1"},
};

TEST(TimecodeOperationsTest, EdgeCases) {
    for (const Row& row : kRows) EXPECT_EQ(row.actual(), row.expected) << row.name;
}

}  // namespace
}  // namespace tallyvane
