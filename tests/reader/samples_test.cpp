// Every sample export passes the document checks and is read whole without an
// alert (the one version 1.5 export is refused as too old); a few are checked in detail.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>

#include "model/asset.h"
#include "model/audio_fx.h"
#include "model/audio_track.h"
#include "model/composition.h"
#include "model/event_bin.h"
#include "model/marked_range.h"
#include "model/video_track.h"
#include "reader/document_index.h"
#include "reader/fcpxml_reader.h"
#include "reader/node_extensions.h"
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

std::size_t countOf(const std::vector<std::shared_ptr<Composition>>& compositions, Composition::Category category) {
    return static_cast<std::size_t>(std::count_if(compositions.begin(), compositions.end(),
                                                  [&](const auto& c) { return c->category() == category; }));
}

// The index noted while parsing finds what the whole-document queries find, in the same order.
// Counted in the text: every format and asset element of these exports is a resource; each
// event a bin (the whole document one when there is none), each project a timeline, each
// multicam resource a multicam, every other sequence a compound clip; every element on a
// track, and every browser clip, is in the store exactly once.
TEST(Samples, AreIndexedPassTheDocumentChecksAndAreReadWhole) {
    const auto documents = sampleDocuments();
    ASSERT_GE(documents.size(), 18u);
    for (const auto& path : documents) {
        const std::string text = testing::readFile(path);
        const auto [document, index] = parseIndexed(text.data(), text.size(), MarkupLayout::dropped);
        const XMLElement root = *document.root();
        const std::vector<std::pair<const std::vector<XMLElement>*, std::string>> lists{
            {&index.formats, "//resources/format"},      {&index.assets, "//resources/asset"},
            {&index.effects, "//resources/effect"},      {&index.multicams, "//resources/media/multicam"},
            {&index.compoundSequences, "//resources/media/sequence"}, {&index.events, ".//event"}};
        for (const auto& [list, query] : lists) {
            EXPECT_EQ(*list, elementsOf(root.xpath(query))) << path << ' ' << query;
        }

        testing::ReadDocument read(text);
        const auto& alerts = read.alerts.alerts;
        if (path.filename().string().find("PCBang_FromGrace") != std::string::npos) {
            ASSERT_EQ(alerts.size(), 1u) << path;
            EXPECT_EQ(alerts.front().informativeText,
                      "The minimum version of XML supported is 1.6 (exported from Final Cut Pro 10.3).");
            EXPECT_TRUE(read.store.fetch<VideoFormat>().empty());
            continue;
        }
        EXPECT_TRUE(alerts.empty()) << path << ": " << alerts.front().messageText;
        const std::size_t formats = occurrences(text, "<format ") + 1;
        const std::size_t assets = occurrences(text, "<asset ");
        EXPECT_EQ(read.store.fetch<VideoFormat>().size(), formats) << path;
        EXPECT_EQ(read.store.fetch<Asset>().size(), assets) << path;
        EXPECT_TRUE(testing::contains(read.log.str(), "\"formats:\" " + std::to_string(formats) + "\n")) << path;
        EXPECT_TRUE(testing::contains(read.log.str(), "\"assets:\" " + std::to_string(assets) + "\n")) << path;

        const std::size_t projects = occurrences(text, "<project ");
        const auto compositions = read.store.fetch<Composition>();
        EXPECT_EQ(read.store.fetch<EventBin>().size(), std::max<std::size_t>(1, occurrences(text, "<event "))) << path;
        EXPECT_EQ(countOf(compositions, Composition::Category::TimelineSequence), projects) << path;
        EXPECT_EQ(countOf(compositions, Composition::Category::Multicam), occurrences(text, "<multicam ")) << path;
        EXPECT_EQ(countOf(compositions, Composition::Category::CompoundClip), occurrences(text, "<sequence ") - projects)
            << path;

        std::set<const StoryElement*> listed;
        std::size_t listings = 0;
        const auto list = [&](const auto& elements) {
            for (const auto& element : elements) listed.insert(element.get());
            listings += elements.size();
        };
        for (const auto& composition : compositions) {
            for (const auto& track : composition->videoTracks()) list(track->elements());
            for (const auto& track : composition->audioTracks()) list(track->elements());
        }
        for (const auto& bin : read.store.fetch<EventBin>()) list(bin->clips());
        EXPECT_EQ(listed.size(), listings) << path;
        EXPECT_EQ(read.store.fetch<StoryElement>().size(), listings) << path;
    }
}

// Everything the reader stores of an asset's place, a clip or a timeline, its random
// identifiers aside.
std::string readModel(const Store& store) {
    std::ostringstream out;
    for (const auto& asset : store.fetch<Asset>()) {
        out << "asset " << asset->name() << ' ' << (asset->url() ? asset->url()->absoluteString() : "-") << '\n';
    }
    for (const auto& composition : store.fetch<Composition>()) {
        out << "composition " << composition->name() << ' ' << composition->duration() << ' ' << composition->notes()
            << ' ' << composition->videoTracks().size() << ' ' << composition->audioTracks().size() << '\n';
    }
    for (const auto& e : store.fetch<StoryElement>()) {
        out << rawValue(e->category()) << ' ' << e->timelineClipCategory() << " \"" << e->name() << "\" "
            << e->clipTimelinePosition() << ' ' << e->clipDuration() << ' ' << e->srcInpoint().value_or(-1) << ' '
            << e->srcDuration().value_or(-1) << ' ' << e->timelineEnd().value_or(-1) << ' '
            << e->srcEnd().value_or(-1) << ' ' << e->enabled() << ' ' << e->trackName() << ' '
            << e->timecodeFrameRate() << ' ' << e->videoRole() << ' ' << e->audioRole() << " \"" << e->notes()
            << "\" " << e->descriptn() << ' ' << e->label() << ' ' << e->reel() << ' ' << e->scene() << ' '
            << e->shottake() << ' ' << (e->asset() ? e->asset()->name() : "-") << ' '
            << (e->composition() ? e->composition()->name() : "-") << '\n';
        for (const auto& subrole : e->audioSubroles()) out << "  subrole " << subrole << '\n';
        for (const auto& [key, value] : e->params()) out << "  param " << key << " \"" << value << "\"\n";
        for (const auto& item : e->metadata()) {
            out << "  md " << item->key() << ' ' << item->value();
            for (const auto& value : item->values()) out << " \"" << value << '"';
            out << '\n';
        }
        for (const auto& range : e->markedRanges()) {
            out << "  marker " << range->name() << ' ' << range->timelinePosition() << ' ' << range->duration() << ' '
                << range->notes() << '\n';
        }
        for (const auto& effect : e->videoFX()) out << "  video fx " << effect->name() << ' ' << effect->settings() << '\n';
        for (const auto& effect : e->audioFX()) out << "  audio fx " << effect->name() << ' ' << effect->settings() << '\n';
        if (e->speedFX()) out << "  speed " << e->speedFX()->name() << ' ' << e->speedFX()->percent() << '\n';
    }
    return out.str();
}

// Without a log the reader parses without the whitespace that lays out the markup. Every
// element then finds the same element siblings, the texts read whole are the same, and
// so is everything read.
TEST(Samples, ReadTheSameWithoutTheLayoutOfTheMarkup) {
    std::vector<std::filesystem::path> documents = sampleDocuments();
    const std::filesystem::path layout = std::filesystem::path(TALLYVANE_TEST_DATA_DIR) / "reader" / "layout.fcpxml";
    documents.push_back(layout);
    for (const auto& path : documents) {
        const std::string text = testing::readFile(path);
        const auto [kept, keptIndex] = parseIndexed(text.data(), text.size(), MarkupLayout::kept);
        const auto [dropped, droppedIndex] = parseIndexed(text.data(), text.size(), MarkupLayout::dropped);
        const std::vector<XMLElement> keptElements = elementsOf(kept.xpath("//*"));
        const std::vector<XMLElement> droppedElements = elementsOf(dropped.xpath("//*"));
        ASSERT_EQ(keptElements.size(), droppedElements.size()) << path;
        EXPECT_LT(dropped.description().size(), kept.description().size()) << path;
        const auto positionIn = [](const std::vector<XMLElement>& list, const std::optional<XMLElement>& element) {
            return element ? std::find(list.begin(), list.end(), *element) - list.begin() : -1;
        };
        for (std::size_t i = 0; i < keptElements.size(); ++i) {
            const XMLElement& before = keptElements[i];
            const XMLElement& after = droppedElements[i];
            ASSERT_EQ(before.tag(), after.tag()) << path << ' ' << i;
            EXPECT_EQ(positionIn(keptElements, previousElementSibling(before)),
                      positionIn(droppedElements, previousElementSibling(after))) << path << ' ' << *before.tag() << ' ' << i;
            EXPECT_EQ(positionIn(keptElements, nextElementSibling(before)),
                      positionIn(droppedElements, nextElementSibling(after))) << path << ' ' << *before.tag() << ' ' << i;
            const std::string tag = *before.tag();
            if (tag == "note" || tag == "text-style" || tag == "string") {
                EXPECT_EQ(before.stringValue(), after.stringValue()) << path << ' ' << i;
            }
        }

        testing::ReadDocument logged(text);
        Store store;
        testing::RecordingAlerts alerts;
        std::ostream unwritten(nullptr);
        FCPXMLReader(store, alerts, unwritten).processFCPXML(text);
        EXPECT_EQ(alerts.alerts.size(), logged.alerts.alerts.size()) << path;
        EXPECT_EQ(readModel(store), readModel(logged.store)) << path;
        if (path == layout) {
            const std::string model = readModel(store);
            // The whitespace between the elements of a note, a title's text and a metadata
            // string is part of their text.
            for (const std::string_view words : {"first note", "Jane Doe", "one two"}) {
                EXPECT_TRUE(testing::contains(model, words)) << words << '\n' << model;
            }
        }
    }
}

// The document with every element in a namespace: the root's default one, or one bound to a
// prefix that every tag carries.
std::string inNamespace(const std::string& text, bool prefixed) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        result += text[i];
        if (!prefixed || text[i] != '<' || i + 2 >= text.size()) continue;
        if (text[i + 1] == '/') result += text[++i];
        if (std::isalpha(static_cast<unsigned char>(text[i + 1]))) result += "f:";
    }
    const std::string root = prefixed ? "<f:fcpxml " : "<fcpxml ";
    result.insert(result.find(root) + root.size(),
                  prefixed ? "xmlns:f=\"urn:example:fcpxml\" " : "xmlns=\"urn:example:fcpxml\" ");
    return result;
}

// Elements are found by their local names everywhere, so a document whose elements stand
// in a namespace reads whole, as the same document without one: the asset that names its
// media in a "media-rep", the analysis markers' words, the angles a multicam clip picks, the
// clips connected in a sync clip, and the root read as the one event.
TEST(Samples, ReadTheSameWithTheirElementsInANamespace) {
    const std::string text = testing::readerData("namespaces.fcpxml");
    const testing::ReadDocument plain(text);
    const std::string model = readModel(plain.store);
    for (const std::string_view words :
         {"asset Cam A file://localhost/Volumes/Media/cam-a.mov", "marker one Shot, excessive Shake",
          "marker close Up", "\"A clip\" 0 50", "\"B clip\" 0 50", "\"B clip\" 50 50", "\"Sound\"",
          "assetclip FCP Event \"Browser\""}) {
        EXPECT_TRUE(testing::contains(model, words)) << words << '\n' << model;
    }
    for (const bool prefixed : {false, true}) {
        const testing::ReadDocument namespaced(inNamespace(text, prefixed));
        EXPECT_TRUE(namespaced.alerts.alerts.empty()) << prefixed;
        EXPECT_EQ(readModel(namespaced.store), model) << prefixed;
    }
}

std::string samplePath(std::string_view name) { return std::string(TALLYVANE_SAMPLES_DIR) + "/" + std::string(name); }

struct Placed {
    std::string name;
    StoryElement::Category category;
    double position;
    double duration;
    bool enabled;
};

template <class Track>
void expectTrack(const std::shared_ptr<Track>& track, const std::vector<Placed>& expected, std::string_view what) {
    ASSERT_NE(track, nullptr) << what;
    ASSERT_EQ(track->elements().size(), expected.size()) << what;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const StoryElement& element = *track->elements()[i];
        EXPECT_EQ(element.name(), expected[i].name) << what << ' ' << i;
        EXPECT_EQ(element.category(), expected[i].category) << what << ' ' << i;
        EXPECT_DOUBLE_EQ(element.clipTimelinePosition(), expected[i].position) << what << ' ' << i;
        EXPECT_DOUBLE_EQ(element.clipDuration(), expected[i].duration) << what << ' ' << i;
        EXPECT_EQ(element.enabled(), expected[i].enabled) << what << ' ' << i;
    }
}

using Category = StoryElement::Category;

TEST(Samples, CompoundClips) {
    testing::ReadDocument read(testing::readFile(samplePath("TheAcharya__OpenFCPXMLKit__CompoundClips.fcpxml")));
    // 25 fps: 25100/2500s is 251 frames, 50100/2500s 501, 3600s 90000.
    const auto title = read.composition("Title Compound Clip");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->category(), Composition::Category::CompoundClip);
    EXPECT_EQ(title->id(), "0E1m58IaTwGcKXmpSkdu7w");
    EXPECT_DOUBLE_EQ(title->duration(), 251);
    ASSERT_EQ(title->videoTracks().size(), 1u);
    EXPECT_TRUE(title->audioTracks().empty());
    expectTrack(title->videoTracks()[0], {{"Basic Title", Category::title, 0, 251, true}}, "title V1");
    const StoryElement& basicTitle = *title->videoTracks()[0]->elements()[0];
    EXPECT_EQ(basicTitle.srcInpoint(), 90000.0);
    EXPECT_EQ(basicTitle.params().at("text"), "Title");
    EXPECT_EQ(basicTitle.params().at("font"), "Helvetica Regular 63");
    ASSERT_EQ(basicTitle.markedRanges().size(), 1u);
    EXPECT_DOUBLE_EQ(basicTitle.markedRanges()[0]->timelinePosition(), 150);

    const auto clouds = read.composition("Clouds Compound Clip");
    ASSERT_NE(clouds, nullptr);
    expectTrack(clouds->videoTracks()[0],
                {{"Clouds", Category::generator, 0, 250, true},
                 {"Title Compound Clip", Category::refclip, 250, 251, true}},
                "clouds V1");
    expectTrack(clouds->audioTracks()[0], {{"Title Compound Clip", Category::refclip, 250, 251, true}}, "clouds A1");

    const auto timeline = read.composition("CompoundClip");
    ASSERT_NE(timeline, nullptr);
    EXPECT_DOUBLE_EQ(timeline->firstFrame(), 90000);
    EXPECT_DOUBLE_EQ(timeline->duration(), 752);
    const std::vector<Placed> refs{{"Title Compound Clip", Category::refclip, 90000, 251, true},
                                   {"Clouds Compound Clip", Category::refclip, 90251, 501, true}};
    expectTrack(testing::trackAt(timeline->videoTracks(), 1), refs, "timeline V1");
    expectTrack(testing::trackAt(timeline->audioTracks(), 1), refs, "timeline A1");
    EXPECT_EQ(read.store.fetch<EventBin>()[0]->name(), "Test Event");
}

TEST(Samples, DisabledClips) {
    testing::ReadDocument read(testing::readFile(samplePath("TheAcharya__OpenFCPXMLKit__DisabledClips.fcpxml")));
    const auto timeline = read.composition("DisabledClips");
    ASSERT_NE(timeline, nullptr);
    EXPECT_EQ(timeline->timecodeFrameRate(), "24");
    // 24 fps: 48200/2400s is 482 frames, 1046000/2400s 10460, 1663/4s 9978, 24100/2400s 241.
    // Clips before titles; titles take their effect's name.
    expectTrack(testing::trackAt(timeline->videoTracks(), 1),
                {{"TestVideo", Category::assetclip, 482, 9978, true},
                 {"TestVideo", Category::assetclip, 10460, 9978, false},
                 {"Basic Title", Category::title, 0, 241, true},
                 {"Basic Title", Category::title, 241, 241, false}},
                "V1");
    expectTrack(testing::trackAt(timeline->audioTracks(), 1),
                {{"TestVideo", Category::assetclip, 482, 9978, true},
                 {"TestVideo", Category::assetclip, 10460, 9978, false}},
                "A1");
    const StoryElement& clip = *testing::trackAt(timeline->videoTracks(), 1)->elements()[0];
    EXPECT_EQ(clip.timecodeFrameRate(), "23.976");
    EXPECT_EQ(clip.audioRole(), "Dialogue");
}

TEST(Samples, SyncClipRoles) {
    testing::ReadDocument read(testing::readFile(samplePath("TheAcharya__OpenFCPXMLKit__SyncClipRoles2.fcpxml")));
    const auto timeline = read.composition("SyncClipRoles2");
    ASSERT_NE(timeline, nullptr);
    EXPECT_EQ(timeline->timecodeFrameRate(), "25");
    // The primary sync clip and its storyline, and one composition for each connected sync clip.
    EXPECT_EQ(read.store.fetch<Composition>().size(), 4u);
    std::vector<std::int64_t> video;
    for (const auto& track : timeline->videoTracks()) video.push_back(track->trackIdx());
    std::vector<std::int64_t> audio;
    for (const auto& track : timeline->audioTracks()) audio.push_back(track->trackIdx());
    // Below the storyline, pictures go to track 0; sound to the lane's distance plus one.
    EXPECT_EQ(video, (std::vector<std::int64_t>{1, 0, 2, 3}));
    EXPECT_EQ(audio, (std::vector<std::int64_t>{1, 4, 6}));

    // 3678.12s at 25 fps is frame 91953; the sync clip shows its storyline's picture.
    expectTrack(testing::trackAt(timeline->videoTracks(), 1), {{"5A-1-1", Category::assetclip, 91953, 39, true}},
                "V1");
    const auto v0 = testing::trackAt(timeline->videoTracks(), 0);
    ASSERT_NE(v0, nullptr);
    ASSERT_EQ(v0->elements().size(), 2u);
    EXPECT_EQ(v0->elements()[0]->name(), "5A-1-1.1");
    EXPECT_EQ(v0->elements()[0]->category(), Category::syncclip);
    EXPECT_DOUBLE_EQ(v0->elements()[0]->clipTimelinePosition(), 91942);
    EXPECT_EQ(v0->elements()[1]->name(), "5-1-5 NK");

    const auto v2 = testing::trackAt(timeline->videoTracks(), 2);
    ASSERT_NE(v2, nullptr);
    ASSERT_EQ(v2->elements().size(), 3u);
    EXPECT_EQ(v2->elements()[0]->videoRole(), "Vfx Scanline Di Final");
    EXPECT_DOUBLE_EQ(v2->elements()[0]->clipTimelinePosition(), 91953);
    EXPECT_EQ(v2->elements()[1]->videoRole(), "SRT \u25B8 Zu");
    EXPECT_EQ(v2->elements()[2]->category(), Category::caption);
    expectTrack(testing::trackAt(timeline->videoTracks(), 3), {{"Basic Title", Category::title, 91953, 39, true}},
                "V3");

    const auto a6 = testing::trackAt(timeline->audioTracks(), 6);
    ASSERT_NE(a6, nullptr);
    ASSERT_EQ(a6->elements().size(), 1u);
    const StoryElement& nk = *a6->elements()[0];
    EXPECT_EQ(nk.audioRole(), "Dialogue");
    EXPECT_EQ(nk.audioSubroles(), (std::vector<std::string>{"Dialogue-1", "Boom 1", "Mix L", "Mix R"}));
    EXPECT_EQ(nk.notes(), "Notes here");
    ASSERT_EQ(nk.audioFX().size(), 2u);
    EXPECT_EQ(nk.audioFX()[0]->name(), "Telephone");
    EXPECT_EQ(nk.audioFX()[1]->settings(), "12.0 dB");
}

}  // namespace
}  // namespace tallyvane
