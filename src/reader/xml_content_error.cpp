#include "reader/xml_content_error.h"

namespace tallyvane {

namespace {

constexpr std::string_view kSeparator = " | ";

// Literals, so that every view is NUL-terminated for what().
constexpr std::array<std::string_view, 8> kRawValues{
    "This XML cannot be parsed | Please export a new XML.",
    "This fcpxmld file has been exported incorrectly | Please try exporting from Final Cut Pro using a different "
    "XML version.",
    "There is a problem with this .fcpxml file | This file is empty and cannot be used.",
    "There is a problem with this .xml file | This file is empty and cannot be used.",
    "This is not a valid .fcpxml file | Please export a new XML from Final Cut Pro.",
    "This is not a valid .xml file | Please export a new Final Cut Pro XML file from Premiere Pro.",
    "There is a problem with this FCPXML | The minimum version of XML supported is 1.6 (exported from Final Cut Pro "
    "10.3).",
    "There is a problem with this OTIO",
};

}  // namespace

std::optional<XMLContentError> XMLContentError::fromRawValue(std::string_view text) {
    for (std::size_t i = 0; i < kRawValues.size(); ++i) {
        if (kRawValues[i] == text) return XMLContentError(static_cast<Case>(i));
    }
    return std::nullopt;
}

std::string_view XMLContentError::rawValue() const noexcept { return kRawValues[static_cast<std::size_t>(case_)]; }

std::string_view XMLContentError::errorDescription() const noexcept {
    const std::string_view raw = rawValue();
    return raw.substr(0, raw.find(kSeparator));
}

std::string_view XMLContentError::recoverySuggestion() const noexcept {
    const std::string_view raw = rawValue();
    const std::size_t last = raw.rfind(kSeparator);
    return last == std::string_view::npos ? raw : raw.substr(last + kSeparator.size());
}

}  // namespace tallyvane
