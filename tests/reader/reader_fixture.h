#pragma once
// Running the reader over small documents and watching what it shows and prints.

#include <filesystem>
#include <functional>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "model/store.h"
#include "model/story_element.h"
#include "model/video_format.h"
#include "reader/alert_presenter.h"
#include "reader/fcpxml_reader.h"
#include "reader/reader_context.h"
#include "reader/video_formats.h"
#include "xml/xml_document.h"

namespace tallyvane::testing {

struct RecordedAlert {
    std::string messageText;
    std::string informativeText;
    friend bool operator==(const RecordedAlert&, const RecordedAlert&) = default;
};

class RecordingAlerts : public AlertPresenter {
public:
    void showAlert(std::string_view messageText, std::string_view informativeText) override {
        alerts.push_back({std::string(messageText), std::string(informativeText)});
    }
    std::vector<RecordedAlert> alerts;
};

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline std::string readerData(std::string_view name) {
    return readFile(std::filesystem::path(TALLYVANE_TEST_DATA_DIR) / "reader" / name);
}

// A store with a context over one parsed document, for running single passes.
class PassFixture {
public:
    explicit PassFixture(std::string_view documentText) : PassFixture(parseIndexed(documentText.data(), documentText.size(), MarkupLayout::kept)) {}

    std::string printed() const { return log.str(); }
    // The first element of the query on the document's root.
    XMLElement element(std::string_view xpath) const { return *context.root().firstChildByXPath(xpath); }

    Store store;
    std::ostringstream log;
    ReaderContext context;

private:
    explicit PassFixture(std::pair<XMLDocument, DocumentIndex> parsed)
        : context(store, log, std::move(parsed.first), std::move(parsed.second), makeDefaultVideoFormat()) {}
};

// The timeline format the single-pass tests read clips against.
inline const VideoFormat kTimeline25p("r1", "FFVideoFormat1080p25", "25p", "1/25s", 1920, 1080, false, "", "square");

// A clip with the times and rate that the marker and metadata passes read.
inline std::shared_ptr<StoryElement> clipElement(StoryElement::Category category, std::string rate, double position,
                                                 double duration, std::optional<double> inPoint,
                                                 std::shared_ptr<Asset> asset = nullptr) {
    return std::make_shared<StoryElement>("", category, std::move(asset), nullptr, 100, TrackType::Video, "id", "clip",
                                          true, 0.0, position, duration, inPoint, std::nullopt, std::move(rate), "",
                                          "", "", std::vector<std::string>{}, "", "", "", "", "", "", false,
                                          StoryElement::Params{}, std::vector<std::shared_ptr<Metadata>>{},
                                          std::vector<std::shared_ptr<MarkedRange>>{},
                                          std::vector<std::shared_ptr<VideoFX>>{},
                                          std::vector<std::shared_ptr<AudioFX>>{}, nullptr);
}

// The whole reader run over one document; made without one, a reader not yet run.
class ReadDocument {
public:
    ReadDocument() = default;
    explicit ReadDocument(std::string_view documentText, std::function<void()> tick = {})
        : reader(store, alerts, log, std::move(tick)) {
        reader.processFCPXML(std::string(documentText));
    }

    // The first composition of that name in store order; fails the test when there is none.
    std::shared_ptr<Composition> composition(std::string_view name) const {
        for (const auto& composition : store.fetch<Composition>()) {
            if (composition->name() == name) return composition;
        }
        ADD_FAILURE() << "no composition " << name;
        return nullptr;
    }

    Store store;
    RecordingAlerts alerts;
    std::ostringstream log;
    FCPXMLReader reader{store, alerts, log};
};

// The track of that index; null, failing the test, when there is none.
template <class Track>
std::shared_ptr<Track> trackAt(const std::vector<std::shared_ptr<Track>>& tracks, std::int64_t index) {
    for (const auto& track : tracks) {
        if (track->trackIdx() == index) return track;
    }
    ADD_FAILURE() << "no track " << index;
    return nullptr;
}

inline bool contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

}  // namespace tallyvane::testing
