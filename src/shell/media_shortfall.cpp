#include "shell/media_shortfall.h"

#include "media/media_error.h"
#include "report/clipsheet/thumbnail.h"

namespace tallyvane {

namespace {

std::string cellsRead(std::size_t count, bool first) {
    const std::string number = std::to_string(count);
    if (!first) return number + (count == 1 ? " reads" : " read");
    return number + (count == 1 ? " thumbnail cell reads" : " thumbnail cells read");
}

}  // namespace

std::optional<std::string> mediaShortfallSentence(const MediaShortfall& shortfall) {
    const std::optional<std::string> moduleText =
        shortfall.moduleFailure ? std::optional(std::string(kMediaModuleFailureText) + ": " + *shortfall.moduleFailure)
                                : std::nullopt;
    std::string line;
    if (shortfall.offlineThumbnails > 0) {
        line = cellsRead(shortfall.offlineThumbnails, true) + " \"" + std::string(kOfflineText) + "\" (media not found)";
    }
    if (shortfall.problemThumbnails > 0) {
        if (!line.empty()) line += " and ";
        // The media is blamed only for the cells whose picture was not written for another reason.
        std::string why;
        if (shortfall.problemThumbnails > shortfall.unwrittenPictures) why = "the media could not be read";
        if (shortfall.pictureFailure && shortfall.unwrittenPictures > 0) {
            why += (why.empty() ? "" : "; ") + *shortfall.pictureFailure;
        }
        line += cellsRead(shortfall.problemThumbnails, line.empty()) + " \"" + std::string(kProblemText) + "\" (" +
                moduleText.value_or(why) + ")";
    } else if (moduleText) {
        // Music tags asked for the module; no thumbnail cell names it.
        line += (line.empty() ? "" : "; ") + *moduleText;
    }
    if (line.empty()) return std::nullopt;
    return line;
}

}  // namespace tallyvane
