#include "timecode_ui/qt/timecode_clipboard.h"

#include "timecode/timecode_sources.h"

namespace tallyvane {

TimecodeLoader timecodeLoader(const QMimeData* data) {
    return [data](const Timecode::Properties& properties) -> TimecodePasteResult {
        if (data == nullptr || !data->hasText()) return TimecodePasteFailure{"The clipboard holds no timecode."};
        try {
            return Timecode(FormattedTimecodeSourceValue::string(data->text().toStdString()), properties,
                            TimecodeValidationRule::allowingInvalid);
        } catch (const TimecodeStringParseError& error) {
            return TimecodePasteFailure{error.what()};
        }
    };
}

}  // namespace tallyvane
