#pragma once
// The report on a project read from FCPXML. A timeline report lists the elements of the
// timeline's tracks whose roles the user checked; "Event Clips" lists every clip of every
// event. Either way the workbook gets the clip sheet "Selected Roles", one clip sheet per
// video role row and per audio role row with a subrole, then the extra sheets the user
// asked for in their fixed order: markers, keywords, titles and generators, transitions,
// video and audio effects with speed changes, and (for a timeline) the summary.

#include "model/store.h"
#include "report/report_context.h"
#include "report/report_request.h"

namespace tallyvane {

// Sets the context's sheet kind, frame rate and time offset for the sheet writers. A
// timeline that is not in the store gets no sheet and changes nothing. A refusal of the
// spreadsheet library is thrown.
void writeFCPXMLReport(ReportContext& context, const Store& store, const ReportRequest& request);

}  // namespace tallyvane
