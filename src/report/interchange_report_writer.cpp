#include "report/interchange_report_writer.h"

#include <algorithm>
#include <optional>

#include "common/debug_text.h"
#include "report/clipsheet/clip_sheet.h"
#include "report/effects_sheets.h"
#include "report/element_sheet.h"
#include "report/files_summary_sheet.h"
#include "report/markers_sheet.h"
#include "report/report_sources.h"
#include "report/role_records.h"
#include "report/sheet_title.h"
#include "report/titles_sheet.h"
#include "report/transitions_sheet.h"

namespace tallyvane {

namespace {

using Category = StoryElement::Category;

constexpr std::string_view kBinClips = "Bin Clips";
constexpr std::uint8_t kBinClipsSheetKind = 3;
constexpr std::uint8_t kTimelineSheetKind = 6;

// What each document kind names its sheets and adds to computed end times.
struct DocumentVariant {
    double timeOffset;
    SheetTitle clipSheet;
    SheetTitle markersSheet;
};

std::optional<DocumentVariant> variantOf(InputType type) {
    switch (type) {
        case InputType::XMEML:
        case InputType::PProOTIO:
            return DocumentVariant{-1.0, SheetTitle::allReels, SheetTitle::sequenceMarkers};
        case InputType::DaVrOTIO:
            return DocumentVariant{0.0, SheetTitle::allClips, SheetTitle::timelineMarkers};
        case InputType::AvidOTIO:
            return DocumentVariant{0.0, SheetTitle::allClips, SheetTitle::sequenceMarkers};
        case InputType::null:
        case InputType::FCPXML:
            return std::nullopt;
    }
    return std::nullopt;
}

// Bins by name, each bin's clips in timeline order.
StoryElements everyBinClip(const Store& store, const ReportContext& context) {
    auto bins = store.fetch<EventBin>();
    std::stable_sort(bins.begin(), bins.end(), [](const auto& a, const auto& b) { return *a < *b; });
    StoryElements clips;
    for (const auto& bin : bins) {
        std::vector<std::string> names;
        for (const auto& clip : bin->clips()) names.push_back(clip->name());
        context.log() << debugList(names) << '\n';
        const StoryElements ordered = inReportOrder(bin->clips());
        clips.insert(clips.end(), ordered.begin(), ordered.end());
    }
    return clips;
}

// The elements of the checked tracks that the filters keep; a track is checked by the first
// row of its name.
template <class KeepVideo, class KeepAudio>
StoryElements checkedTrackElements(const Composition& timeline, const ReportRequest& request, KeepVideo keepVideo,
                                   KeepAudio keepAudio) {
    return trackElements(
        timeline,
        [&](const VideoTrack& track, const StoryElement& element) {
            return isCheckedByFirstRecord(request.videoRoles, track.name()) && keepVideo(element);
        },
        [&](const AudioTrack& track, const StoryElement& element) {
            return isCheckedByFirstRecord(request.audioRoles, track.name()) && keepAudio(element);
        });
}

bool isClip(const StoryElement& element) {
    return element.category() != Category::transition && element.category() != Category::gap;
}

bool isAudioOnlyAssetClip(const StoryElement& element) {
    return element.category() == Category::assetclip && element.asset() &&
           element.asset()->category() == Asset::Category::Audio;
}

std::vector<std::shared_ptr<MarkedRange>> timelineMarkers(const Store& store) {
    FetchDescriptor<MarkedRange> withoutClip;
    withoutClip.predicate = [](const MarkedRange& range) { return range.clip() == nullptr; };
    return store.fetch(withoutClip);
}

}  // namespace

void writeInterchangeReport(ReportContext& context, const Store& store, const ReportRequest& request) {
    std::shared_ptr<Composition> timeline;
    StoryElements binClips;
    if (request.reportName == kBinClips) {
        binClips = everyBinClip(store, context);
    } else {
        timeline = findTimeline(store, request.reportName, context);
        if (!timeline) return;
    }
    adoptTimelineRate(context, timeline.get());
    const bool ignoreAudio = requestsSheet(request, "ignoreAudio");

    const std::optional<DocumentVariant> variant = variantOf(context.currentInputType);
    if (!variant) {
        const bool unknown = context.currentInputType == InputType::null;
        context.log() << debugQuoted(unknown ? "Unknown input format" : "Mistaken input format") << '\n';
        return;
    }
    context.reportTimeOffset = variant->timeOffset;

    StoryElements clips;
    if (timeline) {
        context.sheetKind = kTimelineSheetKind;
        clips = checkedTrackElements(*timeline, request, isClip, [&](const StoryElement& element) {
            return ignoreAudio ? isAudioOnlyAssetClip(element) : isClip(element);
        });
    } else {
        // Set even without clips: the clip sheet writes nothing for a report of no kind.
        context.sheetKind = kBinClipsSheetKind;
        clips = std::move(binClips);
    }
    const bool useColorText = usesColorText(request);
    const std::vector<FileTotal> files =
        writeClipSheet(context, clips, rawValue(variant->clipSheet), request.options, useColorText);

    if (requestsSheet(request, "markers")) {
        context.tick();
        writeMarkersSheet(context, timelineMarkers(store), variant->markersSheet, useColorText);
        context.tick();
        writeMarkersSheet(context, markedRangesOf(clips), SheetTitle::clipMarkers, useColorText);
    }
    if (requestsSheet(request, "generators")) {
        context.tick();
        StoryElements titles;
        if (timeline) titles = checkedTrackElements(*timeline, request, isTitleOrGenerator, isTitleOrGenerator);
        writeTitlesSheet(context, titles, rawValue(SheetTitle::graphicsAndTitles), useColorText);
    }
    if (requestsSheet(request, "transitions")) {
        context.tick();
        StoryElements transitions;
        if (timeline) transitions = checkedTrackElements(*timeline, request, isTransition, isTransition);
        writeTransitionsSheet(context, transitions, rawValue(SheetTitle::transitions), useColorText);
    }
    if (requestsSheet(request, "effects")) {
        context.tick();
        writeEffectsSheet(context, clips, rawValue(SheetTitle::videoAndAudioEffects), useColorText);
        context.tick();
        writeSpeedChangesSheet(context, clips, rawValue(SheetTitle::speedChangeEffects), useColorText);
    }
    if (timeline && requestsSheet(request, "summary")) {
        context.tick();
        writeFilesSummarySheet(context, files, rawValue(SheetTitle::filesSummary));
    }
    printProgress(context);
}

}  // namespace tallyvane
