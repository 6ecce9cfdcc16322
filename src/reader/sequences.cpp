#include "reader/sequences.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>

#include "common/number_text.h"
#include "model/audio_track.h"
#include "model/video_track.h"
#include "reader/child_elements.h"
#include "reader/reader_context.h"
#include "reader/story_elements.h"
#include "reader/text_extensions.h"
#include "reader/time_values.h"

namespace tallyvane {

namespace {

const Tags kClipTags{"clip", "asset-clip", "video", "audio", "mc-clip", "ref-clip", "sync-clip", "audition"};
constexpr std::int64_t kDefaultAudioSampleRate = 48000;

std::shared_ptr<Composition> newComposition(Composition::Category category, std::shared_ptr<VideoFormat> format) {
    return std::make_shared<Composition>("", "", 0.0, 0.0, "", std::move(format),
                                         std::vector<std::shared_ptr<VideoTrack>>{}, "", kDefaultAudioSampleRate,
                                         std::vector<std::shared_ptr<AudioTrack>>{},
                                         std::vector<std::shared_ptr<MarkedRange>>{},
                                         std::vector<std::shared_ptr<Metadata>>{}, "", category);
}

void readNotes(Composition& composition, const XMLElement& element) {
    if (const std::optional<XMLElement> note = firstChildElement(element, {"note"})) {
        composition.setNotes(note->stringValue());
    }
}

TimecodeFrameRate rateOf(const VideoFormat& format, const XMLElement& element, std::ostream& log) {
    return frameRateFromVideoRate(format.videoFrameRate(), element.attrText("tcFormat") == "DF", log);
}

std::vector<XMLElement> withLane(const std::vector<XMLElement>& elements) {
    std::vector<XMLElement> result;
    std::copy_if(elements.begin(), elements.end(), std::back_inserter(result),
                 [](const XMLElement& element) { return hasAttribute(element, "lane"); });
    return result;
}

template <class T>
void append(std::vector<T>& list, std::vector<T> more) {
    list.insert(list.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

// The lists one after the other.
std::vector<XMLElement> concatenated(std::vector<std::vector<XMLElement>> lists) {
    std::vector<XMLElement> all;
    for (std::vector<XMLElement>& list : lists) append(all, std::move(list));
    return all;
}

// The primary storyline, the items connected to it, and the storylines and captions below those.
void walkSpine(const XMLElement& sequence, const std::shared_ptr<Composition>& composition, ReaderContext& reader) {
    std::vector<XMLElement> primary;
    if (const std::optional<XMLElement> spine = firstChildElement(sequence, {"spine"})) {
        primary = concatenated(childElementGroups({*spine}, {kClipTags, {"title"}, {"gap"}}));
    }
    const auto belowPrimary = childElementGroups(primary, {kClipTags, {"title", "caption"}, {"spine"}});
    std::vector<XMLElement> connected = withLane(belowPrimary[0]);
    append(connected, belowPrimary[1]);
    const std::vector<XMLElement> storylines = withLane(belowPrimary[2]);
    std::vector<XMLElement> secondary = concatenated(childElementGroups(storylines, {kClipTags, {"title"}, {"gap"}}));
    append(secondary, childElements(secondary, {"caption"}));
    append(secondary, childElements(connected, {"caption"}));

    storeStoryElements(primary, {StorylineContext::Primary, composition, 0, "", "", std::nullopt}, reader);
    storeStoryElements(connected, {StorylineContext::Connected, composition, 0, "", "", std::nullopt}, reader);
    storeStoryElements(secondary, {StorylineContext::Secondary, composition, 0, "", "", std::nullopt}, reader);
}

template <class Track>
void listTracks(std::ostream& log, const std::vector<std::shared_ptr<Track>>& tracks) {
    std::vector<std::shared_ptr<Track>> ordered = tracks;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return a->trackIdx() < b->trackIdx(); });
    for (const auto& track : ordered) {
        std::vector<std::shared_ptr<StoryElement>> elements = track->elements();
        std::stable_sort(elements.begin(), elements.end(), [](const auto& a, const auto& b) { return *a < *b; });
        log << track->debugDescription() << '\n';
        for (const auto& element : elements) log << ' ' << element->debugDescription();
    }
}

void listComposition(std::ostream& log, const Composition& composition) {
    log << "--------------------\n " << composition.debugDescription();
    log << "Video Tracks:\n";
    listTracks(log, composition.videoTracks());
    log << "Audio Tracks:\n";
    listTracks(log, composition.audioTracks());
}

// "48k" is 48000 a second; a rate that does not read, or does not fit, is left alone.
std::optional<std::int64_t> audioSampleRate(const XMLElement& sequence) {
    const std::optional<std::string> text = sequence.attr("audioRate");
    if (!text) return std::nullopt;
    const std::optional<double> thousands = parseDouble(replacingOccurrences(*text, "k", ""));
    if (!thousands) return std::nullopt;
    const double rate = std::trunc(*thousands * 1000);
    if (!std::isfinite(rate) || rate < -9223372036854775808.0 || rate >= 9223372036854775808.0) return std::nullopt;
    return static_cast<std::int64_t>(rate);
}

}  // namespace

void storeSequences(const std::vector<XMLElement>& sequences, Composition::Category category,
                    const std::shared_ptr<EventBin>& bin, ReaderContext& reader) {
    std::ostream& log = reader.log();
    for (std::size_t n = 0; n < sequences.size(); ++n) {
        const XMLElement& sequence = sequences[n];
        auto composition = newComposition(category, reader.defaultVideoFormat());
        const std::optional<XMLElement> parent = sequence.parent();
        if (parent) {
            if (std::optional<std::string> uid = parent->attr("uid")) composition->setId(std::move(*uid));
        }
        std::optional<std::string> name = parent ? parent->attr("name") : std::nullopt;
        if (category == Composition::Category::CompoundClip) {
            composition->setName(name ? std::move(*name) : "Compound Clip " + std::to_string(n));
            reader.insertComposition(composition);
        } else if (category == Composition::Category::TimelineSequence && bin) {
            composition->setName(name ? std::move(*name) : "FCP Project " + std::to_string(n));
            bin->appendStoryComposition(composition);
            reader.insertComposition(composition);
        } else {
            continue;
        }

        const std::optional<std::string> formatID = sequence.attr("format");
        const std::shared_ptr<VideoFormat> format = formatID ? reader.format(*formatID) : nullptr;
        if (!format) {
            log << "\"CANNOT find a matching format\"\n";
            continue;
        }
        composition->setVideoFormat(format);
        readNotes(*composition, sequence);
        const TimecodeFrameRate rate = rateOf(*format, sequence, log);
        composition->setTimecodeFrameRate(std::string(rate.stringValue()));
        const std::optional<std::string> start = sequence.attr("tcStart") ? sequence.attr("tcStart")
                                                                          : sequence.attr("start");
        composition->setFirstFrame(reader.frames()(start.value_or("0s"), rate));
        composition->setDuration(reader.frames().attribute(sequence, "duration", rate));
        composition->setAudioChannelLayout(sequence.attr("audioLayout").value_or("stereo"));
        if (const std::optional<std::int64_t> sampleRate = audioSampleRate(sequence)) {
            composition->setAudioSampleRate(*sampleRate);
        }
        walkSpine(sequence, composition, reader);
        if (log) listComposition(log, *composition);
    }
}

std::shared_ptr<Composition> storeStoryline(const XMLElement& syncClip, const Composition* parent,
                                            ReaderContext& reader) {
    std::ostream& log = reader.log();
    std::shared_ptr<VideoFormat> format = parent ? parent->videoFormat() : reader.defaultVideoFormat();
    if (const std::optional<std::string> formatID = syncClip.attr("format")) {
        if (auto named = reader.format(*formatID)) format = std::move(named);
    }
    const TimecodeFrameRate rate = rateOf(*format, syncClip, log);
    auto composition = newComposition(Composition::Category::SyncClip, format);
    composition->setTimecodeFrameRate(std::string(rate.stringValue()));
    composition->setName(syncClip.attr("name").value_or("Sync Clip"));
    readNotes(*composition, syncClip);
    reader.insertComposition(composition);

    std::vector<XMLElement> primary;
    if (std::optional<XMLElement> clip = firstChildElement(syncClip, {"clip", "asset-clip", "video"})) {
        primary.push_back(std::move(*clip));
    } else if (const std::optional<XMLElement> spine = firstChildElement(syncClip, {"spine"})) {
        primary = childElements(*spine, {"clip", "asset-clip", "video", "gap"});
    }
    storeStoryElements(primary, {StorylineContext::Primary, composition, 0, "storyline", "", syncClip}, reader);
    storeStoryElements(withLane(childElements(primary, {"clip", "asset-clip", "audio"})),
                       {StorylineContext::Connected, composition, 0, "connected", "", syncClip}, reader);
    return composition;
}

void switchOffInactiveSyncSources(const XMLElement& syncClip, Composition& composition) {
    for (const XMLElement& source : childElements(syncClip, {"sync-source"})) {
        const std::optional<XMLElement> roleSource = firstChildElement(source, {"audio-role-source"});
        if (!roleSource || roleSource->attrText("active") != "0") continue;
        const std::optional<std::string> sourceID = source.attr("sourceID");
        if (!sourceID) continue;
        for (const auto& track : composition.audioTracks()) {
            if (track->name() == *sourceID) {
                track->setEnabled(false);
                break;
            }
        }
    }
}

}  // namespace tallyvane
