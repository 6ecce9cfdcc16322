#include "shell/document_text.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/shell_command.h"
#include "support/temporary_folder.h"
#include "support/named_case.h"

namespace tallyvane {
namespace {

using test::PrintTo;

namespace fs = std::filesystem;
using test::TemporaryFolder;
using Status = DocumentText::Status;

const std::string kDocument = "<?xml version=\"1.0\"?>\n<fcpxml version=\"1.11\"/>\n";

using test::writeText;

// A tar archive of the given members of `staging`, made by the system's tar.
void makeArchive(const fs::path& archive, const fs::path& staging, const std::string& members) {
    const std::string command =
        "tar -cf " + test::shellQuoted(archive.string()) + " -C " + test::shellQuoted(staging.string()) + " " + members;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

struct ReadCase {
    const char* name;
    // Files written into the folder, by relative path and contents; a path ending in '/' is a folder.
    std::vector<std::pair<std::string, std::string>> files;
    // When set, "p.fcpxmld" is made a tar archive of these members of the folder "stage".
    std::string archived;
    std::string open;
    Status status;
    std::string text;
    std::string messageText;
    std::string informativeText;
};

class DocumentReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(DocumentReading, GivesTheTextOrTheAlert) {
    TemporaryFolder folder;
    for (const auto& [path, contents] : GetParam().files) {
        if (path.ends_with('/')) {
            fs::create_directories(folder.path() / path);
        } else {
            writeText(folder.path() / path, contents);
        }
    }
    if (!GetParam().archived.empty()) {
        makeArchive(folder.path() / "p.fcpxmld", folder.path() / "stage", GetParam().archived);
    }
    if (HasFatalFailure()) return;
    std::ostringstream log;
    const DocumentText result = readDocumentText(folder.path() / GetParam().open, log);
    EXPECT_EQ(result.status, GetParam().status);
    EXPECT_EQ(result.text, GetParam().text);
    EXPECT_EQ(result.messageText, GetParam().messageText);
    EXPECT_EQ(result.informativeText, GetParam().informativeText);
}

const std::string kInvalid = "This is not a valid .fcpxml file";
const std::string kExportAgain = "Please export a new XML from Final Cut Pro.";
const std::string kMissing = "No such file or directory.";

INSTANTIATE_TEST_SUITE_P(
    Inputs, DocumentReading,
    ::testing::Values(
        ReadCase{"file", {{"p.fcpxml", kDocument}}, "", "p.fcpxml", Status::read, kDocument, "", ""},
        // An empty .fcpxml goes to the reader, which has its own alert for it.
        ReadCase{"emptyFile", {{"p.fcpxml", ""}}, "", "p.fcpxml", Status::read, "", "", ""},
        ReadCase{"missingFile", {}, "", "gone.fcpxml", Status::failed, "",
                 "The file \u201Cgone.fcpxml\u201D couldn\u2019t be opened.", kMissing},
        ReadCase{"bundleFolder", {{"p.fcpxmld/Info.fcpxml", kDocument}}, "", "p.fcpxmld", Status::read, kDocument, "",
                 ""},
        ReadCase{"bundleFolderWithTrailingSlash", {{"p.fcpxmld/Info.fcpxml", kDocument}}, "", "p.fcpxmld/",
                 Status::read, kDocument, "", ""},
        ReadCase{"bundleFolderWithoutDocument", {{"p.fcpxmld/Other.fcpxml", kDocument}}, "", "p.fcpxmld",
                 Status::failed, "", "The file \u201CInfo.fcpxml\u201D couldn\u2019t be opened.", kMissing},
        ReadCase{"bundleFolderWithEmptyDocument", {{"p.fcpxmld/Info.fcpxml", ""}}, "", "p.fcpxmld", Status::failed,
                 "", kInvalid, kExportAgain},
        ReadCase{"singleFileBundle",
                 {{"stage/._Info.fcpxml", "resource fork"}, {"stage/Info.fcpxml", kDocument}},
                 "._Info.fcpxml Info.fcpxml", "p.fcpxmld", Status::read, kDocument, "", ""},
        ReadCase{"singleFileBundleWithoutDocument", {{"stage/Info.fcpxml.bak", kDocument}}, "Info.fcpxml.bak",
                 "p.fcpxmld", Status::failed, "", kInvalid, kExportAgain},
        ReadCase{"singleFileNotAnArchive", {{"p.fcpxmld", kDocument}}, "", "p.fcpxmld", Status::failed, "", kInvalid,
                 kExportAgain},
        ReadCase{"missingBundle", {}, "", "gone.fcpxmld", Status::failed, "",
                 "The file \u201Cgone.fcpxmld\u201D couldn\u2019t be opened.", kMissing},
        ReadCase{"upperCaseExtension", {{"p.FCPXML", kDocument}}, "", "p.FCPXML", Status::notADocument, "", "", ""},
        ReadCase{"otherExtension", {{"p.xml", kDocument}}, "", "p.xml", Status::notADocument, "", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Only regular files are read; anything else is refused at once, before a byte is read
// (a pipe would wait for a writer for ever, a device never ends).
TEST(DocumentReading, RefusesWhatIsNoRegularFile) {
    TemporaryFolder folder;
    const fs::path pipe = folder.path() / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    fs::create_directories(folder.path() / "folder.fcpxml");
    fs::create_directories(folder.path() / "b.fcpxmld");
    fs::create_symlink(pipe, folder.path() / "b.fcpxmld" / "Info.fcpxml");
    const struct {
        std::string link;  // a symbolic link to `target` in the folder
        fs::path target;
        std::string open;
        std::string kind;
    } cases[] = {
        {"", "", "folder.fcpxml", "a folder"},
        {"pipe.fcpxml", pipe, "pipe.fcpxml", "a pipe"},
        {"zero.fcpxml", "/dev/zero", "zero.fcpxml", "a device"},
        {"", "", "b.fcpxmld/Info.fcpxml", "a pipe"},
        {"pipe.fcpxmld", pipe, "pipe.fcpxmld", "a pipe"},
        {"zero.fcpxmld", "/dev/zero", "zero.fcpxmld", "a device"},
    };
    for (const auto& c : cases) {
        if (!c.link.empty()) fs::create_symlink(c.target, folder.path() / c.link);
        std::ostringstream log;
        const fs::path opened = folder.path() / c.open;
        const DocumentText result = readDocumentText(c.open.ends_with("Info.fcpxml") ? opened.parent_path() : opened, log);
        EXPECT_EQ(result.status, Status::failed) << c.open;
        EXPECT_EQ(result.messageText, "The file \u201C" + opened.filename().string() + "\u201D couldn\u2019t be opened.");
        EXPECT_EQ(result.informativeText, "It is " + c.kind + ", not a document file.") << c.open;
    }
}

}  // namespace
}  // namespace tallyvane
