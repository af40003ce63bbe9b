// Workbooks for the batch tests: one sheet of rows, written as .xlsx, and
// made into .xls or .ods by LibreOffice when it is installed.
#pragma once

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "CellValue.h"

namespace trevalco::batch::test {

namespace fs = std::filesystem;

struct ErrorCell {
    std::string code;  // "#N/A", "#DIV/0!"
};
struct BoolCell {
    bool value = false;
};

using TestCell = std::variant<std::monostate, double, std::string, ErrorCell, BoolCell>;
using TestRow = std::vector<TestCell>;  // from column A on

// Writes an .xlsx whose only worksheet, `sheet`, holds the rows from row 1.
void WriteSheet(const fs::path& path, const std::string& sheet, const std::vector<TestRow>& rows);

// Converts an .xlsx with LibreOffice to "xls" or "ods" beside it; the path made.
fs::path ConvertedCopy(const fs::path& xlsx, const std::string& format, const fs::path& work);

// A cell of a written workbook, as the workbook library reads it.
cells::CellValue CellOf(const fs::path& path, const std::string& sheet, int row,
                       const std::string& column);

// The file's bytes.
std::string Bytes(const fs::path& path);

}  // namespace trevalco::batch::test
