#pragma once
// Errors for documents that cannot be used. Each case's raw text holds the message and the
// recovery suggestion joined by " | "; an alert shows the two parts.

#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tallyvane {

class XMLContentError : public std::exception {
public:
    enum class Case : std::uint8_t {
        malformed,
        fcpxmldBinary,
        emptyFCPXML,
        emptyXMEML,
        invalidFCPXML,
        invalidXMEML,
        fcpxmlTooOld,
        badOTIO,
    };
    using enum Case;

    XMLContentError(Case c) noexcept : case_(c) {}  // NOLINT: cases convert implicitly

    // Only the eight full raw texts are accepted.
    static std::optional<XMLContentError> fromRawValue(std::string_view text);

    Case value() const noexcept { return case_; }
    std::string_view rawValue() const noexcept;
    // The text before the first " | "; the whole text when there is none.
    std::string_view errorDescription() const noexcept;
    // The text after the last " | "; the whole text when there is none.
    std::string_view recoverySuggestion() const noexcept;

    // The whole raw text.
    const char* what() const noexcept override { return rawValue().data(); }

    friend bool operator==(const XMLContentError& a, const XMLContentError& b) noexcept {
        return a.case_ == b.case_;
    }

private:
    Case case_;
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::XMLContentError> {
    std::size_t operator()(const tallyvane::XMLContentError& error) const noexcept {
        return std::hash<std::string_view>{}(error.rawValue());
    }
};
