#include "report/report_writer.h"

#include "report/element_sheet.h"
#include "report/fcpxml_report_writer.h"
#include "report/interchange_report_writer.h"

namespace tallyvane {

ReportWriter makeReportWriter(const Store& store) {
    return [&store](ReportContext& context, const ReportRequest& request) {
        if (context.currentInputType == InputType::FCPXML) {
            writeFCPXMLReport(context, store, request);
        } else if (isInterchange(context.currentInputType)) {
            writeInterchangeReport(context, store, request);
        }
    };
}

}  // namespace tallyvane
