#include "shell/pro_video_formats.h"

#include "media/media_error.h"
#include "media/media_library.h"

namespace tallyvane {

bool proVideoFormatsAvailable() {
    try {
        return MediaLibrary().proVideoDecodersPresent();
    } catch (const MediaError&) {
        return false;
    }
}

}  // namespace tallyvane
