#include "media/media_library.h"

#include <dlfcn.h>

#include <string>

#include "media/media_error.h"
#include "media/media_module.h"
#include "media/media_module_path.h"
#include "media/module_file.h"

namespace tallyvane {

namespace {

std::string loaderReason() {
    const char* reason = dlerror();
    return reason ? reason : "unknown reason";
}

}  // namespace

MediaLibrary::MediaLibrary() {
    const std::filesystem::path program = runningProgram();
    if (program.empty()) {
        throw MediaModuleError("the program's own location, beside which its media module lies, is unknown");
    }
    const std::filesystem::path module = mediaModuleOf(program, mediaModuleBesideProgram());
    // Opened by its full path: the sanitizers open libraries on the program's behalf, which
    // hides the program's own run path from the loader. Never unloaded: FFmpeg keeps state
    // of its own, and a report opens the module many times.
    if (const std::optional<std::string> reason = unloadableModuleReason(module)) throw MediaModuleError(*reason);
    handle_ = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (handle_ == nullptr) throw MediaModuleError(loaderReason());
    using Entry = const MediaModuleFunctions* (*)();
    const auto entry = reinterpret_cast<Entry>(dlsym(handle_, "tallyvaneMediaModule"));
    if (entry == nullptr) {
        const std::string reason = loaderReason();
        dlclose(handle_);
        throw MediaModuleError(reason);
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
