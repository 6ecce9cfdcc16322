#pragma once
// An ordered list of transforms applied to a timecode in one call, switched on and off
// as a whole.

#include <functional>
#include <memory>
#include <variant>
#include <vector>

#include "timecode/timecode_interval.h"

namespace tallyvane {

class TimecodeTransformer {
public:
    // Moves the timecode by the interval, wrapping at its upper limit; skipped when the
    // interval cannot be carried to the timecode's rate.
    struct Offset {
        TimecodeInterval by;
    };
    // The function's result, properties included, replaces the timecode. Copies of a
    // transform share one function object and so its captured state.
    struct Custom {
        std::shared_ptr<const std::function<Timecode(const Timecode&)>> function;
    };
    struct None {};
    using Transform = std::variant<Offset, Custom, None>;

    static Transform offset(const TimecodeInterval& interval) { return Offset{interval}; }
    static Transform custom(std::function<Timecode(const Timecode&)> function) {
        return Custom{std::make_shared<const std::function<Timecode(const Timecode&)>>(std::move(function))};
    }
    static Transform none() { return None{}; }

    explicit TimecodeTransformer(std::vector<Transform> transforms) : transforms(std::move(transforms)) {}
    explicit TimecodeTransformer(const TimecodeInterval& offset) : transforms{Offset{offset}} {}

    std::vector<Transform> transforms;
    bool enabled = true;

    // Each transform in order, applied to the result of the one before; the input
    // unchanged when disabled. Never throws on its own account.
    Timecode transform(const Timecode& timecode) const;
};

}  // namespace tallyvane
