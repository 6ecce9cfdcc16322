#pragma once
// An error number as a sentence an alert can show.

#include <string>

namespace tallyvane {

// The system's text with a full stop; a full disk or quota is named as such.
std::string systemErrorSentence(int error);

}  // namespace tallyvane
