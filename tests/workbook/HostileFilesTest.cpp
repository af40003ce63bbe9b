// Files that are not workbooks, damaged ones and ones built to hurt: each is
// refused with a message that names the file and the reason.
#include <gtest/gtest.h>

#include <functional>

#include "TestBooks.h"
#include "Workbook.h"

namespace trevalco::workbook {
namespace {

using test::BookLayout;
using test::SheetXml;
using test::TestFolder;

// The message of the first refusal: opening, or reading the first sheet.
std::string Refusal(const std::filesystem::path& path, const OpenOptions& options = {}) {
    try {
        Workbook book = Workbook::Open(path, options);
        for (const std::string& name : book.SheetNames()) (void)book.Sheet(name).Cell(1, "A");
    } catch (const WorkbookError& error) {
        return error.what();
    }
    return "(accepted)";
}

class HostileFiles : public ::testing::Test {
protected:
    std::filesystem::path Book(const std::function<void(std::vector<std::pair<std::string, std::string>>&)>& edit,
                               const std::string& rows = "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>") {
        BookLayout layout;
        layout.sheets = {{"Hoja1", SheetXml(rows)}};
        layout.sharedStrings = test::SharedStringsXml({"uno", "dos"});
        auto parts = test::BookParts(layout);
        edit(parts);
        const auto path = folder_ / ("libro" + std::to_string(++count_) + ".xlsx");
        test::WriteZip(path, parts);
        return path;
    }
    std::filesystem::path Sheet(const std::string& rows) { return Book([](auto&) {}, rows); }
    // The refusal names the file and the reason.
    static void ExpectRefused(const std::filesystem::path& file, const std::string& reason, const OpenOptions& options = {}) {
        const std::string message = Refusal(file, options);
        EXPECT_NE(message.find("«" + file.string() + "»"), std::string::npos) << message;
        EXPECT_NE(message.find(reason), std::string::npos) << message;
    }
    static void Remove(std::vector<std::pair<std::string, std::string>>& parts, const std::string& name) {
        std::erase_if(parts, [&](const auto& part) { return part.first == name; });
    }
    static void Replace(std::vector<std::pair<std::string, std::string>>& parts, const std::string& name,
                        const std::string& content) {
        for (auto& part : parts)
            if (part.first == name) part.second = content;
    }

    TestFolder folder_;
    int count_ = 0;
};

TEST_F(HostileFiles, FilesThatAreNotZipPackages) {
    const std::string whole = test::Slurp(Sheet(""));
    // Text, nothing, an old binary or password-protected workbook, half a package.
    const std::pair<std::string, const char*> files[] = {
        {"Latitud;Longitud\n33,45;70,65\n", "no es un paquete zip"},
        {"", "no es un libro .xlsx válido"},
        {std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(4000, '\0'), "protegido con contraseña"},
        {whole.substr(0, whole.size() / 2), "no es un libro .xlsx válido"}};
    for (const auto& [content, reason] : files) {
        test::Spill(folder_ / "roto.xlsx", content);
        ExpectRefused(folder_ / "roto.xlsx", reason);
    }
}

TEST_F(HostileFiles, DamagedOrMissingPartsAndCellsOutsideTheSheet) {
    const std::string rels = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    const std::string sheetRel = "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                                 "relationships/worksheet\" Target=\"";
    const std::string laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE worksheet [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;\">]>"
        "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>&d;&d;&d;&d;</t></is></c></row></sheetData></worksheet>";
    std::string wide = "<row r=\"1\">";
    for (int i = 0; i <= 16384; ++i) wide += "<c/>";
    const struct {
        std::string removed, replaced, content, rows, reason;
    } cases[] = {
        {"[Content_Types].xml", "", "", "", "falta la parte [Content_Types].xml"},
        {"_rels/.rels", "", "", "", "falta la parte _rels/.rels"},
        {"xl/workbook.xml", "", "", "", "falta la parte xl/workbook.xml"},
        {"xl/_rels/workbook.xml.rels", "", "", "", "falta la parte xl/_rels/workbook.xml.rels"},
        {"xl/worksheets/sheet1.xml", "", "", "", "falta la parte de la hoja «Hoja1»"},
        {"xl/sharedStrings.xml", "", "", "", "falta la parte xl/sharedStrings.xml"},
        {"", "_rels/.rels", rels + "</Relationships>", "", "falta la relación officeDocument"},
        {"", "xl/_rels/workbook.xml.rels", rels + sheetRel + "../../../etc/passwd\"/></Relationships>", "",
         "falta la parte de la hoja «Hoja1»"},
        {"xl/sharedStrings.xml", "xl/_rels/workbook.xml.rels", rels + sheetRel + "worksheets/sheet1.xml\"/></Relationships>",
         "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>", "hay 0 textos"},
        {"", "xl/workbook.xml", "<workbook><sheets><sheet name=\"a\"", "", "la parte xl/workbook.xml está dañada"},
        {"", "xl/workbook.xml", "<libro/>", "", "no es un libro"},
        {"", "", "", "<row r=\"1\"><c r=\"A1\"><v>1</v></row>", "la parte xl/worksheets/sheet1.xml está dañada"},
        {"", "xl/sharedStrings.xml", "<sst><si><t>uno</si></sst>", "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>",
         "la parte xl/sharedStrings.xml está dañada"},
        {"", "xl/worksheets/sheet1.xml", "<worksheet>\xFF\xFE</worksheet>", "", "está dañada"},
        {"", "xl/worksheets/sheet1.xml", laughs, "", "DOCTYPE"},
        {"", "", "", "<row r=\"1048577\"><c><v>1</v></c></row>", "fila fuera de la hoja (1048577"},
        {"", "", "", "<row r=\"0\"/>", "fila fuera de la hoja"},
        {"", "", "", "<row r=\"1\"><c r=\"A1048577\"><v>1</v></c></row>", "«A1048577»"},
        {"", "", "", "<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>", "«XFE1»"},
        {"", "", "", "<row r=\"1\"><c r=\"1A\"><v>1</v></c></row>", "referencia de celda no válida"},
        {"", "", "", wide + "</row>", "más allá de la columna XFD"},
        {"", "", "", "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>2</v></c></row>", "índice de texto compartido no válido («2» en A1; hay 2 textos)"},
        {"", "", "", "<row r=\"1\"><c r=\"B1\" t=\"s\"><v>99999999999999999999</v></c></row>", "índice de texto compartido no válido"},
        {"", "", "", "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>-1</v></c></row>", "índice de texto compartido no válido"},
        {"", "", "", "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>uno</v></c></row>", "índice de texto compartido no válido"},
    };
    for (const auto& c : cases) {
        ExpectRefused(Book([&](auto& p) {
                           if (!c.removed.empty()) Remove(p, c.removed);
                           if (!c.replaced.empty()) Replace(p, c.replaced, c.content);
                       }, c.rows.empty() ? "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>" : c.rows),
                       c.reason);
    }
    // The last row and column themselves are fine.
    Workbook book = Workbook::Open(Sheet("<row r=\"1048576\"><c r=\"XFD1048576\"><v>7</v></c></row>"));
    EXPECT_EQ(book.Sheet("Hoja1").Cell(1048576, "XFD"), cells::CellValue(7.0));
}

TEST_F(HostileFiles, DamagedCompressedDataOrChecksum) {
    std::string rows;
    for (int row = 1; row <= 300; ++row)
        rows += "<row r=\"" + std::to_string(row) + "\"><c r=\"A" + std::to_string(row) + "\"><v>" +
                std::to_string(row * 7) + "</v></c></row>";
    const std::string whole = test::Slurp(Sheet(rows));
    const auto le = [&](std::size_t at, int bytes) {
        std::size_t value = 0;
        for (int i = bytes - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(whole[at + i]);
        return value;
    };
    const std::string name = "xl/worksheets/sheet1.xml";
    const std::size_t local = whole.find(name) - 30;         // the local header comes first
    const std::size_t central = whole.rfind(name) - 46;      // then the central directory's
    const std::size_t data = local + 30 + le(local + 26, 2) + le(local + 28, 2);
    ASSERT_EQ(le(local + 8, 2), 8U) << "deflated";
    // A byte of the compressed rows changed; the checksum changed in both headers.
    const std::vector<std::vector<std::size_t>> flips = {{data + le(local + 18, 4) / 2}, {local + 14, central + 16}};
    for (const auto& bytes : flips) {
        std::string damaged = whole;
        for (const std::size_t at : bytes) damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
        test::Spill(folder_ / "roto.xlsx", damaged);
        ExpectRefused(folder_ / "roto.xlsx", "está dañada");
    }
}

TEST_F(HostileFiles, ZipBombsAndOversizedParts) {
    // 64 MB of one repeated row compresses about a thousand times.
    std::string rows;
    rows.reserve(64 << 20);
    while (rows.size() < (64U << 20)) rows += "<row><c><v>0</v></c></row>";
    const auto bomb = Book([&](auto& p) { Replace(p, "xl/worksheets/sheet1.xml", SheetXml(rows)); });
    rows.clear();
    rows.shrink_to_fit();
    ExpectRefused(bomb, "posible bomba zip");

    const auto ordinary = Sheet("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>");
    OpenOptions limited[3];
    limited[0].limits.maxEntryBytes = 200;
    limited[1].limits.maxTotalBytes = 1000;
    limited[2].limits.maxEntries = 3;
    const char* reasons[] = {"es demasiado grande", "el paquete descomprimido es demasiado grande", "demasiadas partes"};
    for (int i = 0; i < 3; ++i) ExpectRefused(ordinary, reasons[i], limited[i]);
    EXPECT_EQ(Refusal(ordinary), "(accepted)");
}

}  // namespace
}  // namespace trevalco::workbook
