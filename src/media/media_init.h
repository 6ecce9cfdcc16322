#pragma once

namespace tallyvane {

// Silences FFmpeg's own logging, which would otherwise print decoder and demuxer complaints
// about damaged media to standard error. Failures still reach the caller as MediaError.
// Call once before the first media operation; calling it again is harmless.
void initMedia();

}  // namespace tallyvane
