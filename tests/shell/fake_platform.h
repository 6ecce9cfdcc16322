#pragma once
// Platforms that record what the shell asked of them and answer from what the test set:
// over the bare interface, or (in the widget tests) over the desktop one.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/shell_platform.h"

namespace tallyvane::test {

struct Alert {
    std::string messageText;
    std::string informativeText;
    friend bool operator==(const Alert&, const Alert&) = default;
};

template <typename Base>
class RecordingPlatform : public Base {
public:
    void showAlert(const std::string& messageText, const std::string& informativeText) override {
        alerts.push_back({messageText, informativeText});
        if (onAlert) onAlert();
    }
    std::optional<std::filesystem::path> askSavePath(const std::string& suggestedName, std::string_view) override {
        suggestedNames.push_back(suggestedName);
        if (onSavePanel) onSavePanel();
        return savePath;
    }
    void openFile(const std::filesystem::path& file, std::function<void(bool)> answered) override {
        openedFiles.push_back(file);
        answered(fileOpens);
    }
    void revealFolder(const std::filesystem::path&) override {}
    std::optional<std::filesystem::path> askOpenPath(const std::vector<std::string>& extensions) override {
        ++openPanelsShown;
        openExtensions = extensions;
        return openPath;
    }
    void openUrl(const std::string& url, std::function<void(bool)> answered) override {
        openedUrls.push_back(url);
        answered(url.starts_with("mailto:") ? mailWorks : browserWorks);
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
    bool mailWorks = true;
    bool browserWorks = true;
    // Whether a program takes the saved workbook.
    bool fileOpens = true;
    bool chooseAction = false;
    // Runs inside showAlert, while whatever showed the alert is still at work.
    std::function<void()> onAlert;
    // Runs while the save panel is open.
    std::function<void()> onSavePanel;

    // Records.
    std::vector<Alert> alerts;
    std::vector<std::string> suggestedNames;
    std::vector<std::filesystem::path> openedFiles;
    std::vector<std::string> openedUrls;
    std::vector<std::string> openExtensions;
    std::vector<std::string> actionTitles;
    int openPanelsShown = 0;
};

class FakePlatform : public RecordingPlatform<ShellPlatform> {
public:
    void setBusy(bool on) override { busy = on; }
    ProgressReading progress() const override { return progressAt; }
    void tick() override {
        ++ticks;
        if (onTick) onTick();
    }

    // Runs inside tick, while the shell is at its long work.
    std::function<void()> onTick;
    ProgressReading progressAt;
    bool busy = false;
    std::size_t ticks = 0;
};

}  // namespace tallyvane::test
