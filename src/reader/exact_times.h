#pragma once
// The exact times of what multicam and sync clips show, kept beside the model's frame
// counts: an expanded row counts its source time in seconds from them, and only then
// turns it into frames at its own rate.

#include <unordered_map>

#include "timecode/fraction.h"

namespace tallyvane {

class Composition;
class StoryElement;

class ExactTimes {
public:
    // Seconds: where the element stands in its composition, how long, and its own "start".
    struct Placed {
        Fraction position;
        Fraction duration;
        Fraction start;
    };

    void notePlaced(const StoryElement& element, const Placed& times) { placed_[&element] = times; }
    // Absent for an element placed in no multicam or sync clip.
    const Placed* placed(const StoryElement& element) const {
        const auto found = placed_.find(&element);
        return found == placed_.end() ? nullptr : &found->second;
    }
    // The time at which a multicam's own time begins ("tcStart").
    void noteStart(const Composition& multicam, const Fraction& start) { starts_[&multicam] = start; }
    Fraction start(const Composition& multicam) const {
        const auto found = starts_.find(&multicam);
        return found == starts_.end() ? Fraction(0, 1) : found->second;
    }

private:
    std::unordered_map<const StoryElement*, Placed> placed_;
    std::unordered_map<const Composition*, Fraction> starts_;
};

}  // namespace tallyvane
