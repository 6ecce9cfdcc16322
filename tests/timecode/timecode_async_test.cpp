#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <typeinfo>
#include <vector>

#include "timecode/async_timecode_sources.h"
#include "timecode_test_support.h"

namespace tallyvane {
namespace {

using AsyncC = TimecodeComponents;
using AsyncS = TimecodeSourceValue;
using AsyncV = TimecodeFrameCount::Value;

// Answers later, from a thread of its own, what a synchronous source answers now; the
// gate, when given, holds the answer back until the test opens it.
class LaterSource final : public AsyncTimecodeSource {
public:
    explicit LaterSource(TimecodeSourceValue source, std::shared_future<void> gate = {})
        : source_(std::move(source)), gate_(std::move(gate)) {}
    std::future<Timecode> set(Timecode t) const override {
        return std::async(std::launch::async, [s = source_, gate = gate_, t]() mutable {
            if (gate.valid()) gate.wait();
            s.value().set(t);
            return t;
        });
    }
    std::future<Timecode> setByRule(Timecode t, Rule rule) const override {
        return std::async(std::launch::async, [s = source_, t, rule]() mutable {
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
        return std::async(std::launch::async, [s = source_, t]() mutable {
            const TimecodeProperties p = s.value().set(t);
            return Result{t, p};
        });
    }

private:
    RichTimecodeSourceValue source_;
};

// What an operation gave: its timecode, or the type and text of its error. In-place
// forms give the receiver as it is afterwards, also after an error.
struct AsyncOutcome {
    std::optional<AsyncC> components;
    std::optional<TimecodeProperties> properties;
    std::string error;

    friend bool operator==(const AsyncOutcome&, const AsyncOutcome&) = default;
};

std::ostream& operator<<(std::ostream& out, const AsyncOutcome& o) {
    if (o.components) out << *o.components << " @ " << o.properties->frameRate.stringValue();
    return out << " error: " << o.error;
}

AsyncOutcome asyncOutcomeOf(const std::function<Timecode()>& operation) {
    try {
        const Timecode t = operation();
        return {t.components, t.properties, ""};
    } catch (const std::exception& e) {
        return {std::nullopt, std::nullopt, std::string(typeid(e).name()) + ": " + e.what()};
    }
}

// The receiver after an in-place operation, with the error it threw.
AsyncOutcome inPlaceOutcomeOf(Timecode receiver, const std::function<void(Timecode&)>& operation) {
    AsyncOutcome outcome = asyncOutcomeOf([&] {
        operation(receiver);
        return receiver;
    });
    if (!outcome.components) {
        outcome.components = receiver.components;
        outcome.properties = receiver.properties;
    }
    return outcome;
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

struct AsyncForm {
    const char* name;
    std::function<AsyncOutcome()> synchronous;
    std::function<AsyncOutcome(bool& released)> asynchronous;
};

void expectTwins(const std::string& caseName, const std::vector<AsyncForm>& forms) {
    for (const AsyncForm& form : forms) {
        SCOPED_TRACE(caseName + ", " + form.name);
        bool released = false;
        EXPECT_EQ(form.asynchronous(released), form.synchronous());
        EXPECT_TRUE(released);
    }
}

using PlainWatch = ReleaseWatch<AsyncTimecodeSourceValue, LaterSource>;
using RichWatch = ReleaseWatch<AsyncRichTimecodeSourceValue, LaterRichSource>;

// Every form with a plain asynchronous source next to its synchronous twin.
std::vector<AsyncForm> plainForms(const AsyncS& s, const Timecode& r, std::optional<Rule> rule) {
    const auto later = [s] { return PlainWatch(std::make_shared<LaterSource>(s)); };
    const auto returning = [later](auto call) {
        return [later, call](bool& released) {
            PlainWatch w = later();
            auto pending = call(w.take());
            pending.wait();
            released = w.released();
            return asyncOutcomeOf([&] { return pending.get(); });
        };
    };
    const auto inPlace = [later, r](auto call) {
        return [later, call, r](bool& released) {
            PlainWatch w = later();
            return inPlaceOutcomeOf(r, [&](Timecode& t) {
                auto pending = call(t, w.take());
                pending.wait();
                released = w.released();
                pending.get();
            });
        };
    };
    const TimecodeProperties p = r.properties;
    if (!rule) {
        return {
            {"make", [=] { return asyncOutcomeOf([&] { return Timecode(s, p); }); },
             returning([p](auto v) { return Timecode::make(std::move(v), p); })},
            {"make at rate, base, limit",
             [=] { return asyncOutcomeOf([&] { return Timecode(s, p.frameRate, p.subFramesBase, p.upperLimit); }); },
             returning([p](auto v) { return Timecode::make(std::move(v), p.frameRate, p.subFramesBase, p.upperLimit); })},
            {"setting", [=] { return asyncOutcomeOf([&] { return r.setting(s); }); },
             returning([r](auto v) { return r.setting(std::move(v)); })},
            {"adding", [=] { return asyncOutcomeOf([&] { return r.adding(s); }); },
             returning([r](auto v) { return r.adding(std::move(v)); })},
            {"subtracting", [=] { return asyncOutcomeOf([&] { return r.subtracting(s); }); },
             returning([r](auto v) { return r.subtracting(std::move(v)); })},
            {"set", [=] { return inPlaceOutcomeOf(r, [&](Timecode& t) { t.set(s); }); },
             inPlace([](Timecode& t, auto v) { return t.set(std::move(v)); })},
            {"add", [=] { return inPlaceOutcomeOf(r, [&](Timecode& t) { t.add(s); }); },
             inPlace([](Timecode& t, auto v) { return t.add(std::move(v)); })},
            {"subtract", [=] { return inPlaceOutcomeOf(r, [&](Timecode& t) { t.subtract(s); }); },
             inPlace([](Timecode& t, auto v) { return t.subtract(std::move(v)); })},
        };
    }
    const Rule u = *rule;
    return {
        {"make by rule", [=] { return asyncOutcomeOf([&] { return Timecode(s, p, u); }); },
         returning([p, u](auto v) { return Timecode::make(std::move(v), p, u); })},
        {"make at rate, base, limit by rule",
         [=] { return asyncOutcomeOf([&] { return Timecode(s, p.frameRate, p.subFramesBase, p.upperLimit, u); }); },
         returning([p, u](auto v) {
             return Timecode::make(std::move(v), p.frameRate, p.subFramesBase, p.upperLimit, u);
         })},
        {"setting by rule", [=] { return asyncOutcomeOf([&] { return r.setting(s, u); }); },
         returning([r, u](auto v) { return r.setting(std::move(v), u); })},
        {"adding by rule", [=] { return asyncOutcomeOf([&] { return r.adding(s, u); }); },
         returning([r, u](auto v) { return r.adding(std::move(v), u); })},
        {"subtracting by rule", [=] { return asyncOutcomeOf([&] { return r.subtracting(s, u); }); },
         returning([r, u](auto v) { return r.subtracting(std::move(v), u); })},
        {"set by rule", [=] { return inPlaceOutcomeOf(r, [&](Timecode& t) { t.set(s, u); }); },
         inPlace([u](Timecode& t, auto v) { return t.set(std::move(v), u); })},
        {"add by rule", [=] { return inPlaceOutcomeOf(r, [&](Timecode& t) { t.add(s, u); }); },
         inPlace([u](Timecode& t, auto v) { return t.add(std::move(v), u); })},
        {"subtract by rule", [=] { return inPlaceOutcomeOf(r, [&](Timecode& t) { t.subtract(s, u); }); },
         inPlace([u](Timecode& t, auto v) { return t.subtract(std::move(v), u); })},
    };
}

// Every form with a rich asynchronous source next to its synchronous twin.
std::vector<AsyncForm> richForms(const RichTimecodeSourceValue& s, const Timecode& r, std::optional<Rule> rule) {
    const auto later = [s] { return RichWatch(std::make_shared<LaterRichSource>(s)); };
    const auto returning = [later](auto call) {
        return [later, call](bool& released) {
            RichWatch w = later();
            auto pending = call(w.take());
            pending.wait();
            released = w.released();
            return asyncOutcomeOf([&] { return pending.get(); });
        };
    };
    const auto inPlace = [later, r](auto call) {
        return [later, call, r](bool& released) {
            RichWatch w = later();
            return inPlaceOutcomeOf(r, [&](Timecode& t) {
                auto pending = call(t, w.take());
                pending.wait();
                released = w.released();
                pending.get();
            });
        };
    };
    if (!rule) {
        return {
            {"make", [=] { return asyncOutcomeOf([&] { return Timecode(s); }); },
             returning([](auto v) { return Timecode::make(std::move(v)); })},
            {"setting", [=] { return asyncOutcomeOf([&] { return r.setting(s); }); },
             returning([r](auto v) { return r.setting(std::move(v)); })},
            {"adding", [=] { return asyncOutcomeOf([&] { return r.adding(s); }); },
             returning([r](auto v) { return r.adding(std::move(v)); })},
            {"subtracting", [=] { return asyncOutcomeOf([&] { return r.subtracting(s); }); },
             returning([r](auto v) { return r.subtracting(std::move(v)); })},
            {"set", [=] { return inPlaceOutcomeOf(r, [&](Timecode& t) { t.set(s); }); },
             inPlace([](Timecode& t, auto v) { return t.set(std::move(v)); })},
            {"add", [=] { return inPlaceOutcomeOf(r, [&](Timecode& t) { t.add(s); }); },
             inPlace([](Timecode& t, auto v) { return t.add(std::move(v)); })},
            {"subtract", [=] { return inPlaceOutcomeOf(r, [&](Timecode& t) { t.subtract(s); }); },
             inPlace([](Timecode& t, auto v) { return t.subtract(std::move(v)); })},
        };
    }
    const Rule u = *rule;
    return {
        {"adding by rule", [=] { return asyncOutcomeOf([&] { return r.adding(s, u); }); },
         returning([r, u](auto v) { return r.adding(std::move(v), u); })},
        {"subtracting by rule", [=] { return asyncOutcomeOf([&] { return r.subtracting(s, u); }); },
         returning([r, u](auto v) { return r.subtracting(std::move(v), u); })},
        {"add by rule", [=] { return inPlaceOutcomeOf(r, [&](Timecode& t) { t.add(s, u); }); },
         inPlace([u](Timecode& t, auto v) { return t.add(std::move(v), u); })},
        {"subtract by rule", [=] { return inPlaceOutcomeOf(r, [&](Timecode& t) { t.subtract(s, u); }); },
         inPlace([u](Timecode& t, auto v) { return t.subtract(std::move(v), u); })},
    };
}

const std::optional<Rule> kAsyncRules[] = {std::nullopt, Rule::clamping, Rule::clampingComponents, Rule::wrapping,
                                           Rule::allowingInvalid};

// Each asynchronous form gives what its synchronous twin gives, errors included, leaves
// the receiver as it was when it fails, and releases its source.
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
    for (const auto& c : cases) {
        for (const std::optional<Rule>& rule : kAsyncRules) {
            expectTwins(std::string(c.name) + (rule ? " by rule " + std::to_string(static_cast<int>(*rule)) : ""),
                        plainForms(c.source, c.receiver, rule));
        }
    }
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
    for (const auto& c : cases) {
        for (const std::optional<Rule>& rule : kAsyncRules) {
            expectTwins(std::string(c.name) + (rule ? " by rule " + std::to_string(static_cast<int>(*rule)) : ""),
                        richForms(c.source, c.receiver, rule));
        }
    }
}

// The call returns before the source answers, and the receiver changes only then.
TEST(TimecodeAsyncTest, ReceiverChangesOnlyOnceTheSourceAnswered) {
    std::promise<void> open;
    const std::shared_future<void> gate = open.get_future().share();
    Timecode receiver = tc24(1, 0, 0, 0);
    std::future<void> done = receiver.add(
        AsyncTimecodeSourceValue(std::make_shared<LaterSource>(AsyncS::components(0, 0, 0, 1, 0), gate)));
    EXPECT_EQ(done.wait_for(std::chrono::milliseconds(20)), std::future_status::timeout);
    EXPECT_EQ(receiver.components, (AsyncC{0, 1, 0, 0, 0, 0}));
    open.set_value();
    done.get();
    EXPECT_EQ(receiver.components, (AsyncC{0, 1, 0, 1, 0, 0}));
}

}  // namespace
}  // namespace tallyvane
