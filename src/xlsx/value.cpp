#include "xlsx/value.h"

namespace tallyvane::xlsx {

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
