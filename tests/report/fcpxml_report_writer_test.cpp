#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "report/fcpxml_report_writer.h"
#include "writer_fixture.h"

namespace tallyvane::testing {
namespace {

constexpr const char* kArrow = " \u25B8 ";
using SheetRows = std::vector<std::pair<std::string, std::vector<std::string>>>;

class FCPXMLReportWriterTest : public WriterTest {
protected:
    // A timeline at 25 fps. The reader puts a video copy and an audio copy of a clip on the
    // tracks, both with every role of the clip.
    std::shared_ptr<Composition> addTimeline(const std::string& name = "Main", const std::string& rate = "25") {
        using C = StoryElement::Category;
        interview = makeElement({.name = "Interview", .duration = 250, .videoRole = "Video", .audioRole = "Dialogue",
                                 .audioSubroles = {"Dialogue-1"}});
        const Elements video = {
            interview,
            makeElement({.name = "Lower Third", .category = C::title, .position = 100, .duration = 50,
                         .videoRole = "Titles"}),
            makeElement({.name = "Cross Dissolve", .category = C::transition, .position = 150, .duration = 10}),
            makeElement({.name = "Drone", .position = 200, .duration = 100, .videoRole = "B-Roll"}),
        };
        const auto audio = [](ElementSpec spec) {
            spec.trackType = TrackType::Audio;
            spec.sortOrder = 110;
            return makeElement(spec);
        };
        score = audio({.name = "Score", .position = 50, .duration = 200, .audioRole = "Music"});
        const Elements audioElements = {
            audio({.name = "Interview", .duration = 250, .videoRole = "Video", .audioRole = "Dialogue",
                   .audioSubroles = {"Dialogue-1"}}),
            score,
            audio({.name = "Whoosh", .position = 300, .duration = 20, .audioRole = "Effects",
                   .audioSubroles = {"Effects-1", "Effects-2"}}),
            audio({.name = "Room Tone", .position = 320, .duration = 5, .audioRole = "Dialogue",
                   .audioSubroles = {"Dialogue-2"}}),
            audio({.name = "Host", .position = 400, .duration = 5, .audioRole = "Dialogue", .audioSubroles = {"Voice"}}),
            audio({.name = "Singer", .position = 420, .duration = 5, .audioRole = "Music", .audioSubroles = {"Voice"}}),
            audio({.name = "Fade", .category = C::transition, .position = 440, .duration = 5}),
        };
        auto timeline = makeTimeline(name, 500, rate);
        timeline->setVideoTracks({videoTrack("V1", video)});
        timeline->setAudioTracks({audioTrack("A1", audioElements)});
        addBin("Event", {}, {timeline});
        return timeline;
    }

    static ReportRequest request(std::vector<RoleRecord> video, std::vector<RoleRecord> audio,
                                 std::vector<std::string> sheets = {}, std::string name = "Main") {
        return {.reportName = std::move(name), .title = "Main - Layout Report", .videoRoles = std::move(video),
                .audioRoles = std::move(audio), .sheets = std::move(sheets), .options = {}};
    }

    nlohmann::json write(const ReportRequest& request) { return report(writeFCPXMLReport, request); }

    void expectSheets(const nlohmann::json& workbook, const SheetRows& expected, const std::string& title) {
        std::vector<std::string> names;
        for (const auto& [name, rows] : expected) names.push_back(name);
        ASSERT_EQ(sheetNames(workbook), names) << title;
        for (const auto& [name, rows] : expected) EXPECT_EQ(clipNames(workbook, name), rows) << title << ": " << name;
    }

    std::shared_ptr<StoryElement> interview;
    std::shared_ptr<StoryElement> score;
};

TEST_F(FCPXMLReportWriterTest, RoleSheetsPerRoleRowWithTheRowsOfTheirRoles) {
    addTimeline();
    const std::string d1 = std::string("Dialogue") + kArrow + "Dialogue-1";
    const std::string d2 = std::string("Dialogue") + kArrow + "Dialogue-2";
    const std::string dVoice = std::string("Dialogue") + kArrow + "Voice";
    const std::string mVoice = std::string("Music") + kArrow + "Voice";
    const std::string e1 = std::string("Effects") + kArrow + "Effects-1";
    struct Case {
        std::string title;
        std::vector<RoleRecord> video;
        std::vector<RoleRecord> audio;
        SheetRows expected;
    };
    const std::vector<Case> cases = {
        {"every role checked",
         {{"Video", true}, {"Titles", true}, {"B-Roll", true}},
         {{"Dialogue", true}, {d1, true}, {d2, true}, {dVoice, true}, {"Music", true}, {mVoice, true}, {e1, true}},
         {{"Selected Roles",
           {"Interview", "Interview", "Score", "Lower Third", "Drone", "Whoosh", "Room Tone", "Host", "Singer"}},
          {"Video", {"Interview", "Interview"}},
          {"Titles", {"Lower Third"}},
          {"B-Roll", {"Drone"}},
          {d1, {"Interview", "Interview"}},
          {d2, {"Room Tone"}},
          // Subroles of the same name under two roles stay apart.
          {dVoice, {"Host"}},
          {mVoice, {"Singer"}},
          {e1, {"Whoosh"}}}},
        {"unchecked rows still get their sheets, without rows",
         {{"Titles", true}, {"Video", false}},
         {{d1, false}, {"Music", true}},
         {{"Selected Roles", {"Score", "Lower Third"}}, {"Titles", {"Lower Third"}}, {"Video", {}}, {d1, {}}}},
        {"the first row of a role decides",
         {{"Video", false}, {"Video", true}},
         {{d1, true}, {d1, false}},
         // The audio copy of the interview carries its video role as well.
         {{"Selected Roles", {"Interview"}}, {"Video", {"Interview"}}, {"Video1", {"Interview"}}, {d1, {"Interview"}},
          {std::string(d1) + "1", {"Interview"}}}},
        {"a role row alone does not select the clips with subroles",
         {},
         {{"Dialogue", true}},
         {{"Selected Roles", {}}}},
        {"no rows at all", {}, {}, {{"Selected Roles", {}}}},
    };
    for (const Case& c : cases) expectSheets(write(request(c.video, c.audio)), c.expected, c.title);
    EXPECT_EQ(context.sheetKind, 6);
    EXPECT_EQ(context.reportTimeOffset, 0.0);
}

TEST_F(FCPXMLReportWriterTest, ExtraSheetsComeInTheirOwnOrderWhateverTheOrderOfTheKeysAndEachTicks) {
    addTimeline();
    std::size_t ticks = 0;
    context.tick = [&] { ++ticks; };
    const auto plain = write(request({{"Titles", true}}, {}));
    const std::size_t rows = clipNames(plain, "Selected Roles").size() + clipNames(plain, "Titles").size();
    ASSERT_GT(rows, 0u);
    EXPECT_GE(ticks, rows);  // one for every row
    const std::vector<std::vector<std::string>> keyOrders = {
        {"markers", "keywords", "titles", "effects", "transitions", "summary"},
        {"summary", "transitions", "effects", "titles", "keywords", "markers"},
    };
    for (const auto& keys : keyOrders) {
        ticks = 0;
        const auto workbook = write(request({{"Titles", true}}, {}, keys));
        // And one before every extra sheet.
        EXPECT_GE(ticks, rows + sheetNames(workbook).size() - sheetNames(plain).size()) << keys.front();
        EXPECT_EQ(sheetNames(workbook),
                  (std::vector<std::string>{"Selected Roles", "Titles", "Markers", "Keywords", "Titles & Generators",
                                            "Transitions", "Video & Audio Effects", "Speed Change Effects",
                                            "Summary"}))
            << keys.front();
        // Transitions are listed whatever the roles; titles only with a checked role.
        EXPECT_EQ(columnTexts(workbook, "Transitions", "Transition"),
                  (std::vector<std::string>{"Cross Dissolve", "Fade"}));
        EXPECT_EQ(clipNames(workbook, "Titles & Generators"), (std::vector<std::string>{"Lower Third"}));
    }
    const auto some = write(request({{"Titles", false}}, {}, {"transitions", "titles"}));
    EXPECT_EQ(sheetNames(some), (std::vector<std::string>{"Selected Roles", "Titles", "Titles & Generators",
                                                          "Transitions"}));
    EXPECT_TRUE(clipNames(some, "Titles & Generators").empty());
}

TEST_F(FCPXMLReportWriterTest, RoleSheetNamesNeverClashWithOtherSheets) {
    addTimeline();
    const std::string d1 = std::string("Dialogue") + kArrow + "Dialogue-1";
    // The keywords sheet is not asked for, so its name is free.
    const auto workbook =
        write(request({{"Markers", true}, {"summary", true}, {"Selected Roles", true}, {"Keywords", true}},
                      {{d1, true}, {d1, true}}, {"markers", "summary"}));
    EXPECT_EQ(sheetNames(workbook),
              (std::vector<std::string>{"Selected Roles", "Markers1", "summary1", "Selected Roles1", "Keywords", d1,
                                        d1 + "1", "Markers", "Summary"}));
}

TEST_F(FCPXMLReportWriterTest, MarkersAndKeywordsOfTheSelectedClipsByKindInColourUnlessTurnedOff) {
    addTimeline();
    struct Range {
        std::string name;
        std::string kind;
        double position;
    };
    const std::vector<Range> ranges = {{"Keyword", "keyword", 5},      {"Marker", "Standard", 10},
                                       {"Hidden", "none", 15},         {"Rated", "favorite", 20},
                                       {"Chapter", "Chapter", 25},     {"Done", "Completed To-Do", 30},
                                       {"Analysed", "analysis", 35},   {"Rejected", "rejected", 40}};
    for (const Range& r : ranges) {
        interview->appendMarkedRange(makeRange({.name = r.name, .kind = r.kind, .position = r.position, .clip = interview}));
    }
    score->appendMarkedRange(makeRange({.name = "To Do", .kind = "Incomplete To-Do", .position = 1, .clip = score}));

    const auto workbook = write(request({{"Video", true}}, {}, {"keywords", "markers"}));
    EXPECT_EQ(columnTexts(workbook, "Markers", "Marker Name"),
              (std::vector<std::string>{"Marker", "Chapter", "Done"}));
    EXPECT_EQ(columnTexts(workbook, "Keywords", "Keyword"),
              (std::vector<std::string>{"Keyword", "Rated", "Analysed", "Rejected"}));

    // The colour option reaches the sheets, and is on when missing.
    EXPECT_EQ(fontColor(workbook["worksheets"]["Markers"], "A2"), colorText(xlsx::Color::blue));
    for (const bool useColor : {true, false}) {
        ReportRequest markers = request({{"Video", true}}, {}, {"markers"});
        markers.options = {{"useColorText", useColor}};
        EXPECT_EQ(fontColor(write(markers)["worksheets"]["Markers"], "A2"),
                  colorText(useColor ? xlsx::Color::blue : xlsx::Color::black))
            << useColor;
    }
}

TEST_F(FCPXMLReportWriterTest, TheSummaryCountsEachClipOnce) {
    addTimeline();
    const auto workbook = write(request({{"Video", true}}, {}, {"summary"}));
    // The audio copy of the interview carries the video role too; only its video copy counts.
    EXPECT_EQ(rowTexts(workbook["worksheets"]["Summary"], 5, "B"), (std::vector<std::string>{"Video", "00:00:10:00"}));
}

TEST_F(FCPXMLReportWriterTest, TheTimelineRateBecomesTheReportRate) {
    struct Case {
        std::string name;
        std::string rate;
        TimecodeFrameRate expected;
    };
    const std::vector<Case> cases = {
        {"At 29.97 drop", "29.97d", TimecodeFrameRate::fps29_97d},
        // Not the rate an earlier report left behind.
        {"Unknown rate", "29.97p", TimecodeFrameRate::fps60},
        {"No rate", "", TimecodeFrameRate::fps60},
    };
    for (const Case& c : cases) {
        addTimeline(c.name, c.rate);
        context.reportFrameRate = TimecodeFrameRate::fps30;
        context.reportTimeOffset = -1.0;
        const auto workbook = write(request({}, {}, {}, c.name));
        EXPECT_EQ(context.reportFrameRate, c.expected) << c.name;
        EXPECT_EQ(context.reportTimeOffset, 0.0) << c.name;
        EXPECT_EQ(sheetNames(workbook), (std::vector<std::string>{"Selected Roles"})) << c.name;
    }
}

TEST_F(FCPXMLReportWriterTest, AMissingTimelineWritesNothingAndChangesNothing) {
    addTimeline();
    context.sheetKind = 0;
    const auto workbook = write(request({{"Video", true}}, {}, {"markers", "summary"}, "Gone"));
    for (const std::string& name : sheetNames(workbook)) EXPECT_EQ(name.rfind("Sheet", 0), 0u) << name;
    EXPECT_EQ(context.sheetKind, 0);
    EXPECT_EQ(context.reportTimeOffset, -1.0);
    EXPECT_EQ(context.reportFrameRate, TimecodeFrameRate::fps60);
    EXPECT_NE(log.str().find("\"NO SEQUENCE\"\n"), std::string::npos);
    EXPECT_EQ(log.str().find("\"Progress:\""), std::string::npos);
}

TEST_F(FCPXMLReportWriterTest, EventClipsListEveryClipOfEveryEventWithoutSummary) {
    const auto clip = [](std::string name, std::string role) {
        return makeElement({.name = std::move(name), .videoRole = std::move(role), .sortOrder = 999});
    };
    addBin("Day 1", {clip("A", "Video"), clip("B", "Titles"), clip("C", "Video")});
    // A timeline that happens to be called like the report is not the report.
    addTimeline("Event Clips");
    addBin("Day 2", {clip("D", "Video"), clip("E", "B-Roll")});
    context.reportFrameRate = TimecodeFrameRate::fps30;

    const auto workbook = write(request({{"Video", false}, {"Interview", true}},
                                        {{std::string("Music") + kArrow + "Score", false}},
                                        {"summary", "titles", "transitions"}, "Event Clips"));
    const std::string musicScore = std::string("Music") + kArrow + "Score";
    ASSERT_EQ(sheetNames(workbook), (std::vector<std::string>{"Selected Roles", "Video", "Interview", musicScore,
                                                              "Titles & Generators", "Transitions"}));
    EXPECT_EQ(clipNames(workbook, "Selected Roles"), (std::vector<std::string>{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(clipNames(workbook, "Video"), (std::vector<std::string>{"A", "C", "D"}));
    for (const std::string& empty : {std::string("Interview"), musicScore, std::string("Titles & Generators"),
                                     std::string("Transitions")}) {
        EXPECT_EQ(workbook["worksheets"][empty]["maxRow"], 1) << empty;
    }
    EXPECT_EQ(context.sheetKind, 5);
    // Event clips have no timeline rate, and not the one an earlier report left behind.
    EXPECT_EQ(context.reportFrameRate, TimecodeFrameRate::fps60);
    EXPECT_EQ(context.reportTimeOffset, 0.0);

    // Without clips the clip sheet is still there.
    store.deleteAll();
    addBin("Empty", {});
    context.sheetKind = 0;
    expectSheets(write(request({}, {}, {}, "Event Clips")), {{"Selected Roles", {}}}, "no clips");
    EXPECT_EQ(context.sheetKind, 5);
}

TEST_F(FCPXMLReportWriterTest, RangesOfEventClipsAreTimedAtTheClipsRateAndOfTimelineClipsAtTheTimelines) {
    const auto clip = [](std::string name, std::string rate) {
        return makeElement({.name = std::move(name), .sortOrder = 999, .timecodeFrameRate = std::move(rate)});
    };
    const auto pal = clip("PAL", "25");
    const auto film = clip("Film", "23.976");
    // One second of keyword on each; a marker 30 frames into the PAL clip.
    pal->appendMarkedRange(makeRange({.name = "Interview", .kind = "keyword", .duration = 25, .clip = pal}));
    film->appendMarkedRange(makeRange({.name = "B-Roll", .kind = "keyword", .duration = 24, .clip = film}));
    pal->appendMarkedRange(makeRange({.name = "Slate", .position = 30, .srcInpoint = 30, .clip = pal}));
    addBin("Day 1", {pal, film});

    const auto events = write(request({}, {}, {"keywords", "markers"}, "Event Clips"));
    EXPECT_EQ(columnTexts(events, "Keywords", "Keyword"), (std::vector<std::string>{"Interview", "B-Roll"}));
    for (const char* heading : {"Timeline Out", "Duration"}) {
        EXPECT_EQ(columnTexts(events, "Keywords", heading), (std::vector<std::string>{"00:00:01:00", "00:00:01:00"}))
            << heading;
    }
    EXPECT_EQ(columnTexts(events, "Markers", "Position"), (std::vector<std::string>{"00:00:01:05"}));
    EXPECT_EQ(columnTexts(events, "Markers", "Source Position"), (std::vector<std::string>{"00:00:01:05"}));

    // On a 25 fps timeline the positions are the timeline's frames, whatever the clip's rate.
    store.deleteAll();
    addTimeline();
    interview->setTimecodeFrameRate("23.976");
    interview->appendMarkedRange(makeRange({.name = "Slate", .position = 30, .srcInpoint = 30, .clip = interview}));
    const auto timeline = write(request({{"Video", true}}, {}, {"markers"}));
    EXPECT_EQ(columnTexts(timeline, "Markers", "Position"), (std::vector<std::string>{"00:00:01:05"}));
    EXPECT_EQ(columnTexts(timeline, "Markers", "Source Position"), (std::vector<std::string>{"00:00:01:06"}));
}

TEST_F(FCPXMLReportWriterTest, DiagnosticsTellHowAudioClipsWereMatchedAndEndWithTheProgress) {
    addTimeline();
    context.progress = [] { return ProgressReading{3, 8}; };
    write(request({}, {{std::string("Dialogue") + kArrow + "Dialogue-1", true}}));
    const std::string text = log.str();
    EXPECT_TRUE(text.ends_with("\"Progress:\" 3.0 \"of\" 8.0\n")) << text.substr(text.size() - 200);
    for (const std::string line : {
             R"([(roleName: "Dialogue", subroleName: "Dialogue-1", isChecked: true)])",
             R"("Dialogue" ["Dialogue-1"])",
             R"((roleName: "Dialogue", subroleName: "Dialogue-1", isChecked: true))",
             R"("Music" [])",
             R"("NO MATCH")",
             R"("audioSubrole: Dialogue-1")",
         }) {
        EXPECT_NE(text.find(line + "\n"), std::string::npos) << line;
    }
}

}  // namespace
}  // namespace tallyvane::testing
