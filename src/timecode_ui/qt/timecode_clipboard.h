#pragma once
// What a paste brings to a timecode field: the clipboard's timecode, read at the
// field's properties.

#include <QMimeData>

#include "timecode_ui/timecode_field_model.h"

namespace tallyvane {

// Reads the plain text of `data` (which must outlive the loader's call) as a timecode;
// components out of range are kept for the field's policies to judge.
TimecodeLoader timecodeLoader(const QMimeData* data);

}  // namespace tallyvane
