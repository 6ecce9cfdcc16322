#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "report/interchange_report_writer.h"
#include "report/report_writer.h"
#include "writer_fixture.h"

namespace tallyvane::testing {
namespace {

using C = StoryElement::Category;

class InterchangeReportWriterTest : public WriterTest {
protected:
    InterchangeReportWriterTest() { context.currentInputType = InputType::XMEML; }

    static std::shared_ptr<Asset> asset(const std::string& file, Asset::Category category) {
        auto made = makeAsset(file, "file:///media/" + file, true);
        made->setCategory(category);
        return made;
    }

    // Tracks named as the interchange documents name them; the check marks name tracks.
    std::shared_ptr<Composition> addTimeline(const std::string& name = "Sequence 1") {
        const auto av = asset("shot.mov", Asset::Category::AV);
        const auto wav = asset("music.wav", Asset::Category::Audio);
        const auto audio = [](ElementSpec spec) {
            spec.trackType = TrackType::Audio;
            spec.sortOrder = 110;
            return makeElement(spec);
        };
        withMarker = makeElement({.name = "Shot 1", .duration = 100, .asset = av});
        withMarker->appendMarkedRange(makeRange({.name = "Clip marker", .clip = withMarker}));
        auto timeline = makeTimeline(name, 1000, "25");
        timeline->setVideoTracks({
            videoTrack("V1", {withMarker,
                              makeElement({.name = "Gap", .category = C::gap, .position = 100, .duration = 10}),
                              makeElement({.name = "Dissolve", .category = C::transition, .position = 110, .duration = 10}),
                              makeElement({.name = "Shot 2", .position = 120, .duration = 100, .asset = av}),
                              makeElement({.name = "Caption", .category = C::title, .position = 300, .duration = 50})}),
            videoTrack("V2", {makeElement({.name = "Overlay", .position = 50, .duration = 50, .asset = av}),
                              makeElement({.name = "Bars", .category = C::generator, .position = 60, .duration = 5})}),
        });
        timeline->setAudioTracks({
            audioTrack("A1", {audio({.name = "Shot 1", .duration = 100, .asset = av}),
                              audio({.name = "Music", .position = 10, .duration = 200, .asset = wav}),
                              audio({.name = "Untracked", .position = 20, .duration = 5}),
                              audio({.name = "Tone", .category = C::generator, .position = 30, .duration = 5}),
                              audio({.name = "Fade", .category = C::transition, .position = 40, .duration = 5})}),
            audioTrack("A2", {audio({.name = "Room", .position = 70, .duration = 5, .asset = wav})}),
        });
        timeline->appendMarker(makeRange({.name = "Sequence marker", .position = 5}));
        addBin("Project", {}, {timeline});
        return timeline;
    }

    static ReportRequest request(std::vector<std::string> sheets, std::string name = "Sequence 1") {
        return {.reportName = std::move(name), .title = "Report",
                .videoRoles = {{"V1", true}, {"V2", false}, {"V2", true}},
                .audioRoles = {{"A1", true}, {"A2", false}}, .sheets = std::move(sheets), .options = {}};
    }

    nlohmann::json write(const ReportRequest& request) { return report(writeInterchangeReport, request); }

    std::shared_ptr<StoryElement> withMarker;
};

TEST_F(InterchangeReportWriterTest, SheetNamesOffsetsMarkerTitlesAndTicksByDocumentKind) {
    addTimeline();
    std::size_t ticks = 0;
    context.tick = [&] { ++ticks; };
    const auto plain = write(request({}));
    const std::size_t rows = clipNames(plain, "All Reels").size();
    ASSERT_GT(rows, 0u);
    EXPECT_GE(ticks, rows);  // one for every row
    struct Case {
        InputType type;
        double offset;
        std::string clipSheet;
        std::string markersSheet;
    };
    const std::vector<Case> cases = {
        {InputType::XMEML, -1.0, "All Reels", "Sequence Markers"},
        {InputType::DaVrOTIO, 0.0, "All Clips", "Timeline Markers"},
        {InputType::AvidOTIO, 0.0, "All Clips", "Sequence Markers"},
    };
    for (const Case& c : cases) {
        const std::string type(rawValue(c.type));
        context.currentInputType = c.type;
        ticks = 0;
        const auto workbook = write(request({"summary", "effects", "transitions", "generators", "markers"}));
        // And one before every extra sheet.
        EXPECT_GE(ticks, rows + sheetNames(workbook).size() - sheetNames(plain).size()) << type;
        EXPECT_EQ(sheetNames(workbook),
                  (std::vector<std::string>{c.clipSheet, c.markersSheet, "Clip Markers", "Graphics & Titles",
                                            "Transitions", "Video & Audio Effects", "Speed Change Effects",
                                            "Files Summary"}))
            << type;
        EXPECT_EQ(context.reportTimeOffset, c.offset) << type;
        EXPECT_EQ(context.sheetKind, 6) << type;
        EXPECT_EQ(context.reportFrameRate, TimecodeFrameRate::fps25) << type;
        EXPECT_EQ(columnTexts(workbook, c.markersSheet, "Marker Name"), (std::vector<std::string>{"Sequence marker"}))
            << type;
        EXPECT_EQ(columnTexts(workbook, "Clip Markers", "Marker Name"), (std::vector<std::string>{"Clip marker"}))
            << type;
        // The last line tells where the progress indicator stands.
        EXPECT_TRUE(log.str().ends_with("\"Progress:\" 0.0 \"of\" 0.0\n")) << type;
    }
}

TEST_F(InterchangeReportWriterTest, TheCheckedTracksGiveTheClipsTitlesAndTransitions) {
    addTimeline();
    struct Case {
        std::vector<std::string> sheets;
        std::vector<std::string> clips;
    };
    const std::vector<Case> cases = {
        // V2's first row is unchecked, A2's only row too: neither track counts. Gaps and
        // transitions are no clips.
        {{"generators", "transitions"}, {"Shot 1", "Shot 1", "Music", "Untracked", "Tone", "Shot 2", "Caption"}},
        // Only audio-only asset clips of the audio tracks.
        {{"ignoreAudio", "generators", "transitions"}, {"Shot 1", "Music", "Shot 2", "Caption"}},
    };
    for (const Case& c : cases) {
        const auto workbook = write(request(c.sheets));
        EXPECT_EQ(sheetNames(workbook), (std::vector<std::string>{"All Reels", "Graphics & Titles", "Transitions"}));
        EXPECT_EQ(clipNames(workbook, "All Reels"), c.clips) << c.sheets.front();
        EXPECT_EQ(clipNames(workbook, "Graphics & Titles"), (std::vector<std::string>{"Tone", "Caption"}));
        EXPECT_EQ(columnTexts(workbook, "Transitions", "Transition"), (std::vector<std::string>{"Fade", "Dissolve"}));
    }
}

TEST_F(InterchangeReportWriterTest, TheFilesSummaryListsTheClipSheetsMedia) {
    addTimeline();
    const auto workbook = write(request({"summary"}));
    ASSERT_EQ(sheetNames(workbook), (std::vector<std::string>{"All Reels", "Files Summary"}));
    const auto& summary = workbook["worksheets"]["Files Summary"];
    // Two shots of 100 frames from the movie, 200 frames of music from its audio track.
    EXPECT_EQ(rowTexts(summary, 2, "D"), (std::vector<std::string>{"music.wav", "00:00:08:00", "", "/media/music.wav"}));
    EXPECT_EQ(rowTexts(summary, 3, "D"), (std::vector<std::string>{"shot.mov", "00:00:08:00", "", "/media/shot.mov"}));
    EXPECT_DOUBLE_EQ(summary["cells"]["C2"]["value"].get<double>(), 50.0);
    EXPECT_DOUBLE_EQ(summary["cells"]["C3"]["value"].get<double>(), 50.0);
    EXPECT_EQ(summary["maxRow"], 3);
}

TEST_F(InterchangeReportWriterTest, BinClipsByBinNameThenTimelineOrderWithoutFilesSummary) {
    const auto clip = [](std::string name) { return makeElement({.name = std::move(name), .sortOrder = 999}); };
    // Event clips stand at position 0 with one sort order, so each bin keeps its own order.
    addBin("B", {clip("B2"), clip("B1")});
    addBin("A", {clip("A2"), clip("A1"), clip("A3")});
    addTimeline();
    context.reportFrameRate = TimecodeFrameRate::fps30;
    const auto workbook = write(request({"summary", "generators", "transitions"}, "Bin Clips"));
    EXPECT_EQ(sheetNames(workbook), (std::vector<std::string>{"All Reels", "Graphics & Titles", "Transitions"}));
    EXPECT_EQ(clipNames(workbook, "All Reels"), (std::vector<std::string>{"A2", "A1", "A3", "B2", "B1"}));
    EXPECT_TRUE(clipNames(workbook, "Graphics & Titles").empty());
    EXPECT_EQ(workbook["worksheets"]["Transitions"]["maxRow"], 1);
    EXPECT_EQ(context.sheetKind, 3);
    // Bin clips have no timeline rate, and not the one an earlier report left behind.
    EXPECT_EQ(context.reportFrameRate, TimecodeFrameRate::fps60);
}

TEST_F(InterchangeReportWriterTest, OtherDocumentKindsAndMissingTimelinesGetNoSheet) {
    addTimeline();
    struct Case {
        InputType type;
        std::string reportName;
        std::string line;
    };
    const std::vector<Case> cases = {
        {InputType::null, "Sequence 1", "\"Unknown input format\"\n"},
        {InputType::FCPXML, "Sequence 1", "\"Mistaken input format\"\n"},
        {InputType::XMEML, "Gone", "\"NO SEQUENCE\"\n"},
    };
    for (const Case& c : cases) {
        log.str("");
        context.currentInputType = c.type;
        context.sheetKind = 0;
        context.reportTimeOffset = 7.0;
        const auto workbook = write(request({"markers", "summary"}, c.reportName));
        for (const std::string& name : sheetNames(workbook)) EXPECT_EQ(name.rfind("Sheet", 0), 0u) << name;
        EXPECT_NE(log.str().find(c.line), std::string::npos) << c.line;
        EXPECT_EQ(log.str().find("\"Progress:\""), std::string::npos) << c.line;
        EXPECT_EQ(context.sheetKind, 0) << c.line;
        EXPECT_EQ(context.reportTimeOffset, 7.0) << c.line;
    }
}

TEST_F(InterchangeReportWriterTest, TheSaveFlowsWriterPicksTheReportByDocumentKind) {
    addTimeline();
    const ReportWriter writer = makeReportWriter(store);
    const auto throughSaveFlow = [&](ReportContext& c, const Store&, const ReportRequest& r) { writer(c, r); };
    struct Case {
        InputType type;
        std::vector<std::string> sheets;
    };
    const std::vector<Case> cases = {
        // The track rows are role rows here; "V2" twice gives two role sheets.
        {InputType::FCPXML, {"Selected Roles", "V1", "V2", "V21", "Summary"}},
        {InputType::AvidOTIO, {"All Clips", "Files Summary"}},
        {InputType::null, {"Sheet1"}},
    };
    for (const Case& c : cases) {
        context.currentInputType = c.type;
        EXPECT_EQ(sheetNames(report(throughSaveFlow, request({"summary"}))), c.sheets) << rawValue(c.type);
    }
}

}  // namespace
}  // namespace tallyvane::testing
