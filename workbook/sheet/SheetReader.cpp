#include "SheetReader.h"

#include "ParallelSheetRead.h"
#include "PrefetchSource.h"
#include "WorkbookError.h"
#include "ZipArchive.h"

namespace trevalco::workbook {

CellGrid ReadSheet(PartSource& source, const std::string& part, std::size_t pieceBytes) {
    ParallelSheetRead read(part, pieceBytes);
    std::string buffer(1 << 17, '\0');
    for (;;) {
        const std::size_t got = source.Read(buffer.data(), buffer.size());
        if (got == 0) break;
        read.Take(buffer.data(), got);
    }
    return read.Finish();
}

CellGrid ReadSheet(const ZipArchive& archive, const std::string& part) {
    const auto index = archive.Find(part);
    if (!index) throw WorkbookError("falta la parte " + part);
    EntrySource entry(archive, *index);
    PrefetchSource source(entry);  // inflating overlaps with parsing
    return ReadSheet(source, part, kRowsPieceBytes);
}

}  // namespace trevalco::workbook
