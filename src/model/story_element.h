#pragma once
// One item of a timeline or of an event's clip list: a clip, title, caption, generator,
// gap, still image or transition. Times are frame counts at `timecodeFrameRate`.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/model_object.h"
#include "model/raw_value.h"
#include "model/raw_value_coding.h"
#include "model/track_type.h"

namespace tallyvane {

class StoryElement : public ModelObject {
public:
    enum class Category {
        null,
        assetclip,
        audition,
        syncclip,
        mcclip,
        refclip,
        title,
        caption,
        generator,
        gap,
        stillImage,
        transition,
    };
    using Params = std::map<std::string, std::string>;

    StoryElement(std::string timelineClipCategory, Category category, std::shared_ptr<Asset> asset,
                 std::shared_ptr<Composition> composition, std::int64_t spreadsheetSortOrder,
                 std::optional<TrackType> trackType, std::string id, std::string name, bool enabled,
                 double firstFrame, double clipTimelinePosition, double clipDuration,
                 std::optional<double> srcInpoint, std::optional<double> srcDuration, std::string timecodeFrameRate,
                 std::string trackName, std::string videoRole, std::string audioRole,
                 std::vector<std::string> audioSubroles, std::string descriptn, std::string label, std::string notes,
                 std::string reel, std::string scene, std::string shottake, bool appleEffect, Params params,
                 std::vector<std::shared_ptr<Metadata>> metadata,
                 std::vector<std::shared_ptr<MarkedRange>> markedRanges,
                 std::vector<std::shared_ptr<VideoFX>> videoFX, std::vector<std::shared_ptr<AudioFX>> audioFX,
                 std::shared_ptr<SpeedFX> speedFX);

    // A new element with this element's own values (the same asset and composition objects,
    // the same id) and none of its metadata, marked ranges or effects. It belongs to no
    // store, track or event until the caller puts it there.
    std::shared_ptr<StoryElement> copy() const;

    const std::string& timelineClipCategory() const noexcept { return timelineClipCategory_; }
    void setTimelineClipCategory(std::string category) { timelineClipCategory_ = std::move(category); }
    Category category() const noexcept { return category_; }
    void setCategory(Category category) noexcept { category_ = category; }
    const std::shared_ptr<Asset>& asset() const noexcept { return asset_; }
    void setAsset(std::shared_ptr<Asset> asset);
    const std::shared_ptr<Composition>& composition() const noexcept { return composition_; }
    void setComposition(std::shared_ptr<Composition> composition);
    // Order among elements at the same timeline position.
    std::int64_t spreadsheetSortOrder() const noexcept { return spreadsheetSortOrder_; }
    void setSpreadsheetSortOrder(std::int64_t order) noexcept { spreadsheetSortOrder_ = order; }
    std::optional<TrackType> trackType() const noexcept { return trackType_; }
    void setTrackType(std::optional<TrackType> type) noexcept { trackType_ = type; }
    const std::string& id() const noexcept { return id_; }
    void setId(std::string id) { id_ = std::move(id); }
    const std::string& name() const noexcept { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    bool enabled() const noexcept { return enabled_; }
    void setEnabled(bool enabled) noexcept { enabled_ = enabled; }
    double firstFrame() const noexcept { return firstFrame_; }
    void setFirstFrame(double frames) noexcept { firstFrame_ = frames; }
    double clipTimelinePosition() const noexcept { return clipTimelinePosition_; }
    void setClipTimelinePosition(double frames) noexcept { clipTimelinePosition_ = frames; }
    double clipDuration() const noexcept { return clipDuration_; }
    void setClipDuration(double frames) noexcept { clipDuration_ = frames; }
    std::optional<double> srcInpoint() const noexcept { return srcInpoint_; }
    void setSrcInpoint(std::optional<double> frames) noexcept { srcInpoint_ = frames; }
    std::optional<double> srcDuration() const noexcept { return srcDuration_; }
    void setSrcDuration(std::optional<double> frames) noexcept { srcDuration_ = frames; }
    // Where the element ends on its timeline and in its source, at the rates of the position
    // and the in point, when the reader counted them from exact times: the sum of two counts
    // each cut to hundredths can fall a hundredth, and so a frame, short of the true end.
    std::optional<double> timelineEnd() const noexcept { return timelineEnd_; }
    void setTimelineEnd(std::optional<double> frames) noexcept { timelineEnd_ = frames; }
    std::optional<double> srcEnd() const noexcept { return srcEnd_; }
    void setSrcEnd(std::optional<double> frames) noexcept { srcEnd_ = frames; }
    const std::string& timecodeFrameRate() const noexcept { return timecodeFrameRate_; }
    void setTimecodeFrameRate(std::string rate) { timecodeFrameRate_ = std::move(rate); }
    const std::string& trackName() const noexcept { return trackName_; }
    void setTrackName(std::string name) { trackName_ = std::move(name); }
    const std::string& videoRole() const noexcept { return videoRole_; }
    void setVideoRole(std::string role) { videoRole_ = std::move(role); }
    const std::string& audioRole() const noexcept { return audioRole_; }
    void setAudioRole(std::string role) { audioRole_ = std::move(role); }
    const std::vector<std::string>& audioSubroles() const noexcept { return audioSubroles_; }
    void setAudioSubroles(std::vector<std::string> subroles) { audioSubroles_ = std::move(subroles); }
    const std::string& descriptn() const noexcept { return descriptn_; }
    void setDescriptn(std::string text) { descriptn_ = std::move(text); }
    const std::string& label() const noexcept { return label_; }
    void setLabel(std::string label) { label_ = std::move(label); }
    const std::string& notes() const noexcept { return notes_; }
    void setNotes(std::string notes) { notes_ = std::move(notes); }
    const std::string& reel() const noexcept { return reel_; }
    void setReel(std::string reel) { reel_ = std::move(reel); }
    const std::string& scene() const noexcept { return scene_; }
    void setScene(std::string scene) { scene_ = std::move(scene); }
    const std::string& shottake() const noexcept { return shottake_; }
    void setShottake(std::string take) { shottake_ = std::move(take); }
    bool appleEffect() const noexcept { return appleEffect_; }
    void setAppleEffect(bool flag) noexcept { appleEffect_ = flag; }
    const Params& params() const noexcept { return params_; }
    void setParams(Params params) { params_ = std::move(params); }

    const std::vector<std::shared_ptr<Metadata>>& metadata() const noexcept { return metadata_; }
    void setMetadata(std::vector<std::shared_ptr<Metadata>> metadata);
    void appendMetadata(std::shared_ptr<Metadata> item);
    const std::vector<std::shared_ptr<MarkedRange>>& markedRanges() const noexcept { return markedRanges_; }
    void setMarkedRanges(std::vector<std::shared_ptr<MarkedRange>> ranges);
    void appendMarkedRange(std::shared_ptr<MarkedRange> range);
    const std::vector<std::shared_ptr<VideoFX>>& videoFX() const noexcept { return videoFX_; }
    void setVideoFX(std::vector<std::shared_ptr<VideoFX>> effects);
    void appendVideoFX(std::shared_ptr<VideoFX> effect);
    const std::vector<std::shared_ptr<AudioFX>>& audioFX() const noexcept { return audioFX_; }
    void setAudioFX(std::vector<std::shared_ptr<AudioFX>> effects);
    void appendAudioFX(std::shared_ptr<AudioFX> effect);
    const std::shared_ptr<SpeedFX>& speedFX() const noexcept { return speedFX_; }
    void setSpeedFX(std::shared_ptr<SpeedFX> effect);

    std::string debugDescription() const;

    // Report order: by timeline position (NaN after every number); at one position a
    // transition comes first; then by `spreadsheetSortOrder`. Two transitions at one position
    // also go by `spreadsheetSortOrder`, which keeps this a strict weak ordering.
    friend bool operator<(const StoryElement& lhs, const StoryElement& rhs) noexcept;

private:
    friend class Store;
    void visitRelated(const RelatedVisitor& visit) const;
    void releaseRelated() noexcept;

    std::string timelineClipCategory_;
    Category category_;
    std::shared_ptr<Asset> asset_;
    std::shared_ptr<Composition> composition_;
    std::int64_t spreadsheetSortOrder_;
    std::optional<TrackType> trackType_;
    std::string id_;
    std::string name_;
    bool enabled_;
    double firstFrame_;
    double clipTimelinePosition_;
    double clipDuration_;
    std::optional<double> srcInpoint_;
    std::optional<double> srcDuration_;
    std::optional<double> timelineEnd_;
    std::optional<double> srcEnd_;
    std::string timecodeFrameRate_;
    std::string trackName_;
    std::string videoRole_;
    std::string audioRole_;
    std::vector<std::string> audioSubroles_;
    std::string descriptn_;
    std::string label_;
    std::string notes_;
    std::string reel_;
    std::string scene_;
    std::string shottake_;
    bool appleEffect_;
    Params params_;
    std::vector<std::shared_ptr<Metadata>> metadata_;
    std::vector<std::shared_ptr<MarkedRange>> markedRanges_;
    std::vector<std::shared_ptr<VideoFX>> videoFX_;
    std::vector<std::shared_ptr<AudioFX>> audioFX_;
    std::shared_ptr<SpeedFX> speedFX_;
};

template <>
struct RawValues<StoryElement::Category> {
    static constexpr std::string_view typeName = "StoryElement::Category";
    static constexpr std::array<std::string_view, 12> texts{
        "null",  "assetclip", "audition",  "syncclip", "mcclip",     "refclip",
        "title", "caption",   "generator", "gap",      "stillImage", "transition"};
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::StoryElement> : tallyvane::ModelObjectHash {};
template <>
struct std::hash<tallyvane::StoryElement::Category> : tallyvane::RawValueHash {};

namespace nlohmann {
template <>
struct adl_serializer<tallyvane::StoryElement::Category> : tallyvane::RawValueCoding<tallyvane::StoryElement::Category> {};
}  // namespace nlohmann
