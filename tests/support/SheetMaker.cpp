#include "SheetMaker.h"

#include "TestBooks.h"
#include "Workbook.h"
#include "XmlText.h"

namespace trevalco::batch::test {

namespace {

std::string Escaped(const std::string& text) {
    std::string out;
    workbook::AppendEscaped(out, text);
    return out;
}

std::string CellXml(const TestCell& cell, const std::string& reference) {
    const std::string at = "<c r=\"" + reference + "\"";
    if (const auto* number = std::get_if<double>(&cell)) {
        char text[64];
        std::snprintf(text, sizeof text, "%.17g", *number);
        return at + "><v>" + text + "</v></c>";
    }
    if (const auto* text = std::get_if<std::string>(&cell))
        return at + " t=\"inlineStr\"><is><t xml:space=\"preserve\">" + Escaped(*text) +
               "</t></is></c>";
    if (const auto* error = std::get_if<ErrorCell>(&cell))
        return at + " t=\"e\"><v>" + Escaped(error->code) + "</v></c>";
    if (const auto* boolean = std::get_if<BoolCell>(&cell))
        return at + " t=\"b\"><v>" + (boolean->value ? "1" : "0") + "</v></c>";
    return {};
}

}  // namespace

void WriteSheet(const fs::path& path, const std::string& sheet, const std::vector<TestRow>& rows) {
    std::string xml;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::string row = std::to_string(r + 1);
        std::string cells;
        for (std::size_t c = 0; c < rows[r].size() && c < 26; ++c)
            cells += CellXml(rows[r][c], std::string(1, static_cast<char>('A' + c)) + row);
        if (!cells.empty()) xml += "<row r=\"" + row + "\">" + cells + "</row>";
    }
    workbook::test::BookLayout layout;
    layout.sheets.push_back({sheet, workbook::test::SheetXml(xml), false});
    workbook::test::WriteBook(path, layout);
}

fs::path ConvertedCopy(const fs::path& xlsx, const std::string& format, const fs::path& work) {
    fs::create_directories(work);
    const fs::path made = workbook::test::OfficeConvert(xlsx, format, work);
    const fs::path target = xlsx.parent_path() / (xlsx.stem().string() + "." + format);
    fs::copy_file(made, target, fs::copy_options::overwrite_existing);
    fs::remove_all(work);
    return target;
}

cells::CellValue CellOf(const fs::path& path, const std::string& sheet, int row,
                       const std::string& column) {
    workbook::Workbook book = workbook::Workbook::Open(path);
    return book.Sheet(sheet).Cell(row, column);
}

std::string Bytes(const fs::path& path) { return workbook::test::Slurp(path); }

}  // namespace trevalco::batch::test
