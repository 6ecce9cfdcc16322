#pragma once
// Qt key presses as the keys a timecode field understands.

#include <optional>

#include <QKeyEvent>

#include "timecode_ui/key_equivalent.h"

namespace tallyvane {

// Absent for presses the field must leave to others: modifier keys on their own,
// Tab and Backtab (the window's focus chain) and shortcuts held with Control, Alt or
// Meta. Keys without text of their own take the toolkit's private-use code points.
std::optional<KeyEquivalent> keyEquivalent(const QKeyEvent& event);

}  // namespace tallyvane
