#include "shell/pro_video_formats.h"

#include "media/media_library.h"

namespace tallyvane {

bool proVideoFormatsAvailable() { return MediaLibrary().proVideoDecodersPresent(); }

}  // namespace tallyvane
