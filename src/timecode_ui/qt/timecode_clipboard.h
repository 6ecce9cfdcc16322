#pragma once
// The clipboard side of timecode transfer: transfer items to and from Qt's MIME data.
// The timecode's own type keeps its identifier as the MIME format name; UTF-8 plain
// text is Qt's text.

#include <memory>
#include <span>
#include <vector>

#include <QMimeData>

#include "timecode/timecode_transfer.h"
#include "timecode_ui/timecode_field_model.h"

namespace tallyvane {

std::vector<TransferItem> transferItems(const QMimeData& data);
std::unique_ptr<QMimeData> mimeData(std::span<const TransferItem> items);

// Loads the timecode that `data` carries (which must outlive the loader's call): its
// timecode item first, else its text read at the field's properties.
TimecodeLoader timecodeLoader(const QMimeData* data);

}  // namespace tallyvane
