// Fuzzes the workbook reader and the sheet writer. An input that starts like
// a zip is opened as a whole package: parts, shared texts, every worksheet
// read and a few cells written and streamed out again. An input that starts
// like XML is taken as one worksheet part, read, written into and streamed
// out; the result must read again and hold the cells written. Each written
// sheet is streamed out twice: once with its rows going the way reading found
// for them (round expat when they are plain), once with every row parsed;
// both must give the same bytes, or the same refusal. Any other input is a
// text file (.csv): opened, every cell of its first rows read, cells written
// inside, past the end of a line and below the last one, saved, and opened
// again. Refusals (WorkbookError) are the expected outcome for most inputs;
// crashes, hangs, leaks and a failed check are findings.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <span>
#include <string>

#include <unistd.h>

#include "CellReference.h"
#include "PackageParts.h"
#include "SharedStrings.h"
#include "SheetReader.h"
#include "SheetWriter.h"
#include "Worksheet.h"
#include "WorkbookError.h"
#include "Workbook.h"
#include "ZipArchive.h"

namespace {

using namespace trevalco::workbook;

constexpr std::size_t kMostOutput = 64U << 20;

std::string Drain(PartSource& source) {
    std::string out;
    char buffer[1 << 14];
    for (std::size_t got; (got = source.Read(buffer, sizeof buffer)) > 0;) {
        out.append(buffer, got);
        if (out.size() > kMostOutput) break;
    }
    return out;
}

void Touch(Worksheet& sheet) {
    const std::int32_t rows = std::min(sheet.LastRow(), 40);
    const std::int32_t columns = std::min(sheet.LastColumn(), 30);
    for (std::int32_t row = 1; row <= rows; ++row)
        for (std::int32_t column = 1; column <= columns; ++column) (void)sheet.Cell(row, column);
    sheet.Write(1, "B", "escrito & <1>");
    sheet.Write(2, "A", " _x0041_ ");
    sheet.WriteNumber(3, "D", "-12.50", 2);
    sheet.Write(std::min(sheet.LastRow() + 1, kMaxRows), "C", "nueva");
    // A cell read is replaced, so that a row keeps some cells and loses one.
    for (std::int32_t row = 4; row <= rows; ++row)
        for (std::int32_t column = 1; column <= columns; ++column)
            if (!std::holds_alternative<std::monostate>(sheet.Cell(row, column))) {
                sheet.WriteNumber(row, column, "7", 0);
                return;
            }
}

// The sheet's part streamed out with the written cells, rows going the way
// `layout` says; or the refusal.
std::string Saved(const std::function<std::unique_ptr<PartSource>()>& original, const Worksheet& sheet,
                  const std::string& part, const RowsLayout& layout) {
    try {
        SheetWriter writer(original(), sheet.Written(), {sheet.UsedRange(), nullptr, true, false, layout}, part);
        return Drain(writer);
    } catch (const WorkbookError& error) {
        return std::string("refused: ") + error.what();
    }
}

// Streams the sheet out both ways (see above); returns what was written.
std::string SavedBothWays(const std::function<std::unique_ptr<PartSource>()>& original, const Worksheet& sheet,
                          const std::string& part) {
    const std::string found = Saved(original, sheet, part, sheet.Rows());
    RowsLayout parsed = sheet.Rows();
    parsed.plain = false;
    if (sheet.Rows().plain && Saved(original, sheet, part, parsed) != found) std::abort();
    return found;
}

void Package(std::span<const char> bytes) {
    PackageLimits limits;
    limits.maxEntryBytes = 32U << 20;
    limits.maxTotalBytes = 64U << 20;
    const ZipArchive archive = ZipArchive::OpenBytes(bytes, limits);
    const PackageParts parts = ReadPackageParts(archive);
    const LazySharedStrings shared = parts.sharedStringsPart && archive.Find(*parts.sharedStringsPart)
                                         ? LazySharedStrings(archive, *parts.sharedStringsPart)
                                         : LazySharedStrings();
    std::size_t done = 0;
    for (const SheetEntry& entry : parts.sheets) {
        if (++done > 4) break;
        Worksheet sheet(entry.name, entry.part, ReadSheet(archive, entry.part), shared);
        Touch(sheet);
        const auto index = *archive.Find(entry.part);
        (void)SavedBothWays([&] { return std::make_unique<EntrySource>(archive, index); }, sheet, entry.part);
    }
}

// What a read of the part gives, as text (the cells of its first rows and
// columns), or its refusal.
std::string ReadAsText(std::span<const char> bytes, const std::string& part, std::size_t pieceBytes) {
    TextSource source{std::string(bytes.data(), bytes.size())};
    try {
        const CellGrid grid = ReadSheet(source, part, pieceBytes);
        std::string all = std::to_string(grid.CellCount()) + " " + std::to_string(grid.Rows().start) + "-" +
                          std::to_string(grid.Rows().end) + (grid.Rows().plain ? "p " : " ");
        if (const auto& fault = grid.RowOrder()) all += std::to_string(fault->row) + "<" + std::to_string(fault->after) + " ";
        for (std::int32_t row = 1; row <= std::min(grid.LastRow(), 200); ++row)
            for (std::int32_t column = 1; column <= std::min(grid.LastColumn(), 50); ++column)
                if (const StoredCell* cell = grid.Find(row, column))
                    all += std::to_string(row) + "," + std::to_string(column) + "=" +
                           (cell->kind == CellKind::OwnText ? std::string(grid.OwnText(*cell)) : std::to_string(cell->payload)) + " ";
        return all;
    } catch (const WorkbookError& error) {
        return error.what();
    }
}

void SinglePart(std::span<const char> bytes) {
    const std::string part = "xl/worksheets/sheet1.xml";
    // Rows read in pieces on other threads give what a reading in order gives.
    if (ReadAsText(bytes, part, 0) != ReadAsText(bytes, part, 24)) std::abort();
    const LazySharedStrings none;
    TextSource original{std::string(bytes.data(), bytes.size())};
    Worksheet sheet("Hoja1", part, ReadSheet(original, part), none);
    Touch(sheet);
    const std::int32_t added = std::min(sheet.LastRow(), kMaxRows);
    const std::string written = SavedBothWays(
        [&] { return std::make_unique<TextSource>(std::string(bytes.data(), bytes.size())); }, sheet, part);
    if (written.size() > kMostOutput || written.starts_with("refused: ")) return;
    // What was written must read again, with the cell added below the data.
    TextSource again{written};
    const CellGrid reread = ReadSheet(again, part);
    const StoredCell* cell = reread.Find(added, 3);
    if (cell == nullptr || cell->kind != CellKind::OwnText || reread.OwnText(*cell) != "nueva") std::abort();
}

void TextFile(std::span<const char> bytes) {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / ("trevalco-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    const std::filesystem::path source = folder / "puntos.csv";
    std::ofstream(source, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    OpenOptions options;
    options.limits.maxSmallPartBytes = 1U << 20;
    std::filesystem::path written;
    {
        Workbook book = Workbook::Open(source, options);
        Worksheet& sheet = book.Sheet("puntos");
        Touch(sheet);
        sheet.WriteNumber(1, "E", "-12.5", 1);
        written = book.SaveAs(folder / "puntos_1");
    }
    // What was written is a text file that opens again.
    Workbook again = Workbook::Open(written, options);
    (void)again.Sheet("puntos_1").Cell(1, 1);
}

bool LooksLikeXml(std::span<const char> bytes) {
    for (const char c : bytes) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        return c == '<';
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const char> bytes(reinterpret_cast<const char*>(data), size);
    try {
        if (size >= 4 && data[0] == 'P' && data[1] == 'K') Package(bytes);
        else if (LooksLikeXml(bytes)) SinglePart(bytes);
        else TextFile(bytes);
    } catch (const WorkbookError&) {
        // A refusal with a message: what hostile input should get.
    }
    return 0;
}
