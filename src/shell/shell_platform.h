#pragma once
// What the shell needs of the windowing platform, beyond what the save flow needs: the open
// panel, web and mail addresses, an alert that offers one action besides OK, and a moment
// to repaint during long work. The Qt windows implement it with dialogs and the desktop
// services, the command-line tool with its arguments, standard error and no-ops.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "report/report_platform.h"

namespace tallyvane {

class ShellPlatform : public ReportPlatform {
public:
    // The open panel, limited to files with one of the extensions (given without the dot);
    // a `.fcpxmld` folder is chosen as one document. Nothing when cancelled.
    virtual std::optional<std::filesystem::path> askOpenPath(const std::vector<std::string>& extensions) = 0;
    // Hands a URL (web page, "mailto:") to the desktop; `answered` is told whether something
    // took it, at once or later from the event loop (see openFile).
    virtual void openUrl(const std::string& url, std::function<void(bool opened)> answered) = 0;
    // A modal alert with the buttons "OK" and `actionTitle`; true when the action was chosen.
    virtual bool askAlertAction(const std::string& messageText, const std::string& informativeText,
                                const std::string& actionTitle) = 0;
    // Called often while a document is read or a report written: the windows may repaint and
    // the progress indicator move, but the user's input must wait. Nothing to do without windows.
    virtual void tick() {}
};

}  // namespace tallyvane
