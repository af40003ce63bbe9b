// Writes a new package from an open one: every part not named in the changes
// is copied as it was (its compressed bytes, when libzip can), changed parts
// are streamed from their sources, dropped parts are left out. The entry
// order is kept, but for the parts asked to come last.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>
#include <string>

#include "PartSource.h"

namespace trevalco::workbook {

class ZipArchive;

struct PackageChanges {
    // Entry name → makes the source of the part's new content.
    std::map<std::string, std::function<std::unique_ptr<PartSource>()>> replaced;
    std::set<std::string> dropped;
    // Replaced parts written after all the others, in this order, because
    // their content depends on what the others needed (the styles).
    std::vector<std::string> last;
};

// Writes the package to `file`, which must not exist yet. Throws
// WorkbookError (the reason only); a failed write leaves no file there.
void WritePackage(const ZipArchive& source, const std::filesystem::path& file, const PackageChanges& changes);

}  // namespace trevalco::workbook
