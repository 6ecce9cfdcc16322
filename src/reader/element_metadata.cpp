#include "reader/element_metadata.h"

#include <optional>
#include <string>
#include <vector>

#include "model/asset.h"
#include "model/metadata.h"
#include "model/story_element.h"
#include "reader/child_elements.h"
#include "reader/reader_context.h"
#include "xml/node_set.h"
#include "xml/xml_element.h"

namespace tallyvane {

namespace {

void storeEntry(const XMLElement& entry, StoryElement& clip) {
    std::optional<std::string> key = entry.attr("key");
    if (!key) return;
    // A display name hides the key, so such an entry never fills a special field.
    std::optional<std::string> displayName = entry.attr("displayName");
    std::string name = displayName ? std::move(*displayName) : std::move(*key);
    std::string value;
    std::vector<std::string> values;
    if (std::optional<std::string> single = entry.attr("value")) {
        value = std::move(*single);
    } else {
        for (const XMLElement& item : childElements(entry, "array", {"string"})) values.push_back(item.stringValue());
    }

    if (name == "com.apple.proapps.studio.reel") {
        clip.setReel(value);
    } else if (name == "com.apple.proapps.studio.scene") {
        clip.setScene(value);
    } else if (name == "com.apple.proapps.studio.shot") {
        clip.setShottake(value);
    } else if (name == "com.apple.proapps.mio.cameraName") {
        if (clip.asset()) clip.asset()->setCameraName(value);
    } else {
        clip.appendMetadata(std::make_shared<Metadata>(std::move(name), std::move(value), std::move(values)));
    }
}

}  // namespace

void storeMetadata(const std::vector<XMLElement>& entries, const std::shared_ptr<StoryElement>& clip,
                   const ReaderContext& context) {
    for (const XMLElement& entry : entries) storeEntry(entry, *clip);
    if (clip->asset()) {
        if (const std::optional<XMLElement> resource = context.assetResource(clip->asset()->id())) {
            for (const XMLElement& entry : childElements(*resource, "metadata", {"md"})) storeEntry(entry, *clip);
        }
    }
}

}  // namespace tallyvane
