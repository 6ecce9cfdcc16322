#pragma once
// The thumbnails of a whole sheet, made on worker threads with one decoder each, and handed
// out in row order with exactly the results and diagnostic lines that making them one by
// one would give.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/story_element.h"
#include "report/clipsheet/thumbnail.h"

namespace tallyvane {

class ThumbnailBatch {
public:
    // `elements` in row order. The files to make are made before this returns, on `workers`
    // threads (0: one per hardware thread; where no thread can start, on the calling one).
    // An element whose file exists already, or whose file an earlier element makes, is
    // answered in turn by next(), as it would be alone. `tick`, when given, is called on the
    // calling thread after each thumbnail it makes. `folderProblem` as for planThumbnail.
    ThumbnailBatch(const std::vector<const StoryElement*>& elements, const std::filesystem::path& folder,
                   std::int64_t width, unsigned workers = 0, const std::function<void()>& tick = {},
                   std::string_view folderProblem = {});

    // The result of the next element, its diagnostic lines printed to `diagnostics`.
    // Called once per element, in order.
    ThumbnailResult next(std::ostream& diagnostics);
    // The loader's reason when a thumbnail was a "Problem" because the media module could
    // not be loaded.
    std::optional<std::string> moduleFailure() const;

private:
    struct Entry {
        std::variant<ThumbnailResult, ThumbnailJob> plan;
        // Where this element's file was made in advance: it is the first to ask for a file
        // that did not exist.
        std::optional<std::size_t> made;
    };
    struct Made {
        ThumbnailResult result;
        std::string diagnostics;
    };

    void makeInAdvance(const std::vector<std::size_t>& entries, unsigned workers, const std::function<void()>& tick);

    std::vector<Entry> entries_;
    std::vector<Made> made_;
    std::size_t next_ = 0;
    ThumbnailWorker worker_;
    std::optional<std::string> advanceModuleFailure_;
};

}  // namespace tallyvane
