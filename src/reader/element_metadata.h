#pragma once
// The metadata entries of a clip and of its asset: reel, scene, take and camera name fill
// their own fields, every other entry becomes a Metadata record of the clip.

#include <memory>
#include <string>
#include <vector>

namespace tallyvane {

class ReaderContext;
class StoryElement;
class XMLElement;

// An "md" element with a key, read once for every copy of its clip.
struct ClipMetadataEntry {
    // The display name when there is one, else the key.
    std::string name;
    std::string value;
    std::vector<std::string> values;
};

// Entries without a key are left out.
std::vector<ClipMetadataEntry> readMetadata(const std::vector<XMLElement>& elements);

// `entries` are the clip's own; the asset resource's entries follow them,
// so the asset's value of a special key wins. The clip's asset must already be set.
void storeMetadata(const std::vector<ClipMetadataEntry>& entries, const std::shared_ptr<StoryElement>& clip, ReaderContext& context);

}  // namespace tallyvane
