#pragma once
// Whether FFmpeg can read professional video: the ProRes and DNxHD decoders and the MXF
// demuxer.

namespace tallyvane {

bool proVideoDecodersPresent();

}  // namespace tallyvane
