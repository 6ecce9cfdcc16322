#pragma once
// The one error type of the workbook layer: nothing here ends the program.

#include <concepts>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace tallyvane::xlsx {

enum class XlsxErrorKind {
    library,          // the library refused a call; the message is its own text for the code
    invalidArgument,  // a value the library cannot represent, caught before the call
    closedWorkbook,   // an object used after its workbook was closed
};

class XlsxError : public std::runtime_error {
public:
    XlsxError(XlsxErrorKind kind, const std::string& message, int libraryCode = 0);

    // The library's text for a non-zero `lxw_error` code.
    static XlsxError fromLibrary(int libraryCode);

    XlsxErrorKind kind() const { return kind_; }
    // The `lxw_error` code for library errors, 0 otherwise.
    int libraryCode() const { return libraryCode_; }

private:
    XlsxErrorKind kind_;
    int libraryCode_;
};

// Throws the library's error for a non-zero `lxw_error` code.
void throwIfFailed(int libraryCode);

[[noreturn]] void throwOutOfRange(std::string_view what, long long low, long long high);

// `value` as a `To`, or an invalid-argument error naming `what` and the accepted range.
template <std::integral To, std::integral From>
To checkedInteger(From value, std::string_view what) {
    if (!std::in_range<To>(value)) {
        throwOutOfRange(what, static_cast<long long>(std::numeric_limits<To>::min()),
                        static_cast<long long>(std::numeric_limits<To>::max()));
    }
    return static_cast<To>(value);
}

// Non-finite numbers would be written as "nan"/"inf" into the XML and corrupt the file.
double requireFinite(double value, std::string_view what);

}  // namespace tallyvane::xlsx
