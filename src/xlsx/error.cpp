#include "xlsx/error.h"

#include <cmath>

#include <xlsxwriter.h>

#include "common/number_text.h"

namespace tallyvane::xlsx {

XlsxError::XlsxError(XlsxErrorKind kind, const std::string& message, int libraryCode)
    : std::runtime_error(message), kind_(kind), libraryCode_(libraryCode) {}

XlsxError XlsxError::fromLibrary(int libraryCode) {
    const char* text = libraryCode > LXW_NO_ERROR && libraryCode < LXW_MAX_ERRNO
                           ? lxw_strerror(static_cast<lxw_error>(libraryCode))
                           : "Unknown error number.";
    return XlsxError(XlsxErrorKind::library, text, libraryCode);
}

void throwIfFailed(int libraryCode) {
    if (libraryCode != LXW_NO_ERROR) throw XlsxError::fromLibrary(libraryCode);
}

void throwOutOfRange(std::string_view what, long long low, long long high) {
    throw XlsxError(XlsxErrorKind::invalidArgument,
                    std::string(what) + " must lie in " + std::to_string(low) + "..." +
                        std::to_string(high) + ".");
}

double requireFinite(double value, std::string_view what) {
    if (!std::isfinite(value)) {
        throw XlsxError(XlsxErrorKind::invalidArgument,
                        std::string(what) + " must be a finite number, not " + formatDouble(value) + ".");
    }
    return value;
}

}  // namespace tallyvane::xlsx
