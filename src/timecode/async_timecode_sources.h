#pragma once
// Source values that answer later, such as timecodes read from media files. A call on
// one returns at once with a std::future; the timecode (or the error) arrives through
// it. A source works on its own copy of the timecode, so the caller's timecode changes
// only when the answer is taken, and never when the source fails.

#include <future>
#include <memory>
#include <utility>

#include "timecode/timecode_sources.h"

namespace tallyvane {

// Every asynchronous call of the timecode libraries runs its work on a thread of its own
// and hands back the future of its result; an exception the work throws is thrown by
// the future's get().
template <typename Work>
auto startAsynchronously(Work work) {
    return std::async(std::launch::async, std::move(work));
}

// `set`: the timecode set exactly; the future throws what setting throws (such as
// TimecodeValidationError::outOfBounds). `setByRule`: the timecode set under the rule;
// the future never throws.
class AsyncTimecodeSource {
public:
    virtual ~AsyncTimecodeSource() = default;
    virtual std::future<Timecode> set(Timecode timecode) const = 0;
    virtual std::future<Timecode> setByRule(Timecode timecode, TimecodeValidationRule rule) const = 0;
};

// Sets components and properties exactly; the future throws what setting throws.
class AsyncRichTimecodeSource {
public:
    // The timecode as the source set it, and the properties it chose.
    struct Result {
        Timecode timecode;
        TimecodeProperties properties;
    };
    virtual ~AsyncRichTimecodeSource() = default;
    virtual std::future<Result> set(Timecode timecode) const = 0;
};

// The timecode members that take these wrappers take them by value and release them as
// soon as the source has answered, whether it succeeded or failed.
class AsyncTimecodeSourceValue : public SourceHolder<AsyncTimecodeSource> {
public:
    using SourceHolder::SourceHolder;
};

class AsyncRichTimecodeSourceValue : public SourceHolder<AsyncRichTimecodeSource> {
public:
    using SourceHolder::SourceHolder;
};

}  // namespace tallyvane
