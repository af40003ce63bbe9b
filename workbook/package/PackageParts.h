// The map of a workbook package: where the workbook part is, its worksheets
// in workbook order with their parts, and the shared parts the cells need.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trevalco::workbook {

class ZipArchive;

struct SheetEntry {
    std::string name;
    std::string part;  // "xl/worksheets/sheet1.xml"
    std::size_t tab = 0;  // its place among all the workbook's sheets, chart sheets included
};

struct PackageParts {
    std::string workbookPart;
    std::string workbookRelationshipsPart;
    std::vector<SheetEntry> sheets;  // worksheets only, in the workbook's order
    std::optional<std::string> sharedStringsPart;
    std::optional<std::string> calcChainPart;
    std::optional<std::string> stylesPart;
};

// Reads [Content_Types].xml's presence, the package relationships, the
// workbook and its relationships. Throws WorkbookError when a part is
// missing or damaged.
PackageParts ReadPackageParts(const ZipArchive& archive);

// "xl/_rels/workbook.xml.rels" for "xl/workbook.xml".
std::string RelationshipsPartOf(std::string_view part);

// Resolves a relationship target against the part that holds it:
// "worksheets/sheet1.xml" from "xl/workbook.xml" is "xl/worksheets/sheet1.xml";
// "/xl/x.xml" is "xl/x.xml". Nothing when it climbs out of the package.
std::optional<std::string> ResolveTarget(std::string_view sourcePart, std::string_view target);

// Whether two part names are the same: they compare without regard to
// ASCII case ("/xl/calcChain.xml" and "/xl/calcchain.xml").
bool SamePartName(std::string_view a, std::string_view b);

// Whether a relationship type names the given kind ("worksheet",
// "sharedStrings", ...), in the transitional or the strict vocabulary.
bool IsRelationshipType(std::string_view type, std::string_view kind);

}  // namespace trevalco::workbook
