// Workbooks made by the tests themselves: small .xlsx packages written with
// libzip from the parts a test spells out, and helpers around LibreOffice for
// the tests that use it.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace trevalco::workbook::test {

namespace fs = std::filesystem;

// A folder of its own for each test, removed at its end.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    const fs::path& Path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }
    // Names of the files in the folder, sorted.
    std::vector<std::string> Files() const;

private:
    fs::path path_;
};

// Writes a zip with these entries, in this order (deflated unless `stored`).
void WriteZip(const fs::path& path, const std::vector<std::pair<std::string, std::string>>& entries,
              bool stored = false);
// Every entry of a zip, by name.
std::map<std::string, std::string> ReadZip(const fs::path& path);

struct SheetLayout {
    std::string name;
    std::string xml;      // the whole part
    bool chart = false;   // a chart sheet rather than a worksheet
};

struct BookLayout {
    std::vector<SheetLayout> sheets;
    std::optional<std::string> sharedStrings;  // the whole sharedStrings.xml
    std::optional<std::string> calcChain;      // the whole calcChain.xml
};

// The parts of a valid package for the layout, in the usual order.
std::vector<std::pair<std::string, std::string>> BookParts(const BookLayout& layout);
void WriteBook(const fs::path& path, const BookLayout& layout);

// A worksheet part around these rows of <sheetData>.
std::string SheetXml(const std::string& rows, const std::string& beforeSheetData = "<dimension ref=\"A1\"/>",
                     const std::string& afterSheetData = "");
// A shared-strings part with these texts as plain items.
std::string SharedStringsXml(const std::vector<std::string>& texts);

std::string Slurp(const fs::path& path);
void Spill(const fs::path& path, const std::string& content);

// LibreOffice, when installed.
std::optional<fs::path> Office();
// Converts with LibreOffice (private profile in `work`): `filter` such as
// "xlsx", "xls", "ods" or "csv"; returns the file made.
fs::path OfficeConvert(const fs::path& input, const std::string& filter, const fs::path& work);

}  // namespace trevalco::workbook::test
