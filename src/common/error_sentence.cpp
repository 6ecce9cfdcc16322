#include "common/error_sentence.h"

#include <cerrno>
#include <system_error>

namespace tallyvane {

std::string systemErrorSentence(int error) {
    if (error == ENOSPC) return "The disk is full.";
    if (error == EDQUOT) return "The disk quota is used up.";
    std::string reason = std::generic_category().message(error);
    if (!reason.empty()) reason += '.';
    return reason;
}

}  // namespace tallyvane
