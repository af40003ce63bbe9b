// Small parts rewritten by leaving some of their top-level entries out,
// everything else kept byte for byte.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace trevalco::workbook {

// Drops every child of the root element for which `drop(localName,
// attributes)` is true. Throws WorkbookError when the part is damaged.
std::string DropEntries(std::string_view xml, const std::string& part,
                        const std::function<bool(std::string_view, const char**)>& drop);

}  // namespace trevalco::workbook
