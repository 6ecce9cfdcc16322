// tallyvane-cli: the report road of the desktop program without its windows.

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli_arguments.h"
#include "cli_run.h"
#include "shell/termination_signals.h"

int main(int argc, char* argv[]) {
    using namespace tallyvane::cli;
    tallyvane::removeScratchOnTerminationSignals();
    try {
        const Arguments arguments = parseArguments(std::vector<std::string>(argv + 1, argv + argc));
        return run(arguments, [](const char* name) { return std::getenv(name); }, std::cout, std::cerr);
    } catch (const UsageError& error) {
        std::cerr << "tallyvane-cli: " << error.what() << '\n' << kUsageText;
        return kUsage;
    } catch (const std::exception& error) {
        std::cerr << "tallyvane-cli: " << error.what() << '\n';
        return kFailed;
    }
}
