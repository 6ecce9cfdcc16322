#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "reader/fcpxml_reader.h"
#include "report/fcpxml_report_writer.h"
#include "report/role_records.h"
#include "writer_fixture.h"

namespace tallyvane::testing {
namespace {

class NoAlerts : public AlertPresenter {
public:
    void showAlert(std::string_view messageText, std::string_view informativeText) override {
        ADD_FAILURE() << messageText << ": " << informativeText;
    }
};

std::string sampleText(const std::string& name) {
    std::ifstream in(std::string(TALLYVANE_SAMPLES_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void appendOnce(std::vector<RoleRecord>& rows, const std::string& text) {
    if (text.empty() || firstRecordNamed(rows, text)) return;
    rows.push_back({text, true});
}

// The rows of the roles tables for a timeline, every one checked: the video roles, then the
// audio roles and their subroles; and how many elements have a role.
struct RoleRows {
    std::vector<RoleRecord> video;
    std::vector<RoleRecord> audio;
    std::size_t withRoles = 0;
};

RoleRows roleRows(const Composition& timeline) {
    RoleRows rows;
    for (const auto& track : timeline.videoTracks()) {
        for (const auto& element : track->elements()) {
            appendOnce(rows.video, element->videoRole());
            rows.withRoles += !element->videoRole().empty();
        }
    }
    std::vector<RoleRecord> subroles;
    for (const auto& track : timeline.audioTracks()) {
        for (const auto& element : track->elements()) {
            rows.withRoles += !element->audioRole().empty();
            appendOnce(rows.audio, element->audioRole());
            for (const std::string& subrole : element->audioSubroles()) {
                appendOnce(subroles, element->audioRole() + std::string(kRoleSeparator) + subrole);
            }
        }
    }
    rows.audio.insert(rows.audio.end(), subroles.begin(), subroles.end());
    return rows;
}

class SampleReportsTest : public WriterTest {
protected:
    void read(const std::string& sample) {
        FCPXMLReader reader(store, alerts_, log);
        reader.processFCPXML(sampleText(sample));
    }

    std::shared_ptr<Composition> firstTimeline() const {
        FetchDescriptor<Composition> timelines;
        timelines.predicate = [](const Composition& c) { return c.category() == Composition::Category::TimelineSequence; };
        const auto found = store.fetch(timelines);
        return found.empty() ? nullptr : found.front();
    }

private:
    NoAlerts alerts_;
};

TEST_F(SampleReportsTest, TimelineReportsOfRealProjects) {
    const std::vector<std::string> samples = {
        "TheAcharya__OpenFCPXMLKit__Complex.fcpxml",
        "TheAcharya__OpenFCPXMLKit__AudioOnly.fcpxml",
        "TheAcharya__OpenFCPXMLKit__TimelineSample.fcpxml",
        "TheAcharya__OpenFCPXMLKit__29.97d.fcpxml",
        "TheAcharya__OpenFCPXMLKit__23.98.fcpxml",
    };
    for (const std::string& sample : samples) {
        store.deleteAll();
        read(sample);
        const auto timeline = firstTimeline();
        ASSERT_TRUE(timeline) << sample;
        const RoleRows rows = roleRows(*timeline);
        ReportRequest request{.reportName = timeline->name(),
                              .videoRoles = rows.video,
                              .audioRoles = rows.audio,
                              .sheets = {"summary", "effects", "transitions", "titles", "keywords", "markers"}};

        std::vector<std::string> expectedSheets = {"Selected Roles"};
        for (const RoleRecord& row : rows.video) expectedSheets.push_back(row.roleName);
        for (const RoleRecord& row : rows.audio) {
            if (rolePieces(row.roleName).size() > 1) expectedSheets.push_back(row.roleName);
        }
        for (const std::string fixed : {"Markers", "Keywords", "Titles & Generators", "Transitions",
                                        "Video & Audio Effects", "Speed Change Effects", "Summary"}) {
            expectedSheets.push_back(fixed);
        }
        const auto workbook = report(writeFCPXMLReport, request);
        EXPECT_EQ(sheetNames(workbook), expectedSheets) << sample;
        // Every element with a role has a row, so every one of them is selected.
        EXPECT_EQ(clipNames(workbook, "Selected Roles").size(), rows.withRoles) << sample;
        EXPECT_GT(rows.withRoles, 0u) << sample;

        // With every row unchecked nothing is selected, and every role sheet is empty.
        for (auto* list : {&request.videoRoles, &request.audioRoles}) {
            for (RoleRecord& row : *list) row.isChecked = false;
        }
        request.sheets = {};
        const auto unchecked = report(writeFCPXMLReport, request);
        const std::vector<std::string> names = sheetNames(unchecked);
        EXPECT_EQ(names.size(), expectedSheets.size() - 7) << sample;
        for (const std::string& name : names) {
            EXPECT_EQ(unchecked["worksheets"][name]["maxRow"], 1) << sample << ": " << name;
        }
    }
}

TEST_F(SampleReportsTest, EventClipsOfARealProject) {
    read("TheAcharya__OpenFCPXMLKit__EventsWithKeywords.fcpxml");
    std::size_t clips = 0;
    for (const auto& bin : store.fetch<EventBin>()) clips += bin->clips().size();
    ASSERT_GT(clips, 100u);
    const auto workbook =
        report(writeFCPXMLReport, ReportRequest{.reportName = "Event Clips", .sheets = {"summary", "keywords"}});
    EXPECT_EQ(sheetNames(workbook), (std::vector<std::string>{"Selected Roles", "Keywords"}));
    EXPECT_EQ(clipNames(workbook, "Selected Roles").size(), clips);
    EXPECT_GT(workbook["worksheets"]["Keywords"]["maxRow"].get<int>(), 100);
    EXPECT_EQ(context.sheetKind, 5);
}

}  // namespace
}  // namespace tallyvane::testing
