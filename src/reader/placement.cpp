#include "reader/placement.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/number_text.h"
#include "model/audio_track.h"
#include "model/speed_fx.h"
#include "model/video_track.h"
#include "reader/audio_effects.h"
#include "reader/child_elements.h"
#include "reader/element_metadata.h"
#include "reader/markers.h"
#include "reader/reader_context.h"
#include "reader/retiming.h"
#include "reader/sequences.h"
#include "reader/text_extensions.h"
#include "reader/time_values.h"
#include "reader/transitions.h"
#include "reader/video_effects.h"

namespace tallyvane {

namespace {

using Category = StoryElement::Category;
using Elements = std::vector<std::shared_ptr<StoryElement>>;

struct Expansion {
    Elements video;
    Elements audio;
};

std::optional<std::int64_t> checkedSum(std::int64_t a, std::int64_t b, std::int64_t c) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum) || __builtin_add_overflow(sum, c, &sum)) return std::nullopt;
    return sum;
}

template <class Track>
std::shared_ptr<Track> trackByAngle(const std::vector<std::shared_ptr<Track>>& tracks, std::string_view angle) {
    for (const auto& track : tracks) {
        if (track->angleID() == angle) return track;
    }
    return nullptr;
}

template <class Track>
std::shared_ptr<Track> trackByIndex(const std::vector<std::shared_ptr<Track>>& tracks,
                                    std::optional<std::int64_t> index) {
    if (!index) return nullptr;
    for (const auto& track : tracks) {
        if (track->trackIdx() == *index) return track;
    }
    return nullptr;
}

bool isReal(const StoryElement& element) {
    return element.category() != Category::gap && element.category() != Category::transition;
}

// Whether multicam or sync clips show the composition's elements elsewhere, so that the
// elements' exact places are kept.
bool isShownByClips(const Composition& composition) {
    return composition.category() == Composition::Category::Multicam ||
           composition.category() == Composition::Category::SyncClip;
}

// A copy of `element` shown in place of a multicam or sync clip that starts at `clipStart`,
// a time of the element's composition: its source is the element's own media time there,
// for as long as the clip lasts, in seconds turned into frames once at the element's rate.
std::shared_ptr<StoryElement> shownCopy(const StoryElement& element, const BuiltElement& built,
                                        const Fraction& clipStart, const StoryList& list, ReaderContext& reader) {
    auto copy = element.copy();
    copy->setClipTimelinePosition(built.storyElement->clipTimelinePosition());
    copy->setClipDuration(built.storyElement->clipDuration());
    copy->setTimelineEnd(built.storyElement->timelineEnd());
    const ExactTimes::Placed* placed = reader.exactTimes().placed(element);
    if (!placed) return copy;
    const Fraction source = placed->start + clipStart - placed->position;
    // A sync clip in a multicam angle is shown in turn by the multicam's clips.
    if (isShownByClips(*list.composition)) {
        reader.exactTimes().notePlaced(*copy, {built.timelinePosition(), built.duration, source});
    }
    const TimecodeFrameRate rate =
        TimecodeFrameRate::fromRawValue(element.timecodeFrameRate()).value_or(TimecodeFrameRate::fps60);
    double inPoint = reader.frames()(source, rate);
    double duration = reader.frames()(built.duration, rate);
    std::optional<double> end = endFrames(source, built.duration, rate);
    // A retimed element runs through its source at its average speed.
    if (const auto& speed = element.speedFX(); speed && std::abs(speed->percent()) != 100) {
        inPoint = std::abs(speed->percent()) * inPoint / 100;
        duration = std::abs(speed->percent()) * duration / 100;
        end = std::nullopt;
    }
    copy->setSrcInpoint(inPoint);
    copy->setSrcDuration(duration);
    copy->setSrcEnd(end);
    return copy;
}

// The angle of the clip's first source that enables `what`; absent when none does.
std::optional<std::string> angleEnabling(const XMLElement& clip, std::string_view what) {
    for (const XMLElement& source : childElements(clip, {"mc-source"})) {
        if (source.attrText("srcEnable") == what) return source.attr("angleID").value_or("");
    }
    return std::nullopt;
}

// The clips of the chosen angles under the clip's start, shown where the clip stands.
Expansion multicamExpansion(const BuiltElement& built, const StoryList& list, ReaderContext& reader) {
    const XMLElement& clip = built.clipElement;
    std::string videoAngle;
    std::string audioAngle;
    if (std::optional<std::string> angle = angleEnabling(clip, "video")) videoAngle = std::move(*angle);
    if (std::optional<std::string> angle = angleEnabling(clip, "audio")) audioAngle = std::move(*angle);
    if (std::optional<std::string> angle = angleEnabling(clip, "all")) videoAngle = audioAngle = *angle;

    // Without a reference the clip names no multicam at all, not the first of no identifier.
    const std::optional<std::string> ref = clip.attr("ref");
    const std::shared_ptr<Composition> multicam = ref ? reader.composition(*ref) : nullptr;
    if (!multicam) return {};
    // The clip's start in the multicam's own time, where the angles' offsets count from.
    const Fraction clipStart = built.start - reader.exactTimes().start(*multicam);
    const auto isUnder = [&](const StoryElement& element) {
        const ExactTimes::Placed* placed = reader.exactTimes().placed(element);
        if (!placed) return false;
        // Compared exactly: the ordering of fractions goes by their nearest doubles.
        const Fraction into = clipStart - placed->position;
        return into.numerator() >= 0 && (into - placed->duration).numerator() < 0;
    };
    const auto shown = [&](const StoryElement& angleElement) {
        auto copy = shownCopy(angleElement, built, clipStart, list, reader);
        copy->setComposition(multicam);
        copy->setNotes(multicam->notes());
        copy->setTimelineClipCategory(std::string(rawValue(list.context)) + " clip");
        return copy;
    };
    Expansion expansion;
    if (const auto track = trackByAngle(multicam->videoTracks(), videoAngle)) {
        for (const auto& element : track->elements()) {
            if (isUnder(*element)) expansion.video.push_back(shown(*element));
        }
    }
    if (const auto track = trackByAngle(multicam->audioTracks(), audioAngle)) {
        for (const auto& element : track->elements()) {
            if (isUnder(*element)) expansion.audio.push_back(shown(*element));
        }
    }
    return expansion;
}

// The clips of the sync clip's own storyline, shown where the sync clip stands.
Expansion syncExpansion(const BuiltElement& built, const StoryList& list, ReaderContext& reader) {
    std::ostream& log = reader.log();
    const std::shared_ptr<Composition> inner = storeStoryline(built.clipElement, list.composition.get(), reader);
    StoryElement& clipTemplate = *built.storyElement;
    clipTemplate.setComposition(inner);
    const std::string context(rawValue(list.context));

    // The sync clip's start is a time of its own storyline.
    const auto shown = [&](const StoryElement& innerElement, TrackType type, std::string category) {
        auto copy = shownCopy(innerElement, built, built.start, list, reader);
        copy->setComposition(inner);
        copy->setName(inner->name());
        copy->setNotes(inner->notes());
        copy->setTrackType(type);
        copy->setTimelineClipCategory(std::move(category));
        return copy;
    };
    // The template's in point is the sync clip's start in frames at its own rate.
    const double clipStart = clipTemplate.srcInpoint().value_or(0.0);
    Expansion expansion;
    for (const auto& track : inner->videoTracks()) {
        for (const auto& element : track->elements()) {
            if (!isReal(*element)) continue;
            expansion.video.push_back(shown(*element, TrackType::Video, context + " video"));
            log << "dupe.srcInpoint =  " << formatDouble(element->srcInpoint().value_or(0.0)) << " + "
                << formatDouble(clipStart) << " - " << formatDouble(element->clipTimelinePosition()) << '\n';
        }
    }
    switchOffInactiveSyncSources(built.clipElement, *inner);
    for (const auto& track : inner->audioTracks()) {
        for (const auto& element : track->elements()) {
            if (!isReal(*element)) continue;
            const bool connected = element->timelineClipCategory().find("Connected") != std::string::npos;
            expansion.audio.push_back(shown(*element, TrackType::Audio, context + (connected ? " synced audio" : " audio")));
        }
    }
    return expansion;
}

// The clip's ranges and metadata, read from the document at the first copy that needs them
// and shared by its video and audio copies.
class ClipEntries {
public:
    explicit ClipEntries(const XMLElement& clip) : clip_(clip) {}

    void store(const BuiltElement& built, const std::shared_ptr<StoryElement>& copy, const ExactTimes::Placed& place,
               ReaderContext& reader) {
        if (!read_) {
            markers_ = readMarkers(childElements(clip_, {"marker", "chapter-marker"}));
            ranges_ = readMarkers(childElements(clip_, {"keyword", "analysis-marker"}));
            metadata_ = readMetadata(childElements(clip_, "metadata", {"md"}));
            read_ = true;
        }
        FrameCounter& frames = reader.frames();
        storeMarkers(markers_, copy, built.compositionRate, place, frames);
        storeMarkers(ranges_, copy, built.compositionRate, place, frames);
        storeMetadata(metadata_, copy, reader);
    }

private:
    const XMLElement& clip_;
    bool read_ = false;
    std::vector<MarkerEntry> markers_;
    std::vector<MarkerEntry> ranges_;
    std::vector<ClipMetadataEntry> metadata_;
};

// Only a copy that goes on a track is marked: one that goes nowhere is never seen, and its
// ranges, which point back at it, would keep both alive after the store is emptied.
void attachVideo(const BuiltElement& built, const std::shared_ptr<StoryElement>& copy, const Composition& composition,
                 const ExactTimes::Placed& place, ClipEntries& entries, ReaderContext& reader) {
    entries.store(built, copy, place, reader);
    storeVideoEffects(built.clipElement, *copy, *composition.videoFormat());
    storeRetime(built.clipElement, *copy, *composition.videoFormat(), reader.log());
}

std::shared_ptr<StoryElement> transitionCopy(const std::shared_ptr<StoryElement>& transition, TrackType type) {
    if (!transition) return nullptr;
    auto copy = transition->copy();
    copy->setTrackType(type);
    copy->setVideoRole("");
    copy->setAudioSubroles({});
    return copy;
}

// Appends to the track; an element that multicam or sync clips may show keeps its exact
// place, the one given or, for a copy, that of the element it copies.
template <class Track>
void place(ReaderContext& reader, const Composition& composition, Track& track,
           const std::shared_ptr<StoryElement>& element, const StoryElement& copied,
           const ExactTimes::Placed* placed = nullptr) {
    if (!element) return;
    reader.appendToTrack(track, element);
    if (!isShownByClips(composition)) return;
    if (!placed) placed = reader.exactTimes().placed(copied);
    if (placed) reader.exactTimes().notePlaced(*element, *placed);
}

void placeVideo(const BuiltElement& built, const StoryList& list, std::optional<std::int64_t> lane,
                const AdjacentTransitions& transitions, const Elements& expansion, ClipEntries& entries,
                ReaderContext& reader) {
    std::optional<std::int64_t> index;
    if (!lane) {
        reader.log() << "can't turn lane into an Int\n";
    } else {
        index = *lane >= 0 ? checkedSum(*lane, 1, list.trackOffset) : 0;
    }
    auto previous = transitionCopy(transitions.previous, TrackType::Video);
    auto next = transitionCopy(transitions.next, TrackType::Video);
    if (next) next->setNotes("");

    Composition& composition = *list.composition;
    std::shared_ptr<VideoTrack> track = trackByIndex(composition.videoTracks(), index);
    if (!track && index) {
        const std::string name = list.trackLabel.empty() ? "V" + std::to_string(*index) : list.trackLabel;
        track = std::make_shared<VideoTrack>(*index, name, true, list.angleID, Elements{});
        composition.appendVideoTrack(track);
    } else if (track) {
        if (previous && reader.hasTransitionAt(*track, previous->clipTimelinePosition())) previous = nullptr;
        if (next && reader.hasTransitionAt(*track, next->clipTimelinePosition())) next = nullptr;
    }

    auto copy = built.storyElement->copy();
    copy->setTrackType(TrackType::Video);
    if (track && !expansion.empty()) {
        for (const auto& element : expansion) reader.appendToTrack(*track, element);
    } else if (track) {
        const ExactTimes::Placed placed{built.timelinePosition(), built.duration, built.start};
        place(reader, composition, *track, copy, *built.storyElement, &placed);
        attachVideo(built, copy, composition, placed, entries, reader);
    }
    if (track) {
        if (previous) place(reader, composition, *track, previous, *transitions.previous);
        if (next) place(reader, composition, *track, next, *transitions.next);
    }
}

void placeAudio(const BuiltElement& built, const StoryList& list, std::optional<std::int64_t> lane,
                const AdjacentTransitions& transitions, const Elements& expansion, ClipEntries& entries,
                ReaderContext& reader) {
    std::ostream& log = reader.log();
    std::optional<std::int64_t> index;
    if (!lane) {
        log << "can't turn lane into an Int\n";
    } else if (*lane != std::numeric_limits<std::int64_t>::min()) {
        index = checkedSum(std::abs(*lane), 1, list.trackOffset);
    }

    const XMLElement& clip = built.clipElement;
    auto copy = built.storyElement->copy();
    copy->setTrackType(TrackType::Audio);
    copy->setSpreadsheetSortOrder(built.sortOrder + 10);
    // A split edit: the audio starts and lasts apart from the video, and its source with it.
    FrameCounter& frames = reader.frames();
    ExactTimes::Placed placed{built.timelinePosition(), built.duration, built.start};
    const std::optional<AttributeText> audioStart = clip.attrText("audioStart");
    const std::optional<AttributeText> audioDuration = clip.attrText("audioDuration");
    if (audioStart) {
        placed.start = frames.seconds(*audioStart);
        placed.position = placed.position - (built.start - placed.start);
        copy->setClipTimelinePosition(frames(placed.position, built.compositionRate));
        copy->setSrcInpoint(frames(placed.start, built.clipRate));
    }
    if (audioDuration) {
        placed.duration = frames.seconds(*audioDuration);
        copy->setClipDuration(frames(placed.duration, built.compositionRate));
        copy->setSrcDuration(frames(placed.duration, built.clipRate));
    }
    if (audioStart || audioDuration) {
        copy->setTimelineEnd(endFrames(placed.position, placed.duration, built.compositionRate));
        copy->setSrcEnd(endFrames(placed.start, placed.duration, built.clipRate));
    }

    const auto audioTransition = [&](const std::shared_ptr<StoryElement>& transition) {
        auto transitionAudio = transitionCopy(transition, TrackType::Audio);
        if (!transitionAudio) return transitionAudio;
        transitionAudio->setName(transitionAudio->notes());
        transitionAudio->setSpreadsheetSortOrder(built.sortOrder + 10);
        return transitionAudio;
    };
    auto previous = audioTransition(transitions.previous);
    auto next = audioTransition(transitions.next);

    Composition& composition = *list.composition;
    std::shared_ptr<AudioTrack> track = trackByIndex(composition.audioTracks(), index);
    if (!track && index) {
        const std::string name = list.trackLabel.empty() ? "A" + std::to_string(*index) : list.trackLabel;
        track = std::make_shared<AudioTrack>(*index, name, true, list.angleID, "Mono", Elements{});
        composition.appendAudioTrack(track);
    } else if (track && previous && reader.hasTransitionAt(*track, previous->clipTimelinePosition())) {
        previous = nullptr;
    }

    if (track) {
        place(reader, composition, *track, copy, *built.storyElement, &placed);
        for (const auto& element : expansion) reader.appendToTrack(*track, element);
        entries.store(built, copy, placed, reader);
        storeAudioEffects(clip, *copy);
        storeRetime(clip, *copy, *composition.videoFormat(), log);
        if (previous) place(reader, composition, *track, previous, *transitions.previous);
        if (next) place(reader, composition, *track, next, *transitions.next);
    }
}

}  // namespace

std::optional<std::int64_t> laneOf(const XMLElement& clipElement) {
    std::optional<AttributeText> lane = clipElement.attrText("lane");
    if (!lane || *lane == "0") {
        const std::optional<XMLElement> parent = clipElement.parent();
        lane = parent ? parent->attrText("lane") : std::nullopt;
    }
    return readDecimalInteger(lane ? lane->view() : std::string_view("0"));
}

void placeStoryElement(const BuiltElement& built, const StoryList& list, ReaderContext& reader) {
    Expansion expansion;
    if (hasTag(built.clipElement, "mc-clip")) expansion = multicamExpansion(built, list, reader);
    if (hasTag(built.clipElement, "sync-clip")) expansion = syncExpansion(built, list, reader);
    const AdjacentTransitions transitions = adjacentTransitions(built, list.context, reader);
    const std::optional<std::int64_t> lane = laneOf(built.clipElement);

    ClipEntries entries(built.clipElement);
    if (!built.storyElement->videoRole().empty()) {
        placeVideo(built, list, lane, transitions, expansion.video, entries, reader);
    }
    if (built.storyElement->audioRole().empty()) {
        reader.log() << "audioRole is empty, so we;ll ignore audio stuff\n";
        return;
    }
    placeAudio(built, list, lane, transitions, expansion.audio, entries, reader);
}

}  // namespace tallyvane
