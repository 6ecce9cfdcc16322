#pragma once
// The retiming of one clip: its time map made into one speed in percent, stored as the
// element's SpeedFX, with the source in point and duration scaled by that speed.

#include <iosfwd>

namespace tallyvane {

class StoryElement;
class VideoFormat;
class XMLElement;

// One segment of a time map between two consecutive points, in frames.
struct TimeMap {
    double start;      // the previous point's time, less the element's first frame
    double end;        // this point's time, less the element's first frame
    double speed;      // percent
    double prevValue;  // the previous point's source value
    double thisValue;  // this point's source value
};

// Times count in frames of `timelineFormat`'s frame duration. Without time map points
// nothing changes.
void storeRetime(const XMLElement& clipElement, StoryElement& element, const VideoFormat& timelineFormat,
                 std::ostream& log);

}  // namespace tallyvane
