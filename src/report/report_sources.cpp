#include "report/report_sources.h"

#include <algorithm>

#include "common/debug_text.h"
#include "common/number_text.h"

namespace tallyvane {

void adoptTimelineRate(ReportContext& context, const Composition* timeline) {
    context.reportFrameRate = ReportContext::kStartingFrameRate;
    if (!timeline) return;
    if (const auto rate = TimecodeFrameRate::fromStringValue(timeline->timecodeFrameRate())) {
        context.reportFrameRate = *rate;
    }
}

bool requestsSheet(const ReportRequest& request, std::string_view key) {
    return std::find(request.sheets.begin(), request.sheets.end(), key) != request.sheets.end();
}

bool usesColorText(const ReportRequest& request) {
    const auto found = request.options.find("useColorText");
    return found == request.options.end() || found->second;
}

bool isTitleOrGenerator(const StoryElement& element) {
    return element.category() == StoryElement::Category::title ||
           element.category() == StoryElement::Category::generator;
}

bool isTransition(const StoryElement& element) { return element.category() == StoryElement::Category::transition; }

std::vector<std::shared_ptr<MarkedRange>> markedRangesOf(const StoryElements& elements) {
    std::vector<std::shared_ptr<MarkedRange>> ranges;
    for (const auto& element : elements) {
        ranges.insert(ranges.end(), element->markedRanges().begin(), element->markedRanges().end());
    }
    return ranges;
}

void printProgress(const ReportContext& context) {
    const ProgressReading reading = context.progress();
    context.log() << debugQuoted("Progress:") << ' ' << formatDouble(reading.value) << ' ' << debugQuoted("of") << ' '
                  << formatDouble(reading.maximum) << '\n';
}

}  // namespace tallyvane
