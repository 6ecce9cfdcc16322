#include "reader/effect_texts.h"

#include <cmath>

#include "common/number_text.h"

namespace tallyvane {

bool isEnabled(const XMLElement& effect) { return effect.attrText("enabled") != "0"; }

FilterNames filterNames(const XMLElement& filter, std::string_view fallback) {
    std::optional<std::string> name = filter.attr("name");
    std::optional<std::string> override = filter.attr("nameOverride");
    FilterNames names{override ? *override : name.value_or(std::string(fallback)), name.value_or(std::string(fallback))};
    return names;
}

std::optional<double> numberAttribute(const XMLElement& element, std::string_view name) {
    const std::optional<AttributeText> text = element.attrText(name);
    return text ? parseDouble(*text) : std::nullopt;
}

double roundedTo(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

}  // namespace tallyvane
