#pragma once
// Written workbooks read back by an independent reader: openpyxl, plus the raw sheet parts
// through Python's zipfile, run by the system Python.

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

namespace tallyvane::xlsx::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// The reader's view of the workbook (see tests/data/xlsx/dump_workbook.py for its shape).
// Fails the calling test when the reader cannot open the file.
nlohmann::json readBack(const std::string& workbookPath);

std::string fixture(const std::string& name);

}  // namespace tallyvane::xlsx::testing
