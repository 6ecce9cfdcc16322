#include "timecode/timecode_stride.h"

namespace tallyvane {

TimecodeStride::Iterator::Iterator(const TimecodeStride& stride, const Timecode& start) : stride_(&stride) {
    if (inRange(start)) current_ = start;
}

bool TimecodeStride::Iterator::inRange(const Timecode& timecode) const {
    const Timecode& end = stride_->end_;
    if (stride_->frames_ > 0) return stride_->closed_ ? timecode <= end : timecode < end;
    return stride_->closed_ ? timecode >= end : timecode > end;
}

TimecodeStride::Iterator& TimecodeStride::Iterator::operator++() {
    const Timecode next = current_->advanced(stride_->frames_);
    if (next.components == current_->components || !inRange(next)) {
        current_.reset();
    } else {
        current_ = next;
    }
    return *this;
}

}  // namespace tallyvane
