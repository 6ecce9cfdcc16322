#pragma once
// The programs wait for the children they start (the desktop's opener) and read their exit
// status as the answer.

namespace tallyvane {

// Gives SIGCHLD its default action. A program started with it ignored (the disposition
// survives exec, and some shells and services hand it on) has its children reaped by the
// kernel: waitpid then answers ECHILD, and every opener that succeeded would be taken for
// one that failed.
void takeDefaultChildSignal();

}  // namespace tallyvane
