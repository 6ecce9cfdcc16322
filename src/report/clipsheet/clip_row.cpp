#include "report/clipsheet/clip_row.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "common/text_order.h"
#include "model/asset.h"
#include "model/audio_fx.h"
#include "model/marked_range.h"
#include "model/metadata.h"
#include "model/speed_fx.h"
#include "model/video_fx.h"
#include "report/clipsheet/marker_kind.h"
#include "report/clipsheet/media_location.h"
#include "report/clipsheet/sort_orders.h"
#include "report/clipsheet/time_cells.h"
#include "report/list_sheet.h"

namespace tallyvane {

namespace {

using H = ColumnHeading;
using Category = StoryElement::Category;

std::string joined(const std::vector<std::string>& texts, std::string_view separator) {
    std::string result;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) result += separator;
        result += texts[i];
    }
    return result;
}

// Optional sign, then decimal digits and nothing else, within 64 bits.
std::optional<std::int64_t> wholeNumber(std::string_view text) {
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::vector<std::shared_ptr<MarkedRange>> rangesInOrder(const StoryElement& element) {
    std::vector<std::shared_ptr<MarkedRange>> ranges = element.markedRanges();
    sortMarkedRanges(ranges);
    return ranges;
}

std::string parameter(const StoryElement& element, const std::string& key) {
    const auto found = element.params().find(key);
    return found == element.params().end() ? std::string() : found->second;
}

std::string metadataText(const Metadata& item) {
    return item.value().empty() ? joined(item.values(), "; ") : item.value();
}

}  // namespace

void printElement(std::ostream& log, const StoryElement& element) {
    // A log that nobody reads is a stream without a buffer: the description is not built.
    if (!log) return;
    const std::string description = element.debugDescription();
    log << description;
    if (!description.ends_with('\n')) log << '\n';
}

xlsx::Color rowColor(const StoryElement& element, bool useColorText) {
    if (!useColorText || !element.trackType()) return xlsx::Color::black;
    if (*element.trackType() == TrackType::Audio) return xlsx::Color::green;
    switch (element.category()) {
        case Category::title: return xlsx::Color::purple;
        case Category::generator: return xlsx::Color::brown;
        case Category::gap: return xlsx::Color::gray;
        default: return xlsx::Color::blue;
    }
}

void addFileTotal(FileTotals& totals, const StoryElement& element) {
    const std::shared_ptr<Asset>& asset = element.asset();
    if (!asset || !element.trackType()) return;
    if (*element.trackType() == TrackType::Video) {
        const Category category = element.category();
        if (category == Category::title || category == Category::generator || category == Category::gap) return;
    } else if (asset->category() != Asset::Category::Audio) {
        return;
    }
    const std::optional<Url>& url = asset->url();
    const std::string noPath;
    const std::string& path = url ? url->path() : noPath;
    if (FileTotal* total = totals.find(path)) {
        total->estimatedTotal += element.clipDuration();
    } else {
        totals.add({url ? lastPathComponent(*url) : std::string(), path, element.clipDuration()});
    }
}

std::string rolesText(const StoryElement& element) {
    std::vector<std::string> roles;
    if (!element.videoRole().empty()) roles.push_back(element.videoRole());
    if (!element.audioRole().empty()) {
        roles.push_back(element.audioSubroles().empty()
                            ? element.audioRole()
                            : element.audioRole() + " \u25B8 " + joined(element.audioSubroles(), ", "));
    }
    return joined(roles, ", ");
}

std::string markersText(const StoryElement& element) {
    std::vector<std::string> texts;
    for (const auto& range : rangesInOrder(element)) {
        const std::optional<MarkerKind> kind = fromRawValue<MarkerKind>(range->color());
        if (kind && isMarker(*kind)) texts.push_back(range->name() + std::string(cellSuffix(*kind)));
    }
    return joined(texts, ", ");
}

std::string keywordsText(const StoryElement& element) {
    std::vector<std::string> texts;
    for (const auto& range : rangesInOrder(element)) {
        const std::optional<MarkerKind> kind = fromRawValue<MarkerKind>(range->color());
        if (kind && isKeywordRange(*kind)) texts.push_back(range->name() + std::string(cellSuffix(*kind)));
    }
    sortTexts(texts);
    return joined(texts, ", ");
}

std::string frameSampleRateText(const StoryElement& element) {
    if (element.trackType() == TrackType::Video) return std::string(elementFrameRate(element).stringValueVerbose());
    if (element.trackType() == TrackType::Audio && element.asset()) {
        if (const std::optional<std::int64_t> rate = wholeNumber(element.asset()->audioRate())) {
            return std::to_string(*rate / 1000) + " kHz";
        }
    }
    return {};
}

void writeIdentityCells(RowTarget& target, const StoryElement& element) {
    target.text(H::Track, element.trackName());
    if (target.has(H::RoleSubrole)) target.text(H::RoleSubrole, rolesText(element));
    target.text(H::ClipName, element.name());
    target.text(H::BinName, element.timelineClipCategory());
    target.text(H::Label, element.label());
    target.text(H::EventName, element.timelineClipCategory());
    target.text(H::Category, element.timelineClipCategory());
    target.text(H::Enabled, mark(element.enabled()), true);
}

void writeDescriptiveCells(RowTarget& target, const StoryElement& element) {
    if (target.has(H::Markers)) target.text(H::Markers, markersText(element));
    if (target.has(H::Keywords)) target.text(H::Keywords, keywordsText(element));
    if (target.has(H::Effects)) {
        std::vector<std::string> names;
        for (const auto& effect : element.videoFX()) names.push_back(effect->name());
        for (const auto& effect : element.audioFX()) names.push_back(effect->name());
        if (element.speedFX()) names.push_back(element.speedFX()->name());
        target.text(H::Effects, joined(names, ", "));
    }
    target.text(H::Description, element.descriptn());
    target.text(H::Notes, element.notes());
    target.text(H::Reel, element.reel());
    target.text(H::Scene, element.scene());
    target.text(H::Take, element.shottake());
    target.text(H::LogNote, element.notes());
    if (target.has(H::FrameSampleRate)) target.text(H::FrameSampleRate, frameSampleRateText(element));
    const std::shared_ptr<Asset>& asset = element.asset();
    target.text(H::FrameSize,
                element.trackType() == TrackType::Video && asset ? asset->frameSize() : std::string());
    if (element.category() == Category::title) {
        target.text(H::SourceFileName, parameter(element, "font"));
        target.text(H::SourceFilePath, parameter(element, "text"));
    } else if (asset && asset->url()) {
        target.text(H::SourceFileName, lastPathComponent(*asset->url()));
        target.text(H::SourceFilePath, asset->url()->path());
    } else {
        target.text(H::SourceFileName, std::string());
        target.text(H::SourceFilePath, std::string());
    }
}

void writeMetadataCells(RowTarget& target, std::size_t firstColumn, const std::vector<std::string>& headings,
                        const StoryElement& element) {
    // Each item finds its heading: nearly always one with the very same bytes, otherwise
    // the canonically equivalent one.
    std::vector<const Metadata*> cells(headings.size(), nullptr);
    for (const auto& item : element.metadata()) {
        auto heading = std::find(headings.begin(), headings.end(), item->key());
        if (heading == headings.end()) {
            heading = std::find_if(headings.begin(), headings.end(),
                                   [&](const std::string& text) { return textsEquivalent(text, item->key()); });
            if (heading == headings.end()) continue;
        }
        const Metadata*& cell = cells[static_cast<std::size_t>(heading - headings.begin())];
        if (cell == nullptr) cell = item.get();
    }
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (cells[i] == nullptr) continue;
        const std::string text = metadataText(*cells[i]);
        if (text.empty()) continue;
        const std::size_t column = firstColumn + i;
        target.sheet.writeString(text, xlsx::Cell(target.row, column), target.formats.number);
        target.widths.widen(column, text);
    }
}

}  // namespace tallyvane
