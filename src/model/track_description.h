#pragma once
// The debug text shared by video and audio tracks: a header line, then the debug texts of
// the track's story elements in list order.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/model_object.h"

namespace tallyvane {

struct TrackDescriptionParts {
    std::string_view kind;        // "VideoTrack" or "AudioTrack"
    std::string_view angleLabel;  // "angleID" or "angleId"
    std::int64_t trackIdx;
    std::string_view name;
    std::string_view angleID;
};

std::string trackDebugDescription(const TrackDescriptionParts& parts,
                                  const std::vector<std::shared_ptr<StoryElement>>& elements);

}  // namespace tallyvane
