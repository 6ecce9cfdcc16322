#include "xlsx/workbook.h"

#include <cerrno>
#include <utility>

#include <xlsxwriter.h>

#include "common/error_sentence.h"

#include "xlsx/quiet_library.h"
#include "xlsx/text.h"
#include "xlsx/whole_parts.h"
#include "xlsx/workbook_state.h"

namespace tallyvane::xlsx {

namespace {

// The library's own naming of unnamed sheets, done here so that the name goes through the
// same checks as a given one.
std::string sheetName(std::optional<std::string_view> name, const char* stem, int number) {
    return name ? libraryText(*name) : stem + std::to_string(number);
}

// The library accepts an empty name, which the spreadsheet application then refuses.
void validateSheetName(const detail::WorkbookState& state, const std::string& name) {
    if (name.empty()) {
        throw XlsxError(XlsxErrorKind::invalidArgument, "Worksheet name cannot be blank.");
    }
    throwIfFailed(workbook_validate_sheet_name(state.open(), name.c_str()));
    if (state.nameInUse(name)) throw XlsxError::fromLibrary(LXW_ERROR_SHEETNAME_ALREADY_USED);
}

// The library answers a failed allocation with a null object.
template <typename Made>
Made* requireMade(Made* object) {
    if (object == nullptr) throw XlsxError::fromLibrary(LXW_ERROR_MEMORY_MALLOC_FAILED);
    return object;
}

}  // namespace

Workbook::Workbook(const std::string& path, WriteOrder order, std::ostream& diagnostics, const std::string& partsFolder)
    : partsFolder_(partsFolder) {
    lxw_workbook_options options{};
    options.constant_memory = order == WriteOrder::rowByRow ? LXW_TRUE : LXW_FALSE;
    detail::PartFiles parts(partsFolder);
    // The library copies the folder's name.
    if (!parts.folder().empty()) options.tmpdir = const_cast<char*>(parts.folder().c_str());
    auto* workbook = requireMade(workbook_new_opt(checkedPath(path).c_str(), &options));
    state_ = std::make_shared<detail::WorkbookState>(workbook, diagnostics, std::move(parts));
}

Worksheet Workbook::addWorksheet(std::optional<std::string_view> name) {
    lxw_workbook* workbook = state_->open();
    const std::string checked = sheetName(name, "Sheet", workbook->num_worksheets + 1);
    validateSheetName(*state_, checked);
    auto* sheet = requireMade(workbook_add_worksheet(workbook, checked.c_str()));
    state_->addName(checked);
    return Worksheet(state_, sheet);
}

Chartsheet Workbook::addChartsheet(std::optional<std::string_view> name) {
    lxw_workbook* workbook = state_->open();
    const std::string checked = sheetName(name, "Chart", workbook->num_chartsheets + 1);
    validateSheetName(*state_, checked);
    auto* sheet = requireMade(workbook_add_chartsheet(workbook, checked.c_str()));
    state_->addName(checked);
    return Chartsheet(state_, sheet);
}

Format Workbook::addFormat() {
    return Format(state_, requireMade(workbook_add_format(state_->open())));
}

Chart Workbook::addChart(Chart_type type) {
    // The library answers "none" with a chart it cannot write.
    if (type == Chart_type::none) {
        throw XlsxError(XlsxErrorKind::invalidArgument, "A chart needs a chart type.");
    }
    auto* chart = requireMade(workbook_add_chart(state_->open(), rawValue(type)));
    return Chart(state_, chart);
}

std::optional<Worksheet> Workbook::worksheet(std::string_view name) const {
    lxw_worksheet* sheet = workbook_get_worksheet_by_name(state_->open(), libraryText(name).c_str());
    if (sheet == nullptr) return std::nullopt;
    return Worksheet(state_, sheet);
}

std::optional<Chartsheet> Workbook::chartsheet(std::string_view name) const {
    lxw_chartsheet* sheet = workbook_get_chartsheet_by_name(state_->open(), libraryText(name).c_str());
    if (sheet == nullptr) return std::nullopt;
    return Chartsheet(state_, sheet);
}

void Workbook::close() {
    // The library writes a chartsheet without a chart as a part the spreadsheet application
    // refuses to open; nothing has been written yet, so the caller can still give it one.
    lxw_chartsheet* chartsheet = nullptr;
    STAILQ_FOREACH(chartsheet, state_->open()->chartsheets, list_pointers) {
        if (chartsheet->chart == nullptr) {
            throw XlsxError(XlsxErrorKind::invalidArgument,
                            "Chartsheet \"" + std::string(chartsheet->name) + "\" has no chart.");
        }
    }
    lxw_error closed = LXW_NO_ERROR;
    int rowsLost = 0;
    int partsCut = 0;
    int cutReason = 0;
    {
        const QuietLibrary quiet;
        lxw_workbook* workbook = state_->release();
        // A sheet whose rows were cut short is not put together: nothing half-made is written.
        rowsLost = detail::rowsWrittenWhole(workbook);
        if (rowsLost == 0) {
            const detail::CutPartCount cut;
            closed = workbook_close(workbook);
            partsCut = cut.count();
            cutReason = cut.reason();
        } else {
            lxw_workbook_free(workbook);
        }
        state_->closeLeftOpenParts();
    }
    throwIfFailed(closed);
    const int reason = rowsLost != 0 ? rowsLost : cutReason;
    if (rowsLost != 0 || partsCut != 0) {
        XlsxError error(XlsxErrorKind::library,
                        std::string(rowsLost != 0 ? "The rows" : "A part") + " of the workbook could not be written whole in " +
                            (partsFolder_.empty() ? std::string("the temporary folder") : "the folder " + partsFolder_) +
                            ": " + systemErrorSentence(reason),
                        LXW_ERROR_ZIP_FILE_ADD);
        errno = reason;
        throw error;
    }
}

}  // namespace tallyvane::xlsx
