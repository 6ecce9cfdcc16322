// Every shared sample export passes the document checks and is read without an alert;
// the one version 1.5 export is refused as too old.

#include <gtest/gtest.h>

#include "reader/fcpxml_reader.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

std::vector<std::filesystem::path> sampleDocuments() {
    std::vector<std::filesystem::path> documents;
    for (const auto& entry : std::filesystem::directory_iterator(TALLYVANE_SAMPLES_DIR)) {
        const auto& path = entry.path();
        if (path.extension() == ".fcpxml") documents.push_back(path);
        if (path.extension() == ".fcpxmld") documents.push_back(path / "Info.fcpxml");
    }
    std::sort(documents.begin(), documents.end());
    return documents;
}

std::size_t occurrences(const std::string& text, std::string_view part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(Samples, PassTheDocumentChecks) {
    const auto documents = sampleDocuments();
    ASSERT_GE(documents.size(), 18u);
    for (const auto& path : documents) {
        Store store;
        testing::RecordingAlerts alerts;
        std::ostringstream log;
        FCPXMLReader reader(store, alerts, log);
        reader.processFCPXML(testing::readFile(path));
        const bool tooOld = path.filename().string().find("PCBang_FromGrace") != std::string::npos;
        if (tooOld) {
            ASSERT_EQ(alerts.alerts.size(), 1u) << path;
            EXPECT_EQ(alerts.alerts.front().informativeText,
                      "The minimum version of XML supported is 1.6 (exported from Final Cut Pro 10.3).");
            EXPECT_TRUE(store.fetch<VideoFormat>().empty());
        } else {
            EXPECT_TRUE(alerts.alerts.empty()) << path << ": " << alerts.alerts.front().messageText;
            // Counted in the text: every format and asset element of these exports is a resource.
            const std::string text = testing::readFile(path);
            const std::size_t formats = occurrences(text, "<format ") + 1;
            const std::size_t assets = occurrences(text, "<asset ");
            EXPECT_EQ(store.fetch<VideoFormat>().size(), formats) << path;
            EXPECT_EQ(store.fetch<Asset>().size(), assets) << path;
            EXPECT_TRUE(testing::contains(log.str(), "\"formats:\" " + std::to_string(formats) + "\n")) << path;
            EXPECT_TRUE(testing::contains(log.str(), "\"assets:\" " + std::to_string(assets) + "\n")) << path;
        }
    }
}

}  // namespace
}  // namespace tallyvane
