#include "report/titles_sheet.h"

#include "report/element_sheet.h"
#include "report/list_sheet.h"

namespace tallyvane {

namespace {

using H = ColumnHeading;

std::string param(const StoryElement& element, const std::string& key) {
    const auto found = element.params().find(key);
    return found == element.params().end() ? std::string() : found->second;
}

std::string roleOf(const StoryElement& element) {
    if (element.trackType() == TrackType::Video) return element.videoRole();
    if (element.trackType() == TrackType::Audio) return element.audioRole();
    return {};
}

xlsx::Color titleColor(StoryElement::Category category) {
    if (category == StoryElement::Category::title) return xlsx::Color::purple;
    if (category == StoryElement::Category::generator) return xlsx::Color::brown;
    return xlsx::Color::black;
}

}  // namespace

std::vector<ColumnHeading> titlesColumns(InputType inputType) {
    if (inputType == InputType::FCPXML) {
        return {H::ClipName,      H::Enabled,  H::Apple, H::RoleSubrole, H::TimelineInTC,
                H::TimelineOutTC, H::Duration, H::Font,  H::TitleText};
    }
    if (isInterchange(inputType)) {
        return {H::Track,         H::ClipName, H::Generator, H::TimelineInTC,
                H::TimelineOutTC, H::Duration, H::Font,      H::TitleText};
    }
    return {};
}

void writeTitlesSheet(ReportContext& context, const std::vector<std::shared_ptr<StoryElement>>& elements,
                      std::string_view sheetName, bool useColorText) {
    const std::vector<ColumnHeading> columns = titlesColumns(context.currentInputType);
    if (context.currentInputType == InputType::null) reportUnsupportedInputType(context);
    if (!context.workbook) return;

    xlsx::Workbook& workbook = *context.workbook;
    const auto formats = rowFormats(workbook, {xlsx::Color::black, xlsx::Color::brown, xlsx::Color::purple}, false);
    ListSheet sheet(context, sheetName, columns, listHeaderFormat(workbook));
    std::uint32_t row = 0;
    for (const auto& element : inReportOrder(elements)) {
        ++row;
        const RowFormats& format = formats.at(useColorText ? titleColor(element->category()) : xlsx::Color::black);
        const ElementTimes times = elementTimes(*element, context);
        sheet.write(row, H::Track, element->trackName(), format.text);
        sheet.write(row, H::ClipName, element->name(), format.text);
        sheet.write(row, H::Generator, element->videoRole(), format.text);
        sheet.write(row, H::Enabled, mark(element->enabled()), format.mark);
        sheet.write(row, H::Apple, mark(element->appleEffect()), format.mark);
        sheet.write(row, H::RoleSubrole, roleOf(*element), format.text);
        sheet.write(row, H::TimelineInTC, times.in, format.text);
        sheet.write(row, H::TimelineOutTC, times.out, format.text);
        sheet.write(row, H::Duration, times.duration, format.text);
        sheet.write(row, H::Font, param(*element, "font"), format.text);
        sheet.write(row, H::TitleText, param(*element, "text"), format.text);
    }
    sheet.finish();
}

}  // namespace tallyvane
