#pragma once
// The metadata entries of a clip and of its asset: reel, scene, take and camera name fill
// their own fields, every other entry becomes a Metadata record of the clip.

#include <memory>
#include <vector>

namespace tallyvane {

class ReaderContext;
class StoryElement;
class XMLElement;

// `entries` are the clip's own "md" elements; the asset resource's entries follow them,
// so the asset's value of a special key wins. The clip's asset must already be set.
void storeMetadata(const std::vector<XMLElement>& entries, const std::shared_ptr<StoryElement>& clip, const ReaderContext& context);

}  // namespace tallyvane
