// The workbook part (workbook.xml) as saved after writing: the sheet that
// was worked on is the active tab, and formulas are all calculated again when
// the workbook is next opened, so that those reading written cells never show
// results from before the writes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace trevalco::workbook {

// `activeTab` is the place of the sheet among all sheets (nothing: kept).
// Throws WorkbookError when the part is damaged.
std::string RewriteWorkbookPart(const std::string& xml, const std::string& part, std::optional<std::size_t> activeTab,
                                bool calculateOnLoad);

}  // namespace trevalco::workbook
