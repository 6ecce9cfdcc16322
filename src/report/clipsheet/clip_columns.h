#pragma once
// Which columns a clip sheet has: the starting list of its sheet kind less the columns the
// report options switch off, then one column per metadata key.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/story_element.h"
#include "report/column_heading.h"

namespace tallyvane {

// Option key to on or off, as the settings window builds it.
using ReportOptions = std::map<std::string, bool>;

// The five formats every time column comes in, in column order.
enum class TimeFormat : std::uint8_t { timecode, frames, feetAndFrames, clock, seconds };
inline constexpr std::size_t kTimeFormatCount = 5;

// The variant of a time column in a format: `timecodeCase` is the column's first variant
// (TimelineInTC, SourceDurationTC, ...).
ColumnHeading timeVariant(ColumnHeading timecodeCase, TimeFormat format);

// Kind 0 has no columns; 1 and 2 clip list, 3 bin clips, 4 clip list with reels, 5 event
// clips, 6 and above timeline.
std::vector<ColumnHeading> startingColumns(std::uint8_t sheetKind);

// Removes what the options switch off. A column key that is absent counts as on; the
// Thumbnail column also goes whenever the thumbnail width is 0.
void removeSwitchedOffColumns(std::vector<ColumnHeading>& columns, const ReportOptions& options,
                              std::int64_t thumbnailWidth);

// The distinct metadata keys of the elements in text order, when the "metadata" option
// is present and on; none otherwise. Canonically equivalent keys count as one.
std::vector<std::string> metadataHeadings(const std::vector<std::shared_ptr<StoryElement>>& elements,
                                          const ReportOptions& options);

}  // namespace tallyvane
