#include "timecode/timecode_stride.h"

namespace tallyvane {

TimecodeStride::Iterator::Iterator(const TimecodeStride& stride, const Timecode& start) : stride_(&stride) {
    if (inRange(start)) current_ = start;
}

bool TimecodeStride::Iterator::beforeEnd(const Timecode& timecode) const {
    return stride_->frames_ > 0 ? timecode < stride_->end_ : timecode > stride_->end_;
}

bool TimecodeStride::Iterator::inRange(const Timecode& timecode) const {
    return beforeEnd(timecode) || (stride_->closed_ && timecode == stride_->end_);
}

TimecodeStride::Iterator& TimecodeStride::Iterator::operator++() {
    // The end, once reached, is the last value.
    if (!beforeEnd(*current_)) {
        current_.reset();
        return *this;
    }
    const Timecode next = current_->advanced(stride_->frames_);
    if (next.components == current_->components || !inRange(next)) {
        current_.reset();
    } else {
        current_ = next;
    }
    return *this;
}

}  // namespace tallyvane
