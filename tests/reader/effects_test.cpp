// Video and audio effects of a clip: names, settings texts and on/off states.

#include <gtest/gtest.h>

#include "model/audio_fx.h"
#include "model/video_fx.h"
#include "reader/audio_effects.h"
#include "reader/video_effects.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

struct Effect {
    std::string name;
    std::string settings;
    bool enabled;
    friend bool operator==(const Effect&, const Effect&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Effect& e) {
        return out << '{' << e.name << " | " << e.settings << " | " << e.enabled << '}';
    }
};

struct EffectCase {
    std::string what;
    std::string children;  // the clip element's content
    std::vector<Effect> expected;
};

std::string documentWith(const std::string& children) {
    return "<fcpxml version=\"1.11\"><asset-clip name=\"c\">" + children + "</asset-clip></fcpxml>";
}

// A 1920 x 1080 timeline: a position of 10 (percent of the height) is 108 pixels.

// The video or the audio effects the pass stores for a clip of that content.
std::vector<Effect> effectsOf(const std::string& children, bool video) {
    testing::PassFixture fixture(documentWith(children));
    auto clip = testing::clipElement(StoryElement::Category::assetclip, "25", 0, 100, 0.0);
    std::vector<Effect> effects;
    const auto add = [&](const auto& fx) {
        EXPECT_FALSE(fx->params().has_value());
        effects.push_back({fx->name(), fx->settings(), fx->enabled()});
    };
    if (video) {
        storeVideoEffects(fixture.element("//asset-clip"), *clip, testing::kTimeline25p);
    } else {
        storeAudioEffects(fixture.element("//asset-clip"), *clip);
    }
    for (const auto& fx : clip->videoFX()) add(fx);
    for (const auto& fx : clip->audioFX()) {
        EXPECT_FALSE(fx->track().has_value());
        add(fx);
    }
    return effects;
}

const std::string kDeg = "\u00B0";

TEST(VideoEffects, NamesSettingsAndStates) {
    const std::vector<EffectCase> cases{
        {"nothing to read", "<note>n</note>", {}},
        {"filters in order, override and fallback names",
         "<filter-video name=\"Blur\" nameOverride=\"Soft\"/><filter-video/><filter-video name=\"X\" enabled=\"0\"/>"
         "<filter-video name=\"Y\" enabled=\"false\"/>",
         {{"Soft", "Blur", true}, {"Video Effect", "Video Effect", true}, {"X", "X", false}, {"Y", "Y", true}}},
        {"bare transform: scale, rotation, centre, no anchor",
         "<adjust-transform/>",
         {{"Transform", "Scale 100.0%", true}, {"Transform", "Rotation 0" + kDeg, true},
          {"Transform", "Center 0.0 px, 0.0 px", true}}},
        {"transform attributes, negated rotation, centre and anchor in timeline pixels",
         "<adjust-transform scale=\"1.5 2\" rotation=\"90\" position=\"10 -20\" anchor=\"5 2.5\" enabled=\"0\"/>",
         {{"Transform", "Scale 150.0%", false}, {"Transform", "Rotation -90.0" + kDeg, false},
          {"Transform", "Center 108.0 px, 216.0 px", false}, {"Transform", "Anchor 54.0 px, 27.0 px", false}}},
        {"unreadable scale leaves the others; empty anchor",
         "<adjust-transform scale=\"abc\" rotation=\"-45.5\" anchor=\"\"/>",
         {{"Transform", "Rotation 45.5" + kDeg, true}, {"Transform", "Center 0.0 px, 0.0 px", true},
          {"Transform", "Anchor 0.0 px, 0.0 px", true}}},
        {"animated scale is the default, one keyframe is its value",
         "<adjust-transform><param name=\"scale\"><keyframeAnimation><keyframe value=\"2 2\"/>"
         "<keyframe value=\"3 3\"/></keyframeAnimation></param><param name=\"rotation\"><keyframeAnimation>"
         "<keyframe/></keyframeAnimation></param><param name=\"position\"><keyframeAnimation>"
         "<keyframe value=\"0 10\"/></keyframeAnimation></param></adjust-transform>",
         {{"Transform", "Scale 100.0%", true}, {"Transform", "Rotation 0" + kDeg, true},
          {"Transform", "Center 0.0 px, -108.0 px", true}}},
        {"a single keyframe without a value gives no scale and a centre from no parts",
         "<adjust-transform><param name=\"scale\"><keyframeAnimation><keyframe/></keyframeAnimation></param>"
         "<param name=\"position\"><keyframeAnimation><keyframe/></keyframeAnimation></param></adjust-transform>",
         {{"Transform", "Rotation 0" + kDeg, true}, {"Transform", "Center 0.0 px, 0.0 px", true}}},
        {"settings numbers take the exponent form from 10^16 up",
         "<adjust-transform scale=\"95000000000000 1\" rotation=\"1e16\"/>",
         {{"Transform", "Scale 9500000000000000.0%", true}, {"Transform", "Rotation -1e+16" + kDeg, true},
          {"Transform", "Center 0.0 px, 0.0 px", true}}},
        {"only the first transform, crop, corners",
         "<adjust-crop mode=\"pan\"/><adjust-crop mode=\"trim\"/><adjust-corners enabled=\"0\"/>"
         "<adjust-transform rotation=\"0\"/><adjust-transform rotation=\"5\"/>",
         {{"Crop (Ken Burns)", "", true}, {"Distort", "", false}, {"Transform", "Scale 100.0%", true},
          {"Transform", "Rotation 0" + kDeg, true}, {"Transform", "Center 0.0 px, 0.0 px", true}}},
        {"crop without mode, tracker, conform capitalised and always on",
         "<adjust-crop enabled=\"0\"/><object-tracker/><adjust-conform type=\"FILL\" enabled=\"0\"/>",
         {{"Tracker", "Object Tracker", true}, {"Crop", "", false}, {"Spatial Conform", "Fill", true}}},
        {"conform without type adds nothing", "<adjust-conform/>", {}},
        {"blend: fades and the opacity of a fraction as a percentage, mode",
         "<adjust-blend amount=\"0.5\" mode=\"10\"><param name=\"a\"><fadeIn/></param>"
         "<param name=\"b\"><fadeOut/></param></adjust-blend>",
         {{"Compositing", "Fade In, Opacity 50.0%, Fade Out", true}, {"Blend Mode", "Screen", true}}},
        {"blend: unreadable amount is full opacity; unknown and padded modes add none",
         "<adjust-blend amount=\"half\" mode=\"0\"/><adjust-blend mode=\"4\"/>",
         {{"Compositing", "Opacity 100.0%", true}}},
        {"blend without anything still composites", "<adjust-blend mode=\"04\"/>", {{"Compositing", "", true}}},
        {"video adjustments below the video element",
         "<video><adjust-stabilization type=\"automatic\"/><adjust-rollingShutter amount=\"high\" enabled=\"0\"/>"
         "<adjust-reorient/><adjust-orientation/><adjust-360-transform enabled=\"0\"/>"
         "<adjust-orientation mapping=\"tinyPlanet\"/><adjust-colorConform/></video>",
         {{"Stabilization", "automatic", true}, {"Rolling Shutter", "high", false},
          {"360" + kDeg + " Transform", "", true}, {"360" + kDeg + " Transform", "normal", true},
          {"360" + kDeg + " Transform", "", false}, {"360" + kDeg + " Transform", "tinyPlanet", true},
          {"Color Conform", "automatic", true}}},
        {"adjustments directly on the clip are not the video's", "<adjust-stabilization/>", {}},
    };
    for (const EffectCase& c : cases) EXPECT_EQ(effectsOf(c.children, true), c.expected) << c.what;
}

TEST(AudioEffects, NamesSettingsAndStates) {
    const std::vector<EffectCase> cases{
        {"nothing to read", "<adjust-transform/>", {}},
        {"filter then volume",
         "<adjust-volume amount=\"2.5\" enabled=\"1\"/><filter-audio name=\"Reverb\"/>",
         {{"Reverb", "Reverb", true}, {"Volume", "2.5 dB", false}}},
        {"volume without amount, with a unit, rounding halves away from zero",
         "<adjust-volume/><adjust-volume amount=\"-6dB\"/>", {{"Volume", "0.0 dB", false}}},
        {"a level with its unit reads as its number", "<adjust-volume amount=\"-6dB\"/>",
         {{"Volume", "-6.0 dB", false}}},
        {"tiny levels", "<adjust-volume amount=\"-0.04\"/>", {{"Volume", "-0.0 dB", false}}},
        {"half a tenth", "<adjust-volume amount=\"0.05\"/>", {{"Volume", "0.1 dB", false}}},
        {"unreadable level", "<adjust-volume amount=\"loud\"/>", {{"Volume", "0.0 dB", false}}},
        {"panner", "<adjust-panner mode=\"1\" amount=\"25\"/>", {{"Pan", "Mode: 1, Amount: 25.0", false}}},
        {"bare panner", "<adjust-panner/>", {{"Pan", "Mode: None, Amount: 0.0", false}}},
        {"every built-in adjustment is off, one equalisation for both kinds",
         "<adjust-voiceIsolation/><adjust-matchEQ/><adjust-EQ enabled=\"1\"/><adjust-humReduction/>"
         "<adjust-noiseReduction/><adjust-loudness/><filter-audio nameOverride=\"Mine\" enabled=\"0\"/>",
         {{"Mine", "Audio Effect", false}, {"Loudness", "", false}, {"Background Noise Removal", "", false},
          {"Hum Removal", "", false}, {"Equalization", "", false}, {"Voice Isolation", "", false}}},
    };
    for (const EffectCase& c : cases) EXPECT_EQ(effectsOf(c.children, false), c.expected) << c.what;
}

}  // namespace
}  // namespace tallyvane
