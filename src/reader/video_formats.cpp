#include "reader/video_formats.h"

#include <array>
#include <ostream>
#include <utility>

#include "reader/identifiers.h"
#include "reader/reader_context.h"
#include "reader/text_extensions.h"
#include "xml/node_set.h"
#include "xml/xml_element.h"

namespace tallyvane {

namespace {

constexpr std::string_view kUndefinedFormatName = "FFVideoFormatRateUndefined";

// Tried in order: a name part must come before any longer name it is the start of.
constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kPixelAspectRatios{{
    {"VideoFormatDV720x480", "NTSC-601"},
    {"VideoFormatDV720x576", "PAL-601"},
    {"VideoFormat960x720", "DVCPROHD-720P"},
    {"VideoFormat1280x1080i5994", "DVCPROHD-1080i60"},
    {"VideoFormat1280x1080", "HD-(1280x1080)"},
    {"VideoFormat1440x1080i50", "DVCPROHD-1080i50"},
    {"VideoFormat1440x1080", "HD-(1440x1080)"},
}};

std::shared_ptr<VideoFormat> formatFrom(const XMLElement& element, std::ostream& log) {
    auto format = std::make_shared<VideoFormat>(newVideoFormatID(), "", "", "", 0, 0, false, "", "");
    for (const auto& [name, value] : element.attributes()) {
        if (name == "id") {
            format->setId(value);
        } else if (name == "name") {
            format->setName(value);
            format->setAnamorphic(value.find("_16x9") != std::string::npos);
            format->setPixelAspectRatio(std::string(pixelAspectRatio(value)));
        } else if (name == "frameDuration") {
            format->setFrameDuration(value);
            format->setVideoFrameRate(std::string(videoFrameRate(element, value).stringValue()));
        } else if (name == "fieldOrder") {
            format->setFieldOrder(value);
        } else if (name == "width" || name == "height") {
            if (const std::optional<std::int64_t> size = readDecimalInteger(value)) {
                name == "width" ? format->setWidth(*size) : format->setHeight(*size);
            }
        } else {
            log << name << " not needed\n";
        }
    }
    return format;
}

}  // namespace

std::shared_ptr<VideoFormat> makeDefaultVideoFormat() {
    return std::make_shared<VideoFormat>("default", std::string(kUndefinedFormatName), "", "", 0, 0, false, "", "");
}

std::string_view pixelAspectRatio(std::string_view formatName) {
    if (formatName.empty() || formatName == kUndefinedFormatName) return "";
    for (const auto& [namePart, ratio] : kPixelAspectRatios) {
        if (formatName.find(namePart) != std::string_view::npos) return ratio;
    }
    return "square";
}

VideoFrameRate videoFrameRate(const XMLElement& formatElement, std::string_view frameDuration) {
    const Fraction duration =
        Fraction::fromFcpxmlString(frameDuration).value_or(VideoFrameRate(VideoFrameRate::fps60p).frameDuration());
    // Names such as FFVideoFormat1080p25 hold the "i" of "Video" too, so most formats try
    // the interlaced rates first.
    const bool interlaced = formatElement.attr("name").value_or("").find('i') != std::string::npos;
    if (auto rate = VideoFrameRate::fromFrameDuration(duration, interlaced)) return *rate;
    if (auto rate = VideoFrameRate::fromFrameDuration(duration, false)) return *rate;
    return VideoFrameRate::fps60p;
}

std::optional<VideoFrameRate> videoFrameRateFromText(std::string_view text) {
    if (auto rate = VideoFrameRate::fromStringValue(text)) return rate;
    return VideoFrameRate::fromRawValue(text);
}

void storeFormats(ReaderContext& context) {
    context.insertFormat(context.defaultVideoFormat());
    for (const XMLElement& element : context.index().formats) {
        context.insertFormat(formatFrom(element, context.log()));
    }
}

}  // namespace tallyvane
