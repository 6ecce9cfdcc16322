#include "media/pro_video_decoders.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace tallyvane {

bool proVideoDecodersPresent() {
    return avcodec_find_decoder(AV_CODEC_ID_PRORES) != nullptr && avcodec_find_decoder(AV_CODEC_ID_DNXHD) != nullptr &&
           av_find_input_format("mxf") != nullptr;
}

}  // namespace tallyvane
