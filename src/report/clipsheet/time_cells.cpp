#include "report/clipsheet/time_cells.h"

#include <cmath>
#include <optional>

#include "common/number_text.h"
#include "report/clipsheet/clip_columns.h"
#include "report/clipsheet/clip_row.h"
#include "report/clipsheet/clock_text.h"
#include "report/element_sheet.h"
#include "report/timecode_text.h"
#include "timecode/timecode.h"

namespace tallyvane {

namespace {

using H = ColumnHeading;

// How a column shows its frame count.
enum class FramesCell {
    rounded,     // the frame value itself, rounded half away from zero (timeline in and out)
    timecode,    // the timecode's count, -1 without one (clip duration)
    roundedTimecode,  // the timecode's count rounded, -1 without one (source in and out)
};

// The timecode-derived formats of one column; frames are written by the caller.
void writeTimecodeFormat(RowTarget& target, H timecodeCase, TimeFormat format, const std::optional<Timecode>& timecode,
                         bool centredFeet) {
    const H column = timeVariant(timecodeCase, format);
    if (!target.has(column)) return;
    switch (format) {
        case TimeFormat::timecode:
            target.text(column, timecode ? timecode->stringValue() : std::string(kNoTimecodeText));
            break;
        case TimeFormat::feetAndFrames:
            target.text(column, timecode ? timecode->feetAndFramesValue().description() : std::string(kNoTimecodeText),
                        centredFeet);
            break;
        case TimeFormat::clock:
            if (timecode) target.text(column, clockText(static_cast<std::int64_t>(timecode->realTimeValue() * 1000)));
            break;
        case TimeFormat::seconds:
            if (timecode) target.number(column, timecode->realTimeValue());
            break;
        case TimeFormat::frames:
            break;
    }
}

void writeFrames(RowTarget& target, H timecodeCase, FramesCell rule, double value,
                 const std::optional<Timecode>& timecode) {
    const H column = timeVariant(timecodeCase, TimeFormat::frames);
    switch (rule) {
        case FramesCell::rounded: target.number(column, std::round(value)); break;
        case FramesCell::timecode: target.number(column, timecode ? timecode->frameCount().doubleValue() : -1.0); break;
        case FramesCell::roundedTimecode:
            target.number(column, timecode ? std::round(timecode->frameCount().doubleValue()) : -1.0);
            break;
    }
}

// A column whose five formats all show one timecode.
void writeColumn(RowTarget& target, H timecodeCase, double frames, const std::optional<Timecode>& timecode,
                 FramesCell rule) {
    writeFrames(target, timecodeCase, rule, frames, timecode);
    for (const TimeFormat format : {TimeFormat::timecode, TimeFormat::feetAndFrames, TimeFormat::clock,
                                    TimeFormat::seconds}) {
        writeTimecodeFormat(target, timecodeCase, format, timecode, true);
    }
}

// Timeline In or Out: every format has its own offset, so its own timecode.
void writeOffsetColumn(RowTarget& target, H timecodeCase, double frames, const ReportContext& context) {
    const double offsets[kTimeFormatCount] = {context.hhmmssffAdj, context.framesAdj, context.feetframesAdj,
                                              context.clockAdj, 0.0};
    // Offsets are mostly equal (all zero by default), so one timecode usually serves all formats.
    std::optional<double> madeFor;
    std::optional<Timecode> timecode;
    for (std::size_t k = 0; k < kTimeFormatCount; ++k) {
        const auto format = static_cast<TimeFormat>(k);
        if (!target.has(timeVariant(timecodeCase, format))) continue;
        const double value = frames + offsets[k];
        if (format == TimeFormat::frames) {
            writeFrames(target, timecodeCase, FramesCell::rounded, value, std::nullopt);
            continue;
        }
        if (!madeFor || *madeFor != value) {
            timecode = timecodeOfFrames(value, context.reportFrameRate, TimecodeUpperLimit::max24Hours);
            madeFor = value;
        }
        writeTimecodeFormat(target, timecodeCase, format, timecode, false);
    }
}

}  // namespace

TimecodeFrameRate elementFrameRate(const StoryElement& element) {
    return TimecodeFrameRate::fromRawValue(element.timecodeFrameRate()).value_or(TimecodeFrameRate::fps60);
}

void writeTimelineCells(RowTarget& target, const StoryElement& element, const ReportContext& context) {
    const double position = element.clipTimelinePosition();
    const double duration = element.clipDuration();
    writeOffsetColumn(target, H::TimelineInTC, position, context);
    writeOffsetColumn(target, H::TimelineOutTC, timelineOutFrames(element) + context.reportTimeOffset, context);
    writeColumn(target, H::ClipDurationTC, duration,
                timecodeOfFrames(duration, context.reportFrameRate, TimecodeUpperLimit::max24Hours), FramesCell::timecode);
}

void writeSourceCells(RowTarget& target, const StoryElement& element, const ReportContext& context) {
    const std::optional<double> inPoint = element.srcInpoint();
    const std::optional<double> duration = element.srcDuration();
    if (!inPoint || !duration || element.category() == StoryElement::Category::stillImage) return;
    const TimecodeFrameRate rate = elementFrameRate(element);

    const std::optional<Timecode> in = timecodeOfFrames(*inPoint, rate, TimecodeUpperLimit::max100Days);
    if (target.has(H::SourceInTC) && !in) {
        context.log() << "WARNING: Failed to parse srcInpoint " << element.id() << '\n';
        printElement(context.log(), element);
    }
    writeColumn(target, H::SourceInTC, *inPoint, in, FramesCell::roundedTimecode);
    const double out = element.srcEnd().value_or(*inPoint + *duration) + context.reportTimeOffset;
    writeColumn(target, H::SourceOutTC, out, timecodeOfFrames(out, rate, TimecodeUpperLimit::max100Days),
                FramesCell::roundedTimecode);

    // The duration's frames are the stored count as it stands.
    const std::optional<Timecode> timecode = timecodeOfFrames(*duration, rate, TimecodeUpperLimit::max24Hours);
    target.number(timeVariant(H::SourceDurationTC, TimeFormat::frames), *duration, formatDouble(*duration));
    for (const TimeFormat format : {TimeFormat::timecode, TimeFormat::feetAndFrames, TimeFormat::clock,
                                    TimeFormat::seconds}) {
        writeTimecodeFormat(target, H::SourceDurationTC, format, timecode, true);
    }
}

}  // namespace tallyvane
