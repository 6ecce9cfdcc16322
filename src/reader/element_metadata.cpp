#include "reader/element_metadata.h"

#include <optional>
#include <string>
#include <vector>

#include "model/asset.h"
#include "model/metadata.h"
#include "model/story_element.h"
#include "reader/child_elements.h"
#include "reader/reader_context.h"
#include "xml/xml_element.h"

namespace tallyvane {

namespace {

void storeEntry(const ClipMetadataEntry& entry, StoryElement& clip) {
    // Compared as views: lengths first, and most keys differ in length from all four.
    const std::string_view name = entry.name;
    if (name == "com.apple.proapps.studio.reel") {
        clip.setReel(entry.value);
    } else if (name == "com.apple.proapps.studio.scene") {
        clip.setScene(entry.value);
    } else if (name == "com.apple.proapps.studio.shot") {
        clip.setShottake(entry.value);
    } else if (name == "com.apple.proapps.mio.cameraName") {
        if (clip.asset()) clip.asset()->setCameraName(entry.value);
    } else {
        clip.appendMetadata(std::make_shared<Metadata>(entry.name, entry.value, entry.values));
    }
}

}  // namespace

std::vector<ClipMetadataEntry> readMetadata(const std::vector<XMLElement>& elements) {
    std::vector<ClipMetadataEntry> entries;
    entries.reserve(elements.size());
    for (const XMLElement& element : elements) {
        std::optional<std::string> key = element.attr("key");
        if (!key) continue;
        // A display name hides the key, so such an entry never fills a special field.
        std::optional<std::string> displayName = element.attr("displayName");
        ClipMetadataEntry& entry = entries.emplace_back();
        entry.name = displayName ? std::move(*displayName) : std::move(*key);
        if (std::optional<std::string> single = element.attr("value")) {
            entry.value = std::move(*single);
        } else {
            for (const XMLElement& item : childElements(element, "array", {"string"})) {
                entry.values.push_back(item.stringValue());
            }
        }
    }
    return entries;
}

void storeMetadata(const std::vector<ClipMetadataEntry>& entries, const std::shared_ptr<StoryElement>& clip,
                   ReaderContext& context) {
    for (const ClipMetadataEntry& entry : entries) storeEntry(entry, *clip);
    if (clip->asset()) {
        for (const ClipMetadataEntry& entry : context.assetMetadata(clip->asset()->id())) storeEntry(entry, *clip);
    }
}

}  // namespace tallyvane
