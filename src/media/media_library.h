#pragma once
// The FFmpeg half of the media layer, opened when a report first needs a picture or a tag:
// FFmpeg and the libraries it pulls in are some thirty megabytes of mappings that a program
// without thumbnails or music tags would otherwise carry from its start. Once opened the
// module stays loaded, so opening it again costs next to nothing.

#include <filesystem>
#include <memory>
#include <vector>

#include "media/media_metadata.h"
#include "media/rgb_image.h"
#include "media/video_frame_grabber.h"

namespace tallyvane {

struct MediaModuleFunctions;

class MediaLibrary {
public:
    // Loads the module beside the running program (`mediaModuleOf`); throws
    // MediaModuleError with the loader's reason when it cannot be loaded.
    MediaLibrary();
    ~MediaLibrary();
    MediaLibrary(const MediaLibrary&) = delete;
    MediaLibrary& operator=(const MediaLibrary&) = delete;

    // One open video file, as `VideoFrameGrabber` keeps it.
    class Video {
    public:
        ~Video();
        Video(const Video&) = delete;
        Video& operator=(const Video&) = delete;
        // As `VideoFrameGrabber::frameAt`.
        RgbImage frameAt(RationalSeconds time, int maxWidth);

    private:
        friend class MediaLibrary;
        Video(const MediaModuleFunctions& functions, void* grabber) : functions_(functions), grabber_(grabber) {}
        const MediaModuleFunctions& functions_;
        void* grabber_;
    };

    // As `readMediaMetadata`, `loadStillImage` and the `VideoFrameGrabber` constructor.
    std::vector<MetadataEntry> readMetadata(const std::filesystem::path& path) const;
    RgbImage stillImage(const std::filesystem::path& path, int width) const;
    std::unique_ptr<Video> openVideo(const std::filesystem::path& path) const;
    // Whether FFmpeg can read ProRes, DNxHD and MXF.
    bool proVideoDecodersPresent() const;

private:
    void* handle_ = nullptr;
    const MediaModuleFunctions* functions_ = nullptr;
};

}  // namespace tallyvane
