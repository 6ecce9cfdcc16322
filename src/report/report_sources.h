#pragma once
// What the report writers read from the project: the timeline a report is named after,
// the clips of the events, and what the user's request switches on; and the line they
// close with.

#include <memory>
#include <string_view>
#include <vector>

#include "model/audio_track.h"
#include "model/composition.h"
#include "model/store.h"
#include "model/video_track.h"
#include "report/report_context.h"
#include "report/report_request.h"
#include "report/timeline_lookup.h"

namespace tallyvane {

using StoryElements = std::vector<std::shared_ptr<StoryElement>>;

// The timeline's rate becomes the report's. Without a timeline, or with a rate text that
// names no rate, the report has the starting rate, never the one an earlier report left
// behind: the same report saved twice in one session would differ.
void adoptTimelineRate(ReportContext& context, const Composition* timeline);

// Whether the request lists the key among its extra sheets (or switches).
bool requestsSheet(const ReportRequest& request, std::string_view key);

// The option "useColorText", on when the request does not set it.
bool usesColorText(const ReportRequest& request);

// The elements of the timeline's video tracks that `keepVideo(track, element)` keeps, then
// those of its audio tracks that `keepAudio(track, element)` keeps, in track and element order.
template <class KeepVideo, class KeepAudio>
StoryElements trackElements(const Composition& timeline, KeepVideo keepVideo, KeepAudio keepAudio) {
    StoryElements elements;
    for (const auto& track : timeline.videoTracks()) {
        for (const auto& element : track->elements()) {
            if (keepVideo(*track, *element)) elements.push_back(element);
        }
    }
    for (const auto& track : timeline.audioTracks()) {
        for (const auto& element : track->elements()) {
            if (keepAudio(*track, *element)) elements.push_back(element);
        }
    }
    return elements;
}

bool isTitleOrGenerator(const StoryElement& element);
bool isTransition(const StoryElement& element);

// The marked ranges of the elements, element after element.
std::vector<std::shared_ptr<MarkedRange>> markedRangesOf(const StoryElements& elements);

// The diagnostic line a finished report ends with: where the progress indicator stands.
void printProgress(const ReportContext& context);

}  // namespace tallyvane
