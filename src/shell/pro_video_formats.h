#pragma once
// Whether the media library can read professional video: the ProRes and DNxHD decoders and
// the MXF demuxer.

namespace tallyvane {

bool proVideoFormatsAvailable();

}  // namespace tallyvane
