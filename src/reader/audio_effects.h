#pragma once
// The audio effects of one clip: its audio filters and the editor's built-in audio
// adjustments, each an AudioFX. Built-in adjustments are listed off.

namespace tallyvane {

class StoryElement;
class XMLElement;

void storeAudioEffects(const XMLElement& clipElement, StoryElement& element);

}  // namespace tallyvane
