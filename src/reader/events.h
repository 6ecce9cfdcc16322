#pragma once
// The events pass, the reader's last: every event becomes an EventBin with its browser
// clips, its sync, multicam and reference clips, and its project timelines. A document
// without events is read as one event made of the whole document.

#include <memory>
#include <vector>

#include "model/event_bin.h"
#include "xml/xml_element.h"

namespace tallyvane {

class ReaderContext;

void storeEventsAndTheirContents(ReaderContext& reader);

// Clips whose asset is unknown are left out.
void storeEventClips(const std::vector<XMLElement>& clips, const std::shared_ptr<EventBin>& bin, ReaderContext& reader);

}  // namespace tallyvane
