#pragma once
// Written workbooks read back by an independent reader: openpyxl, plus the raw sheet parts
// through Python's zipfile, run by the system Python.

#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include "support/temporary_folder.h"
#include "xlsx/error.h"

namespace tallyvane::xlsx::testing {

using tallyvane::test::TemporaryFolder;

// The reader's view of the workbook (see tests/data/xlsx/dump_workbook.py for its shape).
// Fails the calling test when the reader cannot open the file.
nlohmann::json readBack(const std::string& workbookPath);

std::string fixture(const std::string& name);

// A fresh folder, and a path in it for the workbook a test writes.
class WorkbookFile : public ::testing::Test {
protected:
    TemporaryFolder folder;
    const std::string path = (folder / "book.xlsx").string();
};

// The error `action` throws, or a failure when it throws none.
XlsxError errorOf(const std::function<void()>& action);

}  // namespace tallyvane::xlsx::testing
