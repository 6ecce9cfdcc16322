#include "reader/event_sync_clips.h"

#include <ostream>
#include <string>

#include "model/story_element.h"
#include "reader/child_elements.h"
#include "reader/element_metadata.h"
#include "reader/fcpxml_time.h"
#include "reader/markers.h"
#include "reader/reader_context.h"
#include "reader/roles.h"
#include "reader/sequences.h"
#include "reader/story_element_defaults.h"
#include "reader/time_values.h"

namespace tallyvane {

namespace {

using Category = StoryElement::Category;

constexpr std::int64_t kBrowserSortOrder = 999;

Category categoryOfTag(std::string_view tag) {
    if (tag == "sync-clip") return Category::syncclip;
    if (tag == "mc-clip") return Category::mcclip;
    if (tag == "ref-clip") return Category::refclip;
    return Category::null;
}

// The timecode rate of the clip's format by its frame duration; 60 when none has it.
TimecodeFrameRate clipRate(const XMLElement& clip, const ReaderContext& reader) {
    std::shared_ptr<VideoFormat> format = reader.defaultVideoFormat();
    if (const std::optional<std::string> formatID = clip.attr("format")) {
        if (auto named = reader.format(*formatID)) format = std::move(named);
    }
    const MediaTime duration = mediaTimeFromFCPXMLTime(format->frameDuration());
    const MediaTime frameDuration = duration.isNumeric() ? duration : MediaTime::make(0, 1);
    return TimecodeFrameRate::fromFrameDuration(frameDuration, clip.attrText("tcFormat") == "DF")
        .value_or(TimecodeFrameRate::fps60);
}

void storeEventSyncClip(const XMLElement& clip, EventBin& bin, ReaderContext& reader) {
    std::ostream& log = reader.log();
    const std::string tag = clip.tag().value_or("");
    auto element = makeStoryElement(categoryOfTag(tag), kBrowserSortOrder);
    if (std::optional<std::string> name = clip.attr("name")) element->setName(std::move(*name));
    const std::string start = clip.attr("start").value_or("0s");
    const std::string duration = clip.attr("duration").value_or("0s");
    bin.appendClip(element);
    element->setTimelineClipCategory(bin.name());

    const TimecodeFrameRate rate = clipRate(clip, reader);
    element->setTimecodeFrameRate(std::string(rate.stringValue()));
    element->setFirstFrame(reader.frames()(start, rate));
    element->setSrcInpoint(element->firstFrame());
    element->setSrcDuration(reader.frames()(duration, rate));
    element->setSrcEnd(endFrames(reader.frames().seconds(start), reader.frames().seconds(duration), rate));
    ResolvedRoles roles = resolveRoles(clip, nullptr, reader.capitalizer(), log);
    element->setVideoRole(std::move(roles.videoRole));
    element->setAudioRole(std::move(roles.audioRole));
    element->setAudioSubroles(std::move(roles.audioSubroles));
    if (const std::optional<XMLElement> note = firstChildElement(clip, {"note"})) element->setNotes(note->stringValue());
    FrameCounter& frames = reader.frames();
    const ExactTimes::Placed place{Fraction(0, 1), frames.seconds(duration), frames.seconds(start)};
    storeMarkers(readMarkers(childElements(clip, {"marker", "chapter-marker"})), element, std::nullopt, place, frames);
    storeMarkers(readMarkers(childElements(clip, {"keyword", "rating", "analysis-marker"})), element, std::nullopt, place, frames);
    storeMetadata(readMetadata(childElements(clip, "metadata", {"md"})), element, reader);

    switch (element->category()) {
        case Category::mcclip:
        case Category::refclip: {
            const std::string ref = clip.attr("ref").value_or("no ref");
            element->setId(ref);
            element->setComposition(reader.composition(ref));
            break;
        }
        case Category::syncclip: {
            const std::shared_ptr<Composition> composition = storeStoryline(clip, nullptr, reader);
            switchOffInactiveSyncSources(clip, *composition);
            element->setComposition(composition);
            break;
        }
        default:
            break;
    }
}

}  // namespace

void storeEventSyncClips(const std::vector<XMLElement>& clips, const std::shared_ptr<EventBin>& bin,
                         ReaderContext& reader) {
    for (const XMLElement& clip : clips) {
        reader.elementRead();
        storeEventSyncClip(clip, *bin, reader);
    }
}

}  // namespace tallyvane
