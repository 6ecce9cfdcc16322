#pragma once
// The report writer the save flow runs: the FCPXML report, or the interchange report for
// projects read from XMEML and OTIO documents.

#include "model/store.h"
#include "report/report_request.h"

namespace tallyvane {

// The store must outlive the writer.
ReportWriter makeReportWriter(const Store& store);

}  // namespace tallyvane
