#include "common/text_order.h"

#include <stdexcept>

#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include "common/utf8.h"

namespace tallyvane {

namespace {

icu::UnicodeString nfc(std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* normalizer = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) throw std::runtime_error(std::string("Cannot normalise text: ") + u_errorName(status));
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), text.size()));
    icu::UnicodeString normal = normalizer->normalize(unicode, status);
    if (U_FAILURE(status)) throw std::runtime_error(std::string("Cannot normalise text: ") + u_errorName(status));
    return normal;
}

}  // namespace

bool textPrecedes(std::string_view lhs, std::string_view rhs) {
    if (lhs == rhs) return false;
    // ASCII is its own NFC, and its bytes are its code points: byte order is the order.
    if (isAscii(lhs) && isAscii(rhs)) return lhs < rhs;
    return nfcPrecedes(lhs, rhs);
}

bool textsEquivalent(std::string_view lhs, std::string_view rhs) {
    if (lhs == rhs) return true;
    if (isAscii(lhs) && isAscii(rhs)) return false;
    return nfc(lhs) == nfc(rhs);
}

bool nfcPrecedes(std::string_view lhs, std::string_view rhs) {
    return nfc(lhs).compareCodePointOrder(nfc(rhs)) < 0;
}

}  // namespace tallyvane
