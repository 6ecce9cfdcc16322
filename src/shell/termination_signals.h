#pragma once
// Ending on SIGINT, SIGTERM and SIGHUP without leaving the run's scratch behind.

namespace tallyvane {

// From now on SIGINT, SIGTERM and SIGHUP first remove what the run made that nobody was told
// is kept (`stopRun`: the temporary workbook, its copy beside the destination and the
// thumbnails of a report being written, the run's private work folder), then end the program
// as the signal does, with the status of the first signal handled: signals pending together
// (sent milliseconds apart, or to a stopped process) are handled lowest number first, HUP
// before INT before TERM. A signal that the program was started ignoring (nohup) stays
// ignored. The handler does the removal itself with system calls only, so it needs no thread
// and works where none can start.
void removeScratchOnTerminationSignals();

}  // namespace tallyvane
