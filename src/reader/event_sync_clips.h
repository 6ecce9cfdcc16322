#pragma once
// The sync, multicam and reference clips that sit in an event, after its browser clips.

#include <memory>
#include <vector>

#include "model/event_bin.h"
#include "xml/xml_element.h"

namespace tallyvane {

class ReaderContext;

void storeEventSyncClips(const std::vector<XMLElement>& clips, const std::shared_ptr<EventBin>& bin,
                         ReaderContext& reader);

}  // namespace tallyvane
