#pragma once
// Ending on SIGINT, SIGTERM and SIGHUP without leaving the run's scratch behind.

namespace tallyvane {

// From now on SIGINT, SIGTERM and SIGHUP first remove what the run made that nobody was told
// is kept (`removeRunScratch`: the temporary workbook and thumbnails of a report being
// written, the run's private work folder), then end the program as the signal does, with
// its status. A signal that the program was started ignoring (nohup) stays ignored. The
// removal runs on a thread of its own, woken by a handler that only writes to a pipe; where
// no thread can start, the signals keep their default action.
void removeScratchOnTerminationSignals();

}  // namespace tallyvane
