#include "model/story_element.h"

#include "common/number_text.h"
#include "model/asset.h"
#include "model/audio_fx.h"
#include "model/composition.h"
#include "model/marked_range.h"
#include "model/metadata.h"
#include "model/nan_last.h"
#include "model/speed_fx.h"
#include "model/video_fx.h"

namespace tallyvane {

StoryElement::StoryElement(std::string timelineClipCategory, Category category, std::shared_ptr<Asset> asset,
                           std::shared_ptr<Composition> composition, std::int64_t spreadsheetSortOrder,
                           std::optional<TrackType> trackType, std::string id, std::string name, bool enabled,
                           double firstFrame, double clipTimelinePosition, double clipDuration,
                           std::optional<double> srcInpoint, std::optional<double> srcDuration,
                           std::string timecodeFrameRate, std::string trackName, std::string videoRole,
                           std::string audioRole, std::vector<std::string> audioSubroles, std::string descriptn,
                           std::string label, std::string notes, std::string reel, std::string scene,
                           std::string shottake, bool appleEffect, Params params,
                           std::vector<std::shared_ptr<Metadata>> metadata,
                           std::vector<std::shared_ptr<MarkedRange>> markedRanges,
                           std::vector<std::shared_ptr<VideoFX>> videoFX,
                           std::vector<std::shared_ptr<AudioFX>> audioFX, std::shared_ptr<SpeedFX> speedFX)
    : ModelObject(ModelClass::StoryElement),
      timelineClipCategory_(std::move(timelineClipCategory)),
      category_(category),
      asset_(std::move(asset)),
      composition_(std::move(composition)),
      spreadsheetSortOrder_(spreadsheetSortOrder),
      trackType_(trackType),
      id_(std::move(id)),
      name_(std::move(name)),
      enabled_(enabled),
      firstFrame_(firstFrame),
      clipTimelinePosition_(clipTimelinePosition),
      clipDuration_(clipDuration),
      srcInpoint_(srcInpoint),
      srcDuration_(srcDuration),
      timecodeFrameRate_(std::move(timecodeFrameRate)),
      trackName_(std::move(trackName)),
      videoRole_(std::move(videoRole)),
      audioRole_(std::move(audioRole)),
      audioSubroles_(std::move(audioSubroles)),
      descriptn_(std::move(descriptn)),
      label_(std::move(label)),
      notes_(std::move(notes)),
      reel_(std::move(reel)),
      scene_(std::move(scene)),
      shottake_(std::move(shottake)),
      appleEffect_(appleEffect),
      params_(std::move(params)),
      metadata_(std::move(metadata)),
      markedRanges_(std::move(markedRanges)),
      videoFX_(std::move(videoFX)),
      audioFX_(std::move(audioFX)),
      speedFX_(std::move(speedFX)) {}

std::shared_ptr<StoryElement> StoryElement::copy() const {
    auto copied = std::make_shared<StoryElement>(
        timelineClipCategory_, category_, asset_, composition_, spreadsheetSortOrder_, trackType_, id_, name_,
        enabled_, firstFrame_, clipTimelinePosition_, clipDuration_, srcInpoint_, srcDuration_, timecodeFrameRate_,
        trackName_, videoRole_, audioRole_, audioSubroles_, descriptn_, label_, notes_, reel_, scene_, shottake_,
        appleEffect_, params_, std::vector<std::shared_ptr<Metadata>>{}, std::vector<std::shared_ptr<MarkedRange>>{},
        std::vector<std::shared_ptr<VideoFX>>{}, std::vector<std::shared_ptr<AudioFX>>{}, nullptr);
    copied->timelineEnd_ = timelineEnd_;
    copied->srcEnd_ = srcEnd_;
    return copied;
}

void StoryElement::setAsset(std::shared_ptr<Asset> asset) {
    adopt(asset);
    asset_ = std::move(asset);
}

void StoryElement::setComposition(std::shared_ptr<Composition> composition) {
    adopt(composition);
    composition_ = std::move(composition);
}

void StoryElement::setMetadata(std::vector<std::shared_ptr<Metadata>> metadata) {
    adoptAll(metadata);
    metadata_ = std::move(metadata);
}

void StoryElement::appendMetadata(std::shared_ptr<Metadata> item) {
    adopt(item);
    metadata_.push_back(std::move(item));
}

void StoryElement::setMarkedRanges(std::vector<std::shared_ptr<MarkedRange>> ranges) {
    adoptAll(ranges);
    markedRanges_ = std::move(ranges);
}

void StoryElement::appendMarkedRange(std::shared_ptr<MarkedRange> range) {
    adopt(range);
    markedRanges_.push_back(std::move(range));
}

void StoryElement::setVideoFX(std::vector<std::shared_ptr<VideoFX>> effects) {
    adoptAll(effects);
    videoFX_ = std::move(effects);
}

void StoryElement::appendVideoFX(std::shared_ptr<VideoFX> effect) {
    adopt(effect);
    videoFX_.push_back(std::move(effect));
}

void StoryElement::setAudioFX(std::vector<std::shared_ptr<AudioFX>> effects) {
    adoptAll(effects);
    audioFX_ = std::move(effects);
}

void StoryElement::appendAudioFX(std::shared_ptr<AudioFX> effect) {
    adopt(effect);
    audioFX_.push_back(std::move(effect));
}

void StoryElement::setSpeedFX(std::shared_ptr<SpeedFX> effect) {
    adopt(effect);
    speedFX_ = std::move(effect);
}

std::string StoryElement::debugDescription() const {
    return "StoryElement " + std::string(rawValue(category_)) + ": \"" + name_ + "\" @" +
           formatDouble(clipTimelinePosition_) + "\u0192, roles: " + videoRole_ + " " + audioRole_ + ", id: " + id_ +
           "\n";
}

bool operator<(const StoryElement& lhs, const StoryElement& rhs) noexcept {
    if (lessNanLast(lhs.clipTimelinePosition_, rhs.clipTimelinePosition_)) return true;
    if (lessNanLast(rhs.clipTimelinePosition_, lhs.clipTimelinePosition_)) return false;
    const bool lhsTransition = lhs.category_ == StoryElement::Category::transition;
    const bool rhsTransition = rhs.category_ == StoryElement::Category::transition;
    if (lhsTransition != rhsTransition) return lhsTransition;
    return lhs.spreadsheetSortOrder_ < rhs.spreadsheetSortOrder_;
}

void StoryElement::visitRelated(const RelatedVisitor& visit) const {
    if (asset_) visit(modelRef(asset_));
    if (composition_) visit(modelRef(composition_));
    for (const auto& item : metadata_) visit(modelRef(item));
    for (const auto& range : markedRanges_) visit(modelRef(range));
    for (const auto& effect : videoFX_) visit(modelRef(effect));
    for (const auto& effect : audioFX_) visit(modelRef(effect));
    if (speedFX_) visit(modelRef(speedFX_));
}

void StoryElement::releaseRelated() noexcept {
    asset_.reset();
    composition_.reset();
    metadata_.clear();
    markedRanges_.clear();
    videoFX_.clear();
    audioFX_.clear();
    speedFX_.reset();
}

}  // namespace tallyvane
