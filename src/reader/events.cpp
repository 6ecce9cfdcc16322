#include "reader/events.h"

#include <ostream>
#include <string>

#include "model/asset.h"
#include "model/story_element.h"
#include "reader/child_elements.h"
#include "reader/element_metadata.h"
#include "reader/event_sync_clips.h"
#include "reader/markers.h"
#include "reader/reader_context.h"
#include "reader/roles.h"
#include "reader/sequences.h"
#include "reader/story_element_defaults.h"
#include "reader/time_values.h"

namespace tallyvane {

namespace {

constexpr std::int64_t kBrowserSortOrder = 999;

std::string eventName(const XMLElement& event) {
    const std::optional<std::string> name = event.attr("name");
    return !name || name->empty() || *name == "fcpxml" ? "FCP Event" : *name;
}

std::string assetReference(const XMLElement& clip) {
    if (std::optional<std::string> ref = clip.attr("ref")) return *ref;
    const std::optional<XMLElement> media = firstChildElement(clip, {"video", "audio"});
    return media ? media->attr("ref").value_or("") : "";
}

void storeEventClip(const XMLElement& clip, EventBin& bin, ReaderContext& reader) {
    std::ostream& log = reader.log();
    const std::string ref = assetReference(clip);
    const std::shared_ptr<Asset> asset = reader.asset(ref);
    if (!asset) return;
    auto element = makeStoryElement(StoryElement::Category::assetclip, kBrowserSortOrder);
    element->setName(clip.attr("name").value_or(""));
    element->setAsset(asset);
    if (element->name().empty()) element->setName(asset->name());
    if (asset->category() == Asset::Category::Image) element->setCategory(StoryElement::Category::stillImage);
    bin.appendClip(element);
    element->setTimelineClipCategory(bin.name());

    const bool drop = clip.attrText("tcFormat") == "DF";
    const std::string rateText = asset->videoFormat() ? asset->videoFormat()->videoFrameRate() : "60p";
    const TimecodeFrameRate rate = frameRateFromVideoRate(rateText, drop, log);
    element->setTimecodeFrameRate(std::string(rate.stringValue()));
    element->setSrcInpoint(asset->firstFrame());
    element->setSrcDuration(asset->duration());
    FrameCounter& frames = reader.frames();
    const std::optional<XMLElement> resource = reader.assetResource(ref);
    const auto fileTime = [&](std::string_view name) {
        return frames.seconds(resource ? resource->attr(name).value_or("0s") : "0s");
    };
    const Fraction fileStart = fileTime("start");
    element->setSrcEnd(endFrames(fileStart, fileTime("duration"), rate));
    element->setFirstFrame(asset->firstFrame());
    ResolvedRoles roles = resolveRoles(clip, asset.get(), reader.capitalizer(), log);
    element->setVideoRole(std::move(roles.videoRole));
    element->setAudioRole(std::move(roles.audioRole));
    element->setAudioSubroles(std::move(roles.audioSubroles));
    if (const std::optional<XMLElement> note = firstChildElement(clip, {"note"})) element->setNotes(note->stringValue());
    // A browser clip shows its whole file: its ranges count from the file's start.
    const ExactTimes::Placed place{Fraction(0, 1), Fraction(0, 1), fileStart};
    storeMarkers(readMarkers(childElements(clip, {"marker", "chapter-marker"})), element, std::nullopt, place, frames);
    storeMarkers(readMarkers(childElements(clip, {"keyword", "rating", "analysis-marker"})), element, std::nullopt, place, frames);
    storeMetadata(readMetadata(childElements(clip, "metadata", {"md"})), element, reader);

    switch (asset->category()) {
        case Asset::Category::Audio:
            element->setTrackType(TrackType::Audio);
            break;
        case Asset::Category::Video:
        case Asset::Category::AV:
        case Asset::Category::Image:
            element->setTrackType(TrackType::Video);
            break;
        case Asset::Category::null:
            log << "\"this should not happen\"\n";
            break;
    }
}

}  // namespace

void storeEventClips(const std::vector<XMLElement>& clips, const std::shared_ptr<EventBin>& bin,
                     ReaderContext& reader) {
    for (const XMLElement& clip : clips) {
        reader.elementRead();
        storeEventClip(clip, *bin, reader);
    }
}

void storeEventsAndTheirContents(ReaderContext& reader) {
    std::ostream& log = reader.log();
    log << "\"--- storeEventsAndTheirContents ---\"\n";
    std::vector<XMLElement> events = reader.index().events;
    if (events.empty() && hasTag(reader.root(), "fcpxml")) events.push_back(reader.root());
    for (const XMLElement& event : events) {
        auto bin = std::make_shared<EventBin>(eventName(event), std::vector<std::shared_ptr<StoryElement>>{},
                                              std::vector<std::shared_ptr<Composition>>{});
        reader.store().insert(bin);
        storeEventClips(childElements(event, {"clip", "asset-clip"}), bin, reader);
        storeEventSyncClips(childElements(event, {"sync-clip", "mc-clip", "ref-clip"}), bin, reader);
        if (log) {
            log << bin->debugDescription();
            for (const auto& clip : bin->clips()) log << clip->debugDescription();
        }
        storeSequences(childElements(event, "project", {"sequence"}), Composition::Category::TimelineSequence, bin,
                       reader);
    }
}

}  // namespace tallyvane
