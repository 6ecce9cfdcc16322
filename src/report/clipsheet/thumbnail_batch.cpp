#include "report/clipsheet/thumbnail_batch.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "common/termination_signal_set.h"

namespace tallyvane {

namespace {

double secondsOf(const ThumbnailJob& job) {
    const auto* time = std::get_if<MediaTime>(&job.time);
    return time != nullptr ? time->seconds() : 0.0;
}

}  // namespace

ThumbnailBatch::ThumbnailBatch(const std::vector<const StoryElement*>& elements, const std::filesystem::path& folder,
                               std::int64_t width, unsigned workers, const std::function<void()>& tick,
                               std::string_view folderProblem) {
    entries_.reserve(elements.size());
    std::set<std::filesystem::path> asked;
    std::vector<std::size_t> advance;
    for (const StoryElement* element : elements) {
        entries_.push_back({planThumbnail(*element, folder, width, folderProblem), std::nullopt});
        const auto* job = std::get_if<ThumbnailJob>(&entries_.back().plan);
        if (job == nullptr || !asked.insert(job->file).second) continue;
        std::error_code error;
        if (!std::filesystem::exists(job->file, error)) {
            entries_.back().made = advance.size();
            advance.push_back(entries_.size() - 1);
        }
    }
    makeInAdvance(advance, workers, tick);
}

void ThumbnailBatch::makeInAdvance(const std::vector<std::size_t>& entries, unsigned workers,
                                   const std::function<void()>& tick) {
    made_.resize(entries.size());
    if (entries.empty()) return;
    const auto jobAt = [&](std::size_t k) -> const ThumbnailJob& { return std::get<ThumbnailJob>(entries_[entries[k]].plan); };
    // Jobs of one file in time order, so that a decoder mostly runs forward.
    std::vector<std::size_t> order(entries.size());
    for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const ThumbnailJob& x = jobAt(a);
        const ThumbnailJob& y = jobAt(b);
        if (x.media != y.media) return x.media < y.media;
        return secondsOf(x) < secondsOf(y);
    });

    if (workers == 0) workers = std::max(1u, std::thread::hardware_concurrency());
    workers = static_cast<unsigned>(std::min<std::size_t>(workers, order.size()));
    // One run of neighbouring frames per worker: every new run costs a seek and the decoding
    // from the keyframe before it, which in long-GOP media outweighs uneven shares.
    const std::size_t chunk = (order.size() + workers - 1) / workers;
    std::atomic<std::size_t> nextChunk{0};
    std::vector<std::exception_ptr> failures(workers);
    // Made here, on one thread: each sets the media layer up once.
    std::vector<std::unique_ptr<ThumbnailWorker>> pool;
    for (unsigned w = 0; w < workers; ++w) pool.push_back(std::make_unique<ThumbnailWorker>());

    const auto work = [&](unsigned w) {
        try {
            for (;;) {
                const std::size_t first = nextChunk.fetch_add(chunk);
                if (first >= order.size()) return;
                for (std::size_t i = first; i < std::min(first + chunk, order.size()); ++i) {
                    std::ostringstream diagnostics;
                    made_[order[i]].result = pool[w]->make(jobAt(order[i]), diagnostics);
                    made_[order[i]].diagnostics = diagnostics.str();
                    // Only the calling thread may let the windows repaint.
                    if (w == 0 && tick) tick();
                }
            }
        } catch (...) {
            failures[w] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    try {
        const TerminationSignalsBlocked blocked;  // the workers inherit it
        for (unsigned w = 1; w < workers; ++w) threads.emplace_back(work, w);
    } catch (const std::system_error&) {
        // Where no thread can start, the calling thread takes the runs the others would have.
    }
    work(0);
    for (std::thread& thread : threads) thread.join();
    for (const std::unique_ptr<ThumbnailWorker>& worker : pool) {
        if (worker->moduleFailure()) advanceModuleFailure_ = worker->moduleFailure();
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) std::rethrow_exception(failure);
    }
}

ThumbnailResult ThumbnailBatch::next(std::ostream& diagnostics) {
    if (next_ >= entries_.size()) throw std::logic_error("No thumbnail is left in the batch");
    const Entry& entry = entries_[next_++];
    if (const auto* result = std::get_if<ThumbnailResult>(&entry.plan)) return *result;
    if (entry.made) {
        const Made& made = made_[*entry.made];
        diagnostics << made.diagnostics;
        return made.result;
    }
    // The file existed before, or an earlier element asked for it: what is on disk now
    // is what it would find one by one.
    return worker_.reuseOrMake(std::get<ThumbnailJob>(entry.plan), diagnostics);
}

std::optional<std::string> ThumbnailBatch::moduleFailure() const {
    return advanceModuleFailure_ ? advanceModuleFailure_ : worker_.moduleFailure();
}

}  // namespace tallyvane
