// Arithmetic, conversion and sorting as the reader, the report and the media code use them.
#include <benchmark/benchmark.h>

#include <vector>

#include "timecode/timecode_sorting.h"
#include "timecode/timecode_sources.h"

namespace tallyvane {
namespace {

const TimecodeProperties kDrop{TimecodeFrameRate::fps29_97d, TimecodeSubFramesBase::max80SubFrames,
                               TimecodeUpperLimit::max24Hours};

Timecode at(const TimecodeProperties& p, std::int64_t frames) { return Timecode(TimecodeSourceValue::frames(frames), p); }

// A clip sheet's duration cell: out - in, wrapping.
void wrappingDifference(benchmark::State& state) {
    const Timecode in = at(kDrop, 1234567), out = at(kDrop, 1300000);
    for (auto _ : state) benchmark::DoNotOptimize(out - in);
}
BENCHMARK(wrappingDifference);

// The reader: a timecode carried to another rate by real time.
void rateConversion(benchmark::State& state) {
    const Timecode t = at(kDrop, 1234567);
    for (auto _ : state) benchmark::DoNotOptimize(t.converted(TimecodeFrameRate::fps25));
}
BENCHMARK(rateConversion);

void equality(benchmark::State& state) {
    const Timecode a = at(kDrop, 1234567), b = at(kDrop, 1234568);
    for (auto _ : state) benchmark::DoNotOptimize(a == b);
}
BENCHMARK(equality);

// Sorting a day of markers around a timeline start late in the day.
void sortAroundTimelineStart(benchmark::State& state) {
    std::vector<Timecode> values;
    for (std::int64_t i = 0; i < state.range(0); ++i) values.push_back(at(kDrop, (i * 7919) % 2589408));
    const Timecode start = at(kDrop, 2400000);
    for (auto _ : state) benchmark::DoNotOptimize(sorted(values, true, start));
}
BENCHMARK(sortAroundTimelineStart)->Arg(1000);

}  // namespace
}  // namespace tallyvane
