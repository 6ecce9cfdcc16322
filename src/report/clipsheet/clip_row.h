#pragma once
// The cells of one clip sheet row other than the time columns, thumbnails and music tags,
// and what a row adds to the sheet's file totals.

#include <ostream>
#include <string>
#include <vector>

#include "model/story_element.h"
#include "report/clipsheet/file_total.h"
#include "report/clipsheet/row_target.h"
#include "xlsx/enums.h"

namespace tallyvane {

// The element's one-line description on the diagnostics stream.
void printElement(std::ostream& log, const StoryElement& element);

// Purple titles, brown generators, gray gaps, blue other video, green audio, black for an
// element on no track (and for every row when colours are off).
xlsx::Color rowColor(const StoryElement& element, bool useColorText);

// Video clips other than titles, generators and gaps count their asset's file; audio clips
// only when the asset is an audio file. The duration joins the file's first record.
void addFileTotal(FileTotals& totals, const StoryElement& element);

// Track, roles, name, category, enabled mark.
void writeIdentityCells(RowTarget& target, const StoryElement& element);
// Markers, keywords, effects, texts, rate, frame size, file name and path.
void writeDescriptiveCells(RowTarget& target, const StoryElement& element);
// Metadata column i (after the regular columns) gets the element's first item under
// heading i; the headings are one per canonically equivalent key.
void writeMetadataCells(RowTarget& target, std::size_t firstColumn, const std::vector<std::string>& headings,
                        const StoryElement& element);

// "Dialogue, Music ▸ Score, Strings": the video role, then the audio role with its subroles.
std::string rolesText(const StoryElement& element);
std::string markersText(const StoryElement& element);
std::string keywordsText(const StoryElement& element);
// "48 kHz" for a video clip's rate or an audio file's sample rate.
std::string frameSampleRateText(const StoryElement& element);

}  // namespace tallyvane
