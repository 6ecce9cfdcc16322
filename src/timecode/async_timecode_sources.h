#pragma once
// Source values that answer later, such as timecodes read from media files. A call on
// one returns at once with a std::future; the timecode (or the error) arrives through
// it. A source works on its own copy of the timecode, so the caller's timecode changes
// only when the answer is taken, and never when the source fails.

#include <filesystem>
#include <future>
#include <memory>
#include <system_error>
#include <utility>

#include "common/termination_signal_set.h"
#include "timecode/timecode_sources.h"

namespace tallyvane {

// Every asynchronous call of the timecode libraries runs its work on a thread of its own
// and hands back the future of its result; an exception the work throws is thrown by
// the future's get(). When no thread can be started the call still returns at once, with
// a deferred future whose work runs on the thread that asks for the answer (get() or
// wait()), so a source the caller answers after the call still gets its answer. There
// wait_for() and wait_until() answer std::future_status::deferred, never ready, and a
// future dropped unasked never runs its work: a change in place (`receiver.set(source)`)
// would be lost, where with a thread the dropped future waits for it. The forms are marked
// [[nodiscard]] so that no future is dropped unseen; ask each one for its answer.
template <typename Work>
auto startAsynchronously(Work work) {
    // Shared so that the work outlives a failed start, which destroys what std::async took.
    const auto run = [shared = std::make_shared<Work>(std::move(work))] { return (*shared)(); };
    try {
        const TerminationSignalsBlocked blocked;  // the thread inherits it
        return std::async(std::launch::async, run);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, run);
    }
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
//
// `asset` reads the start, end or duration of a media file's timecode. It is defined by
// the media timecode library (asset_timecode_source.cpp), which its callers link; the
// core itself reads no media.
class AsyncTimecodeSourceValue : public SourceHolder<AsyncTimecodeSource> {
public:
    using SourceHolder::SourceHolder;
    // At the properties of the timecode being set.
    static AsyncTimecodeSourceValue asset(const std::filesystem::path& file, RangeAttribute attribute);
};

class AsyncRichTimecodeSourceValue : public SourceHolder<AsyncRichTimecodeSource> {
public:
    using SourceHolder::SourceHolder;
    // At the file's own frame rate, with the subframes base and limit of the timecode set.
    static AsyncRichTimecodeSourceValue asset(const std::filesystem::path& file, RangeAttribute attribute);
};

}  // namespace tallyvane
