#include "xml/libxml_text.h"

#include "common/utf8.h"

#include <libxml/globals.h>

#include <string_view>

namespace tallyvane::detail {

namespace {

std::string_view viewOf(const xmlChar* chars) {
    return std::string_view(reinterpret_cast<const char*>(chars));
}

}  // namespace

std::string textFrom(const xmlChar* chars) {
    if (chars == nullptr) return {};
    return sanitizeUtf8(viewOf(chars));
}

std::string takeText(xmlChar* owned) {
    std::string text = textFrom(owned);
    if (owned != nullptr) xmlFree(owned);
    return text;
}

std::optional<std::string> nameFrom(const xmlChar* chars) {
    if (chars == nullptr) return std::nullopt;
    std::string_view view = viewOf(chars);
    if (!isValidUtf8(view)) return std::nullopt;
    return std::string(view);
}

}  // namespace tallyvane::detail
