#pragma once
// The video effects of one clip: its filters and the editor's built-in video adjustments,
// each a VideoFX with a display name, a one-line settings text and its on/off state.

namespace tallyvane {

class StoryElement;
class VideoFormat;
class XMLElement;

// Positions are percentages of the frame height, shown in pixels of `timelineFormat`
// whatever the size of the clip's own media.
void storeVideoEffects(const XMLElement& clipElement, StoryElement& element, const VideoFormat& timelineFormat);

}  // namespace tallyvane
