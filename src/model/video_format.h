#pragma once
// A video format of the project: frame rate, frame duration, size, field order and pixel
// aspect ratio. Many assets and compositions may share one format.

#include <cstdint>
#include <string>

#include "model/model_object.h"

namespace tallyvane {

class VideoFormat : public ModelObject {
public:
    VideoFormat(std::string id, std::string name, std::string videoFrameRate, std::string frameDuration,
                std::int64_t width, std::int64_t height, bool anamorphic, std::string fieldOrder,
                std::string pixelAspectRatio);

    const std::string& id() const noexcept { return id_; }
    void setId(std::string id) { id_ = std::move(id); }
    const std::string& name() const noexcept { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    // The text of a video frame rate, such as "29.97i".
    const std::string& videoFrameRate() const noexcept { return videoFrameRate_; }
    void setVideoFrameRate(std::string rate) { videoFrameRate_ = std::move(rate); }
    // One frame as rational time text, such as "1001/30000s".
    const std::string& frameDuration() const noexcept { return frameDuration_; }
    void setFrameDuration(std::string duration) { frameDuration_ = std::move(duration); }
    std::int64_t width() const noexcept { return width_; }
    void setWidth(std::int64_t width) noexcept { width_ = width; }
    std::int64_t height() const noexcept { return height_; }
    void setHeight(std::int64_t height) noexcept { height_ = height; }
    bool anamorphic() const noexcept { return anamorphic_; }
    void setAnamorphic(bool anamorphic) noexcept { anamorphic_ = anamorphic; }
    const std::string& fieldOrder() const noexcept { return fieldOrder_; }
    void setFieldOrder(std::string order) { fieldOrder_ = std::move(order); }
    const std::string& pixelAspectRatio() const noexcept { return pixelAspectRatio_; }
    void setPixelAspectRatio(std::string ratio) { pixelAspectRatio_ = std::move(ratio); }

    std::string debugDescription() const;

private:
    friend class Store;
    void visitRelated(const RelatedVisitor&) const {}
    void releaseRelated() noexcept {}

    std::string id_;
    std::string name_;
    std::string videoFrameRate_;
    std::string frameDuration_;
    std::int64_t width_;
    std::int64_t height_;
    bool anamorphic_;
    std::string fieldOrder_;
    std::string pixelAspectRatio_;
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::VideoFormat> : tallyvane::ModelObjectHash {};
