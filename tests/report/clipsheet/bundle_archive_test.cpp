#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "report/clipsheet/bundle_archive.h"
#include "support/shell_command.h"
#include "workbook_reader.h"

namespace tallyvane {
namespace {

// Writes an archive with Python's own tar and zip writers: entries (name, text, kind) where
// the kind is "file" or "dir".
void makeArchive(const std::filesystem::path& path, const std::string& format, const std::string& entries) {
    const std::string script =
        "import io, sys, tarfile, zipfile\n"
        "path, fmt = sys.argv[1], sys.argv[2]\n"
        "entries = " + entries + "\n"
        "if fmt == 'zip':\n"
        "    with zipfile.ZipFile(path, 'w') as z:\n"
        "        for name, data, kind in entries:\n"
        "            z.writestr(name + ('/' if kind == 'dir' else ''), data)\n"
        "else:\n"
        "    with tarfile.open(path, 'w:' + fmt) as t:\n"
        "        for name, data, kind in entries:\n"
        "            info = tarfile.TarInfo(name)\n"
        "            info.type = tarfile.DIRTYPE if kind == 'dir' else tarfile.REGTYPE\n"
        "            info.size = 0 if kind == 'dir' else len(data)\n"
        "            t.addfile(info, io.BytesIO(data))\n";
    const std::filesystem::path scriptFile = path.string() + ".py";
    std::ofstream(scriptFile) << script;
    const std::string command = "/usr/bin/python3 " + test::shellQuoted(scriptFile.string()) + " " +
                                test::shellQuoted(path.string()) + " " + test::shellQuoted(format);
    ASSERT_EQ(std::system(command.c_str()), 0);
}

// Only the root entry is the document, as in the folder form of the bundle, whatever its encoding.
TEST(BundleArchive, ReadsOnlyTheRootInfoDocument) {
    testing::TemporaryFolder folder;
    const struct {
        const char* name;
        const char* format;
        const char* entries;
        std::string text;
    } cases[] = {
        {"tar", "", "[('Info.fcpxml', b'<fcpxml/>', 'file')]", "<fcpxml/>"},
        {"dot slash", "gz", "[('./Info.fcpxml', b'<fcpxml version=\"1.10\"/>', 'file')]", "<fcpxml version=\"1.10\"/>"},
        {"zip", "zip", "[('Info.fcpxml', b'zipped', 'file')]", "zipped"},
        {"look-alikes and subfolders come first", "",
         "[('._Info.fcpxml', b'resource fork', 'file'), ('Info.fcpxml.bak', b'old', 'file'),"
         " ('Info.fcpxml', b'', 'dir'), ('info.fcpxml', b'lower', 'file'), ('Backup/Info.fcpxml', b'backup', 'file'),"
         " ('P.fcpxmld/Info.fcpxml', b'nested', 'file'), ('Info.fcpxml', b'root', 'file')]",
         "root"},
        {"subfolder only", "", "[('P.fcpxmld/Info.fcpxml', b'nested', 'file')]", ""},
        {"empty archive", "", "[]", ""},
        {"UTF-16", "", "[('Info.fcpxml', b'\\xff\\xfe<\\x00a\\x00/\\x00>\\x00', 'file')]",
         std::string("\xff\xfe<\0a\0/\0>\0", 10)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path bundle = folder.path() / (std::string(c.name) + ".fcpxmld");
        makeArchive(bundle, c.format, c.entries);
        std::ostringstream log;
        const BundleDocument document = readBundleDocument(bundle, log);
        EXPECT_EQ(document.status, BundleDocument::Status::read);
        EXPECT_EQ(document.text, c.text);
        EXPECT_EQ(log.str(), "");
    }
}

// A document far larger than its bundle is refused from its declared size, before it is read.
TEST(BundleArchive, RefusesADecompressionBomb) {
    testing::TemporaryFolder folder;
    const struct {
        const char* entries;
        bool refused;
    } cases[] = {
        {"[('Info.fcpxml', b'<fcpxml/>' + b' ' * (60 << 20), 'file')]", false},  // under 64 MiB
        {"[('Info.fcpxml', b'<fcpxml/>' + b' ' * (65 << 20), 'file')]", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entries);
        const std::filesystem::path bundle = folder.path() / "bomb.fcpxmld";
        makeArchive(bundle, "gz", c.entries);
        std::ostringstream log;
        const BundleDocument document = readBundleDocument(bundle, log);
        EXPECT_EQ(document.status, c.refused ? BundleDocument::Status::refused : BundleDocument::Status::read);
        EXPECT_EQ(document.reason, c.refused ? "Its document expands to more than 64 MB, over 50 times the size of the "
                                               "bundle: it is not read."
                                             : "");
        EXPECT_EQ(document.text.size(), c.refused ? 0u : (60u << 20) + 9u);
    }
}

TEST(BundleArchive, FilesThatAreNoArchive) {
    testing::TemporaryFolder folder;
    std::ofstream(folder.path() / "text.fcpxmld") << "<fcpxml version=\"1.10\"/> is no archive";
    std::ostringstream log;
    EXPECT_EQ(readBundleDocument(folder.path() / "text.fcpxmld", log).status, BundleDocument::Status::notArchive);
    EXPECT_TRUE(log.str().starts_with("Error reading bundle: ")) << log.str();
    const BundleDocument missing = readBundleDocument(folder.path() / "missing.fcpxmld", log);
    EXPECT_EQ(missing.status, BundleDocument::Status::refused);
    EXPECT_EQ(missing.reason, "No such file or directory.");
}

}  // namespace
}  // namespace tallyvane
