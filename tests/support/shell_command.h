#pragma once
// Running the independent readers and tools the tests compare against, through /bin/sh.

#include <string>

namespace tallyvane::test {

// The text as one word for /bin/sh, in single quotes.
std::string shellQuoted(const std::string& text);

struct CommandResult {
    std::string output;  // everything the command wrote to standard output
    int status = -1;     // as pclose gives it: 0 when the command succeeded
};

// Throws std::runtime_error when the command cannot be started at all.
CommandResult runCommand(const std::string& command);

}  // namespace tallyvane::test
