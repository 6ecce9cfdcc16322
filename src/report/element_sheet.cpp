#include "report/element_sheet.h"

#include <algorithm>

#include "common/debug_text.h"
#include "report/list_sheet.h"
#include "report/timecode_text.h"

namespace tallyvane {

bool isInterchange(InputType inputType) {
    return inputType == InputType::XMEML || inputType == InputType::DaVrOTIO || inputType == InputType::PProOTIO ||
           inputType == InputType::AvidOTIO;
}

void reportUnsupportedInputType(const ReportContext& context) {
    context.log() << debugQuoted("Unsupported input type " + std::string(rawValue(context.currentInputType)))
                  << '\n';
}

std::map<xlsx::Color, RowFormats> rowFormats(xlsx::Workbook& workbook, std::initializer_list<xlsx::Color> colors,
                                              bool markWithNumberFormat) {
    std::map<xlsx::Color, RowFormats> formats;
    for (const xlsx::Color color : colors) {
        formats.emplace(color,
                        RowFormats{listTextFormat(workbook, color), listMarkFormat(workbook, color, markWithNumberFormat)});
    }
    return formats;
}

double timelineOutFrames(const StoryElement& element) {
    return element.timelineEnd().value_or(element.clipTimelinePosition() + element.clipDuration());
}

ElementTimes elementTimes(const StoryElement& element, const ReportContext& context) {
    const TimecodeFrameRate rate = context.reportFrameRate;
    return {timecodeTextOrUnknown(element.clipTimelinePosition(), rate),
            timecodeTextOrUnknown(timelineOutFrames(element) + context.reportTimeOffset, rate),
            timecodeTextOrUnknown(element.clipDuration(), rate)};
}

std::vector<std::shared_ptr<StoryElement>> inReportOrder(const std::vector<std::shared_ptr<StoryElement>>& elements) {
    std::vector<std::shared_ptr<StoryElement>> sorted = elements;
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return *a < *b; });
    return sorted;
}

}  // namespace tallyvane
