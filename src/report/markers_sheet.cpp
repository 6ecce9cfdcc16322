#include "report/markers_sheet.h"

#include <algorithm>
#include <map>
#include <string>

#include "model/story_element.h"
#include "report/list_sheet.h"
#include "report/timecode_text.h"
#include "timecode/timecode_frame_rate.h"

namespace tallyvane {

namespace {

using H = ColumnHeading;

std::string joined(const std::vector<std::string>& texts, std::string_view separator) {
    std::string text;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) text += separator;
        text += texts[i];
    }
    return text;
}

std::string roleOf(const StoryElement& clip) {
    if (clip.trackType() == TrackType::Video) return clip.videoRole();
    if (clip.trackType() == TrackType::Audio) return clip.audioRole();
    return {};
}

// The rate of the range's clip; the report's when there is no clip or its text names no rate.
TimecodeFrameRate clipRate(const MarkedRange& range, const ReportContext& context) {
    if (!range.clip()) return context.reportFrameRate;
    return TimecodeFrameRate::fromStringValue(range.clip()->timecodeFrameRate()).value_or(context.reportFrameRate);
}

}  // namespace

std::vector<ColumnHeading> markerColumns(InputType inputType, SheetTitle title) {
    switch (inputType) {
        case InputType::FCPXML:
            if (title == SheetTitle::markers) {
                return {H::MarkerName, H::MarkerType, H::Notes,  H::Position,      H::ClipName,
                        H::RoleSubrole, H::Reel,      H::Scene, H::SourcePosition};
            }
            if (title == SheetTitle::keywords) {
                return {H::Keyword,  H::Notes,       H::TimelineInTC, H::TimelineOutTC, H::Duration,
                        H::ClipName, H::RoleSubrole, H::Reel,         H::Scene};
            }
            return {};
        case InputType::XMEML:
        case InputType::PProOTIO:
        case InputType::AvidOTIO:
            if (title == SheetTitle::sequenceMarkers) {
                return {H::MarkerName, H::Color, H::Comment, H::Start, H::End, H::Duration};
            }
            if (title == SheetTitle::clipMarkers) {
                return {H::MarkerName, H::Color, H::Comment,  H::Start,         H::End,
                        H::Duration,   H::Track, H::ClipName, H::SourcePosition};
            }
            return {};
        case InputType::DaVrOTIO:
            if (title == SheetTitle::timelineMarkers) {
                return {H::MarkerName, H::Color, H::Keywords, H::Notes, H::Start, H::End, H::Duration};
            }
            if (title == SheetTitle::clipMarkers) {
                return {H::MarkerName, H::Color, H::Keywords, H::Notes,    H::Start,
                        H::End,        H::Duration, H::Track, H::ClipName, H::SourcePosition};
            }
            return {};
        case InputType::null:
            return {};
    }
    return {};
}

xlsx::Color markerKindColor(std::string_view kind) {
    static constexpr std::pair<std::string_view, xlsx::Color> kColors[] = {
        {"Standard", xlsx::Color::blue},        {"Incomplete To-Do", xlsx::Color::red},
        {"Completed To-Do", xlsx::Color::green}, {"Chapter", xlsx::Color::orange},
        {"keyword", xlsx::Color::blue},          {"favorite", xlsx::Color::green},
        {"rejected", xlsx::Color::red},          {"analysis", xlsx::Color::orange},
    };
    for (const auto& [text, color] : kColors) {
        if (text == kind) return color;
    }
    return xlsx::Color::gray;
}

void writeMarkersSheet(ReportContext& context, const std::vector<std::shared_ptr<MarkedRange>>& ranges,
                       SheetTitle title, bool useColorText, MarkerTimes times) {
    const std::vector<ColumnHeading> columns = markerColumns(context.currentInputType, title);
    if (columns.empty() || !context.workbook) return;

    xlsx::Workbook& workbook = *context.workbook;
    const xlsx::Format header = listHeaderFormat(workbook);
    const xlsx::Format plain = listTextFormat(workbook, xlsx::Color::black);
    std::map<xlsx::Color, xlsx::Format> byColor;
    for (const xlsx::Color color :
         {xlsx::Color::blue, xlsx::Color::gray, xlsx::Color::green, xlsx::Color::orange, xlsx::Color::red}) {
        byColor.emplace(color, listTextFormat(workbook, color));
    }

    ListSheet sheet(context, rawValue(title), columns, header);

    std::vector<std::shared_ptr<MarkedRange>> sorted = ranges;
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return *a < *b; });

    std::uint32_t row = 0;
    for (const auto& range : sorted) {
        const xlsx::Format& format = useColorText ? byColor.at(markerKindColor(range->color())) : plain;
        context.log() << "Marker visible? " << (range->visible() ? "true" : "false") << '\n';
        if (!range->visible()) continue;
        ++row;

        const TimecodeFrameRate sourceRate = clipRate(*range, context);
        const TimecodeFrameRate rate = times == MarkerTimes::atClipRate ? sourceRate : context.reportFrameRate;
        const std::string start = timecodeTextOrUnknown(range->timelinePosition(), rate);
        const bool hasDuration = range->duration() > 0;
        const std::string end =
            hasDuration
                ? timecodeTextOrUnknown(range->timelinePosition() + range->duration() + context.reportTimeOffset, rate)
                : start;
        const StoryElement* clip = range->clip().get();

        const std::pair<ColumnHeading, std::string> cells[] = {
            {H::MarkerName, range->name()},
            {H::Keyword, range->name()},
            {H::Color, range->color()},
            {H::MarkerType, range->color()},
            {H::Keywords, joined(range->keywords(), ", ")},
            {H::Comment, range->notes()},
            {H::Notes, range->notes()},
            {H::Start, start},
            {H::TimelineInTC, start},
            {H::Position, start},
            {H::End, end},
            {H::TimelineOutTC, end},
            {H::Track, clip ? clip->trackName() : std::string()},
            {H::ClipName, clip ? clip->name() : std::string()},
            {H::RoleSubrole, clip ? roleOf(*clip) : std::string()},
            {H::Reel, clip ? clip->reel() : std::string()},
            {H::Scene, clip ? clip->scene() : std::string()},
            {H::SourcePosition,
             timecodeTextOrUnknown(range->srcInpoint(), sourceRate, TimecodeUpperLimit::max100Days)},
        };
        for (const auto& [heading, text] : cells) sheet.write(row, heading, text, format);
        if (hasDuration) sheet.write(row, H::Duration, timecodeTextOrUnknown(range->duration(), rate), format);
    }
    sheet.finish();
}

}  // namespace tallyvane
