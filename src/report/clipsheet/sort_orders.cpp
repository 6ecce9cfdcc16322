#include "report/clipsheet/sort_orders.h"

#include <algorithm>

#include "common/text_order.h"

namespace tallyvane {

namespace {

template <class T>
void sortByName(std::vector<std::shared_ptr<T>>& objects) {
    std::stable_sort(objects.begin(), objects.end(),
                     [](const auto& a, const auto& b) { return textPrecedes(a->name(), b->name()); });
}

template <class T>
void sortByOwnOrder(std::vector<std::shared_ptr<T>>& objects) {
    std::stable_sort(objects.begin(), objects.end(), [](const auto& a, const auto& b) { return *a < *b; });
}

}  // namespace

void sortTexts(std::vector<std::string>& texts) { std::stable_sort(texts.begin(), texts.end(), textPrecedes); }

void sortFileTotalsByName(std::vector<FileTotal>& totals) {
    std::stable_sort(totals.begin(), totals.end(),
                     [](const FileTotal& a, const FileTotal& b) { return textPrecedes(a.name, b.name); });
}

void sortStoryElements(std::vector<std::shared_ptr<StoryElement>>& elements) { sortByOwnOrder(elements); }
void sortMarkedRanges(std::vector<std::shared_ptr<MarkedRange>>& ranges) { sortByOwnOrder(ranges); }
void sortVideoFX(std::vector<std::shared_ptr<VideoFX>>& effects) { sortByName(effects); }
void sortAudioFX(std::vector<std::shared_ptr<AudioFX>>& effects) { sortByName(effects); }
void sortEventBins(std::vector<std::shared_ptr<EventBin>>& bins) { sortByOwnOrder(bins); }

}  // namespace tallyvane
