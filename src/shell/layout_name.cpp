#include "shell/layout_name.h"

#include <memory>

#include <unicode/normalizer2.h>
#include <unicode/regex.h>
#include <unicode/unistr.h>

#include "common/utf8.h"

namespace tallyvane {

namespace {

std::string toUtf8(const icu::UnicodeString& text) {
    std::string result;
    text.toUTF8String(result);
    return result;
}

// "0099" to "0100", "99" to "100".
std::string countedUp(std::string digits) {
    for (auto position = digits.rbegin(); position != digits.rend(); ++position) {
        if (*position != '9') {
            ++*position;
            return digits;
        }
        *position = '0';
    }
    return "1" + digits;
}

}  // namespace

std::string nextLayoutName(std::string_view name) {
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(sanitizeUtf8(name));
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexPattern> pattern(
        icu::RegexPattern::compile(icu::UnicodeString::fromUTF8("^(.*?)([0-9]+)$"), UREGEX_DOTALL, status));
    if (U_FAILURE(status)) return toUtf8(text) + "1";
    const std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(text, status));
    if (U_FAILURE(status) || !matcher->matches(status) || U_FAILURE(status)) return toUtf8(text) + "1";
    const icu::UnicodeString base = matcher->group(1, status);
    const icu::UnicodeString digits = matcher->group(2, status);
    if (U_FAILURE(status)) return toUtf8(text) + "1";
    return toUtf8(base) + countedUp(toUtf8(digits));
}

std::string canonicalLayoutName(std::string_view name) {
    const std::string valid = sanitizeUtf8(name);
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) return valid;
    const icu::UnicodeString normalized = nfc->normalize(icu::UnicodeString::fromUTF8(valid), status);
    return U_FAILURE(status) ? valid : toUtf8(normalized);
}

}  // namespace tallyvane
