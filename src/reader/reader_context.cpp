#include "reader/reader_context.h"

#include <cmath>
#include <stdexcept>

#include "reader/child_elements.h"

namespace tallyvane {

namespace {

// Often enough for a window to repaint smoothly, rare enough to cost nothing measurable.
constexpr std::size_t kElementsPerTick = 256;

XMLElement rootOf(const XMLDocument& document) {
    std::optional<XMLElement> root = document.root();
    if (!root) throw std::invalid_argument("a document without a root element cannot be read");
    return *root;
}

}  // namespace

ReaderContext::ReaderContext(Store& store, std::ostream& log, XMLDocument document, DocumentIndex index,
                             std::shared_ptr<VideoFormat> defaultVideoFormat, std::function<void()> tick)
    : store_(store),
      log_(log),
      document_(std::move(document)),
      root_(rootOf(document_)),
      index_(std::move(index)),
      defaultVideoFormat_(std::move(defaultVideoFormat)),
      tick_(std::move(tick)),
      frames_(log) {
    for (const XMLElement& effect : index_.effects) {
        if (std::optional<std::string> id = effect.attr("id")) effectResources_.try_emplace(std::move(*id), effect);
    }
}

void ReaderContext::insertFormat(const std::shared_ptr<VideoFormat>& format) {
    store_.insert(format);
    formats_.try_emplace(format->id(), format);
}

void ReaderContext::insertAsset(const std::shared_ptr<Asset>& asset, const XMLElement& resource) {
    store_.insert(asset);
    assets_.try_emplace(asset->id(), asset);
    if (std::optional<std::string> id = resource.attr("id")) assetResources_.try_emplace(std::move(*id), resource);
}

void ReaderContext::insertComposition(const std::shared_ptr<Composition>& composition) {
    store_.insert(composition);
    compositions_.try_emplace(composition->id(), composition);
}

std::shared_ptr<VideoFormat> ReaderContext::format(std::string_view id) const { return find(formats_, id); }
std::shared_ptr<Asset> ReaderContext::asset(std::string_view id) const { return find(assets_, id); }
std::shared_ptr<Composition> ReaderContext::composition(std::string_view id) const { return find(compositions_, id); }
std::optional<XMLElement> ReaderContext::assetResource(std::string_view id) const { return find(assetResources_, id); }

const std::vector<ClipMetadataEntry>& ReaderContext::assetMetadata(std::string_view id) {
    if (const auto found = assetMetadata_.find(id); found != assetMetadata_.end()) return found->second;
    std::vector<ClipMetadataEntry> entries;
    if (const std::optional<XMLElement> resource = assetResource(id)) {
        entries = readMetadata(childElements(*resource, "metadata", {"md"}));
    }
    return assetMetadata_.try_emplace(std::string(id), std::move(entries)).first->second;
}

std::optional<XMLElement> ReaderContext::effectResource(std::string_view id) const { return find(effectResources_, id); }

void ReaderContext::elementRead() {
    if (elementsRead_++ % kElementsPerTick == 0 && tick_) tick_();
}

bool ReaderContext::hasTransitionAt(const ModelObject& track, double position) const {
    const auto found = transitionPositions_.find(&track);
    return found != transitionPositions_.end() && found->second.contains(position);
}

void ReaderContext::noteAppended(const ModelObject& track, const StoryElement& element) {
    const double position = element.clipTimelinePosition();
    if (element.category() != StoryElement::Category::transition || std::isnan(position)) return;
    transitionPositions_[&track].insert(position);
}

}  // namespace tallyvane
