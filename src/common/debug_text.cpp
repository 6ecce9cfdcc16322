#include "common/debug_text.h"

#include <cstdio>

namespace tallyvane {

std::string debugQuoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
            case '"': quoted += "\\\""; break;
            case '\\': quoted += "\\\\"; break;
            case '\n': quoted += "\\n"; break;
            case '\r': quoted += "\\r"; break;
            case '\t': quoted += "\\t"; break;
            case '\0': quoted += "\\0"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                    char escape[12];
                    std::snprintf(escape, sizeof escape, "\\u{%x}", static_cast<unsigned>(c));
                    quoted += escape;
                } else {
                    quoted += c;
                }
        }
    }
    return quoted + "\"";
}

std::string debugList(const std::vector<std::string>& texts) {
    std::string list = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) list += ", ";
        list += debugQuoted(texts[i]);
    }
    return list + "]";
}

}  // namespace tallyvane
