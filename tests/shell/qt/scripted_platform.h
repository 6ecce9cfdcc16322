#pragma once
// The desktop platform with its panels and alerts answered by the test and recorded, so
// that no modal dialog waits for a person. Busy handling stays the real one.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/qt/desktop_platform.h"

namespace tallyvane::test {

struct RecordedAlert {
    std::string messageText;
    std::string informativeText;
};

class ScriptedPlatform : public DesktopPlatform {
public:
    void showAlert(const std::string& messageText, const std::string& informativeText) override {
        alerts.push_back({messageText, informativeText});
    }
    std::optional<std::filesystem::path> askSavePath(const std::string& suggestedName, std::string_view) override {
        suggestedNames.push_back(suggestedName);
        return savePath;
    }
    bool openFile(const std::filesystem::path& file) override {
        openedFiles.push_back(file);
        return true;
    }
    void revealFolder(const std::filesystem::path&) override {}
    void setBusy(bool busy) override {
        DesktopPlatform::setBusy(busy);
        if (onBusy) onBusy(busy);
    }
    std::optional<std::filesystem::path> askOpenPath(const std::vector<std::string>& extensions) override {
        ++openPanelsShown;
        openExtensions = extensions;
        return openPath;
    }
    bool openUrl(const std::string& url) override {
        openedUrls.push_back(url);
        return true;
    }
    bool askAlertAction(const std::string& messageText, const std::string& informativeText,
                        const std::string& actionTitle) override {
        alerts.push_back({messageText, informativeText});
        actionTitles.push_back(actionTitle);
        return chooseAction;
    }

    // Answers.
    std::optional<std::filesystem::path> openPath;
    std::optional<std::filesystem::path> savePath;
    bool chooseAction = false;
    // Called after the windows were told of the busy state.
    std::function<void(bool)> onBusy;

    // Records.
    int openPanelsShown = 0;
    std::vector<std::string> openExtensions;
    std::vector<RecordedAlert> alerts;
    std::vector<std::string> actionTitles;
    std::vector<std::string> suggestedNames;
    std::vector<std::filesystem::path> openedFiles;
    std::vector<std::string> openedUrls;
};

}  // namespace tallyvane::test
