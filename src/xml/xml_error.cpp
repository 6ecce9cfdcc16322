#include "xml/xml_error.h"

#include "xml/libxml_errors.h"

#include <libxml/xmlerror.h>

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

XMLError XMLError::lastError(XMLError fallback) {
    xmlErrorPtr recorded = xmlGetLastError();
    if (recorded == nullptr || recorded->code == XML_ERR_OK) return fallback;
    XMLError error = libXMLError(recorded->code, detail::trimmedMessage(recorded->message));
    xmlResetError(recorded);
    return error;
}

std::string XMLError::errorDescription() const {
    switch (kind_) {
    case Kind::libXMLError:
        return "The XML parser reported error " + std::to_string(code_) + (message_.empty() ? "" : ": " + message_);
    case Kind::xpathError: return "The XPath expression could not be evaluated (error " + std::to_string(code_) + ")";
    case Kind::noError: return "No error";
    case Kind::invalidData:
        return "The XML is larger than 2 GB, cannot be represented in its encoding, or has entity references that "
               "stand for far more text than it holds";
    case Kind::parserFailure: return "The XML parser could not read this text";
    }
    return {};
}

std::string XMLError::recoverySuggestion() const {
    switch (kind_) {
    case Kind::xpathError: return "Please check the expression.";
    case Kind::noError: return {};
    case Kind::libXMLError:
    case Kind::invalidData:
    case Kind::parserFailure: return "Please export a new XML.";
    }
    return {};
}

}  // namespace tallyvane
