#include "reader/retiming.h"

#include <cmath>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/number_text.h"
#include "model/speed_fx.h"
#include "model/story_element.h"
#include "model/video_format.h"
#include "reader/child_elements.h"
#include "reader/fcpxml_time.h"

namespace tallyvane {

namespace {

struct Point {
    double time;
    double value;
};

// 0 / 0 is no speed and a zero time span an instant jump, counted as normal speed.
double settled(double speed) {
    if (std::isnan(speed)) return 0.0;
    if (std::isinf(speed)) return 100.0;
    return speed;
}

// Frame counts are 64-bit; their difference is taken wider so that it cannot overflow.
double difference(std::int64_t later, std::int64_t earlier) {
    return static_cast<double>(static_cast<__int128>(later) - static_cast<__int128>(earlier));
}

std::string samplingName(const XMLElement& clipElement) {
    const std::optional<XMLElement> timeMap = firstChildElement(clipElement, {"timeMap"});
    const std::string sampling = timeMap ? timeMap->attr("frameSampling").value_or("") : "";
    if (sampling == "nearest-neighbor") return "Nearest Neighbor Retime";
    if (sampling == "frame-blending") return "Frame Blending Retime";
    if (sampling == "optical-flow-classic" || sampling == "optical-flow" || sampling == "optical-flow-frc") {
        return "Optical Flow Retime";
    }
    return "Retime";
}

}  // namespace

void storeRetime(const XMLElement& clipElement, StoryElement& element, const VideoFormat& timelineFormat,
                 std::ostream& log) {
    const std::vector<XMLElement> points = childElements(clipElement, "timeMap", {"timept"});
    if (points.empty()) return;
    const std::string& frameDuration = timelineFormat.frameDuration();
    const auto frames = [&](const XMLElement& point, std::string_view name) {
        const std::optional<std::string> text = point.attr(name);
        return frameCountFromFCPXMLTime(text ? std::optional<std::string_view>(*text) : std::nullopt, frameDuration,
                                        "NDF");
    };
    const auto speedBetween = [&](const XMLElement& from, const XMLElement& to) {
        return settled(difference(frames(to, "value"), frames(from, "value")) /
                       difference(frames(to, "time"), frames(from, "time")) * 100);
    };

    bool hold = false;
    std::vector<TimeMap> segments;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const XMLElement& previous = points[i - 1];
        const XMLElement& point = points[i];
        const std::optional<std::string> previousValue = previous.attr("value");
        const std::optional<std::string> value = point.attr("value");
        if (previousValue == value) hold = true;
        if (point.attr("time") == value) continue;
        const double speed = speedBetween(previous, point);
        if (!segments.empty() && segments.back().speed == speed) continue;
        if (speed == 100) continue;
        segments.push_back({static_cast<double>(frames(previous, "time")) - element.firstFrame(),
                            static_cast<double>(frames(point, "time")) - element.firstFrame(), speed,
                            static_cast<double>(frames(previous, "value")), static_cast<double>(frames(point, "value"))});
    }
    if (log) {
        log << "timeMaps:";
        for (const TimeMap& segment : segments) {
            log << " [" << formatDouble(segment.start) << ", " << formatDouble(segment.end) << ", "
                << formatDouble(segment.speed) << "%, " << formatDouble(segment.prevValue) << ", "
                << formatDouble(segment.thisValue) << ']';
        }
        log << '\n';
    }

    double percent = 0.0;
    double startValue = 0.0;
    double endValue = 0.0;
    if (segments.size() == 1) {
        percent = segments.front().speed;
        startValue = segments.front().prevValue;
        endValue = segments.front().thisValue;
    } else {
        const XMLElement& first = points.front();
        const XMLElement& last = points.back();
        percent = difference(frames(last, "value"), frames(first, "value")) /
                  difference(frames(last, "time"), frames(first, "time")) * 100;
        startValue = static_cast<double>(frames(first, "value"));
        endValue = static_cast<double>(frames(last, "value"));
    }
    const bool reverse = endValue < startValue;
    if (std::abs(percent) == 100 && reverse) percent = -100;
    percent = settled(percent);
    if (percent == 0) percent = 100;

    if (log) {
        log << "time remapping speed = " << formatSettingsNumber(percent) << "% reverse = " << (reverse ? "true" : "false")
            << " hold = " << (hold ? "true" : "false") << '\n';
    }
    element.setSpeedFX(std::make_shared<SpeedFX>(samplingName(clipElement) + " " + formatDouble(std::round(percent)) + "%",
                                                 percent, FxParams{}));
    if (log) log << points.front().rawXML() << '\n';

    if (std::abs(percent) == 100) return;
    const double scale = std::abs(percent);
    if (const std::optional<double> inPoint = element.srcInpoint()) element.setSrcInpoint(scale * *inPoint / 100);
    if (const std::optional<double> duration = element.srcDuration()) element.setSrcDuration(scale * *duration / 100);
    element.setSrcEnd(std::nullopt);
}

}  // namespace tallyvane
