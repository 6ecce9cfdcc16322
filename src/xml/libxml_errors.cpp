#include "xml/libxml_errors.h"

#include "xml/libxml_text.h"

#include <libxml/globals.h>

#include <string_view>

namespace tallyvane::detail {

std::string trimmedMessage(const char* message) {
    std::string text = textFrom(reinterpret_cast<const xmlChar*>(message));
    constexpr std::string_view space = " \t\n\r\v\f";
    std::size_t first = text.find_first_not_of(space);
    if (first == std::string::npos) return {};
    std::size_t last = text.find_last_not_of(space);
    return text.substr(first, last - first + 1);
}

ErrorCapture::ErrorCapture()
    : savedStructured_(xmlStructuredError),
      savedStructuredContext_(xmlStructuredErrorContext),
      savedGeneric_(xmlGenericError),
      savedGenericContext_(xmlGenericErrorContext) {
    xmlSetStructuredErrorFunc(this, &ErrorCapture::record);
    xmlSetGenericErrorFunc(this, &ErrorCapture::ignore);
}

ErrorCapture::~ErrorCapture() {
    xmlSetStructuredErrorFunc(savedStructuredContext_, savedStructured_);
    xmlSetGenericErrorFunc(savedGenericContext_, savedGeneric_);
}

void ErrorCapture::record(void* capture, xmlErrorPtr error) {
    auto* self = static_cast<ErrorCapture*>(capture);
    if (error == nullptr || error->code == XML_ERR_OK) return;
    self->recorded_ = true;
    self->code_ = error->code;
    self->message_ = trimmedMessage(error->message);
}

XMLError ErrorCapture::errorOr(XMLError fallback) const {
    if (!recorded_) return fallback;
    return XMLError::libXMLError(code_, message_);
}

}  // namespace tallyvane::detail
