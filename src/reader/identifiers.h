#pragma once
// Identifiers for model objects whose document element names none.

#include <string>
#include <string_view>

namespace tallyvane {

// The prefix and a new random (version 4) UUID in lower-case 8-4-4-4-12 hexadecimal.
std::string newIdentifier(std::string_view prefix);

// "vf-" and a new UUID: a format that the document does not name.
inline std::string newVideoFormatID() { return newIdentifier("vf-"); }

}  // namespace tallyvane
