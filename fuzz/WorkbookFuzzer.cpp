// Fuzzes the workbook reader. An input that starts like a zip is opened as a
// whole package: parts, shared texts, every worksheet read and a few cells
// written and streamed out again. Any other input is taken as one worksheet
// part, read, written into and streamed out; the result must read again and
// hold the cells written. Refusals (WorkbookError) are the expected outcome
// for most inputs; crashes, hangs, leaks and a failed check are findings.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "CellReference.h"
#include "PackageParts.h"
#include "SharedStrings.h"
#include "SheetReader.h"
#include "SheetWriter.h"
#include "Worksheet.h"
#include "WorkbookError.h"
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
}

void Package(std::span<const char> bytes) {
    PackageLimits limits;
    limits.maxEntryBytes = 32U << 20;
    limits.maxTotalBytes = 64U << 20;
    const ZipArchive archive = ZipArchive::OpenBytes(bytes, limits);
    const PackageParts parts = ReadPackageParts(archive);
    const SharedStrings shared =
        parts.sharedStringsPart ? SharedStrings::Read(archive, *parts.sharedStringsPart) : SharedStrings();
    std::size_t done = 0;
    for (const SheetEntry& entry : parts.sheets) {
        if (++done > 4) break;
        Worksheet sheet(entry.name, entry.part, ReadSheet(archive, entry.part, shared.Count()), shared);
        Touch(sheet);
        SheetWriter writer(std::make_unique<EntrySource>(archive, *archive.Find(entry.part)), sheet.Written(),
                           {sheet.UsedRange(), nullptr, true, false}, entry.part);
        (void)Drain(writer);
    }
}

void SinglePart(std::span<const char> bytes) {
    const std::string part = "xl/worksheets/sheet1.xml";
    const SharedStrings none;
    TextSource original{std::string(bytes.data(), bytes.size())};
    Worksheet sheet("Hoja1", part, ReadSheet(original, part, 0), none);
    Touch(sheet);
    const std::int32_t added = std::min(sheet.LastRow(), kMaxRows);
    SheetWriter writer(std::make_unique<TextSource>(std::string(bytes.data(), bytes.size())), sheet.Written(),
                       {sheet.UsedRange(), nullptr, true, false}, part);
    const std::string written = Drain(writer);
    if (written.size() > kMostOutput) return;
    // What was written must read again, with the cell added below the data.
    TextSource again{written};
    const CellGrid reread = ReadSheet(again, part, 0);
    const StoredCell* cell = reread.Find(added, 3);
    if (cell == nullptr || cell->kind != CellKind::OwnText || reread.OwnText(*cell) != "nueva") std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const char> bytes(reinterpret_cast<const char*>(data), size);
    try {
        if (size >= 4 && data[0] == 'P' && data[1] == 'K') Package(bytes);
        else SinglePart(bytes);
    } catch (const WorkbookError&) {
        // A refusal with a message: what hostile input should get.
    }
    return 0;
}
