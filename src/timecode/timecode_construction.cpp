// Construction and setting: every member applies one source; a set works on a copy and
// commits only when the source succeeded.
#include "timecode/timecode_sources.h"

namespace tallyvane {

namespace {

template <typename Apply>
void commit(Timecode& target, Apply apply) {
    Timecode working = target;
    apply(working);
    target = working;
}

}  // namespace

Timecode::Timecode(const TimecodeSourceValue& source, const Properties& p) : properties(p) { source.value().set(*this); }

Timecode::Timecode(const FormattedTimecodeSourceValue& source, const Properties& p) : properties(p) {
    source.value().set(*this);
}

Timecode::Timecode(const GuaranteedTimecodeSourceValue& source, const Properties& p) : properties(p) {
    source.value().set(*this);
}

Timecode::Timecode(const TimecodeSourceValue& source, const Properties& p, ValidationRule rule) : properties(p) {
    source.value().setByRule(*this, rule);
}

Timecode::Timecode(const FormattedTimecodeSourceValue& source, const Properties& p, ValidationRule rule)
    : properties(p) {
    source.value().setByRule(*this, rule);
}

Timecode::Timecode(const RichTimecodeSourceValue& source) : properties(kRichSourceStart) {
    properties = source.value().set(*this);
}

Timecode::Timecode(const RichTimecodeSourceValue& source, ValidationRule rule) : properties(kRichSourceStart) {
    properties = source.value().setByRule(*this, rule);
}

Timecode::Timecode(const GuaranteedRichTimecodeSourceValue& source) : properties(kRichSourceStart) {
    properties = source.value().set(*this);
}

void Timecode::set(const TimecodeSourceValue& source) {
    commit(*this, [&](Timecode& t) { source.value().set(t); });
}

void Timecode::set(const FormattedTimecodeSourceValue& source) {
    commit(*this, [&](Timecode& t) { source.value().set(t); });
}

void Timecode::set(const RichTimecodeSourceValue& source) {
    commit(*this, [&](Timecode& t) { t.properties = source.value().set(t); });
}

void Timecode::set(const GuaranteedTimecodeSourceValue& source) { source.value().set(*this); }

void Timecode::set(const GuaranteedRichTimecodeSourceValue& source) { source.value().set(*this); }

void Timecode::set(const TimecodeSourceValue& source, ValidationRule rule) {
    commit(*this, [&](Timecode& t) { source.value().setByRule(t, rule); });
}

void Timecode::set(const FormattedTimecodeSourceValue& source, ValidationRule rule) {
    commit(*this, [&](Timecode& t) { source.value().setByRule(t, rule); });
}

void Timecode::set(const RichTimecodeSourceValue& source, ValidationRule rule) {
    commit(*this, [&](Timecode& t) { t.properties = source.value().setByRule(t, rule); });
}

}  // namespace tallyvane
