// The members that take asynchronous sources. Each waits for the source's answer on a
// thread of its own and then does what its synchronous twin does with that answer: a
// set takes the timecode the source set, arithmetic takes it as a Timecode operand.
#include "timecode/async_timecode_sources.h"

namespace tallyvane {

namespace {

using Rule = TimecodeValidationRule;

Timecode zeroAt(const TimecodeProperties& properties) {
    return Timecode(GuaranteedTimecodeSourceValue::zero(), properties);
}

// The source's answers, waited for on the calling thread.
Timecode answerOf(const AsyncTimecodeSourceValue& source, Timecode start) {
    return source.value().set(std::move(start)).get();
}

Timecode answerOf(const AsyncTimecodeSourceValue& source, Timecode start, Rule rule) {
    return source.value().setByRule(std::move(start), rule).get();
}

// The timecode keeps the properties the source returned, as with a synchronous rich source.
Timecode answerOf(const AsyncRichTimecodeSourceValue& source, Timecode start) {
    AsyncRichTimecodeSource::Result result = source.value().set(std::move(start)).get();
    result.timecode.properties = result.properties;
    return result.timecode;
}

// `ask` gets the source's answer, `finish` turns it into the result. The source is
// released once it has answered, before `finish` runs and also when it fails.
template <typename SourceValue, typename Ask, typename Finish>
auto afterAnswer(SourceValue source, Ask ask, Finish finish) {
    return startAsynchronously([source = std::move(source), ask = std::move(ask), finish = std::move(finish)]() mutable {
        Timecode answer = [&] {
            const SourceValue owned = std::move(source);
            return ask(owned);
        }();
        return finish(std::move(answer));
    });
}

Timecode unchanged(Timecode answer) { return answer; }

// An operand as the synchronous forms read a source value: a plain source at the
// receiver's properties, a rich one at those it brings.
Timecode operandAnswer(const AsyncTimecodeSourceValue& operand, const TimecodeProperties& receiver) {
    return answerOf(operand, zeroAt(receiver));
}

Timecode operandAnswer(const AsyncRichTimecodeSourceValue& operand, const TimecodeProperties&) {
    return answerOf(operand, zeroAt(kRichSourceStart));
}

template <typename SourceValue, typename Finish>
auto withOperand(SourceValue operand, const TimecodeProperties& receiver, Finish finish) {
    return afterAnswer(
        std::move(operand), [receiver](const SourceValue& s) { return operandAnswer(s, receiver); },
        std::move(finish));
}

}  // namespace

std::future<Timecode> Timecode::make(AsyncTimecodeSourceValue source, const Properties& p) {
    return afterAnswer(std::move(source), [p](const AsyncTimecodeSourceValue& s) { return answerOf(s, zeroAt(p)); },
                       unchanged);
}

std::future<Timecode> Timecode::make(AsyncTimecodeSourceValue source, TimecodeFrameRate rate, SubFramesBase base,
                                     UpperLimit limit) {
    return make(std::move(source), Properties{rate, base, limit});
}

std::future<Timecode> Timecode::make(AsyncTimecodeSourceValue source, const Properties& p, ValidationRule rule) {
    return afterAnswer(
        std::move(source), [p, rule](const AsyncTimecodeSourceValue& s) { return answerOf(s, zeroAt(p), rule); },
        unchanged);
}

std::future<Timecode> Timecode::make(AsyncTimecodeSourceValue source, TimecodeFrameRate rate, SubFramesBase base,
                                     UpperLimit limit, ValidationRule rule) {
    return make(std::move(source), Properties{rate, base, limit}, rule);
}

std::future<Timecode> Timecode::make(AsyncRichTimecodeSourceValue source) {
    return afterAnswer(
        std::move(source), [](const AsyncRichTimecodeSourceValue& s) { return answerOf(s, zeroAt(kRichSourceStart)); },
        unchanged);
}

std::future<void> Timecode::set(AsyncTimecodeSourceValue source) & {
    return afterAnswer(
        std::move(source), [start = *this](const AsyncTimecodeSourceValue& s) { return answerOf(s, start); },
        [this](Timecode answer) { *this = std::move(answer); });
}

std::future<void> Timecode::set(AsyncTimecodeSourceValue source, ValidationRule rule) & {
    return afterAnswer(
        std::move(source),
        [start = *this, rule](const AsyncTimecodeSourceValue& s) { return answerOf(s, start, rule); },
        [this](Timecode answer) { *this = std::move(answer); });
}

std::future<void> Timecode::set(AsyncRichTimecodeSourceValue source) & {
    return afterAnswer(
        std::move(source), [start = *this](const AsyncRichTimecodeSourceValue& s) { return answerOf(s, start); },
        [this](Timecode answer) { *this = std::move(answer); });
}

std::future<Timecode> Timecode::setting(AsyncTimecodeSourceValue source) const {
    return afterAnswer(
        std::move(source), [start = *this](const AsyncTimecodeSourceValue& s) { return answerOf(s, start); },
        unchanged);
}

std::future<Timecode> Timecode::setting(AsyncTimecodeSourceValue source, ValidationRule rule) const {
    return afterAnswer(
        std::move(source),
        [start = *this, rule](const AsyncTimecodeSourceValue& s) { return answerOf(s, start, rule); }, unchanged);
}

std::future<Timecode> Timecode::setting(AsyncRichTimecodeSourceValue source) const {
    return afterAnswer(
        std::move(source), [start = *this](const AsyncRichTimecodeSourceValue& s) { return answerOf(s, start); },
        unchanged);
}

std::future<Timecode> Timecode::adding(AsyncTimecodeSourceValue operand) const {
    return withOperand(std::move(operand), properties, [r = *this](const Timecode& t) { return r.adding(t); });
}

std::future<Timecode> Timecode::adding(AsyncTimecodeSourceValue operand, ValidationRule rule) const {
    return withOperand(std::move(operand), properties, [r = *this, rule](const Timecode& t) { return r.adding(t, rule); });
}

std::future<Timecode> Timecode::adding(AsyncRichTimecodeSourceValue operand) const {
    return withOperand(std::move(operand), properties, [r = *this](const Timecode& t) { return r.adding(t); });
}

std::future<Timecode> Timecode::adding(AsyncRichTimecodeSourceValue operand, ValidationRule rule) const {
    return withOperand(std::move(operand), properties, [r = *this, rule](const Timecode& t) { return r.adding(t, rule); });
}

std::future<Timecode> Timecode::subtracting(AsyncTimecodeSourceValue operand) const {
    return withOperand(std::move(operand), properties, [r = *this](const Timecode& t) { return r.subtracting(t); });
}

std::future<Timecode> Timecode::subtracting(AsyncTimecodeSourceValue operand, ValidationRule rule) const {
    return withOperand(std::move(operand), properties,
                       [r = *this, rule](const Timecode& t) { return r.subtracting(t, rule); });
}

std::future<Timecode> Timecode::subtracting(AsyncRichTimecodeSourceValue operand) const {
    return withOperand(std::move(operand), properties, [r = *this](const Timecode& t) { return r.subtracting(t); });
}

std::future<Timecode> Timecode::subtracting(AsyncRichTimecodeSourceValue operand, ValidationRule rule) const {
    return withOperand(std::move(operand), properties,
                       [r = *this, rule](const Timecode& t) { return r.subtracting(t, rule); });
}

std::future<void> Timecode::add(AsyncTimecodeSourceValue operand) & {
    return withOperand(std::move(operand), properties, [this](const Timecode& t) { add(t); });
}

std::future<void> Timecode::add(AsyncTimecodeSourceValue operand, ValidationRule rule) & {
    return withOperand(std::move(operand), properties, [this, rule](const Timecode& t) { add(t, rule); });
}

std::future<void> Timecode::add(AsyncRichTimecodeSourceValue operand) & {
    return withOperand(std::move(operand), properties, [this](const Timecode& t) { add(t); });
}

std::future<void> Timecode::add(AsyncRichTimecodeSourceValue operand, ValidationRule rule) & {
    return withOperand(std::move(operand), properties, [this, rule](const Timecode& t) { add(t, rule); });
}

std::future<void> Timecode::subtract(AsyncTimecodeSourceValue operand) & {
    return withOperand(std::move(operand), properties, [this](const Timecode& t) { subtract(t); });
}

std::future<void> Timecode::subtract(AsyncTimecodeSourceValue operand, ValidationRule rule) & {
    return withOperand(std::move(operand), properties, [this, rule](const Timecode& t) { subtract(t, rule); });
}

std::future<void> Timecode::subtract(AsyncRichTimecodeSourceValue operand) & {
    return withOperand(std::move(operand), properties, [this](const Timecode& t) { subtract(t); });
}

std::future<void> Timecode::subtract(AsyncRichTimecodeSourceValue operand, ValidationRule rule) & {
    return withOperand(std::move(operand), properties, [this, rule](const Timecode& t) { subtract(t, rule); });
}

}  // namespace tallyvane
