#include "timecode/timecode_transformer.h"

namespace tallyvane {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
// Clang before 17 deduces no aggregate template arguments without a guide.
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

}  // namespace

Timecode TimecodeTransformer::transform(const Timecode& timecode) const {
    if (!enabled) return timecode;
    Timecode current = timecode;
    for (const Transform& t : transforms) {
        current = std::visit(Overloaded{[&](const Offset& o) { return current.offsetting(o.by); },
                                        [&](const Custom& c) { return c.function ? (*c.function)(current) : current; },
                                        [&](const None&) { return current; }},
                             t);
    }
    return current;
}

Timecode Timecode::transformed(const TimecodeTransformer& transformer) const { return transformer.transform(*this); }

}  // namespace tallyvane
