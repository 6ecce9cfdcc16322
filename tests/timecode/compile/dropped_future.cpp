// Compiled, never run, by the test TimecodeAsync.ADroppedFutureIsRefusedWhenCompiled: an
// in-place asynchronous form whose future is dropped must not compile unseen, for where no
// thread starts the dropped change would never be made.
#include "timecode/async_timecode_sources.h"
#include "timecode/timecode.h"

void change(tallyvane::Timecode& receiver, tallyvane::AsyncTimecodeSourceValue source) {
#ifdef ANSWER_TAKEN
    receiver.set(std::move(source)).get();
#else
    receiver.set(std::move(source));
#endif
}
