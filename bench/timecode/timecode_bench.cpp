// The conversions that run for every time cell of a report.
#include <benchmark/benchmark.h>

#include "timecode/timecode_sources.h"

namespace tallyvane {
namespace {

const TimecodeProperties kDrop{TimecodeFrameRate::fps29_97d, TimecodeSubFramesBase::max80SubFrames,
                               TimecodeUpperLimit::max24Hours};

void componentsToFrameCount(benchmark::State& state) {
    TimecodeComponents c{0, 13, 37, 0, 12, 40};
    for (auto _ : state) {
        benchmark::DoNotOptimize(TimecodeFrameCount(c, kDrop.frameRate, kDrop.subFramesBase).doubleValue());
    }
}
BENCHMARK(componentsToFrameCount);

void frameCountToComponents(benchmark::State& state) {
    TimecodeFrameCount count(TimecodeFrameCount::Value::combined(1234567.25), kDrop.subFramesBase);
    for (auto _ : state) benchmark::DoNotOptimize(componentsFromFrameCount(count, kDrop.frameRate));
}
BENCHMARK(frameCountToComponents);

// A report cell: a double frame count to timecode text.
void reportCell(benchmark::State& state) {
    double frames = 0;
    for (auto _ : state) {
        Timecode t(TimecodeSourceValue::combinedFrames(frames), kDrop);
        benchmark::DoNotOptimize(t.stringValue());
        frames += 1001;
        if (frames > 2000000) frames = 0;
    }
}
BENCHMARK(reportCell);

void parseText(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(Timecode::parseComponents("1 01:02:03;04.05"));
}
BENCHMARK(parseText);

}  // namespace
}  // namespace tallyvane
