#pragma once
// The orders of the report's lists, each a stable sort in place: elements the order does
// not tell apart keep their input order. Texts compare by NFC code points (text_order.h).

#include <memory>
#include <string>
#include <vector>

#include "model/audio_fx.h"
#include "model/event_bin.h"
#include "model/marked_range.h"
#include "model/story_element.h"
#include "model/video_fx.h"
#include "report/clipsheet/file_total.h"

namespace tallyvane {

void sortTexts(std::vector<std::string>& texts);
// By name; path and total play no part.
void sortFileTotalsByName(std::vector<FileTotal>& totals);
// Timeline position, transitions first at one position, then the reader's order number.
void sortStoryElements(std::vector<std::shared_ptr<StoryElement>>& elements);
// By timeline position.
void sortMarkedRanges(std::vector<std::shared_ptr<MarkedRange>>& ranges);
void sortVideoFX(std::vector<std::shared_ptr<VideoFX>>& effects);
void sortAudioFX(std::vector<std::shared_ptr<AudioFX>>& effects);
void sortEventBins(std::vector<std::shared_ptr<EventBin>>& bins);

}  // namespace tallyvane
