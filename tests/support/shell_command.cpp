#include "support/shell_command.h"

#include <array>
#include <cstdio>
#include <stdexcept>

namespace tallyvane::test {

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

CommandResult runCommand(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) throw std::runtime_error("cannot run " + command);
    CommandResult result;
    std::array<char, 65536> buffer;
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
        result.output.append(buffer.data(), n);
    }
    result.status = pclose(pipe);
    return result;
}

}  // namespace tallyvane::test
