#pragma once
// The formats pass: every format resource of the document becomes a VideoFormat, plus
// the fallback format for clips, assets and timelines that name none.

#include <memory>
#include <optional>
#include <string_view>

#include "model/video_format.h"
#include "timecode/video_frame_rate.h"

namespace tallyvane {

class ReaderContext;
class XMLElement;

// A new fallback format: id "default", name "FFVideoFormatRateUndefined", nothing else.
std::shared_ptr<VideoFormat> makeDefaultVideoFormat();

// The pixel aspect ratio that a format name stands for ("NTSC-601", "square", ...).
std::string_view pixelAspectRatio(std::string_view formatName);

// The video rate of a format element's frame duration: interlaced rates first when the
// element's name holds an "i", then progressive ones, "60p" when none matches or the
// duration does not read.
VideoFrameRate videoFrameRate(const XMLElement& formatElement, std::string_view frameDuration);

// A stored video rate text read back: its text ("119.88pp") or its raw value ("119.88p").
std::optional<VideoFrameRate> videoFrameRateFromText(std::string_view text);

void storeFormats(ReaderContext& context);

}  // namespace tallyvane
