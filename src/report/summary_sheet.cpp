#include "report/summary_sheet.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>
#include <utility>

#include "common/number_text.h"
#include "model/video_format.h"
#include "report/column_heading.h"
#include "common/debug_text.h"
#include "report/sheet_title.h"
#include "report/timecode_text.h"
#include "xlsx/workbook.h"

namespace tallyvane {

namespace {

void addTo(std::vector<RoleTotal>& totals, const std::string& name, double frames) {
    const auto found =
        std::find_if(totals.begin(), totals.end(), [&](const RoleTotal& row) { return row.name == name; });
    if (found == totals.end()) {
        totals.push_back({name, frames});
    } else {
        found->total += frames;
    }
}

std::string debugTotals(const std::vector<RoleTotal>& totals) {
    std::string text = "[";
    for (std::size_t i = 0; i < totals.size(); ++i) {
        if (i > 0) text += ", ";
        text += "RoleTotal(name: " + debugQuoted(totals[i].name) + ", total: " + formatDouble(totals[i].total) + ")";
    }
    return text + "]";
}

xlsx::Format summaryFormat(xlsx::Workbook& workbook, xlsx::Color color, xlsx::HorizontalAlignment alignment) {
    xlsx::Format format = workbook.addFormat();
    format.fontName("Helvetica").fontSize(11).fontColor(color).align(alignment);
    return format;
}

std::string frameSizeText(const Composition& timeline) {
    const auto& format = timeline.videoFormat();
    if (!format) return {};
    return std::to_string(format->width()) + " \u00D7 " + std::to_string(format->height());
}

// The sheet's own column widths, started from its table headings and widened by every text;
// the widths the sheet before it left fit that sheet's columns and would cut these texts.
class SummaryWidths {
public:
    explicit SummaryWidths(ReportContext& context) : widths_(context.sheetColumnWidths) {
        std::vector<double> start = columnWidths(std::vector<ColumnHeading>{
            ColumnHeading::RoleSubrole, ColumnHeading::EstimatedTotal, ColumnHeading::PercentOfTotal});
        start.resize(5, 1.0);  // D and E hold facts only
        widths_.reset(std::move(start));
    }
    void write(xlsx::Worksheet& sheet, const std::string& text, xlsx::Cell at, const xlsx::Format& format) {
        sheet.write(text, at, format);
        widths_.widen(at.col, text);
    }

private:
    ColumnWidths& widths_;
};

}  // namespace

RoleTotals roleTotals(const std::vector<std::shared_ptr<StoryElement>>& elements) {
    RoleTotals totals;
    for (const auto& element : elements) {
        const double frames = element->clipDuration();
        addTo(totals.video, element->videoRole(), frames);
        if (element->audioSubroles().empty()) {
            addTo(totals.audio, element->audioRole(), frames);
        } else {
            for (const std::string& subrole : element->audioSubroles()) {
                addTo(totals.audio, element->audioRole() + " \u25B8 " + subrole, frames);
            }
        }
    }
    return totals;
}

std::vector<std::shared_ptr<Asset>> missingMedia(const std::vector<std::shared_ptr<StoryElement>>& elements) {
    std::vector<std::shared_ptr<Asset>> missing;
    // Locations listed so far; assets without one are one location too.
    std::unordered_set<std::string> listed;
    bool listedWithoutUrl = false;
    for (const auto& element : elements) {
        const auto& asset = element->asset();
        if (!asset || asset->online()) continue;
        const std::optional<Url>& url = asset->url();
        const bool isNew = url ? listed.insert(url->absoluteString()).second : !std::exchange(listedWithoutUrl, true);
        if (isNew) missing.push_back(asset);
    }
    return missing;
}

void writeSummarySheet(ReportContext& context, const Composition& timeline,
                       const std::vector<std::shared_ptr<StoryElement>>& elements) {
    if (!context.workbook) return;
    xlsx::Workbook& workbook = *context.workbook;
    const TimecodeFrameRate rate = context.reportFrameRate;

    xlsx::Format heading = summaryFormat(workbook, xlsx::Color::black, xlsx::HorizontalAlignment::left);
    heading.bold();
    xlsx::Format body = summaryFormat(workbook, xlsx::Color::black, xlsx::HorizontalAlignment::left);
    body.numberFormat("#,##0");
    xlsx::Format percent = summaryFormat(workbook, xlsx::Color::black, xlsx::HorizontalAlignment::center_across);
    percent.numberFormat("0.0%");
    xlsx::Worksheet sheet = workbook.addWorksheet(rawValue(SheetTitle::summary));
    SummaryWidths widths(context);

    widths.write(sheet, timeline.name(), xlsx::Cell(0, 0), heading);
    widths.write(sheet, timecodeText(timeline.duration(), rate).value_or(""), xlsx::Cell(1, 1), body);
    widths.write(sheet, frameSizeText(timeline), xlsx::Cell(1, 2), body);
    widths.write(sheet, timeline.timecodeFrameRate(), xlsx::Cell(1, 3), body);
    widths.write(sheet, std::to_string(timeline.audioSampleRate() / 1000) + "kHz", xlsx::Cell(1, 4), body);

    const ColumnHeading tableHeadings[] = {ColumnHeading::RoleSubrole, ColumnHeading::EstimatedTotal,
                                           ColumnHeading::PercentOfTotal};
    for (std::size_t column = 0; column < std::size(tableHeadings); ++column) {
        widths.write(sheet, std::string(headingText(tableHeadings[column])), xlsx::Cell(3, column), heading);
    }

    const RoleTotals totals = roleTotals(elements);
    context.log() << debugTotals(totals.video) << ' ' << debugTotals(totals.audio) << '\n';

    // A share of a timeline without a usable length is no number; its cell stays blank.
    const double length = timeline.duration();
    const bool hasShares = std::isfinite(length) && length != 0;
    std::uint32_t row = 4;
    for (const auto* list : {&totals.video, &totals.audio}) {
        for (const RoleTotal& total : *list) {
            widths.write(sheet, total.name, xlsx::Cell(row, 0), body);
            widths.write(sheet, timecodeText(total.total, rate).value_or(""), xlsx::Cell(row, 1), body);
            const double share = total.total / length;
            if (hasShares && std::isfinite(share)) {
                sheet.write(share, xlsx::Cell(row, 2), percent);
            } else {
                sheet.write(xlsx::Value::blank(), xlsx::Cell(row, 2), percent);
            }
            ++row;
        }
    }

    xlsx::Format missing = summaryFormat(workbook, xlsx::Color::red, xlsx::HorizontalAlignment::left);
    missing.numberFormat("#,##0");
    row += 1;
    widths.write(sheet, "Missing Media", xlsx::Cell(row, 0), heading);
    for (const auto& asset : missingMedia(elements)) {
        if (!asset->url()) continue;
        widths.write(sheet, asset->url()->path(), xlsx::Cell(++row, 0), missing);
    }

    context.sheetColumnWidths.apply(sheet);
}

}  // namespace tallyvane
