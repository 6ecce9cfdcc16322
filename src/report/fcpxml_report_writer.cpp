#include "report/fcpxml_report_writer.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string_view>

#include "common/debug_text.h"
#include "report/clipsheet/clip_sheet.h"
#include "report/effects_sheets.h"
#include "report/markers_sheet.h"
#include "report/report_sources.h"
#include "report/role_records.h"
#include "report/role_sheet_names.h"
#include "report/sheet_title.h"
#include "report/summary_sheet.h"
#include "report/titles_sheet.h"
#include "report/transitions_sheet.h"

namespace tallyvane {

namespace {


constexpr std::string_view kEventClips = "Event Clips";
constexpr std::uint8_t kEventClipsSheetKind = 5;
constexpr std::uint8_t kTimelineSheetKind = 6;

bool isOneOf(std::string_view text, std::initializer_list<std::string_view> texts) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

template <class T, class Keep>
std::vector<std::shared_ptr<T>> filtered(const std::vector<std::shared_ptr<T>>& items, Keep keep) {
    std::vector<std::shared_ptr<T>> kept;
    std::copy_if(items.begin(), items.end(), std::back_inserter(kept), [&](const auto& item) { return keep(*item); });
    return kept;
}

StoryElements everyEventClip(const Store& store) {
    StoryElements clips;
    for (const auto& bin : store.fetch<EventBin>()) clips.insert(clips.end(), bin->clips().begin(), bin->clips().end());
    return clips;
}

std::string debugLine(const std::vector<AudioRoleRecord>& records) {
    std::string text = "[";
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i > 0) text += ", ";
        text += debugDescription(records[i]);
    }
    return text + "]";
}

// The sheets of the report besides its role sheets, which role sheet names must not repeat.
std::vector<std::string> otherSheetNames(const ReportRequest& request, bool withSummary) {
    std::vector<std::string> names = {std::string(rawValue(SheetTitle::selectedRoles))};
    const std::pair<std::string_view, std::vector<SheetTitle>> optional[] = {
        {"markers", {SheetTitle::markers}},
        {"keywords", {SheetTitle::keywords}},
        {"titles", {SheetTitle::titlesAndGenerators}},
        {"transitions", {SheetTitle::transitions}},
        {"effects", {SheetTitle::videoAndAudioEffects, SheetTitle::speedChangeEffects}},
    };
    for (const auto& [key, titles] : optional) {
        if (!requestsSheet(request, key)) continue;
        for (const SheetTitle title : titles) names.emplace_back(rawValue(title));
    }
    if (withSummary) names.emplace_back(rawValue(SheetTitle::summary));
    return names;
}

class FCPXMLReport {
public:
    FCPXMLReport(ReportContext& context, const ReportRequest& request, std::shared_ptr<Composition> timeline)
        : context_(context),
          request_(request),
          timeline_(std::move(timeline)),
          checks_(request.videoRoles, request.audioRoles),
          useColorText_(usesColorText(request)),
          withSummary_(timeline_ != nullptr && requestsSheet(request, "summary")),
          sheetNames_(otherSheetNames(request, withSummary_)) {}

    void write(const Store& store) {
        context_.log() << debugLine(checks_.audioRecords()) << '\n';
        if (timeline_) {
            context_.sheetKind = kTimelineSheetKind;
            selected_ = selectedTimelineElements();
        } else {
            // Set even without clips: the clip sheet writes nothing for a report of no kind.
            context_.sheetKind = kEventClipsSheetKind;
            selected_ = everyEventClip(store);
        }
        clipSheet(selected_, rawValue(SheetTitle::selectedRoles));
        videoRoleSheets();
        audioRoleSheets();
        optionalSheets();
        printProgress(context_);
    }

private:
    StoryElements selectedTimelineElements() const {
        return trackElements(
            *timeline_, [&](const VideoTrack&, const StoryElement& element) { return checks_.videoSelected(element); },
            [&](const AudioTrack&, const StoryElement& element) {
                context_.log() << debugQuoted(element.audioRole()) << ' ' << debugList(element.audioSubroles())
                               << '\n';
                const AudioRoleRecord* record = checks_.audioRecord(element);
                context_.log() << (record ? debugDescription(*record) : debugQuoted("NO MATCH")) << '\n';
                return record != nullptr && record->isChecked;
            });
    }

    // The reader counts the ranges of an event's clips, which stand on no timeline, in each
    // clip's own frames.
    MarkerTimes markerTimes() const { return timeline_ ? MarkerTimes::atReportRate : MarkerTimes::atClipRate; }

    void clipSheet(const StoryElements& elements, std::string_view name) {
        writeClipSheet(context_, elements, name, request_.options, useColorText_);
    }

    // Every row gets its sheet, checked or not, even when none of its elements is selected.
    void videoRoleSheets() {
        for (const RoleRecord& record : request_.videoRoles) {
            const StoryElements elements =
                filtered(selected_, [&](const StoryElement& e) { return e.videoRole() == record.roleName; });
            clipSheet(elements, sheetNames_.take(record.roleName));
        }
    }

    // Only rows with a subrole get a sheet, checked or not.
    void audioRoleSheets() {
        for (const RoleRecord& record : request_.audioRoles) {
            const std::vector<std::string> pieces = rolePieces(record.roleName);
            if (pieces.size() < 2) continue;
            const std::string& role = pieces.front();
            const std::string& subrole = pieces.back();
            context_.log() << debugQuoted("audioSubrole: " + subrole) << '\n';
            // The role is compared too: two roles may have subroles of the same name.
            const StoryElements elements = filtered(selected_, [&](const StoryElement& e) {
                const auto& subroles = e.audioSubroles();
                return e.audioRole() == role && std::find(subroles.begin(), subroles.end(), subrole) != subroles.end();
            });
            clipSheet(elements, sheetNames_.take(record.roleName));
        }
    }

    void optionalSheets() {
        if (requestsSheet(request_, "markers")) {
            context_.tick();
            const auto markers = filtered(markedRangesOf(selected_), [](const MarkedRange& range) {
                return isOneOf(range.color(), {"Standard", "Incomplete To-Do", "Completed To-Do", "Chapter"});
            });
            writeMarkersSheet(context_, markers, SheetTitle::markers, useColorText_, markerTimes());
        }
        if (requestsSheet(request_, "keywords")) {
            context_.tick();
            const auto keywords = filtered(markedRangesOf(selected_), [](const MarkedRange& range) {
                return isOneOf(range.color(), {"keyword", "favorite", "rejected", "analysis"});
            });
            writeMarkersSheet(context_, keywords, SheetTitle::keywords, useColorText_, markerTimes());
        }
        if (requestsSheet(request_, "titles")) {
            context_.tick();
            StoryElements titles;
            if (timeline_) {
                titles = trackElements(
                    *timeline_,
                    [&](const VideoTrack&, const StoryElement& e) {
                        return isTitleOrGenerator(e) && checks_.videoSelected(e);
                    },
                    [&](const AudioTrack&, const StoryElement& e) {
                        return isTitleOrGenerator(e) && checks_.audioSelected(e);
                    });
            }
            writeTitlesSheet(context_, titles, rawValue(SheetTitle::titlesAndGenerators), useColorText_);
        }
        if (requestsSheet(request_, "transitions")) {
            context_.tick();
            StoryElements transitions;
            const auto keep = [](const auto&, const StoryElement& e) { return isTransition(e); };
            if (timeline_) transitions = trackElements(*timeline_, keep, keep);
            writeTransitionsSheet(context_, transitions, rawValue(SheetTitle::transitions), useColorText_);
        }
        if (requestsSheet(request_, "effects")) {
            context_.tick();
            writeEffectsSheet(context_, selected_, rawValue(SheetTitle::videoAndAudioEffects), useColorText_);
            context_.tick();
            writeSpeedChangesSheet(context_, selected_, rawValue(SheetTitle::speedChangeEffects), useColorText_);
        }
        if (withSummary_) {
            context_.tick();
            // An audio copy of a clip that also has a video role is already counted by its video copy.
            const StoryElements elements = trackElements(
                *timeline_, [](const VideoTrack&, const StoryElement& e) { return !isTransition(e); },
                [](const AudioTrack&, const StoryElement& e) { return !isTransition(e) && e.videoRole().empty(); });
            writeSummarySheet(context_, *timeline_, elements);
        }
    }

    ReportContext& context_;
    const ReportRequest& request_;
    std::shared_ptr<Composition> timeline_;
    RoleChecks checks_;
    bool useColorText_;
    bool withSummary_;
    RoleSheetNames sheetNames_;
    StoryElements selected_;
};

}  // namespace

void writeFCPXMLReport(ReportContext& context, const Store& store, const ReportRequest& request) {
    std::shared_ptr<Composition> timeline;
    // A timeline named "Event Clips" cannot be told from the event clips report.
    if (request.reportName != kEventClips) {
        timeline = findTimeline(store, request.reportName, context);
        if (!timeline) return;
    }
    adoptTimelineRate(context, timeline.get());
    context.reportTimeOffset = 0.0;
    FCPXMLReport(context, request, std::move(timeline)).write(store);
}

}  // namespace tallyvane
