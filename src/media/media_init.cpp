#include "media/media_init.h"

extern "C" {
#include <libavutil/log.h>
}

namespace tallyvane {

// Once per process: the level is FFmpeg's own global, and files are read on several
// threads at once.
void initMedia() {
    static const bool quiet = [] {
        av_log_set_level(AV_LOG_QUIET);
        return true;
    }();
    (void)quiet;
}

}  // namespace tallyvane
