#pragma once
// What the video and audio effects passes share: the on/off rule of adjustments, the
// names of filters, and numbers read from attributes and written into settings texts.

#include <optional>
#include <string>
#include <string_view>

#include "xml/xml_element.h"

namespace tallyvane {

// Off only for the exact text "0".
bool isEnabled(const XMLElement& effect);

struct FilterNames {
    std::string name;      // "nameOverride", else "name", else the fallback
    std::string settings;  // "name", else the fallback
};
FilterNames filterNames(const XMLElement& filter, std::string_view fallback);

// The attribute as a number when the whole text reads as one.
std::optional<double> numberAttribute(const XMLElement& element, std::string_view name);

// Rounded half away from zero to that many decimals.
double roundedTo(double value, int decimals);

}  // namespace tallyvane
