#pragma once
// The state of one report, handed down from the save flow to every sheet writer. The shell
// fills the settings (thumbnail width, offsets, input type, support folder) before a save;
// the report writers set the sheet kind, frame rate and time offset; the save flow owns
// the workbook and the thumbnail folder.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <string>

#include "report/column_widths.h"
#include "report/report_platform.h"
#include "reader/input_type.h"
#include "timecode/timecode_frame_rate.h"
#include "xlsx/workbook.h"

namespace tallyvane {

// What a report's media gave short of pictures and tags: the Thumbnail cells that read
// "Offline" or "Problem", and the media module's load failure when the report needed it.
struct MediaShortfall {
    std::size_t offlineThumbnails = 0;
    std::size_t problemThumbnails = 0;
    // Of those "Problem" cells, the ones whose picture was read but could not be written,
    // and the last reason why.
    std::size_t unwrittenPictures = 0;
    std::optional<std::string> pictureFailure;
    // The loader's reason.
    std::optional<std::string> moduleFailure;
};

struct ReportContext {
    // The rate of a report whose timeline gives none.
    static constexpr TimecodeFrameRate kStartingFrameRate = TimecodeFrameRate::fps60;

    // Picks a clip sheet's starting columns: 0 none, 3 bin clips, 5 event clips, 6 timeline.
    std::uint8_t sheetKind = 0;
    TimecodeFrameRate reportFrameRate = kStartingFrameRate;
    // Frames added to every computed end time.
    double reportTimeOffset = -1.0;
    std::int64_t thumbnailWidth = 0;
    double hhmmssffAdj = 0.0;
    double framesAdj = 0.0;
    double feetframesAdj = 0.0;
    double clockAdj = 0.0;
    InputType currentInputType = InputType::null;

    std::filesystem::path supportFolder;
    std::filesystem::path thumbnailFolder;
    // Why the thumbnail folder is not this report's own (it could not be emptied or made):
    // no picture is made or taken from it, and its cells say why.
    std::optional<std::string> thumbnailFolderProblem;
    // Open from the start of a save until the workbook is closed.
    std::optional<xlsx::Workbook> workbook;
    // The widths of the sheet being written.
    ColumnWidths sheetColumnWidths;
    // Counted by the clip sheets; the shell clears it before each save.
    MediaShortfall mediaShortfall;

    // Called between sheets, rows and thumbnails, so that a window can repaint while a
    // report is written.
    std::function<void()> tick = [] {};
    // Where the window's progress indicator stands, read for the report writers' last line.
    std::function<ProgressReading()> progress = [] { return ProgressReading{}; };

    // Where the report's plain diagnostic lines go.
    std::reference_wrapper<std::ostream> diagnostics{std::cout};
    std::ostream& log() const { return diagnostics.get(); }
};

}  // namespace tallyvane
