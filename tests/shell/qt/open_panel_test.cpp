// The open panel takes a `.fcpxmld` bundle folder as one document.

#include <filesystem>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "desktop_fixture.h"
#include "shell/qt/open_panel.h"
#include "shell/qt/path_text.h"

namespace tallyvane::test {
namespace {

const std::vector<std::string> kDocumentExtensions{"fcpxml", "fcpxmld"};

QString bundleSample() {
    return toQString(sample("ericfortis__final-cut-pro-scene-detect__60fps-rubric-compound-clips.fcpxmld"));
}

TEST(OpenPanelTest, OnlyFoldersWithADocumentExtensionAreBundles) {
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath("Plain"));
    ASSERT_TRUE(QDir(folder.path()).mkpath("Upper.FCPXMLD"));
    EXPECT_TRUE(isDocumentBundle(bundleSample(), kDocumentExtensions));
    EXPECT_FALSE(isDocumentBundle(folder.path() + "/Plain", kDocumentExtensions));
    EXPECT_FALSE(isDocumentBundle(folder.path() + "/Upper.FCPXMLD", kDocumentExtensions)) << "extensions compare exactly";
    EXPECT_FALSE(isDocumentBundle(toQString(sample("TheAcharya__OpenFCPXMLKit__25i.fcpxml")), kDocumentExtensions))
        << "a file is no bundle";
}

TEST(OpenPanelTest, OpeningABundleChoosesItAsTheDocument) {
    ensureQtApplication();
    OpenPanel panel(nullptr, kDocumentExtensions);
    panel.setDirectory(toQString(sample("")));
    panel.open();
    EXPECT_FALSE(panel.chosenPath());

    panel.selectFile(bundleSample());
    panel.accept();
    EXPECT_FALSE(panel.isVisible());
    ASSERT_TRUE(panel.chosenPath());
    EXPECT_EQ(QFileInfo(toQString(*panel.chosenPath())).canonicalFilePath().toStdString(),
              QFileInfo(bundleSample()).canonicalFilePath().toStdString());
}

TEST(OpenPanelTest, OpeningAPlainFolderShowsItsContents) {
    ensureQtApplication();
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath("Plain"));
    OpenPanel panel(nullptr, kDocumentExtensions);
    panel.setDirectory(folder.path());
    panel.open();
    panel.selectFile(folder.path() + "/Plain");
    panel.accept();
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.directory().absolutePath(), QDir(folder.path() + "/Plain").absolutePath());
    panel.reject();
}

TEST(OpenPanelTest, ACancelledPanelChoosesNothing) {
    ensureQtApplication();
    OpenPanel panel(nullptr, kDocumentExtensions);
    panel.open();
    panel.reject();
    EXPECT_FALSE(panel.chosenPath());
}

}  // namespace
}  // namespace tallyvane::test
