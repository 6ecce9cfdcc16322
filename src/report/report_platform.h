#pragma once
// What the save flow needs of the windowing platform. The shell implements it with its
// windows and panels, the command-line tool with its arguments and standard error.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tallyvane {

// Where the progress indicator stands: an indicator that moves without measuring (while a
// report is written) has a maximum of 0.
struct ProgressReading {
    double value = 0.0;
    double maximum = 0.0;
};

class ReportPlatform {
public:
    virtual ~ReportPlatform() = default;

    // An informational alert on the main window (or on its own when there is none).
    virtual void showAlert(const std::string& messageText, const std::string& informativeText) = 0;
    // The save panel, its name field preset, limited to files with the extension (given
    // without the dot). The chosen path carries the extension; nothing when cancelled.
    virtual std::optional<std::filesystem::path> askSavePath(const std::string& suggestedName,
                                                             std::string_view extension) = 0;
    // Opens a file with the system's default application for it. `answered` is told whether
    // that was started, once the answer comes: at once, or later from the event loop, so that
    // the windows take input meanwhile.
    virtual void openFile(const std::filesystem::path& file, std::function<void(bool opened)> answered) = 0;
    // Shows a folder in the file browser.
    virtual void revealFolder(const std::filesystem::path& folder) = 0;
    // Where a save works instead of the support folder it was given (a run as root keeping
    // out of one another user controls), said as its work begins, before anything else it
    // says. A window says it later, in its status line with the rest.
    virtual void sayWorkFolder(const std::string& /*sentence*/) {}
    // The progress indicator: animating while a report is written.
    virtual void setBusy(bool busy) = 0;
    virtual ProgressReading progress() const = 0;
};

}  // namespace tallyvane
