// A timeline clip sheet of many rows without thumbnails: every column of the timeline kind,
// five time formats per time column, markers, keywords and metadata columns.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/asset.h"
#include "model/marked_range.h"
#include "model/metadata.h"
#include "model/story_element.h"
#include "report/clipsheet/clip_sheet.h"

namespace tallyvane {
namespace {

std::vector<std::shared_ptr<StoryElement>> timeline(std::int64_t count) {
    std::vector<std::shared_ptr<Asset>> assets;
    for (int i = 0; i < 50; ++i) {
        assets.push_back(std::make_shared<Asset>("a" + std::to_string(i), "A" + std::to_string(i), 0.0, 1e6, "25",
                                                 nullptr, Url("file:///Volumes/Media/A%20" + std::to_string(i) + ".mov"),
                                                 false, true, true, false, "1920 \u00d7 1080", "48000", "",
                                                 Asset::Category::AV));
    }
    std::vector<std::shared_ptr<StoryElement>> elements;
    for (std::int64_t i = 0; i < count; ++i) {
        const double position = static_cast<double>((i * 7919) % (count * 10));
        auto element = std::make_shared<StoryElement>(
            "assetclip", StoryElement::Category::assetclip, assets[static_cast<std::size_t>(i % 50)], nullptr, i,
            i % 3 == 0 ? TrackType::Audio : TrackType::Video, "id" + std::to_string(i), "Clip " + std::to_string(i),
            true, 0.0, position, 125.0, position * 2, 125.0, "29.97d", "V1", "Video", "Dialogue",
            std::vector<std::string>{"Boom"}, "", "", "note", "R1", "S1", "T1", false, StoryElement::Params{},
            std::vector<std::shared_ptr<Metadata>>{std::make_shared<Metadata>("Camera", "A", std::vector<std::string>{})},
            std::vector<std::shared_ptr<MarkedRange>>{
                std::make_shared<MarkedRange>(nullptr, "Look", "", std::vector<std::string>{}, 0.0, position + 5, 0.0,
                                              true, "Standard"),
                std::make_shared<MarkedRange>(nullptr, "Best", "", std::vector<std::string>{}, 0.0, position + 9, 0.0,
                                              true, "favorite")},
            std::vector<std::shared_ptr<VideoFX>>{}, std::vector<std::shared_ptr<AudioFX>>{}, nullptr);
        elements.push_back(std::move(element));
    }
    return elements;
}

void BM_ClipSheet(benchmark::State& state) {
    const std::vector<std::shared_ptr<StoryElement>> elements = timeline(state.range(0));
    std::string folder = (std::filesystem::temp_directory_path() / "clipsheet_bench_XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    std::ostringstream log;
    for (auto _ : state) {
        ReportContext context;
        context.diagnostics = log;
        context.sheetKind = 6;
        context.reportFrameRate = TimecodeFrameRate::fps29_97d;
        context.reportTimeOffset = 0.0;
        context.workbook.emplace(folder + "/bench.xlsx", xlsx::WriteOrder::rowByRow, log);
        benchmark::DoNotOptimize(writeClipSheet(context, elements, "Selected Roles", {{"metadata", true}}, true));
        context.workbook->close();
        log.str({});
    }
    std::filesystem::remove_all(folder);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ClipSheet)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallyvane
