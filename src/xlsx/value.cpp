#include "xlsx/value.h"

#include <unicode/utf.h>
#include <unicode/utf8.h>

namespace tallyvane::xlsx {

std::string Value::characterText(char32_t scalar) {
    const auto codePoint = static_cast<UChar32>(scalar <= 0x10FFFF && !U_IS_SURROGATE(scalar) ? scalar : 0xFFFD);
    char bytes[U8_MAX_LENGTH];
    int32_t length = 0;
    U8_APPEND_UNSAFE(bytes, length, codePoint);
    return std::string(bytes, static_cast<std::size_t>(length));
}

Value Value::boolean(bool value) {
    Value made(Kind::boolean, {});
    made.boolean_ = value;
    return made;
}

Value Value::datetime(Date date) {
    Value made(Kind::datetime, {});
    made.number_ = serialDayNumber(date);
    return made;
}

double serialDayNumber(Value::Date date) {
    const double seconds = std::chrono::duration<double>(date.time_since_epoch()).count();
    return seconds / 86400.0 + 25569.0;
}

}  // namespace tallyvane::xlsx
