#include "shell/support_mail.h"

namespace tallyvane {

std::string percentEncoded(std::string_view text) {
    constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string result;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' || byte == '~';
        if (unreserved) {
            result += c;
        } else {
            result += '%';
            result += kHex[byte >> 4];
            result += kHex[byte & 0x0F];
        }
    }
    return result;
}

std::string supportMailUrl(std::string_view address, std::string_view executableName, std::string_view version) {
    const std::string subject =
        "Bug Report for " + std::string(executableName) + " (version " + std::string(version) + ")";
    const std::string body = "What went wrong?\n\n\nAttached is the file that caused the problem:\n\n\n";
    return "mailto:" + std::string(address) + "?subject=" + percentEncoded(subject) + "&body=" + percentEncoded(body);
}

}  // namespace tallyvane
