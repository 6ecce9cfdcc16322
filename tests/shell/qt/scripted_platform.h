#pragma once
// The desktop platform with its panels and alerts answered by the test and recorded, so
// that no modal dialog waits for a person. Busy handling stays the real one.

#include <functional>

#include "../fake_platform.h"
#include "shell/qt/desktop_platform.h"

namespace tallyvane::test {

class ScriptedPlatform : public RecordingPlatform<DesktopPlatform> {
public:
    void setBusy(bool busy) override {
        DesktopPlatform::setBusy(busy);
        if (onBusy) onBusy(busy);
    }

    // Called after the windows were told of the busy state.
    std::function<void(bool)> onBusy;
};

}  // namespace tallyvane::test
