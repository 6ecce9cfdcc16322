#include "xml/text_encoding.h"

#include "common/utf8.h"

#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <memory>

namespace tallyvane::detail {

namespace {

struct ConverterClose {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};

}  // namespace

std::string preferredEncodingName(const char* declared) {
    const std::string fallback = "UTF-8";
    if (declared == nullptr || !isValidUtf8(declared)) return fallback;
    UErrorCode status = U_ZERO_ERROR;
    const char* canonical = ucnv_getAlias(declared, 0, &status);
    if (U_FAILURE(status) || canonical == nullptr) return fallback;
    for (const char* standard : {"MIME", "IANA"}) {
        status = U_ZERO_ERROR;
        const char* name = ucnv_getStandardName(canonical, standard, &status);
        if (U_SUCCESS(status) && name != nullptr) return name;
    }
    return canonical;
}

std::optional<std::string> encodeWithNul(std::string_view utf8, std::string_view encodingName) {
    if (!isValidUtf8(utf8)) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterClose> converter(ucnv_open(std::string(encodingName).c_str(), &status));
    if (U_FAILURE(status) || !converter) return std::nullopt;
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    if (U_FAILURE(status)) return std::nullopt;

    icu::UnicodeString text = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    text.append(static_cast<char16_t>(0));
    int32_t needed = ucnv_fromUChars(converter.get(), nullptr, 0, text.getBuffer(), text.length(), &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    status = U_ZERO_ERROR;
    ucnv_resetFromUnicode(converter.get());
    ucnv_fromUChars(converter.get(), bytes.data(), needed, text.getBuffer(), text.length(), &status);
    if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) return std::nullopt;
    return bytes;
}

}  // namespace tallyvane::detail
