#pragma once
// The report on a project read from an XMEML or OTIO document: one clip sheet with the
// elements of the checked tracks (or every bin clip for "Bin Clips"), then the extra sheets
// the user asked for in their fixed order: sequence (or timeline) markers and clip markers,
// graphics and titles, transitions, video and audio effects with speed changes, and (for a
// timeline) the files summary of the clip sheet's media. The rows of the video and audio
// tables name tracks here, not roles.

#include "model/store.h"
#include "report/report_context.h"
#include "report/report_request.h"

namespace tallyvane {

// Sets the context's sheet kind, frame rate and time offset for the sheet writers. A
// timeline that is not in the store, or a project of another document kind, gets no sheet.
// A refusal of the spreadsheet library is thrown.
void writeInterchangeReport(ReportContext& context, const Store& store, const ReportRequest& request);

}  // namespace tallyvane
