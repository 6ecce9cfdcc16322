#include "common/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <iostream>

#include "common/error_sentence.h"

namespace tallyvane {

std::optional<std::string> standardOutputFailure() {
    errno = 0;
    std::cout.flush();
    const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0 || !std::cout;
    if (!failed) return std::nullopt;
    const int error = errno == 0 ? EIO : errno;
    return "The output cannot be written: " + systemErrorSentence(error);
}

}  // namespace tallyvane
