#pragma once
// The platform of the command-line tool: panels answered from the arguments, alerts on
// standard error (message line, then informative line), where the folder of kept thumbnails
// is named too, and nothing opened.

#include <filesystem>
#include <iosfwd>
#include <optional>

#include "shell/shell_platform.h"

namespace tallyvane::cli {

class CliPlatform : public ShellPlatform {
public:
    CliPlatform(std::ostream& errors, std::filesystem::path document, std::optional<std::filesystem::path> output)
        : errors_(errors), document_(std::move(document)), output_(std::move(output)) {}

    void showAlert(const std::string& messageText, const std::string& informativeText) override;
    std::optional<std::filesystem::path> askSavePath(const std::string&, std::string_view) override { return output_; }
    void openFile(const std::filesystem::path&, std::function<void(bool)> answered) override { answered(false); }
    // The only folder a report shows is that of kept thumbnails: it is named instead.
    void revealFolder(const std::filesystem::path& folder) override;
    void sayWorkFolder(const std::string& sentence) override;
    void setBusy(bool) override {}
    // The tool shows no indicator; its work is not measured in steps.
    ProgressReading progress() const override { return {}; }
    std::optional<std::filesystem::path> askOpenPath(const std::vector<std::string>&) override { return document_; }
    void openUrl(const std::string&, std::function<void(bool)> answered) override { answered(false); }
    bool askAlertAction(const std::string& messageText, const std::string& informativeText,
                        const std::string&) override {
        showAlert(messageText, informativeText);
        return false;
    }

private:
    std::ostream& errors_;
    std::filesystem::path document_;
    std::optional<std::filesystem::path> output_;
};

}  // namespace tallyvane::cli
