// A save of a package workbook (.xlsx and .xlsm, and .xls and .ods through
// their private .xlsx), decided before anything is written: which parts are
// written anew or left out, where the result goes and what may stand there,
// and for .xls and .ods the LibreOffice conversion back to the workbook's
// own format. Workbook carries a plan out.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string_view>

#include "CellStyles.h"
#include "PackageParts.h"
#include "PackageWriter.h"
#include "PendingFile.h"
#include "Worksheet.h"

namespace trevalco::workbook {

class ZipArchive;

// The sheets read so far, by position in PackageParts::sheets.
using LoadedSheets = std::map<std::size_t, std::unique_ptr<Worksheet>>;

// The parts a save writes anew or leaves out. The changes read the archive
// and `styles` when the package is written: both stay in place until then.
struct PartChanges {
    // The workbook's styles, which the rewritten sheets add number formats
    // to; written last (null: the package has no styles part).
    std::unique_ptr<CellStyles> styles;
    PackageChanges changes;
};

// Every written sheet is rewritten with its cells; so is a sheet whose
// formulas read a written one (they lose their cached results) or whose tab
// selection changes with `activeSheet`. The styles and the workbook part go
// with them, and the calculation chain is dropped once a formula was written
// over. Throws WorkbookError when a part the workbook names is missing or
// damaged.
PartChanges PlanParts(const ZipArchive& archive, const PackageParts& parts, const LoadedSheets& sheets,
                      std::optional<std::size_t> activeSheet);

// LibreOffice's share of saving an .xls or .ods workbook: the package is
// written as an .xlsx in the workbook's private folder and converted there.
struct OfficeConversion {
    std::filesystem::path program;  // LibreOffice
    std::filesystem::path folder;   // the workbook's private folder
    std::string_view format;        // what it converts to: "xls" or "ods"
    std::chrono::seconds timeLimit;

    // The package handed to LibreOffice.
    std::filesystem::path Package() const { return folder / "resultado.xlsx"; }
};

struct SavePlan {
    std::filesystem::path target;
    // What the final move may do to a file that holds the target's name.
    output::ExistingFile existing = output::ExistingFile::Replace;
    PartChanges parts;
    // Nothing: the package itself is written to a temporary file beside the
    // target and moved into place.
    std::optional<OfficeConversion> office;
};

}  // namespace trevalco::workbook
