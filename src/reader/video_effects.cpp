#include "reader/video_effects.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/number_text.h"
#include "model/story_element.h"
#include "model/video_format.h"
#include "model/video_fx.h"
#include "reader/child_elements.h"
#include "reader/effect_texts.h"
#include "reader/text_extensions.h"

namespace tallyvane {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kBlendModes{{
    {"2", "Subtract"},
    {"3", "Darken"},
    {"4", "Multiply"},
    {"8", "Add"},
    {"9", "Lighten"},
    {"10", "Screen"},
    {"14", "Overlay"},
    {"15", "Soft Light"},
    {"16", "Hard Light"},
    {"22", "Difference"},
}};

void add(StoryElement& element, std::string name, std::string settings, bool enabled) {
    element.appendVideoFX(std::make_shared<VideoFX>(std::move(name), std::move(settings), enabled, std::nullopt));
}

std::vector<std::string> parts(std::string_view text) { return componentsNonEmpty(text, " "); }

// A transform value: the attribute, else the value of a parameter that holds one keyframe
// (`valueless` when that keyframe has none), else the fallback.
std::string transformValue(const XMLElement& transform, std::string_view name, std::string_view fallback,
                           std::string_view valueless = "") {
    if (std::optional<std::string> value = transform.attr(name)) return *value;
    for (const XMLElement& param : childElements(transform, {"param"})) {
        if (param.attrText("name") != name) continue;
        const std::vector<XMLElement> keyframes = childElements(param, "keyframeAnimation", {"keyframe"});
        if (keyframes.size() != 1) return std::string(fallback);
        return keyframes.front().attr("value").value_or(std::string(valueless));
    }
    return std::string(fallback);
}

// Percentages of the frame height in pixels; what does not read counts as 0.
std::vector<double> pixels(std::string_view text, const VideoFormat& timelineFormat) {
    std::vector<double> values;
    for (const std::string& part : parts(text)) {
        values.push_back(parseDouble(part).value_or(0.0) / 100 * static_cast<double>(timelineFormat.height()));
    }
    return values;
}

// Adding zero turns a negative zero into zero: "-0.0 px" would read as a direction.
std::string pixelText(double value, int decimals) {
    return formatSettingsNumber(roundedTo(value, decimals) + 0.0);
}

void storeTransform(const XMLElement& transform, StoryElement& element, const VideoFormat& timelineFormat) {
    const bool enabled = isEnabled(transform);
    const std::vector<std::string> scale = parts(transformValue(transform, "scale", "1 1"));
    if (!scale.empty()) {
        const std::optional<double> horizontal = parseDouble(scale.front());
        if (horizontal && parseDouble(scale.back())) {
            const std::string percent = formatSettingsNumber(roundedTo(*horizontal * 100, 5));
            add(element, "Transform", "Scale " + percent + "%", enabled);
        }
    }
    if (const std::optional<double> rotation = parseDouble(transformValue(transform, "rotation", "0", "0"))) {
        std::string text = formatSettingsNumber(-*rotation);
        if (text == "0.0" || text == "-0.0") text = "0";
        add(element, "Transform", "Rotation " + text + "\u00B0", enabled);
    }
    const std::vector<double> center = pixels(transformValue(transform, "position", "0 0"), timelineFormat);
    const double x = center.empty() ? 0.0 : center.front();
    const double y = center.empty() ? 0.0 : -center.back();
    add(element, "Transform", "Center " + pixelText(x, 5) + " px, " + pixelText(y, 5) + " px", enabled);
    if (const std::optional<AttributeText> anchorText = transform.attrText("anchor")) {
        const std::vector<double> anchor = pixels(*anchorText, timelineFormat);
        const double ax = anchor.empty() ? 0.0 : anchor.front();
        const double ay = anchor.empty() ? 0.0 : anchor.back();
        add(element, "Transform", "Anchor " + pixelText(ax, 1) + " px, " + pixelText(ay, 1) + " px", enabled);
    }
}

void storeBlend(const XMLElement& blend, StoryElement& element) {
    std::vector<std::string> items;
    if (!childElements(blend, "param", {"fadeIn"}).empty()) items.emplace_back("Fade In");
    if (blend.attrText("amount")) {
        // The amount is a fraction of full opacity.
        const std::optional<double> amount = numberAttribute(blend, "amount");
        const double percent = amount ? roundedTo(*amount * 100, 1) : 100.0;
        items.push_back("Opacity " + formatSettingsNumber(percent) + "%");
    }
    if (!childElements(blend, "param", {"fadeOut"}).empty()) items.emplace_back("Fade Out");
    std::string settings;
    for (const std::string& item : items) settings += (settings.empty() ? "" : ", ") + item;
    add(element, "Compositing", settings, true);

    const std::vector<std::string> mode = parts(blend.attr("mode").value_or(""));
    if (mode.empty()) return;
    for (const auto& [code, name] : kBlendModes) {
        if (mode.front() == code) add(element, "Blend Mode", std::string(name), true);
    }
}

template <class Read>
void withFirst(const std::vector<XMLElement>& found, Read read) {
    if (!found.empty()) read(found.front());
}

}  // namespace

void storeVideoEffects(const XMLElement& clipElement, StoryElement& element, const VideoFormat& timelineFormat) {
    const auto own = childElementsByTag({clipElement}, {"filter-video", "object-tracker", "adjust-crop", "adjust-corners",
                                                        "adjust-conform", "adjust-transform", "adjust-blend", "video"});
    for (const XMLElement& filter : own[0]) {
        FilterNames names = filterNames(filter, "Video Effect");
        add(element, std::move(names.name), std::move(names.settings), isEnabled(filter));
    }
    withFirst(own[1], [&](const XMLElement& tracker) { add(element, "Tracker", "Object Tracker", isEnabled(tracker)); });
    withFirst(own[2], [&](const XMLElement& crop) {
        const std::optional<std::string> mode = crop.attr("mode");
        const std::string name =
            mode ? "Crop (" + replacingOccurrences(capitalized(*mode), "Pan", "Ken Burns") + ")" : "Crop";
        add(element, name, "", isEnabled(crop));
    });
    withFirst(own[3], [&](const XMLElement& corners) { add(element, "Distort", "", isEnabled(corners)); });
    withFirst(own[4], [&](const XMLElement& conform) {
        if (const std::optional<std::string> type = conform.attr("type")) {
            add(element, "Spatial Conform", capitalized(*type), true);
        }
    });
    withFirst(own[5], [&](const XMLElement& transform) { storeTransform(transform, element, timelineFormat); });
    withFirst(own[6], [&](const XMLElement& blend) { storeBlend(blend, element); });
    if (own[7].empty()) return;

    const auto video = childElementsByTag(own[7], {"adjust-stabilization", "adjust-rollingShutter", "adjust-colorConform"});
    withFirst(video[0], [&](const XMLElement& stabilization) {
        add(element, "Stabilization", stabilization.attr("type").value_or(""), isEnabled(stabilization));
    });
    withFirst(video[1], [&](const XMLElement& shutter) {
        add(element, "Rolling Shutter", shutter.attr("amount").value_or(""), isEnabled(shutter));
    });
    // One list in document order, whichever of the four kinds each is.
    for (const XMLElement& transform :
         childElements(own[7], {"adjust-360-transform", "adjust-reorient", "adjust-orientation", "adjust-cinematic"})) {
        const std::string settings =
            hasTag(transform, "adjust-orientation") ? transform.attr("mapping").value_or("normal") : "";
        add(element, "360\u00B0 Transform", settings, isEnabled(transform));
    }
    withFirst(video[2], [&](const XMLElement& conform) {
        add(element, "Color Conform", conform.attr("autoOrManual").value_or("automatic"), isEnabled(conform));
    });
}

}  // namespace tallyvane
