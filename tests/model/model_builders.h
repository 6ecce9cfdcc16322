#pragma once
// Small constructors for the tests: the model's initialisers take every property, most of
// which a given test does not care about.

#include <memory>
#include <optional>
#include <string>

#include "model/asset.h"
#include "model/audio_track.h"
#include "model/composition.h"
#include "model/event_bin.h"
#include "model/marked_range.h"
#include "model/story_element.h"
#include "model/video_format.h"
#include "model/video_track.h"

namespace tallyvane::test {

inline std::shared_ptr<StoryElement> makeElement(std::string id, double position,
                                                 StoryElement::Category category = StoryElement::Category::assetclip,
                                                 std::int64_t sortOrder = 0) {
    return std::make_shared<StoryElement>(
        "primary", category, nullptr, nullptr, sortOrder, std::nullopt, std::move(id), "Clip", true, 0.0, position,
        24.0, std::nullopt, std::nullopt, "24", "", "Video", "Dialogue", std::vector<std::string>{}, "", "", "", "",
        "", "", false, StoryElement::Params{}, std::vector<std::shared_ptr<Metadata>>{},
        std::vector<std::shared_ptr<MarkedRange>>{}, std::vector<std::shared_ptr<VideoFX>>{},
        std::vector<std::shared_ptr<AudioFX>>{}, nullptr);
}

inline std::shared_ptr<EventBin> makeEvent(std::string name) {
    return std::make_shared<EventBin>(std::move(name), std::vector<std::shared_ptr<StoryElement>>{},
                                      std::vector<std::shared_ptr<Composition>>{});
}

inline std::shared_ptr<VideoFormat> makeFormat(std::string id = "r1") {
    return std::make_shared<VideoFormat>(std::move(id), "FFVideoFormat1080p24", "24p", "100/2400s", 1920, 1080, false,
                                         "", "square");
}

inline std::shared_ptr<Composition> makeComposition(std::string id, std::string name,
                                                    std::shared_ptr<VideoFormat> format) {
    return std::make_shared<Composition>(std::move(id), std::move(name), 0.0, 240.0, "24", std::move(format),
                                         std::vector<std::shared_ptr<VideoTrack>>{}, "stereo", 48000,
                                         std::vector<std::shared_ptr<AudioTrack>>{},
                                         std::vector<std::shared_ptr<MarkedRange>>{},
                                         std::vector<std::shared_ptr<Metadata>>{}, "", Composition::Category::Timeline);
}

inline std::shared_ptr<VideoTrack> makeVideoTrack(std::int64_t index) {
    return std::make_shared<VideoTrack>(index, "V" + std::to_string(index), true, "",
                                        std::vector<std::shared_ptr<StoryElement>>{});
}

inline std::shared_ptr<AudioTrack> makeAudioTrack(std::int64_t index) {
    return std::make_shared<AudioTrack>(index, "A" + std::to_string(index), true, "", "Mono",
                                        std::vector<std::shared_ptr<StoryElement>>{});
}

inline std::shared_ptr<MarkedRange> makeMarker(std::string name, double position) {
    return std::make_shared<MarkedRange>(nullptr, std::move(name), "", std::vector<std::string>{}, 0.0, position, 1.0,
                                         true, "Blue");
}

inline std::shared_ptr<Asset> makeAsset(std::string id, std::optional<Url> url = std::nullopt) {
    return std::make_shared<Asset>(std::move(id), "A001", 0.0, 100.0, "24", nullptr, std::move(url), false, false,
                                   false, false, "", "48k", "", Asset::Category::AV);
}

}  // namespace tallyvane::test
