#include "report/effects_sheets.h"

#include <algorithm>
#include <cmath>

#include "common/number_text.h"
#include "model/audio_fx.h"
#include "model/speed_fx.h"
#include "model/video_fx.h"
#include "report/element_sheet.h"
#include "report/list_sheet.h"
#include "common/text_order.h"

namespace tallyvane {

namespace {

using H = ColumnHeading;

template <class Effect>
std::vector<std::shared_ptr<Effect>> byName(const std::vector<std::shared_ptr<Effect>>& effects) {
    std::vector<std::shared_ptr<Effect>> sorted = effects;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return textPrecedes(a->name(), b->name()); });
    return sorted;
}

struct EffectRow {
    const std::string& name;
    const std::string& settings;
    bool enabled;
    const std::string& role;
};

void writeEffectRow(ListSheet& sheet, std::uint32_t row, const EffectRow& effect, const StoryElement& element,
                    const ElementTimes& times, const RowFormats& formats) {
    sheet.write(row, H::Effect, effect.name, formats.text);
    sheet.write(row, H::Settings, effect.settings, formats.text);
    sheet.write(row, H::Enabled, mark(effect.enabled), formats.mark);
    sheet.write(row, H::Apple, mark(true), formats.mark);
    sheet.write(row, H::ClipName, element.name(), formats.text);
    sheet.write(row, H::Track, element.trackName(), formats.text);
    sheet.write(row, H::RoleSubrole, effect.role, formats.text);
    sheet.write(row, H::TimelineInTC, times.in, formats.text);
    sheet.write(row, H::TimelineOutTC, times.out, formats.text);
}

}  // namespace

std::vector<ColumnHeading> effectsColumns(InputType inputType) {
    if (inputType == InputType::FCPXML) {
        return {H::Effect, H::Settings, H::Enabled, H::Apple, H::ClipName, H::RoleSubrole, H::TimelineInTC,
                H::TimelineOutTC};
    }
    if (isInterchange(inputType)) {
        return {H::Effect, H::Settings, H::Enabled, H::ClipName, H::Track, H::TimelineInTC, H::TimelineOutTC};
    }
    return {};
}

std::vector<ColumnHeading> speedChangeColumns(InputType inputType) {
    if (inputType == InputType::FCPXML) {
        return {H::Effect, H::Settings, H::Enabled, H::Apple, H::ClipName, H::RoleSubrole, H::TimelineInTC,
                H::TimelineOutTC};
    }
    if (isInterchange(inputType)) {
        return {H::Effect, H::Settings, H::ClipName, H::Track, H::TimelineInTC, H::TimelineOutTC};
    }
    return {};
}

std::string speedSettingsText(double percent) {
    if (percent == 0) return {};
    return formatDouble(std::round(percent * 100) / 100) + "%";
}

void writeEffectsSheet(ReportContext& context, const std::vector<std::shared_ptr<StoryElement>>& elements,
                       std::string_view sheetName, bool useColorText) {
    const std::vector<ColumnHeading> columns = effectsColumns(context.currentInputType);
    if (context.currentInputType == InputType::null) reportUnsupportedInputType(context);
    if (!context.workbook || columns.empty()) return;

    xlsx::Workbook& workbook = *context.workbook;
    const xlsx::Format header = listHeaderFormat(workbook);
    const auto formats = rowFormats(workbook, {xlsx::Color::black, xlsx::Color::blue, xlsx::Color::green}, false);
    const RowFormats& videoFormats = formats.at(useColorText ? xlsx::Color::blue : xlsx::Color::black);
    const RowFormats& audioFormats = formats.at(useColorText ? xlsx::Color::green : xlsx::Color::black);

    ListSheet sheet(context, sheetName, columns, header);
    std::uint32_t row = 0;
    for (const auto& element : inReportOrder(elements)) {
        const ElementTimes times = elementTimes(*element, context);
        for (const auto& effect : byName(element->videoFX())) {
            writeEffectRow(sheet, ++row, {effect->name(), effect->settings(), effect->enabled(), element->videoRole()},
                           *element, times, videoFormats);
        }
        for (const auto& effect : byName(element->audioFX())) {
            writeEffectRow(sheet, ++row, {effect->name(), effect->settings(), effect->enabled(), element->audioRole()},
                           *element, times, audioFormats);
        }
    }
    sheet.finish();
}

void writeSpeedChangesSheet(ReportContext& context, const std::vector<std::shared_ptr<StoryElement>>& elements,
                            std::string_view sheetName, bool useColorText) {
    const std::vector<ColumnHeading> columns = speedChangeColumns(context.currentInputType);
    if (context.currentInputType == InputType::null) reportUnsupportedInputType(context);
    if (!context.workbook || columns.empty()) return;

    xlsx::Workbook& workbook = *context.workbook;
    const xlsx::Format header = listHeaderFormat(workbook);
    const auto formats = rowFormats(workbook, {xlsx::Color::black, xlsx::Color::blue, xlsx::Color::green}, false);

    ListSheet sheet(context, sheetName, columns, header);
    std::uint32_t row = 0;
    for (const auto& element : inReportOrder(elements)) {
        const SpeedFX* speed = element->speedFX().get();
        if (speed == nullptr) continue;
        ++row;
        const xlsx::Color color = !useColorText                              ? xlsx::Color::black
                                  : element->trackType() == TrackType::Audio ? xlsx::Color::green
                                                                             : xlsx::Color::blue;
        const RowFormats& rowFormat = formats.at(color);
        const ElementTimes times = elementTimes(*element, context);
        // Enabled and Apple keep their headings but a speed change fills neither.
        sheet.write(row, H::Effect, speed->name(), rowFormat.text);
        sheet.write(row, H::Settings, speedSettingsText(speed->percent()), rowFormat.mark);
        sheet.write(row, H::ClipName, element->name(), rowFormat.text);
        sheet.write(row, H::Track, element->trackName(), rowFormat.text);
        sheet.write(row, H::RoleSubrole, element->videoRole(), rowFormat.text);
        sheet.write(row, H::TimelineInTC, times.in, rowFormat.text);
        sheet.write(row, H::TimelineOutTC, times.out, rowFormat.text);
    }
    sheet.finish();
}

}  // namespace tallyvane
