// Where a batch run's result goes: the folder of the source workbook, the
// file name up to its first ".", then "_1" and the extension of the format
// written. Paths are plain texts as the user typed or chose them; both "/" and
// "\" end a folder.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace trevalco::output {

// 1-based position of the last "/" or "\" in the path, 0 when it has none.
std::size_t LastSeparatorPos(std::string_view path);

// The folder of a path, up to and including its last separator ("" for a
// bare file name): "/home/ana/datos.xlsx" gives "/home/ana/".
std::string_view FolderOf(std::string_view path);

// The file name: whatever follows the last separator.
std::string_view FileNameOf(std::string_view path);

// The stem of a file name: up to its first "." (the whole name when it has
// none). Dots that open the name belong to the stem, so ".datos.xlsx" gives
// ".datos" rather than an empty stem.
std::string_view StemOf(std::string_view fileName);

// Folder + stem + "_1": the name a run hands to Workbook::SaveAs, which adds
// the extension of the workbook's format.
std::string OutputBaseFor(std::string_view sourcePath);

// Folder + stem + "_1" + extension (extension given with its dot, ".xlsx").
std::string OutputPathFor(std::string_view sourcePath, std::string_view extension);

// Where a run's interim saves go, never the output's own name: folder + stem
// + "_1 (incompleto)", to which Workbook::SaveAs adds the extension.
std::string RecoveryBaseFor(std::string_view sourcePath);

}  // namespace trevalco::output
