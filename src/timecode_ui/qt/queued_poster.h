#pragma once
// Runs posted work (a timecode state's change notices, a field's focus moves) on the Qt
// event loop, after the current event.

#include <QObject>

#include "timecode_ui/event_loop_post.h"

namespace tallyvane {

// Tasks run on `context`'s thread and are dropped once `context` is gone.
PostLater queuedPoster(QObject* context);

}  // namespace tallyvane
