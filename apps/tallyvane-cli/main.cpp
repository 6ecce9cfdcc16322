// tallyvane-cli: the report road of the desktop program without its windows.

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli_arguments.h"
#include "cli_run.h"
#include "common/standard_output.h"
#include "report/run_scratch.h"
#include "shell/child_signal.h"
#include "shell/termination_signals.h"

namespace {

int runWith(const std::vector<std::string>& argumentList) {
    using namespace tallyvane::cli;
    try {
        const Arguments arguments = parseArguments(argumentList);
        return run(arguments, [](const char* name) { return std::getenv(name); }, std::cout, std::cerr);
    } catch (const UsageError& error) {
        std::cerr << "tallyvane-cli: " << error.what() << '\n' << kUsageText;
        return kUsage;
    } catch (const std::exception& error) {
        std::cerr << "tallyvane-cli: " << error.what() << '\n';
        return kFailed;
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    tallyvane::recordStandardOutputFailures();
    tallyvane::takeDefaultChildSignal();
    tallyvane::removeScratchOnTerminationSignals();
    int status = runWith(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto failure = tallyvane::standardOutputFailure()) {
        std::cerr << "tallyvane-cli: " << *failure << '\n';
        if (status == tallyvane::cli::kSucceeded) status = tallyvane::cli::kFailed;
    }
    return tallyvane::statusUnlessStopped(status);
}
