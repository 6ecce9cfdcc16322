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

std::string oneDecimal(std::optional<double> value) {
    return formatSettingsNumber(roundedTo(value.value_or(0.0), 1));
}

}  // namespace

void storeAudioEffects(const XMLElement& clipElement, StoryElement& element) {
    const auto found = childElementsByTag(
        {clipElement}, {"filter-audio", "adjust-volume", "adjust-panner", "adjust-loudness", "adjust-noiseReduction",
                        "adjust-humReduction", "adjust-EQ", "adjust-matchEQ", "adjust-voiceIsolation"});
    for (const XMLElement& filter : found[0]) {
        FilterNames names = filterNames(filter, "Audio Effect");
        add(element, std::move(names.name), std::move(names.settings), isEnabled(filter));
    }
    if (!found[1].empty()) add(element, "Volume", oneDecimal(decibels(found[1].front())) + " dB", false);
    if (!found[2].empty()) {
        const XMLElement& panner = found[2].front();
        add(element, "Pan",
            "Mode: " + panner.attr("mode").value_or("None") + ", Amount: " + oneDecimal(numberAttribute(panner, "amount")),
            false);
    }
    if (!found[3].empty()) add(element, "Loudness", "", false);
    if (!found[4].empty()) add(element, "Background Noise Removal", "", false);
    if (!found[5].empty()) add(element, "Hum Removal", "", false);
    // However many equalisers of either kind, one effect.
    if (!found[6].empty() || !found[7].empty()) add(element, "Equalization", "", false);
    if (!found[8].empty()) add(element, "Voice Isolation", "", false);
}

}  // namespace tallyvane
