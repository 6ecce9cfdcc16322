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

TEST(BundleArchive, TakesTheFirstRegularInfoDocument) {
    testing::TemporaryFolder folder;
    const struct {
        const char* name;
        const char* format;
        const char* entries;
        std::optional<std::string> text;
    } cases[] = {
        {"tar", "", "[('P.fcpxmld/Info.fcpxml', b'<fcpxml/>', 'file')]", "<fcpxml/>"},
        {"gzip tar", "gz", "[('Info.fcpxml', b'<fcpxml version=\"1.10\"/>', 'file')]", "<fcpxml version=\"1.10\"/>"},
        {"zip", "zip", "[('P.fcpxmld/Info.fcpxml', b'zipped', 'file')]", "zipped"},
        {"look-alikes come first", "",
         "[('P.fcpxmld/._Info.fcpxml', b'resource fork', 'file'), ('P.fcpxmld/Info.fcpxml.bak', b'old', 'file'),"
         " ('P.fcpxmld/Info.fcpxml', b'', 'dir'), ('P.fcpxmld/info.fcpxml', b'lower', 'file'),"
         " ('A/Info.fcpxml', b'first', 'file'), ('B/Info.fcpxml', b'second', 'file')]",
         "first"},
        {"no document", "", "[('P.fcpxmld/Other.fcpxml', b'x', 'file')]", ""},
        {"empty archive", "", "[]", ""},
        {"not UTF-8", "", "[('Info.fcpxml', b'\\xff\\xfe', 'file')]", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path bundle = folder.path() / (std::string(c.name) + ".fcpxmld");
        makeArchive(bundle, c.format, c.entries);
        std::ostringstream log;
        EXPECT_EQ(readBundleDocument(bundle, log), c.text);
        EXPECT_EQ(log.str().empty(), c.text.has_value()) << log.str();
    }
}

TEST(BundleArchive, FilesThatAreNoArchive) {
    testing::TemporaryFolder folder;
    std::ofstream(folder.path() / "text.fcpxmld") << "<fcpxml version=\"1.10\"/> is no archive";
    for (const std::filesystem::path& file : {folder.path() / "text.fcpxmld", folder.path() / "missing.fcpxmld"}) {
        SCOPED_TRACE(file.string());
        std::ostringstream log;
        EXPECT_EQ(readBundleDocument(file, log), std::nullopt);
        EXPECT_TRUE(log.str().starts_with("Error reading bundle: ")) << log.str();
    }
}

}  // namespace
}  // namespace tallyvane
