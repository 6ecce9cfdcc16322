#pragma once
// Thumbnails of a clip sheet: a picture of each clip's source media at its source in point,
// written as a JPEG file into the report's thumbnail folder.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "model/story_element.h"

namespace tallyvane {

class VideoFrameGrabber;

inline constexpr std::string_view kOfflineText = "Offline";
inline constexpr std::string_view kProblemText = "Problem";

// What a row's Thumbnail cell gets.
struct ThumbnailResult {
    // Nothing: no picture and no text. "Offline" or "Problem" with row height -1: the
    // text goes into the cell. Otherwise the JPEG's path and its height in pixels.
    std::optional<std::string> text;
    std::int64_t rowHeight = 0;

    bool isPicture() const { return text && rowHeight >= 0; }
    friend bool operator==(const ThumbnailResult&, const ThumbnailResult&) = default;
};

// "000001234 Interview A.jpg": the source in point truncated to a 32-bit integer and
// zero-padded to nine digits (a minus sign and eight digits below zero), a space, the
// clip name with "/" and NUL replaced by "_" so that it names a file directly inside the
// folder. Nothing when the in point is absent, not finite or beyond 32 bits.
std::optional<std::string> thumbnailFileName(const StoryElement& element);

// Makes the thumbnails of one sheet, one element at a time. It keeps the last video file
// open, so that clips that follow each other in one file do not reopen it.
class ThumbnailMaker {
public:
    // `width` in pixels; `diagnostics` receives the lines about reused and written files and
    // the reasons of failures.
    ThumbnailMaker(std::filesystem::path folder, std::int64_t width, std::ostream& diagnostics);
    ~ThumbnailMaker();
    ThumbnailMaker(const ThumbnailMaker&) = delete;
    ThumbnailMaker& operator=(const ThumbnailMaker&) = delete;

    // Never throws for media that cannot be read: that is a "Problem" cell.
    ThumbnailResult make(const StoryElement& element);

private:
    ThumbnailResult makeStill(const std::filesystem::path& media, const std::filesystem::path& file);
    ThumbnailResult makeVideoFrame(const StoryElement& element, const std::filesystem::path& media,
                                   const std::filesystem::path& file);
    VideoFrameGrabber& grabberFor(const std::filesystem::path& media);
    ThumbnailResult problem(std::string_view reason);

    std::filesystem::path folder_;
    std::int64_t width_;
    std::ostream& log_;
    std::filesystem::path grabberPath_;
    std::unique_ptr<VideoFrameGrabber> grabber_;
};

}  // namespace tallyvane
