#include "shell/document_text.h"

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include "support/shell_command.h"
#include "support/temporary_folder.h"

namespace tallyvane {
namespace {

namespace fs = std::filesystem;
using test::TemporaryFolder;
using Status = DocumentText::Status;

const std::string kDocument = "<?xml version=\"1.0\"?>\n<fcpxml version=\"1.11\"/>\n";

void writeText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A tar archive of the given members of `staging`, made by the system's tar.
void makeArchive(const fs::path& archive, const fs::path& staging, const std::string& members) {
    const std::string command =
        "tar -cf " + test::shellQuoted(archive.string()) + " -C " + test::shellQuoted(staging.string()) + " " + members;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

struct ReadCase {
    const char* name;
    // Builds the input inside the folder and returns the path to open.
    std::function<fs::path(const fs::path&)> make;
    Status status;
    std::string text;
    std::string messageText;
    std::string informativeText;
};

class DocumentReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(DocumentReading, GivesTheTextOrTheAlert) {
    TemporaryFolder folder;
    const fs::path path = GetParam().make(folder.path());
    if (HasFatalFailure()) return;
    std::ostringstream log;
    const DocumentText result = readDocumentText(path, log);
    EXPECT_EQ(result.status, GetParam().status);
    EXPECT_EQ(result.text, GetParam().text);
    EXPECT_EQ(result.messageText, GetParam().messageText);
    EXPECT_EQ(result.informativeText, GetParam().informativeText);
}

const std::string kInvalid = "This is not a valid .fcpxml file";
const std::string kExportAgain = "Please export a new XML from Final Cut Pro.";

INSTANTIATE_TEST_SUITE_P(
    Inputs, DocumentReading,
    ::testing::Values(
        ReadCase{"file",
                 [](const fs::path& f) {
                     writeText(f / "p.fcpxml", kDocument);
                     return f / "p.fcpxml";
                 },
                 Status::read, kDocument, "", ""},
        // An empty .fcpxml goes to the reader, which has its own alert for it.
        ReadCase{"emptyFile",
                 [](const fs::path& f) {
                     writeText(f / "p.fcpxml", "");
                     return f / "p.fcpxml";
                 },
                 Status::read, "", "", ""},
        ReadCase{"missingFile", [](const fs::path& f) { return f / "gone.fcpxml"; }, Status::failed, "",
                 "The file \u201Cgone.fcpxml\u201D couldn\u2019t be opened.", "No such file or directory."},
        ReadCase{"folderNamedFcpxml",
                 [](const fs::path& f) {
                     fs::create_directory(f / "odd.fcpxml");
                     return f / "odd.fcpxml";
                 },
                 Status::failed, "", "The file \u201Codd.fcpxml\u201D couldn\u2019t be opened.", "Is a directory."},
        ReadCase{"bundleFolder",
                 [](const fs::path& f) {
                     writeText(f / "p.fcpxmld" / "Info.fcpxml", kDocument);
                     return f / "p.fcpxmld";
                 },
                 Status::read, kDocument, "", ""},
        ReadCase{"bundleFolderWithTrailingSlash",
                 [](const fs::path& f) {
                     writeText(f / "p.fcpxmld" / "Info.fcpxml", kDocument);
                     return fs::path((f / "p.fcpxmld").string() + "/");
                 },
                 Status::read, kDocument, "", ""},
        ReadCase{"bundleFolderWithoutDocument",
                 [](const fs::path& f) {
                     writeText(f / "p.fcpxmld" / "Other.fcpxml", kDocument);
                     return f / "p.fcpxmld";
                 },
                 Status::failed, "", "The file \u201CInfo.fcpxml\u201D couldn\u2019t be opened.",
                 "No such file or directory."},
        ReadCase{"bundleFolderWithEmptyDocument",
                 [](const fs::path& f) {
                     writeText(f / "p.fcpxmld" / "Info.fcpxml", "");
                     return f / "p.fcpxmld";
                 },
                 Status::failed, "", kInvalid, kExportAgain},
        ReadCase{"singleFileBundle",
                 [](const fs::path& f) {
                     writeText(f / "stage" / "Project.fcpxmld" / "._Info.fcpxml", "resource fork");
                     writeText(f / "stage" / "Project.fcpxmld" / "Info.fcpxml", kDocument);
                     makeArchive(f / "p.fcpxmld", f / "stage",
                                 "Project.fcpxmld/._Info.fcpxml Project.fcpxmld/Info.fcpxml");
                     return f / "p.fcpxmld";
                 },
                 Status::read, kDocument, "", ""},
        ReadCase{"singleFileBundleWithoutDocument",
                 [](const fs::path& f) {
                     writeText(f / "stage" / "Info.fcpxml.bak", kDocument);
                     makeArchive(f / "p.fcpxmld", f / "stage", "Info.fcpxml.bak");
                     return f / "p.fcpxmld";
                 },
                 Status::failed, "", kInvalid, kExportAgain},
        ReadCase{"singleFileNotAnArchive",
                 [](const fs::path& f) {
                     writeText(f / "p.fcpxmld", kDocument);
                     return f / "p.fcpxmld";
                 },
                 Status::failed, "", kInvalid, kExportAgain},
        ReadCase{"missingBundle", [](const fs::path& f) { return f / "gone.fcpxmld"; }, Status::failed, "",
                 "The file \u201Cgone.fcpxmld\u201D couldn\u2019t be opened.", "No such file or directory."},
        ReadCase{"upperCaseExtension",
                 [](const fs::path& f) {
                     writeText(f / "p.FCPXML", kDocument);
                     return f / "p.FCPXML";
                 },
                 Status::notADocument, "", "", ""},
        ReadCase{"otherExtension",
                 [](const fs::path& f) {
                     writeText(f / "p.xml", kDocument);
                     return f / "p.xml";
                 },
                 Status::notADocument, "", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DocumentPath, DropsTrailingSeparatorsOnly) {
    EXPECT_EQ(documentPath("/a/b.fcpxmld/"), fs::path("/a/b.fcpxmld"));
    EXPECT_EQ(documentPath("b.fcpxmld//"), fs::path("b.fcpxmld"));
    EXPECT_EQ(documentPath("/a/b.fcpxml"), fs::path("/a/b.fcpxml"));
    EXPECT_EQ(documentPath("/"), fs::path("/"));
}

}  // namespace
}  // namespace tallyvane
