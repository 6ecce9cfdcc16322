#include "report/transitions_sheet.h"

#include "report/element_sheet.h"
#include "report/list_sheet.h"

namespace tallyvane {

namespace {
using H = ColumnHeading;
}

std::vector<ColumnHeading> transitionsColumns(InputType inputType) {
    if (inputType == InputType::FCPXML) {
        return {H::Transition, H::Category, H::Apple, H::TimelineInTC, H::TimelineOutTC, H::Duration};
    }
    if (isInterchange(inputType)) return {H::Track, H::Transition, H::TimelineInTC, H::TimelineOutTC, H::Duration};
    return {};
}

void writeTransitionsSheet(ReportContext& context, const std::vector<std::shared_ptr<StoryElement>>& elements,
                           std::string_view sheetName, bool useColorText) {
    const std::vector<ColumnHeading> columns = transitionsColumns(context.currentInputType);
    if (context.currentInputType == InputType::null) reportUnsupportedInputType(context);
    if (!context.workbook) return;

    xlsx::Workbook& workbook = *context.workbook;
    const auto formats = rowFormats(workbook, {xlsx::Color::black, xlsx::Color::gray}, true);
    const RowFormats& format = formats.at(useColorText ? xlsx::Color::gray : xlsx::Color::black);
    ListSheet sheet(context, sheetName, columns, listHeaderFormat(workbook));
    std::uint32_t row = 0;
    for (const auto& element : inReportOrder(elements)) {
        ++row;
        const ElementTimes times = elementTimes(*element, context);
        sheet.write(row, H::Track, element->trackName(), format.text);
        sheet.write(row, H::Transition, element->name(), format.text);
        sheet.write(row, H::Category, element->timelineClipCategory(), format.text);
        sheet.write(row, H::Apple, mark(element->appleEffect()), format.mark);
        sheet.write(row, H::TimelineInTC, times.in, format.text);
        sheet.write(row, H::TimelineOutTC, times.out, format.text);
        sheet.write(row, H::Duration, times.duration, format.text);
    }
    sheet.finish();
}

}  // namespace tallyvane
