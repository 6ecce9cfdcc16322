#include "report/clipsheet/thumbnail.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "common/debug_text.h"
#include "media/jpeg.h"
#include "media/media_error.h"
#include "media/media_init.h"
#include "media/rgb_image.h"
#include "media/still_image.h"
#include "media/video_frame_grabber.h"
#include "model/asset.h"
#include "report/clipsheet/media_location.h"
#include "timecode/timecode.h"
#include "timecode/timecode_sources.h"

namespace tallyvane {

namespace {

ThumbnailResult noThumbnail() { return {}; }
ThumbnailResult offline() { return {std::string(kOfflineText), -1}; }
ThumbnailResult problemResult() { return {std::string(kProblemText), -1}; }

bool hasPictures(Asset::Category category) {
    return category == Asset::Category::AV || category == Asset::Category::Video ||
           category == Asset::Category::Image;
}

Timecode sourceTimecode(double frames, TimecodeFrameRate rate) {
    if (!std::isfinite(frames)) throw TimecodeValidationError(TimecodeValidationError::Code::outOfBounds);
    return Timecode(TimecodeSourceValue::combinedFrames(frames),
                    Timecode::Properties{rate, TimecodeSubFramesBase::max100SubFrames, TimecodeUpperLimit::max100Days});
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
    std::string name = element.name();
    for (char& c : name) {
        if (c == '/' || c == '\0') c = '_';
    }
    return std::string(number) + " " + name + ".jpg";
}

ThumbnailMaker::ThumbnailMaker(std::filesystem::path folder, std::int64_t width, std::ostream& diagnostics)
    : folder_(std::move(folder)), width_(width), log_(diagnostics) {
    initMedia();
}

ThumbnailMaker::~ThumbnailMaker() = default;

ThumbnailResult ThumbnailMaker::problem(std::string_view reason) {
    log_ << debugQuoted(reason) << '\n';
    return problemResult();
}

ThumbnailResult ThumbnailMaker::make(const StoryElement& element) {
    const std::shared_ptr<Asset>& asset = element.asset();
    if (!asset || !hasPictures(asset->category())) return noThumbnail();
    if (!asset->online()) return offline();
    if (!asset->url()) return problemResult();
    if (!TimecodeFrameRate::fromRawValue(element.timecodeFrameRate())) return problemResult();
    if (!element.srcInpoint()) return problemResult();
    // Anything wider than the media layer's largest picture is a mistyped setting, not a
    // request for gigapixels.
    if (width_ < 1 || width_ > kMaxImageSide) return problemResult();
    const std::optional<std::string> name = thumbnailFileName(element);
    if (!name) return problemResult();
    const std::optional<std::filesystem::path> media = localMediaPath(*asset->url());
    if (!media) return problemResult();

    const std::filesystem::path file = folder_ / *name;
    std::error_code error;
    if (std::filesystem::exists(file, error)) {
        log_ << debugQuoted("using existing thumbnail: " + file.string()) << '\n';
        if (const std::optional<int> height = readJpegHeight(file)) return {file.string(), *height};
    }
    if (asset->category() == Asset::Category::Image) return makeStill(*media, file);
    return makeVideoFrame(element, *media, file);
}

ThumbnailResult ThumbnailMaker::makeStill(const std::filesystem::path& media, const std::filesystem::path& file) {
    RgbImage image;
    try {
        image = loadStillImage(media, static_cast<int>(width_));
    } catch (const MediaError&) {
        return problemResult();
    }
    log_ << "Writing thumbnail to " << file.string() << '\n';
    try {
        writeJpeg(image, file, kThumbnailJpegQuality);
    } catch (const MediaError& failure) {
        return problem(failure.what());
    }
    return {file.string(), image.height};
}

ThumbnailResult ThumbnailMaker::makeVideoFrame(const StoryElement& element, const std::filesystem::path& media,
                                               const std::filesystem::path& file) {
    const TimecodeFrameRate rate = *TimecodeFrameRate::fromRawValue(element.timecodeFrameRate());
    MediaTime time;
    try {
        // The in point counts from the media's first frame; before it, the difference wraps
        // within the 100 days and finds no picture.
        const Timecode inPoint = sourceTimecode(*element.srcInpoint(), rate);
        const Timecode firstFrame = sourceTimecode(element.firstFrame(), rate);
        time = (inPoint - firstFrame).mediaTimeValue();
    } catch (const TimecodeValidationError& failure) {
        return problem(failure.what());
    }
    if (!time.isNumeric()) return problem("The source in point is no media time.");

    RgbImage image;
    try {
        image = grabberFor(media).frameAt({time.value, time.timescale}, static_cast<int>(width_));
    } catch (const MediaError& failure) {
        return problem(failure.what());
    }
    log_ << "Writing thumbnail to " << file.string() << '\n';
    try {
        writeJpeg(image, file, kThumbnailJpegQuality);
    } catch (const MediaError& failure) {
        return problem(failure.what());
    }
    return {file.string(), image.height};
}

VideoFrameGrabber& ThumbnailMaker::grabberFor(const std::filesystem::path& media) {
    if (!grabber_ || grabberPath_ != media) {
        grabber_.reset();
        grabber_ = std::make_unique<VideoFrameGrabber>(media);
        grabberPath_ = media;
    }
    return *grabber_;
}

}  // namespace tallyvane
