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
#include <variant>

#include "media/media_library.h"
#include "model/story_element.h"
#include "timecode/media_time.h"

namespace tallyvane {

inline constexpr std::string_view kOfflineText = "Offline";
inline constexpr std::string_view kProblemText = "Problem";

// What a row's Thumbnail cell gets.
struct ThumbnailResult {
    // Nothing: no picture and no text. "Offline" or "Problem" with row height -1: the
    // text goes into the cell. Otherwise the JPEG's path and its height in pixels.
    std::optional<std::string> text;
    std::int64_t rowHeight = 0;
    // Why the picture of a "Problem" could not be written, where the media was read; empty
    // where the media is to blame.
    std::string pictureFailure;

    bool isPicture() const { return text && rowHeight >= 0; }
    friend bool operator==(const ThumbnailResult&, const ThumbnailResult&) = default;
};

// "000001234 Interview A.jpg": the source in point truncated to a 32-bit integer and
// zero-padded to nine digits (a minus sign and eight digits below zero), a space, the
// clip name with "/" and NUL replaced by "_" so that it names a file directly inside the
// folder, cut at a character's end where the whole would be longer than a file name may
// be. Nothing when the in point is absent, not finite or beyond 32 bits.
std::optional<std::string> thumbnailFileName(const StoryElement& element);

// One thumbnail file to make, unless it exists already.
struct ThumbnailJob {
    std::filesystem::path file;
    std::filesystem::path media;
    bool still = false;
    int width = 0;
    // For a video frame: the source in point from the start of the media, or why there is none.
    std::variant<MediaTime, std::string> time;
};

// Everything about an element's thumbnail that needs neither the media nor the folder's
// contents: a result at once (no thumbnail, "Offline", "Problem"), or the file to make.
// `folderProblem`, when not empty, says why the folder is not the report's own: a picture
// that would be made there is a "Problem" for that reason instead.
std::variant<ThumbnailResult, ThumbnailJob> planThumbnail(const StoryElement& element,
                                                          const std::filesystem::path& folder, std::int64_t width,
                                                          std::string_view folderProblem = {});

// Makes thumbnail files. It opens the media libraries at its first job and keeps the last
// video file open, so that jobs that follow each other in one file do not reopen it. One
// per thread.
class ThumbnailWorker {
public:
    ThumbnailWorker();
    ~ThumbnailWorker();
    ThumbnailWorker(const ThumbnailWorker&) = delete;
    ThumbnailWorker& operator=(const ThumbnailWorker&) = delete;

    // Writes the file, whether or not it exists. Media that cannot be read is a "Problem",
    // never an exception; the reason goes to `diagnostics`.
    ThumbnailResult make(const ThumbnailJob& job, std::ostream& diagnostics);
    // Takes an existing readable file as it is, else makes it.
    ThumbnailResult reuseOrMake(const ThumbnailJob& job, std::ostream& diagnostics);
    // The loader's reason when a job's "Problem" came from a media module that could not be
    // loaded.
    const std::optional<std::string>& moduleFailure() const noexcept { return moduleFailure_; }

private:
    const MediaLibrary& media();
    MediaLibrary::Video& videoFor(const std::filesystem::path& media);

    std::optional<MediaLibrary> media_;
    std::filesystem::path videoPath_;
    std::unique_ptr<MediaLibrary::Video> video_;
    std::optional<std::string> moduleFailure_;
};

// One element at a time, on the calling thread.
class ThumbnailMaker {
public:
    // `width` in pixels; `diagnostics` receives the lines about reused and written files and
    // the reasons of failures.
    ThumbnailMaker(std::filesystem::path folder, std::int64_t width, std::ostream& diagnostics);

    ThumbnailResult make(const StoryElement& element);

private:
    std::filesystem::path folder_;
    std::int64_t width_;
    std::ostream& log_;
    ThumbnailWorker worker_;
};

}  // namespace tallyvane
