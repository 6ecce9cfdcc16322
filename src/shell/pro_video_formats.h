#pragma once
// Whether the media library can read professional video: the ProRes and DNxHD decoders and
// the MXF demuxer.

namespace tallyvane {

// Throws MediaModuleError when the media module cannot be loaded: then nothing can be
// read, and the reason is the loader's, not missing formats.
bool proVideoFormatsAvailable();

}  // namespace tallyvane
