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

TEST(OpenPanelTest, OnlyFoldersWithTheBundleExtensionAreBundles) {
    QTemporaryDir folder;
    for (const char* name : {"Plain", "Upper.FCPXMLD", "Cuts.fcpxml"}) ASSERT_TRUE(QDir(folder.path()).mkpath(name));
    const struct {
        QString path;
        bool bundle;
        const char* why;
    } cases[]{
        {bundleSample(), true, "a bundle folder"},
        {folder.path() + "/Plain", false, "a plain folder"},
        {folder.path() + "/Upper.FCPXMLD", false, "extensions compare exactly"},
        {folder.path() + "/Cuts.fcpxml", false, "a folder named like a document file"},
        {toQString(sample("TheAcharya__OpenFCPXMLKit__25i.fcpxml")), false, "a file is no bundle"},
    };
    for (const auto& [path, bundle, why] : cases) EXPECT_EQ(isDocumentBundle(path), bundle) << why;
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

TEST(OpenPanelTest, EnteringABundleChoosesItAndTheNextPanelStartsBesideIt) {
    ensureQtApplication();
    {
        OpenPanel panel(nullptr, kDocumentExtensions);
        panel.setDirectory(toQString(sample("")));
        panel.open();
        // What the panel does when a folder is double-clicked.
        panel.setDirectory(bundleSample());
        emit panel.directoryEntered(bundleSample());
        EXPECT_FALSE(panel.isVisible());
        ASSERT_TRUE(panel.chosenPath());
        EXPECT_EQ(toQString(*panel.chosenPath()).toStdString(), bundleSample().toStdString());
    }
    OpenPanel next(nullptr, kDocumentExtensions);
    EXPECT_EQ(next.directory().canonicalPath().toStdString(), QFileInfo(bundleSample()).canonicalPath().toStdString());
}

TEST(OpenPanelTest, OpeningAnyOtherFolderShowsItsContentsAndCancellingChoosesNothing) {
    ensureQtApplication();
    for (const char* name : {"Plain", "Cuts.fcpxml"}) {
        QTemporaryDir folder;
        ASSERT_TRUE(QDir(folder.path()).mkpath(name));
        OpenPanel panel(nullptr, kDocumentExtensions);
        panel.setDirectory(folder.path());
        panel.open();
        panel.selectFile(folder.path() + "/" + name);
        panel.accept();
        EXPECT_TRUE(panel.isVisible()) << name;
        EXPECT_EQ(panel.directory().absolutePath(), QDir(folder.path() + "/" + name).absolutePath()) << name;
        panel.reject();
        EXPECT_FALSE(panel.chosenPath()) << name;
    }
}

}  // namespace
}  // namespace tallyvane::test
