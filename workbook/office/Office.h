// LibreOffice as a converter between .xls/.ods and .xlsx: headless, a
// private profile folder for every call, a time limit, and nothing of it left
// running afterwards.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace trevalco::workbook {

// LibreOffice's program ("soffice", else "libreoffice") on the PATH.
std::optional<std::filesystem::path> FindOffice();

// The conversion filter for a target extension: "xlsx", "xls" or "ods".
std::string_view OfficeFilterFor(std::string_view extension);

// Converts `input` to the format of `extension` inside `workFolder` (which
// the caller owns and removes; LibreOffice's own temporary files go there
// too) and returns the converted file. Throws WorkbookError with the reason
// (time-out, failure, LibreOffice's words), or Interrupted as soon as `stop`
// says so, LibreOffice ended at once.
std::filesystem::path ConvertWithOffice(const std::filesystem::path& program, const std::filesystem::path& input,
                                        std::string_view extension, const std::filesystem::path& workFolder,
                                        std::chrono::seconds limit, const std::function<bool()>& stop = {});

}  // namespace trevalco::workbook
