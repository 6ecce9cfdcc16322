// A project of the size of a long feature edit: story elements spread over tracks, each
// with a marker, a metadata item and an effect, inserted, fetched in report order and deleted.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/store.h"

namespace tallyvane {
namespace {

constexpr int kTracks = 10;

std::shared_ptr<StoryElement> makeElement(int index) {
    return std::make_shared<StoryElement>(
        "primary", index % 17 == 0 ? StoryElement::Category::transition : StoryElement::Category::assetclip, nullptr,
        nullptr, index % 3, TrackType::Video, "e" + std::to_string(index), "Clip", true, 0.0,
        static_cast<double>((index * 7919) % 100000), 24.0, 0.0, 24.0, "24", "V1", "Video", "Dialogue",
        std::vector<std::string>{}, "", "", "", "", "", "", false, StoryElement::Params{},
        std::vector<std::shared_ptr<Metadata>>{}, std::vector<std::shared_ptr<MarkedRange>>{},
        std::vector<std::shared_ptr<VideoFX>>{}, std::vector<std::shared_ptr<AudioFX>>{}, nullptr);
}

std::shared_ptr<EventBin> makeProject(int elementCount) {
    auto format = std::make_shared<VideoFormat>("r1", "FFVideoFormat1080p24", "24p", "100/2400s", 1920, 1080, false,
                                                "", "square");
    auto asset = std::make_shared<Asset>("r2", "A001", 0.0, 1e6, "24", format, std::nullopt, false, false, false,
                                         false, "", "48k", "", Asset::Category::AV);
    auto timeline = std::make_shared<Composition>(
        "c1", "Feature", 0.0, 1e5, "24", format, std::vector<std::shared_ptr<VideoTrack>>{}, "stereo", 48000,
        std::vector<std::shared_ptr<AudioTrack>>{}, std::vector<std::shared_ptr<MarkedRange>>{},
        std::vector<std::shared_ptr<Metadata>>{}, "", Composition::Category::Timeline);
    std::vector<std::shared_ptr<VideoTrack>> tracks;
    for (int t = 0; t < kTracks; ++t) {
        tracks.push_back(std::make_shared<VideoTrack>(t, "V", true, "", std::vector<std::shared_ptr<StoryElement>>{}));
        timeline->appendVideoTrack(tracks.back());
    }
    for (int i = 0; i < elementCount; ++i) {
        auto element = makeElement(i);
        element->setAsset(asset);
        element->appendMarkedRange(std::make_shared<MarkedRange>(element, "m", "", std::vector<std::string>{}, 0.0,
                                                                 1.0, 1.0, true, "Blue"));
        element->appendMetadata(std::make_shared<Metadata>("reel", "A", std::vector<std::string>{}));
        element->appendVideoFX(std::make_shared<VideoFX>(
            "Blur", "", true, FxParams{std::make_shared<FxKeyValueTime>("amount", "5", std::nullopt)}));
        tracks[static_cast<std::size_t>(i % kTracks)]->appendElement(std::move(element));
    }
    return std::make_shared<EventBin>("Day 1", std::vector<std::shared_ptr<StoryElement>>{},
                                      std::vector{timeline});
}

void BM_InsertFetchDelete(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto project = makeProject(count);
        state.ResumeTiming();
        Store store;
        store.insert(project);
        project.reset();
        auto elements = store.fetch<StoryElement>();
        std::stable_sort(elements.begin(), elements.end(), [](const auto& a, const auto& b) { return *a < *b; });
        benchmark::DoNotOptimize(elements.data());
        auto transitions = store.fetch<StoryElement>(
            {[](const StoryElement& e) { return e.category() == StoryElement::Category::transition; }, {}, {}});
        benchmark::DoNotOptimize(transitions.data());
        elements.clear();
        transitions.clear();
        store.deleteAll();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_InsertFetchDelete)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallyvane
