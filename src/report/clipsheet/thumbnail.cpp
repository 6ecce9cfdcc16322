#include "report/clipsheet/thumbnail.h"

#include <cmath>
#include <climits>
#include <cstdio>
#include <cstring>
#include <limits>

#include "common/debug_text.h"
#include "common/utf8.h"
#include "media/jpeg.h"
#include "media/media_error.h"
#include "media/rgb_image.h"
#include "model/asset.h"
#include "report/clipsheet/media_location.h"
#include "timecode/timecode.h"
#include "timecode/timecode_sources.h"

namespace tallyvane {

namespace {

ThumbnailResult offline() { return {std::string(kOfflineText), -1, {}}; }
ThumbnailResult problem() { return {std::string(kProblemText), -1, {}}; }

ThumbnailResult problem(std::ostream& diagnostics, std::string_view reason) {
    diagnostics << debugQuoted(reason) << '\n';
    return problem();
}

// A "Problem" the media is not to blame for: its picture was read but cannot be written.
ThumbnailResult unwritten(std::ostream& diagnostics, std::string_view reason) {
    ThumbnailResult result = problem(diagnostics, reason);
    result.pictureFailure = reason;
    return result;
}

bool hasPictures(Asset::Category category) {
    return category == Asset::Category::AV || category == Asset::Category::Video ||
           category == Asset::Category::Image;
}

Timecode sourceTimecode(double frames, TimecodeFrameRate rate) {
    if (!std::isfinite(frames)) throw TimecodeValidationError(TimecodeValidationError::Code::outOfBounds);
    return Timecode(TimecodeSourceValue::combinedFrames(frames),
                    Timecode::Properties{rate, TimecodeSubFramesBase::max100SubFrames, TimecodeUpperLimit::max100Days});
}

// The in point counts from the media's first frame; before it, the difference wraps within
// the 100 days and finds no picture.
std::variant<MediaTime, std::string> timeInMedia(const StoryElement& element, TimecodeFrameRate rate) {
    try {
        const Timecode inPoint = sourceTimecode(*element.srcInpoint(), rate);
        const Timecode firstFrame = sourceTimecode(element.firstFrame(), rate);
        const MediaTime time = (inPoint - firstFrame).mediaTimeValue();
        if (!time.isNumeric()) return std::string("The source in point is no media time.");
        return time;
    } catch (const TimecodeValidationError& failure) {
        return std::string(failure.what());
    }
}

ThumbnailResult written(const RgbImage& image, const std::filesystem::path& file, std::ostream& diagnostics) {
    diagnostics << "Writing thumbnail to " << file.string() << '\n';
    try {
        writeJpeg(image, file, kThumbnailJpegQuality);
    } catch (const MediaError& failure) {
        return unwritten(diagnostics, failure.what());
    }
    return {file.string(), image.height, {}};
}

}  // namespace

std::optional<std::string> thumbnailFileName(const StoryElement& element) {
    const std::optional<double> inPoint = element.srcInpoint();
    if (!inPoint || !std::isfinite(*inPoint)) return std::nullopt;
    const double truncated = std::trunc(*inPoint);
    if (truncated < std::numeric_limits<std::int32_t>::min() || truncated > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    char number[16];
    std::snprintf(number, sizeof number, "%09d", static_cast<int>(truncated));
    // A name of more bytes than a file name holds is cut, or no picture could be written.
    constexpr std::size_t kLongestName = NAME_MAX;
    const std::size_t room = kLongestName - std::strlen(number) - std::strlen(" .jpg");
    std::string name(utf8Prefix(element.name(), room));
    for (char& c : name) {
        if (c == '/' || c == '\0') c = '_';
    }
    return std::string(number) + " " + name + ".jpg";
}

std::variant<ThumbnailResult, ThumbnailJob> planThumbnail(const StoryElement& element,
                                                          const std::filesystem::path& folder, std::int64_t width,
                                                          std::string_view folderProblem) {
    const std::shared_ptr<Asset>& asset = element.asset();
    if (!asset || !hasPictures(asset->category())) return ThumbnailResult{};
    if (!asset->online()) return offline();
    if (!asset->url()) return problem();
    const std::optional<TimecodeFrameRate> rate = TimecodeFrameRate::fromRawValue(element.timecodeFrameRate());
    if (!rate || !element.srcInpoint()) return problem();
    // Anything wider than the media layer's largest picture is a mistyped setting, not a
    // request for gigapixels.
    if (width < 1 || width > kMaxImageSide) return problem();
    // Without a folder the file would land wherever the program happens to run.
    if (folder.empty()) return problem();
    const std::optional<std::string> name = thumbnailFileName(element);
    const std::optional<std::filesystem::path> media = localMediaPath(*asset->url());
    if (!name || !media) return problem();
    // What stands in a folder that is not the report's own may be an earlier report's.
    if (!folderProblem.empty()) return ThumbnailResult{std::string(kProblemText), -1, std::string(folderProblem)};

    ThumbnailJob job{folder / *name, *media, asset->category() == Asset::Category::Image, static_cast<int>(width), {}};
    if (!job.still) job.time = timeInMedia(element, *rate);
    return job;
}

ThumbnailWorker::ThumbnailWorker() = default;
ThumbnailWorker::~ThumbnailWorker() = default;

ThumbnailResult ThumbnailWorker::make(const ThumbnailJob& job, std::ostream& diagnostics) {
    if (const auto* failure = std::get_if<std::string>(&job.time)) return problem(diagnostics, *failure);
    // Loaded before any file is read: a module that cannot be loaded is no fault of the file.
    try {
        media();
    } catch (const MediaModuleError& failure) {
        moduleFailure_ = failure.reason();
        return problem(diagnostics, failure.what());
    }
    if (job.still) {
        try {
            return written(media().stillImage(job.media, job.width), job.file, diagnostics);
        } catch (const MediaError&) {
            return problem();
        }
    }
    const MediaTime& time = std::get<MediaTime>(job.time);
    RgbImage image;
    try {
        image = videoFor(job.media).frameAt({time.value, time.timescale}, job.width);
    } catch (const MediaError& failure) {
        return problem(diagnostics, failure.what());
    }
    return written(image, job.file, diagnostics);
}

ThumbnailResult ThumbnailWorker::reuseOrMake(const ThumbnailJob& job, std::ostream& diagnostics) {
    std::error_code error;
    if (std::filesystem::exists(job.file, error)) {
        diagnostics << debugQuoted("using existing thumbnail: " + job.file.string()) << '\n';
        if (const std::optional<int> height = readJpegHeight(job.file)) return {job.file.string(), *height, {}};
    }
    return make(job, diagnostics);
}

const MediaLibrary& ThumbnailWorker::media() {
    if (!media_) media_.emplace();
    return *media_;
}

MediaLibrary::Video& ThumbnailWorker::videoFor(const std::filesystem::path& file) {
    if (!video_ || videoPath_ != file) {
        video_.reset();
        video_ = media().openVideo(file);
        videoPath_ = file;
    }
    return *video_;
}

ThumbnailMaker::ThumbnailMaker(std::filesystem::path folder, std::int64_t width, std::ostream& diagnostics)
    : folder_(std::move(folder)), width_(width), log_(diagnostics) {}

ThumbnailResult ThumbnailMaker::make(const StoryElement& element) {
    auto plan = planThumbnail(element, folder_, width_);
    if (auto* result = std::get_if<ThumbnailResult>(&plan)) return *result;
    return worker_.reuseOrMake(std::get<ThumbnailJob>(plan), log_);
}

}  // namespace tallyvane
