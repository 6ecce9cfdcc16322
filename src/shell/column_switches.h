#pragma once
// The 27 column check boxes of the settings window, in their order there: the layout field
// each one is stored under, the title it shows, and the report option key it sets. The
// combo box of the thumbnail width, between "Add thumbnails" and "Keep thumbnail images",
// is not one of them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tallyvane {

struct ColumnSwitch {
    std::string_view field;
    std::string_view title;
    std::string_view optionKey;
};

inline constexpr std::size_t kColumnSwitchCount = 27;

inline constexpr std::array<ColumnSwitch, kColumnSwitchCount> kColumnSwitches{{
    {"rowNumbersColumnCheckbox", "Row Numbers", "rowNumbers"},
    {"thumbnailsColumnCheckbox", "Add thumbnails", "thumbnails"},
    {"keepThumbnailsCheckbox", "Keep thumbnail images", "keepThumbnails"},
    {"roleColumnCheckbox", "Role \u25B8 Subrole", "role"},
    {"categoryColumnCheckbox", "Category", "category"},
    {"enabledColumnCheckbox", "Enabled", "enabled"},
    {"inColumnCheckbox", "Timeline In", "in"},
    {"outColumnCheckbox", "Timeline Out", "out"},
    {"durationColumnCheckbox", "Clip Duration", "duration"},
    {"srcInColumnCheckbox", "Source In", "srcIn"},
    {"srcOutColumnCheckbox", "Source Out", "srcOut"},
    {"srcDurationColumnCheckbox", "Source Duration", "srcDuration"},
    {"duplicateFramesColumnCheckbox", "Duplicate Frames", "duplicateFrames"},
    {"markersColumnCheckbox", "Markers", "markers"},
    {"keywordsColumnCheckbox", "Keywords", "keywords"},
    {"effectsColumnCheckbox", "Effects", "effects"},
    {"notesColumnCheckbox", "Notes", "notes"},
    {"reelColumnCheckbox", "Reel", "reel"},
    {"sceneColumnCheckbox", "Scene", "scene"},
    {"takeColumnCheckbox", "Take", "take"},
    {"cameraAngleColumnCheckbox", "Camera Angle", "cameraAngle"},
    {"cameraNameColumnCheckbox", "Camera Name", "cameraName"},
    {"frameRateColumnCheckbox", "Frame Rate", "frameRate"},
    {"frameSizeColumnCheckbox", "Frame Size", "frameSize"},
    {"srcFileNameColumnCheckbox", "Source File Name", "srcFileName"},
    {"srcFilePathColumnCheckbox", "Source File Path", "srcFilePath"},
    {"metadataColumnCheckbox", "Metadata", "metadata"},
}};

// Positions in kColumnSwitches that the layout rules single out.
inline constexpr std::size_t kRowNumbersSwitch = 0;
inline constexpr std::size_t kThumbnailsSwitch = 1;
inline constexpr std::size_t kKeepThumbnailsSwitch = 2;

inline constexpr std::string_view kDefaultThumbnailWidth = "40";

std::optional<std::size_t> columnSwitchWithTitle(std::string_view title);
std::optional<std::size_t> columnSwitchWithOptionKey(std::string_view key);

// A control's text as an integer: leading spaces, an optional sign, then the digits up to the
// first other character. Text that does not start so, and a number beyond the type's range,
// reads as 0. The report options read the thumbnail width as a 64-bit integer, while a layout
// stores it from a 32-bit one.
std::int64_t controlIntegerValue(std::string_view text);
std::int32_t controlInt32Value(std::string_view text);
// The thumbnail width a control's text gives the report: its integer's size, as a layout
// stores it ("-50" is 50), so that the settings window, the save and the command line agree.
std::int64_t thumbnailWidthValue(std::string_view text);

}  // namespace tallyvane
