#include "media/media_library.h"

#include <dlfcn.h>

#include <string>

#include "media/media_error.h"
#include "media/media_module.h"

namespace tallyvane {

namespace {

std::string loaderFailure() {
    const char* reason = dlerror();
    return std::string("The media libraries cannot be loaded: ") + (reason ? reason : "unknown reason");
}

}  // namespace

MediaLibrary::MediaLibrary() {
    // Never unloaded: FFmpeg keeps state of its own, and a report opens the module many times.
    handle_ = dlopen(TALLYVANE_MEDIA_MODULE, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (handle_ == nullptr) throw MediaError(loaderFailure());
    using Entry = const MediaModuleFunctions* (*)();
    const auto entry = reinterpret_cast<Entry>(dlsym(handle_, "tallyvaneMediaModule"));
    if (entry == nullptr) {
        const std::string failure = loaderFailure();
        dlclose(handle_);
        throw MediaError(failure);
    }
    functions_ = entry();
}

MediaLibrary::~MediaLibrary() { dlclose(handle_); }

MediaLibrary::Video::~Video() { functions_.closeVideo(grabber_); }

RgbImage MediaLibrary::Video::frameAt(RationalSeconds time, int maxWidth) {
    return functions_.frameAt(grabber_, time, maxWidth);
}

std::vector<MetadataEntry> MediaLibrary::readMetadata(const std::filesystem::path& path) const {
    return functions_->readMediaMetadata(path);
}

RgbImage MediaLibrary::stillImage(const std::filesystem::path& path, int width) const {
    return functions_->loadStillImage(path, width);
}

std::unique_ptr<MediaLibrary::Video> MediaLibrary::openVideo(const std::filesystem::path& path) const {
    return std::unique_ptr<Video>(new Video(*functions_, functions_->openVideo(path)));
}

bool MediaLibrary::proVideoDecodersPresent() const { return functions_->proVideoDecodersPresent(); }

}  // namespace tallyvane
