// Thumbnails per second over a timeline of 500 clips cut from three 1080p H.264 files with
// a long GOP: the sheet's worker pool with one worker and with one per core, next to the
// ffmpeg command-line tool taking the same frames one process at a time.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "model/asset.h"
#include "model/story_element.h"
#include "report/clipsheet/thumbnail_batch.h"

namespace tallyvane {
namespace {

constexpr int kFiles = 3;
constexpr int kClips = 500;
constexpr int kFramesPerFile = 500;  // 20 s at 25 fps
// The command-line tool is slow enough that a sample of the clips tells its rate.
constexpr int kCommandLineClips = 30;

bool run(const std::string& command) { return std::system(command.c_str()) == 0; }

struct Media {
    std::filesystem::path folder;
    std::vector<std::shared_ptr<StoryElement>> clips;
    bool ready = false;

    Media() {
        std::string pattern = (std::filesystem::temp_directory_path() / "thumbnails_bench_XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) return;
        folder = pattern;
        std::vector<std::shared_ptr<Asset>> assets;
        for (int f = 0; f < kFiles; ++f) {
            const std::filesystem::path file = folder / ("source" + std::to_string(f) + ".mp4");
            if (!run("ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i testsrc2=s=1920x1080:r=25:d=20"
                     " -c:v libx264 -preset ultrafast -g 250 -pix_fmt yuv420p '" + file.string() + "'")) {
                return;
            }
            assets.push_back(std::make_shared<Asset>("a" + std::to_string(f), file.filename().string(), 0.0,
                                                     kFramesPerFile, "25", nullptr, Url("file://" + file.string()),
                                                     false, true, true, false, "1920 \u00d7 1080", "", "",
                                                     Asset::Category::AV));
        }
        for (int i = 0; i < kClips; ++i) {
            const double in = static_cast<double>((i * 37) % (kFramesPerFile - 10));
            clips.push_back(std::make_shared<StoryElement>(
                "assetclip", StoryElement::Category::assetclip, assets[static_cast<std::size_t>(i % kFiles)], nullptr,
                i, TrackType::Video, "id" + std::to_string(i), "Clip " + std::to_string(i), true, 0.0, i * 50.0, 50.0,
                in, 50.0, "25", "V1", "Video", "", std::vector<std::string>{}, "", "", "", "", "", "", false,
                StoryElement::Params{}, std::vector<std::shared_ptr<Metadata>>{},
                std::vector<std::shared_ptr<MarkedRange>>{}, std::vector<std::shared_ptr<VideoFX>>{},
                std::vector<std::shared_ptr<AudioFX>>{}, nullptr));
        }
        ready = true;
    }
    ~Media() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

const Media& media() {
    static const Media made;
    return made;
}

void BM_Thumbnails(benchmark::State& state) {
    const Media& m = media();
    if (!m.ready) {
        state.SkipWithError("ffmpeg could not make the media");
        return;
    }
    std::vector<const StoryElement*> rows;
    for (const auto& clip : m.clips) rows.push_back(clip.get());
    const auto workers = static_cast<unsigned>(state.range(0));
    std::ostringstream log;
    int run = 0;
    for (auto _ : state) {
        const std::filesystem::path thumbnails = m.folder / ("thumbnails" + std::to_string(run++));
        std::filesystem::create_directory(thumbnails);
        ThumbnailBatch batch(rows, thumbnails, 160, workers);
        for (std::size_t i = 0; i < rows.size(); ++i) benchmark::DoNotOptimize(batch.next(log));
        state.PauseTiming();
        std::filesystem::remove_all(thumbnails);
        log.str({});
        state.ResumeTiming();
    }
    state.counters["thumbnails/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kClips, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Thumbnails)
    ->Arg(1)
    ->Arg(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())))
    ->ArgName("workers")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// One ffmpeg process per thumbnail, seeking accurately to the in point and scaling to the width.
void BM_FfmpegCommandLine(benchmark::State& state) {
    const Media& m = media();
    if (!m.ready) {
        state.SkipWithError("ffmpeg could not make the media");
        return;
    }
    const std::filesystem::path out = m.folder / "command-line.jpg";
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kCommandLineClips; ++i) {
            const StoryElement& clip = *m.clips[static_cast<std::size_t>(i)];
            std::ostringstream command;
            command << "ffmpeg -nostdin -hide_banner -loglevel error -y -ss " << *clip.srcInpoint() / 25.0 << " -i '"
                    << clip.asset()->url()->path() << "' -frames:v 1 -vf scale=160:-2 -q:v 5 '" << out.string() << "'";
            if (!run(command.str())) {
                state.SkipWithError("ffmpeg failed");
                return;
            }
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["thumbnails/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kCommandLineClips, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FfmpegCommandLine)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

}  // namespace
}  // namespace tallyvane
