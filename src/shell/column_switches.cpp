#include "shell/column_switches.h"

#include <cstdlib>
#include <limits>

#include <charconv>

namespace tallyvane {

namespace {

std::string_view trimmedSpaces(std::string_view text) {
    constexpr std::string_view kSpaces = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kSpaces);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kSpaces) - first + 1);
}

template <class Field>
std::optional<std::size_t> switchWhere(Field field, std::string_view wanted) {
    for (std::size_t index = 0; index < kColumnSwitches.size(); ++index) {
        if (kColumnSwitches[index].*field == wanted) return index;
    }
    return std::nullopt;
}

template <class Integer>
Integer controlValue(std::string_view text) {
    text = trimmedSpaces(text);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-')) return 0;
    }
    // The leading integer, as a text field's integer value reads it: "40px" and "40.7" are 40.
    Integer value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc()) return 0;
    return value;
}

}  // namespace

std::optional<std::size_t> columnSwitchWithTitle(std::string_view title) {
    return switchWhere(&ColumnSwitch::title, title);
}

std::optional<std::size_t> columnSwitchWithOptionKey(std::string_view key) {
    return switchWhere(&ColumnSwitch::optionKey, key);
}

std::int64_t controlIntegerValue(std::string_view text) { return controlValue<std::int64_t>(text); }

std::int32_t controlInt32Value(std::string_view text) { return controlValue<std::int32_t>(text); }

std::int64_t thumbnailWidthValue(std::string_view text) {
    const std::int64_t value = controlIntegerValue(text);
    // The one width without a size of its own reads as too wide rather than wrapping round.
    return value == std::numeric_limits<std::int64_t>::min() ? std::numeric_limits<std::int64_t>::max() : std::llabs(value);
}

}  // namespace tallyvane
