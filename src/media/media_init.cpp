#include "media/media_init.h"

extern "C" {
#include <libavutil/log.h>
}

namespace tallyvane {

void initMedia() {
    av_log_set_level(AV_LOG_QUIET);
}

}  // namespace tallyvane
