#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "support/no_thread_starts.h"
#include "timecode/async_timecode_sources.h"
#include "timecode_test_support.h"

namespace tallyvane {
namespace {

using AsyncC = TimecodeComponents;
using AsyncS = TimecodeSourceValue;
using AsyncV = TimecodeFrameCount::Value;

// Answers later, from a thread of its own as the media sources do, what a synchronous
// source answers now; the gate, when given, holds the answer back until the test opens it.
class LaterSource final : public AsyncTimecodeSource {
public:
    explicit LaterSource(TimecodeSourceValue source, std::shared_future<void> gate = {})
        : source_(std::move(source)), gate_(std::move(gate)) {}
    std::future<Timecode> set(Timecode t) const override {
        return startAsynchronously([s = source_, gate = gate_, t]() mutable {
            if (gate.valid()) gate.wait();
            s.value().set(t);
            return t;
        });
    }
    std::future<Timecode> setByRule(Timecode t, Rule rule) const override {
        return startAsynchronously([s = source_, t, rule]() mutable {
            s.value().setByRule(t, rule);
            return t;
        });
    }

private:
    TimecodeSourceValue source_;
    std::shared_future<void> gate_;
};

// Sets a fixed timecode, its properties included, or throws outOfBounds when it has none.
class FixedRichSource final : public RichTimecodeSource {
public:
    explicit FixedRichSource(std::optional<Timecode> value) : value_(std::move(value)) {}
    TimecodeProperties set(Timecode& t) const override {
        if (!value_) throw TimecodeValidationError(kOutOfBounds);
        t = *value_;
        return value_->properties;
    }
    TimecodeProperties setByRule(Timecode& t, Rule) const override { return set(t); }

private:
    std::optional<Timecode> value_;
};

class LaterRichSource final : public AsyncRichTimecodeSource {
public:
    explicit LaterRichSource(RichTimecodeSourceValue source) : source_(std::move(source)) {}
    std::future<Result> set(Timecode t) const override {
        return startAsynchronously([s = source_, t]() mutable {
            const TimecodeProperties p = s.value().set(t);
            return Result{t, p};
        });
    }

private:
    RichTimecodeSourceValue source_;
};

// What a form gave: the timecode it returned (for an in-place form, the receiver) or the
// type and text of its error, and the receiver as it is afterwards.
struct AsyncOutcome {
    std::optional<AsyncC> components;
    std::optional<TimecodeProperties> properties;
    std::string error;
    AsyncC receiverComponents;
    std::optional<TimecodeProperties> receiverProperties;

    friend bool operator==(const AsyncOutcome&, const AsyncOutcome&) = default;
};

std::ostream& operator<<(std::ostream& out, const AsyncOutcome& o) {
    if (o.components) out << *o.components << " @ " << o.properties->frameRate.stringValue();
    return out << " error: " << o.error << " receiver: " << o.receiverComponents;
}

// A synchronous result as it is, an asynchronous one awaited; an in-place form's result
// is its receiver.
template <typename Call>
Timecode asyncResultOf(Timecode& receiver, Call call) {
    using Result = decltype(call());
    if constexpr (std::is_void_v<Result>) {
        call();
        return receiver;
    } else if constexpr (std::is_same_v<Result, std::future<void>>) {
        call().get();
        return receiver;
    } else if constexpr (std::is_same_v<Result, std::future<Timecode>>) {
        return call().get();
    } else {
        return call();
    }
}

template <typename Call>
AsyncOutcome asyncOutcomeOf(Timecode& receiver, Call call) {
    AsyncOutcome o;
    try {
        const Timecode t = asyncResultOf(receiver, call);
        o.components = t.components;
        o.properties = t.properties;
    } catch (const std::exception& e) {
        o.error = std::string(typeid(e).name()) + ": " + e.what();
    }
    o.receiverComponents = receiver.components;
    o.receiverProperties = receiver.properties;
    return o;
}

// A fresh asynchronous wrapper for one call; once the call's future is ready, its source
// must be gone, even before the result is taken.
template <typename Value, typename Source>
class ReleaseWatch {
public:
    explicit ReleaseWatch(std::shared_ptr<Source> source) : watch_(source), value_(std::move(source)) {}
    Value take() { return std::move(*value_); }
    bool released() const { return watch_.expired(); }

private:
    std::weak_ptr<Source> watch_;
    std::optional<Value> value_;
};

// The form, called with the synchronous source and with the asynchronous one around it,
// gives the same outcome; the asynchronous call releases its source, and a failure
// leaves the receiver as it was.
template <typename Source, typename Watch, typename Form>
void expectAsyncTwin(const std::string& name, const Timecode& receiver, const Source& source, Watch watch,
                     Form form) {
    SCOPED_TRACE(name);
    Timecode syncReceiver = receiver;
    const AsyncOutcome expected = asyncOutcomeOf(syncReceiver, [&] { return form(syncReceiver, source); });
    Timecode asyncReceiver = receiver;
    bool released = false;
    const AsyncOutcome actual = asyncOutcomeOf(asyncReceiver, [&] {
        auto pending = form(asyncReceiver, watch.take());
        pending.wait();
        released = watch.released();
        return pending;
    });
    EXPECT_EQ(actual, expected);
    EXPECT_TRUE(released);
    if (!actual.error.empty()) {
        EXPECT_EQ(asyncReceiver.components, receiver.components);
        EXPECT_EQ(asyncReceiver.properties, receiver.properties);
    }
}

// Which of set, add and subtract take the source (and the rule, when given) on a receiver
// of that kind: an in-place form writes into its receiver once the source answers, so a
// temporary one must not compile.
template <typename Receiver, typename Source, typename... ByRule>
constexpr std::array<bool, 3> takenInPlace() {
    return {requires(Receiver r, Source s, ByRule... u) { std::forward<Receiver>(r).set(std::move(s), u...); },
            requires(Receiver r, Source s, ByRule... u) { std::forward<Receiver>(r).add(std::move(s), u...); },
            requires(Receiver r, Source s, ByRule... u) { std::forward<Receiver>(r).subtract(std::move(s), u...); }};
}
using InPlace = std::array<bool, 3>;
using AsyncRich = AsyncRichTimecodeSourceValue;
static_assert(takenInPlace<Timecode&, AsyncTimecodeSourceValue>() == InPlace{true, true, true});
static_assert(takenInPlace<Timecode&, AsyncTimecodeSourceValue, Rule>() == InPlace{true, true, true});
static_assert(takenInPlace<Timecode&, AsyncRich>() == InPlace{true, true, true});
static_assert(takenInPlace<Timecode&, AsyncRich, Rule>() == InPlace{false, true, true});
static_assert(takenInPlace<Timecode, AsyncTimecodeSourceValue>() == InPlace{false, false, false});
static_assert(takenInPlace<Timecode, AsyncTimecodeSourceValue, Rule>() == InPlace{false, false, false});
static_assert(takenInPlace<Timecode, AsyncRich>() == InPlace{false, false, false});
static_assert(takenInPlace<Timecode, AsyncRich, Rule>() == InPlace{false, false, false});
// The synchronous forms still take any receiver.
static_assert(takenInPlace<Timecode, TimecodeSourceValue>() == InPlace{true, true, true});
static_assert(takenInPlace<Timecode&, RichTimecodeSourceValue, Rule>() == InPlace{true, true, true});

// Construction under one name for both kinds of source.
Timecode madeAsyncTwin(const AsyncS& s, const TimecodeProperties& p) { return Timecode(s, p); }
std::future<Timecode> madeAsyncTwin(AsyncTimecodeSourceValue s, const TimecodeProperties& p) {
    return Timecode::make(std::move(s), p);
}
Timecode madeAsyncTwin(const AsyncS& s, const TimecodeProperties& p, Rule rule) { return Timecode(s, p, rule); }
std::future<Timecode> madeAsyncTwin(AsyncTimecodeSourceValue s, const TimecodeProperties& p, Rule rule) {
    return Timecode::make(std::move(s), p, rule);
}
Timecode madeAsyncTwin(const AsyncS& s, R rate, B base, L limit) { return Timecode(s, rate, base, limit); }
std::future<Timecode> madeAsyncTwin(AsyncTimecodeSourceValue s, R rate, B base, L limit) {
    return Timecode::make(std::move(s), rate, base, limit);
}
Timecode madeAsyncTwin(const AsyncS& s, R rate, B base, L limit, Rule rule) {
    return Timecode(s, rate, base, limit, rule);
}
std::future<Timecode> madeAsyncTwin(AsyncTimecodeSourceValue s, R rate, B base, L limit, Rule rule) {
    return Timecode::make(std::move(s), rate, base, limit, rule);
}
Timecode madeAsyncTwin(const RichTimecodeSourceValue& s) { return Timecode(s); }
std::future<Timecode> madeAsyncTwin(AsyncRichTimecodeSourceValue s) { return Timecode::make(std::move(s)); }

// The arithmetic forms, which both kinds of source have, exactly and by rule:
// `check(name, form)`, form(receiver, source).
template <typename Check>
void arithmeticAsyncForms(std::optional<Rule> rule, Check check) {
    if (!rule) {
        check("add", [](Timecode& r, auto s) { return r.add(std::move(s)); });
        check("adding", [](Timecode& r, auto s) { return r.adding(std::move(s)); });
        check("subtract", [](Timecode& r, auto s) { return r.subtract(std::move(s)); });
        check("subtracting", [](Timecode& r, auto s) { return r.subtracting(std::move(s)); });
        return;
    }
    const Rule u = *rule;
    check("add", [u](Timecode& r, auto s) { return r.add(std::move(s), u); });
    check("adding", [u](Timecode& r, auto s) { return r.adding(std::move(s), u); });
    check("subtract", [u](Timecode& r, auto s) { return r.subtract(std::move(s), u); });
    check("subtracting", [u](Timecode& r, auto s) { return r.subtracting(std::move(s), u); });
}

// Every form with a plain source.
template <typename Check>
void plainAsyncForms(const TimecodeProperties& p, std::optional<Rule> rule, Check check) {
    if (!rule) {
        check("make", [p](Timecode&, auto s) { return madeAsyncTwin(std::move(s), p); });
        check("make at rate, base, limit", [p](Timecode&, auto s) {
            return madeAsyncTwin(std::move(s), p.frameRate, p.subFramesBase, p.upperLimit);
        });
        check("set", [](Timecode& r, auto s) { return r.set(std::move(s)); });
        check("setting", [](Timecode& r, auto s) { return r.setting(std::move(s)); });
    } else {
        const Rule u = *rule;
        check("make", [p, u](Timecode&, auto s) { return madeAsyncTwin(std::move(s), p, u); });
        check("make at rate, base, limit", [p, u](Timecode&, auto s) {
            return madeAsyncTwin(std::move(s), p.frameRate, p.subFramesBase, p.upperLimit, u);
        });
        check("set", [u](Timecode& r, auto s) { return r.set(std::move(s), u); });
        check("setting", [u](Timecode& r, auto s) { return r.setting(std::move(s), u); });
    }
    arithmeticAsyncForms(rule, check);
}

// Every form with a rich source; the rich forms by rule are the arithmetic ones.
template <typename Check>
void richAsyncForms(std::optional<Rule> rule, Check check) {
    if (!rule) {
        check("make", [](Timecode&, auto s) { return madeAsyncTwin(std::move(s)); });
        check("set", [](Timecode& r, auto s) { return r.set(std::move(s)); });
        check("setting", [](Timecode& r, auto s) { return r.setting(std::move(s)); });
    }
    arithmeticAsyncForms(rule, check);
}

std::string ruleName(std::optional<Rule> rule) {
    return rule ? " by rule " + std::to_string(static_cast<int>(*rule)) : " exactly";
}

const std::optional<Rule> kAsyncRules[] = {std::nullopt, Rule::clamping, Rule::clampingComponents, Rule::wrapping,
                                           Rule::allowingInvalid};

// Each table runs twice: with threads, and where none can start, so that the work runs
// on the calling thread and the call still answers, not throws.
template <typename Table>
void withAndWithoutThreads(Table table) {
    table();
    SCOPED_TRACE("no thread can start");
    const test::NoThreadStarts noThreads;
    table();
}

// Each asynchronous form gives what its synchronous twin gives, errors included, leaves
// the receiver as it was when it fails, and releases its source; also when no thread can
// start.
TEST(TimecodeAsyncTest, PlainSourcesAnswerAsTheirSynchronousTwins) {
    const struct {
        const char* name;
        AsyncS source;
        Timecode receiver;
    } cases[] = {
        {"one frame from zero", AsyncS::components(0, 0, 0, 0, 1), tc24(0, 0, 0, 0)},
        {"24 hours, invalid exactly", AsyncS::components(0, 24, 0, 0, 0), tc24(1, 0, 0, 0)},
        {"frame -1", AsyncS::frames(-1), tc24(0, 0, 0, 5)},
        {"one second onto the last frame", AsyncS::realTime(1.0), tc24(23, 59, 59, 23)},
        {"a count at base 100 changes the base exactly", AsyncS::frameCount({AsyncV::split(10, 50), B::max100SubFrames}),
         tc24(0, 0, 1, 0, 40)},
        {"media time at 23.976", AsyncS::mediaTime(MediaTime::make(1000, 24000)), tcAt(R::fps23_976, 0, 0, 0, 1)},
        {"dropped label at 29.97d", AsyncS::components(0, 0, 1, 0, 0), tcAt(R::fps29_97d, 0, 0, 59, 29)},
    };
    withAndWithoutThreads([&] {
        for (const auto& c : cases) {
            for (const std::optional<Rule>& rule : kAsyncRules) {
                plainAsyncForms(c.receiver.properties, rule, [&](const char* form, auto call) {
                    expectAsyncTwin(std::string(c.name) + ", " + form + ruleName(rule), c.receiver, c.source,
                                    ReleaseWatch<AsyncTimecodeSourceValue, LaterSource>(std::make_shared<LaterSource>(c.source)),
                                    call);
                });
            }
        }
    });
}

TEST(TimecodeAsyncTest, RichSourcesAnswerAsTheirSynchronousTwins) {
    const auto fixed = [](std::optional<Timecode> value) {
        return RichTimecodeSourceValue(std::make_shared<FixedRichSource>(std::move(value)));
    };
    const struct {
        const char* name;
        RichTimecodeSourceValue source;
        Timecode receiver;
    } cases[] = {
        {"another rate, converted", fixed(tcAt(R::fps25, 1, 0, 0, 0)), tc24(0, 0, 0, 1)},
        {"the last frame", fixed(tc24(23, 59, 59, 23)), tc24(23, 59, 59, 0)},
        {"beyond the receiver's limit once converted", fixed(tcAt(R::fps23_976, 23, 59, 59, 23)), tc24(0, 0, 0, 0)},
        {"a failing source", fixed(std::nullopt), tc24(1, 0, 0, 0)},
    };
    withAndWithoutThreads([&] {
        for (const auto& c : cases) {
            for (const std::optional<Rule>& rule : kAsyncRules) {
                richAsyncForms(rule, [&](const char* form, auto call) {
                    expectAsyncTwin(std::string(c.name) + ", " + form + ruleName(rule), c.receiver, c.source,
                                    ReleaseWatch<AsyncRichTimecodeSourceValue, LaterRichSource>(std::make_shared<LaterRichSource>(c.source)),
                                    call);
                });
            }
        }
    });
}

// The call returns before the source answers, and the receiver changes only then; where
// no thread can start too, so a source the caller answers after the call gets its answer.
// Where no thread can start the future says it is deferred: its work waits for the answer to
// be asked for.
TEST(TimecodeAsyncTest, ReceiverChangesOnlyOnceTheSourceAnswered) {
    for (const bool threads : {true, false}) {
        SCOPED_TRACE(threads ? "threads" : "no thread can start");
        std::optional<test::NoThreadStarts> noThreads;
        if (!threads) noThreads.emplace();
        std::promise<void> open;
        const std::shared_future<void> gate = open.get_future().share();
        Timecode receiver = tc24(1, 0, 0, 0);
        std::future<void> done = receiver.add(
            AsyncTimecodeSourceValue(std::make_shared<LaterSource>(AsyncS::components(0, 0, 0, 1, 0), gate)));
        EXPECT_EQ(done.wait_for(std::chrono::milliseconds(20)),
                  threads ? std::future_status::timeout : std::future_status::deferred);
        EXPECT_EQ(receiver.components, (AsyncC{0, 1, 0, 0, 0, 0}));
        open.set_value();
        done.get();
        EXPECT_EQ(receiver.components, (AsyncC{0, 1, 0, 1, 0, 0}));
    }
}

}  // namespace
}  // namespace tallyvane
