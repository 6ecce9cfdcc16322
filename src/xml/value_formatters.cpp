#include "xml/value_formatters.h"

#include <unicode/datefmt.h>
#include <unicode/numfmt.h>
#include <unicode/parsepos.h>
#include <unicode/smpdtfmt.h>

#include <cmath>
#include <memory>

namespace tallyvane {

namespace {

bool consumedWhole(const icu::ParsePosition& position, const icu::UnicodeString& text) {
    return position.getErrorIndex() < 0 && position.getIndex() > 0 && position.getIndex() == text.length();
}

}  // namespace

NumberFormatter makeDefaultNumberFormatter() {
    UErrorCode status = U_ZERO_ERROR;
    std::shared_ptr<icu::NumberFormat> format(
        icu::NumberFormat::createInstance(icu::Locale::getDefault(), UNUM_DECIMAL, status));
    if (U_FAILURE(status) || !format) {
        return [](const std::string&) -> std::optional<double> { return std::nullopt; };
    }
    format->setLenient(false);
    return [format = std::shared_ptr<const icu::NumberFormat>(format)](
               const std::string& text) -> std::optional<double> {
        icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
        icu::Formattable result;
        icu::ParsePosition position(0);
        format->parse(unicode, result, position);
        if (!consumedWhole(position, unicode)) return std::nullopt;
        UErrorCode status = U_ZERO_ERROR;
        double value = result.getDouble(status);
        if (U_FAILURE(status)) return std::nullopt;
        return value;
    };
}

DateFormatter makeDefaultDateFormatter() {
    UErrorCode status = U_ZERO_ERROR;
    auto format = std::make_shared<icu::SimpleDateFormat>(
        icu::UnicodeString(u"yyyy-MM-dd'T'HH:mm:ssZ"), icu::Locale("en_US_POSIX"), status);
    if (U_FAILURE(status)) {
        return [](const std::string&) -> std::optional<XMLDate> { return std::nullopt; };
    }
    format->setLenient(false);
    return [format = std::shared_ptr<const icu::SimpleDateFormat>(format)](
               const std::string& text) -> std::optional<XMLDate> {
        icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
        icu::ParsePosition position(0);
        UDate milliseconds = format->parse(unicode, position);
        if (!consumedWhole(position, unicode) || !std::isfinite(milliseconds)) return std::nullopt;
        return XMLDate(std::chrono::milliseconds(std::llround(milliseconds)));
    };
}

}  // namespace tallyvane
