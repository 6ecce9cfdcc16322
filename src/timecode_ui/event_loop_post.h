#pragma once
// Work that a view hands to its event loop, to run after the event being handled.

#include <functional>

namespace tallyvane {

using LaterTask = std::function<void()>;
// Runs a task later, on the thread that owns the view.
using PostLater = std::function<void(LaterTask)>;

}  // namespace tallyvane
