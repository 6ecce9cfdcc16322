#pragma once
// The desktop program as a test sees it: a controller over a fresh support folder, its
// windows on the offscreen platform, and a platform whose panels the test answers.

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include <QApplication>
#include <gtest/gtest.h>

#include "qt/qt_test_application.h"
#include "scripted_platform.h"
#include "shell/qt/desktop_shell.h"
#include "shell/shell_controller.h"
#include "support/temporary_folder.h"

namespace tallyvane::test {

inline std::filesystem::path sample(const std::string& name) {
    return std::filesystem::path(TALLYVANE_SAMPLES_DIR) / name;
}

class DesktopFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ensureQtApplication();
        // Closing a window must not end the test run.
        QApplication::setQuitOnLastWindowClosed(false);
        supportFolder_ = folder_.path() / "support";
    }

    // After any file the test puts into the support folder.
    void start() {
        shell_ = std::make_unique<ShellController>(
            platform_, ShellSetup{supportFolder_, [this] { return supportFolder_; }, makeReportWriter, log_,
                                  [this] { return proVideo_; }});
        windows_ = std::make_unique<DesktopShell>(*shell_, platform_);
    }

    void TearDown() override {
        windows_.reset();
        shell_.reset();
    }

    template <typename Widget>
    Widget& main(const char* name) {
        auto* widget = windows_->mainWindow().findChild<Widget*>(name);
        if (widget == nullptr) throw std::runtime_error(std::string("no widget ") + name);
        return *widget;
    }

    template <typename Widget>
    Widget& settings(const char* name) {
        auto* widget = windows_->settingsWindow().findChild<Widget*>(name);
        if (widget == nullptr) throw std::runtime_error(std::string("no widget ") + name);
        return *widget;
    }

    std::filesystem::path outputFolder() const { return folder_.path(); }

    TemporaryFolder folder_;
    std::filesystem::path supportFolder_;
    std::ostringstream log_;
    bool proVideo_ = true;
    ScriptedPlatform platform_;
    std::unique_ptr<ShellController> shell_;
    std::unique_ptr<DesktopShell> windows_;
};

}  // namespace tallyvane::test
