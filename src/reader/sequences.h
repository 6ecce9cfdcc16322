#pragma once
// Sequences made into compositions: the compound clips of the resources and the timelines
// of projects, with their storylines; and the small composition of a sync clip's storyline.

#include <memory>
#include <vector>

#include "model/composition.h"
#include "model/event_bin.h"
#include "xml/xml_element.h"

namespace tallyvane {

class ReaderContext;

// `CompoundClip` sequences go into the store; `TimelineSequence` ones into `bin`, and
// nowhere without one. Other categories make nothing.
void storeSequences(const std::vector<XMLElement>& sequences, Composition::Category category,
                    const std::shared_ptr<EventBin>& bin, ReaderContext& reader);

// The storyline of a sync clip as a SyncClip composition in the store. Without a format
// of its own the clip takes that of `parent`, the default format without a parent.
std::shared_ptr<Composition> storeStoryline(const XMLElement& syncClip, const Composition* parent,
                                            ReaderContext& reader);

// A sync clip's source whose audio role source is inactive switches off the audio track
// of the clip's composition named after the source.
void switchOffInactiveSyncSources(const XMLElement& syncClip, Composition& composition);

}  // namespace tallyvane
