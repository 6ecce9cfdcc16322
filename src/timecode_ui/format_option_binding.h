#pragma once
// A switch for one string-format option, over a binding to the whole format: for
// toggles that show days or subframes.

#include "timecode/timecode.h"
#include "timecode_ui/binding.h"

namespace tallyvane {

inline Binding<bool> formatOptionBinding(const Binding<Timecode::StringFormat>& format,
                                         TimecodeStringFormatOption option) {
    return format.projected<bool>([option](const Timecode::StringFormat& f) { return f.contains(option); },
                                  [option](Timecode::StringFormat& f, bool on) {
                                      if (on) {
                                          f.insert(option);
                                      } else {
                                          f.remove(option);
                                      }
                                  });
}

}  // namespace tallyvane
