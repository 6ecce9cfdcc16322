#pragma once
// The one error type of the XML layer.

#include <exception>
#include <string>

namespace tallyvane {

class XMLError : public std::exception {
public:
    enum class Kind { libXMLError, xpathError, noError, invalidData, parserFailure };

    static XMLError libXMLError(int code, std::string message);
    static XMLError xpathError(int code);
    static XMLError noError();
    static XMLError invalidData();
    static XMLError parserFailure();

    // libxml2's last error on this thread as `libXMLError`, with its code and its message
    // trimmed of white space, clearing it; the fallback when libxml2 has recorded none.
    static XMLError lastError(XMLError fallback);

    Kind kind() const { return kind_; }
    // Code of the two payload cases; 0 otherwise.
    int code() const { return code_; }
    // Message of `libXMLError`; empty otherwise.
    const std::string& message() const { return message_; }

    // What went wrong and what the user can do about it, for an alert.
    std::string errorDescription() const;
    std::string recoverySuggestion() const;

    // The case name, with the payload of the two payload cases:
    // `libXMLError(code: 4, message: "Document is empty")`, `xpathError(code: 1207)`.
    const char* what() const noexcept override { return text_.c_str(); }

    bool operator==(const XMLError& other) const {
        return kind_ == other.kind_ && code_ == other.code_ && message_ == other.message_;
    }

private:
    XMLError(Kind kind, int code, std::string message);

    Kind kind_;
    int code_;
    std::string message_;
    std::string text_;
};

}  // namespace tallyvane
