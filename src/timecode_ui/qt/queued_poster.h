#pragma once
// Runs a timecode state's change notices on the Qt event loop, after the current event.

#include <QObject>

#include "timecode_ui/timecode_state.h"

namespace tallyvane {

// Tasks run on `context`'s thread and are dropped once `context` is gone.
TimecodeState::Post queuedPoster(QObject* context);

}  // namespace tallyvane
