#pragma once
// The state of one reading of one document, handed to every pass: the store the passes
// fill, the diagnostic stream, the parsed document (alive until the last pass returns),
// the fallback format, and lookups of what earlier passes made.
//
// References in the document are matched by exact text, the first object made with an
// identifier winning, as a search of the store in insertion order would find it. The
// lookups are filled as objects are inserted, so every reference costs one hash lookup.

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "common/text_map.h"
#include "model/store.h"
#include "model/story_element.h"
#include "reader/document_index.h"
#include "reader/element_metadata.h"
#include "reader/exact_times.h"
#include "reader/text_extensions.h"
#include "reader/time_values.h"
#include "xml/xml_document.h"
#include "xml/xml_element.h"

namespace tallyvane {

class ReaderContext {
public:
    // The document must have a root element. `tick` is called now and then while elements
    // are read, so that a window can repaint during a long reading.
    ReaderContext(Store& store, std::ostream& log, XMLDocument document, DocumentIndex index,
                  std::shared_ptr<VideoFormat> defaultVideoFormat, std::function<void()> tick = {});
    ReaderContext(const ReaderContext&) = delete;
    ReaderContext& operator=(const ReaderContext&) = delete;

    Store& store() const noexcept { return store_; }
    std::ostream& log() const noexcept { return log_; }
    const XMLDocument& document() const noexcept { return document_; }
    const XMLElement& root() const noexcept { return root_; }
    const DocumentIndex& index() const noexcept { return index_; }
    const std::shared_ptr<VideoFormat>& defaultVideoFormat() const noexcept { return defaultVideoFormat_; }
    WordCapitalizer& capitalizer() noexcept { return capitalizer_; }
    FrameCounter& frames() noexcept { return frames_; }
    ExactTimes& exactTimes() noexcept { return exactTimes_; }
    // Counts one element read; every few hundred elements, from the first on, calls the tick.
    void elementRead();

    // Insert into the store and remember the object under its identifier.
    void insertFormat(const std::shared_ptr<VideoFormat>& format);
    // `resource` is the asset's element; it is remembered under its "id" attribute.
    void insertAsset(const std::shared_ptr<Asset>& asset, const XMLElement& resource);
    void insertComposition(const std::shared_ptr<Composition>& composition);

    // Absent (null) when nothing was made with that identifier.
    std::shared_ptr<VideoFormat> format(std::string_view id) const;
    std::shared_ptr<Asset> asset(std::string_view id) const;
    std::shared_ptr<Composition> composition(std::string_view id) const;
    // The first resource asset element with that "id" attribute.
    std::optional<XMLElement> assetResource(std::string_view id) const;
    // That resource's metadata entries, read once for all the clips of the asset; none
    // without such a resource.
    const std::vector<ClipMetadataEntry>& assetMetadata(std::string_view id);
    // The first effect resource ("//resources/effect") with that "id" attribute.
    std::optional<XMLElement> effectResource(std::string_view id) const;

    // Whether a transition stands at the position on the track (a video or an audio track).
    // Only elements appended through `appendToTrack` are seen.
    bool hasTransitionAt(const ModelObject& track, double position) const;
    template <class Track>
    void appendToTrack(Track& track, const std::shared_ptr<StoryElement>& element) {
        track.appendElement(element);
        noteAppended(track, *element);
    }

private:
    template <class T>
    using ById = TextMap<T>;

    template <class T>
    static T find(const ById<T>& map, std::string_view id) {
        const auto found = map.find(id);
        return found == map.end() ? T{} : found->second;
    }

    void noteAppended(const ModelObject& track, const StoryElement& element);

    Store& store_;
    std::ostream& log_;
    XMLDocument document_;
    XMLElement root_;
    DocumentIndex index_;
    std::shared_ptr<VideoFormat> defaultVideoFormat_;
    std::function<void()> tick_;
    std::size_t elementsRead_ = 0;
    WordCapitalizer capitalizer_;
    FrameCounter frames_;
    ExactTimes exactTimes_;
    ById<std::shared_ptr<VideoFormat>> formats_;
    ById<std::shared_ptr<Asset>> assets_;
    ById<std::shared_ptr<Composition>> compositions_;
    ById<std::optional<XMLElement>> assetResources_;
    ById<std::optional<XMLElement>> effectResources_;
    ById<std::vector<ClipMetadataEntry>> assetMetadata_;
    // ±0 hash alike and NaN is never stored, so lookups agree with comparing positions by `==`.
    std::unordered_map<const ModelObject*, std::unordered_set<double>> transitionPositions_;
};

}  // namespace tallyvane
