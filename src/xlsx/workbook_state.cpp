#include "xlsx/workbook_state.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "xlsx/error.h"

namespace tallyvane::xlsx::detail {

namespace {

icu::UnicodeString folded(const std::string& name) {
    auto text = icu::UnicodeString::fromUTF8(name);
    text.foldCase();
    return text;
}

// Every property a format can be given, as the bytes the library compares; the fields the
// library fills in at close are still equal in all formats before it.
std::string propertiesOf(const lxw_format* format) {
    const char* bytes = reinterpret_cast<const char*>(format);
    return std::string(bytes + offsetof(lxw_format, num_format), bytes + offsetof(lxw_format, list_pointers));
}

}  // namespace

WorkbookState::WorkbookState(lxw_workbook* workbook, std::ostream& diagnostics, PartFiles parts)
    : workbook_(workbook), diagnostics_(&diagnostics), parts_(std::move(parts)) {}

WorkbookState::~WorkbookState() {
    if (workbook_ == nullptr) return;
    lxw_workbook_free(workbook_);
    parts_.closeLeftOpen();
}

lxw_workbook* WorkbookState::open() const {
    if (workbook_ == nullptr) {
        throw XlsxError(XlsxErrorKind::closedWorkbook, "The workbook is already closed.");
    }
    return workbook_;
}

lxw_workbook* WorkbookState::release() {
    lxw_workbook* workbook = open();
    workbook_ = nullptr;
    return workbook;
}

bool WorkbookState::nameInUse(const std::string& name) const {
    return std::find(foldedNames_.begin(), foldedNames_.end(), folded(name)) != foldedNames_.end();
}

void WorkbookState::addName(const std::string& name) { foldedNames_.push_back(folded(name)); }

lxw_format* WorkbookState::resolve(lxw_format* format) {
    if (format->xf_index != LXW_PROPERTY_UNSET) return format;
    auto key = keys_.find(format);
    if (key == keys_.end()) {
        std::string properties = propertiesOf(format);
        lxw_format* first = firstWithProperties_.try_emplace(properties, format).first->second;
        key = keys_.emplace(format, FormatKey{std::move(properties), first}).first;
    }
    lxw_format* first = key->second.first;
    if (first != format && first->xf_index != LXW_PROPERTY_UNSET && !numberedHere_.contains(first)) {
        format->xf_index = first->xf_index;
        numberedHere_.insert(format);
    }
    return format;
}

void WorkbookState::changing(lxw_format* format) {
    if (numberedHere_.erase(format) > 0) format->xf_index = LXW_PROPERTY_UNSET;
    const auto key = keys_.find(format);
    if (key == keys_.end()) return;
    if (key->second.first == format) {
        // Its twins must not take the number it may get for its new properties.
        firstWithProperties_.erase(key->second.properties);
        std::erase_if(keys_, [format](const auto& entry) { return entry.second.first == format; });
    } else {
        keys_.erase(key);
    }
}

}  // namespace tallyvane::xlsx::detail
