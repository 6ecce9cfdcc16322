#pragma once
// Small models for the report tests: each builder takes only what the sheets read.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/asset.h"
#include "model/audio_fx.h"
#include "model/audio_track.h"
#include "model/composition.h"
#include "model/marked_range.h"
#include "model/speed_fx.h"
#include "model/story_element.h"
#include "model/video_format.h"
#include "model/video_fx.h"
#include "model/video_track.h"

namespace tallyvane::testing {

struct ElementSpec {
    std::string name = "Clip";
    StoryElement::Category category = StoryElement::Category::assetclip;
    double position = 0.0;
    double duration = 0.0;
    std::optional<TrackType> trackType = TrackType::Video;
    std::string trackName;
    std::string videoRole;
    std::string audioRole;
    std::vector<std::string> audioSubroles;
    std::int64_t sortOrder = 100;
    std::string timecodeFrameRate = "25";
    bool enabled = true;
    bool appleEffect = false;
    std::string reel;
    std::string scene;
    std::string timelineClipCategory;
    StoryElement::Params params;
    std::shared_ptr<Asset> asset;
};

inline std::shared_ptr<StoryElement> makeElement(const ElementSpec& s) {
    return std::make_shared<StoryElement>(
        s.timelineClipCategory, s.category, s.asset, nullptr, s.sortOrder, s.trackType, "id-" + s.name, s.name,
        s.enabled, 0.0, s.position, s.duration, std::nullopt, std::nullopt, s.timecodeFrameRate, s.trackName,
        s.videoRole, s.audioRole, s.audioSubroles, "", "", "", s.reel, s.scene, "", s.appleEffect, s.params,
        std::vector<std::shared_ptr<Metadata>>{}, std::vector<std::shared_ptr<MarkedRange>>{},
        std::vector<std::shared_ptr<VideoFX>>{}, std::vector<std::shared_ptr<AudioFX>>{}, nullptr);
}

struct RangeSpec {
    std::string name = "Marker";
    std::string kind = "Standard";
    double position = 0.0;
    double duration = 0.0;
    double srcInpoint = 0.0;
    bool visible = true;
    std::string notes;
    std::vector<std::string> keywords;
    std::shared_ptr<StoryElement> clip;
};

inline std::shared_ptr<MarkedRange> makeRange(const RangeSpec& s) {
    return std::make_shared<MarkedRange>(s.clip, s.name, s.notes, s.keywords, s.srcInpoint, s.position, s.duration,
                                         s.visible, s.kind);
}

inline std::shared_ptr<VideoFormat> makeFormat(std::int64_t width = 1920, std::int64_t height = 1080) {
    return std::make_shared<VideoFormat>("r1", "FFVideoFormat1080p25", "25p", "100/2500s", width, height, false, "",
                                         "square");
}

inline std::shared_ptr<Composition> makeTimeline(std::string name, double duration, std::string rate = "25",
                                                 std::int64_t sampleRate = 48000) {
    return std::make_shared<Composition>("c-" + name, std::move(name), 0.0, duration, std::move(rate), makeFormat(),
                                         std::vector<std::shared_ptr<VideoTrack>>{}, "stereo", sampleRate,
                                         std::vector<std::shared_ptr<AudioTrack>>{},
                                         std::vector<std::shared_ptr<MarkedRange>>{},
                                         std::vector<std::shared_ptr<Metadata>>{}, "",
                                         Composition::Category::TimelineSequence);
}

inline std::shared_ptr<Asset> makeAsset(std::string name, std::optional<std::string> url, bool online) {
    std::optional<Url> location;
    if (url) location = Url(*url);
    return std::make_shared<Asset>("a-" + name, name, 0.0, 100.0, "25", nullptr, std::move(location), false, true,
                                   online, false, "", "48k", "", Asset::Category::AV);
}

}  // namespace tallyvane::testing
