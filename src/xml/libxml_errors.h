#pragma once
// libxml2's recorded errors as XMLError values.

#include "xml/xml_error.h"

#include <libxml/xmlerror.h>

#include <string>

namespace tallyvane::detail {

// libxml2's message without the white space around it; "" for null.
std::string trimmedMessage(const char* message);

// For its lifetime, catches what libxml2 reports on this thread (instead of printing it),
// keeping the last error; the handlers in place before are restored afterwards.
class ErrorCapture {
public:
    ErrorCapture();
    ~ErrorCapture();
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;

    XMLError errorOr(XMLError fallback) const;

private:
    static void record(void* capture, xmlErrorPtr error);
    static void ignore(void*, const char*, ...) {}

    xmlStructuredErrorFunc savedStructured_;
    void* savedStructuredContext_;
    xmlGenericErrorFunc savedGeneric_;
    void* savedGenericContext_;
    bool recorded_ = false;
    int code_ = 0;
    std::string message_;
};

}  // namespace tallyvane::detail
