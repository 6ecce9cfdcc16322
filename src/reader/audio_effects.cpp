#include "reader/audio_effects.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "common/number_text.h"
#include "model/audio_fx.h"
#include "model/story_element.h"
#include "reader/child_elements.h"
#include "reader/effect_texts.h"

namespace tallyvane {

namespace {

void add(StoryElement& element, std::string name, std::string settings, bool enabled) {
    element.appendAudioFX(
        std::make_shared<AudioFX>(std::move(name), std::move(settings), std::nullopt, enabled, std::nullopt));
}

// A level may carry its unit: "-6dB" is -6.
std::optional<double> decibels(const XMLElement& volume) {
    std::string text = volume.attr("amount").value_or("");
    if (text.size() >= 2) {
        const std::string_view unit = std::string_view(text).substr(text.size() - 2);
        if (unit == "dB" || unit == "db" || unit == "DB") text.resize(text.size() - 2);
    }
    return parseDouble(text);
}

std::string oneDecimal(std::optional<double> value) { return formatDouble(roundedTo(value.value_or(0.0), 1)); }

}  // namespace

void storeAudioEffects(const XMLElement& clipElement, StoryElement& element) {
    for (const XMLElement& filter : childElements(clipElement, {"filter-audio"})) {
        FilterNames names = filterNames(filter, "Audio Effect");
        add(element, std::move(names.name), std::move(names.settings), isEnabled(filter));
    }
    if (const auto volume = firstChildElement(clipElement, {"adjust-volume"})) {
        add(element, "Volume", oneDecimal(decibels(*volume)) + " dB", false);
    }
    if (const auto panner = firstChildElement(clipElement, {"adjust-panner"})) {
        add(element, "Pan",
            "Mode: " + panner->attr("mode").value_or("None") + ", Amount: " +
                oneDecimal(numberAttribute(*panner, "amount")),
            false);
    }
    constexpr std::pair<std::string_view, std::string_view> kAdjustments[]{
        {"adjust-loudness", "Loudness"},
        {"adjust-noiseReduction", "Background Noise Removal"},
        {"adjust-humReduction", "Hum Removal"},
    };
    for (const auto& [tag, name] : kAdjustments) {
        if (firstChildElement(clipElement, {tag})) add(element, std::string(name), "", false);
    }
    if (firstChildElement(clipElement, {"adjust-EQ", "adjust-matchEQ"})) add(element, "Equalization", "", false);
    if (firstChildElement(clipElement, {"adjust-voiceIsolation"})) add(element, "Voice Isolation", "", false);
}

}  // namespace tallyvane
