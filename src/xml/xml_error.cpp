#include "xml/xml_error.h"

#include <cstdio>
#include <utility>

namespace tallyvane {

namespace {

// A message as a quoted literal, escaped the way a debugger would show it.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\0': out += "\\0"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char escaped[12];
                std::snprintf(escaped, sizeof escaped, "\\u{%X}", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

}  // namespace

XMLError::XMLError(Kind kind, int code, std::string message)
    : kind_(kind), code_(code), message_(std::move(message)) {
    switch (kind_) {
    case Kind::libXMLError:
        text_ = "libXMLError(code: " + std::to_string(code_) + ", message: " + quoted(message_) + ")";
        break;
    case Kind::xpathError: text_ = "xpathError(code: " + std::to_string(code_) + ")"; break;
    case Kind::noError: text_ = "noError"; break;
    case Kind::invalidData: text_ = "invalidData"; break;
    case Kind::parserFailure: text_ = "parserFailure"; break;
    }
}

XMLError XMLError::libXMLError(int code, std::string message) {
    return XMLError(Kind::libXMLError, code, std::move(message));
}
XMLError XMLError::xpathError(int code) { return XMLError(Kind::xpathError, code, {}); }
XMLError XMLError::noError() { return XMLError(Kind::noError, 0, {}); }
XMLError XMLError::invalidData() { return XMLError(Kind::invalidData, 0, {}); }
XMLError XMLError::parserFailure() { return XMLError(Kind::parserFailure, 0, {}); }

}  // namespace tallyvane
