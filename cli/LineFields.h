// Splits a line of `trevalco-cli convert` input into the fields it skips (a
// point name in front), the coordinate fields, and the rest of the line,
// which the command passes through unchanged. Fields are separated by runs of
// blanks, or by one delimiter (";", "," or tab) with quoted fields as in a
// CSV file. Every piece is a view into the line, as it stands.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace trevalco::cli {

struct LineLayout {
    std::optional<char> delimiter;  // nothing: runs of blanks and tabs
    std::size_t skipFields = 0;
};

inline constexpr std::size_t kMostCoordinateFields = 6;

struct LineFields {
    // Written out: a defaulted constructor has GCC clear the whole struct
    // with rep stos on every line.
    LineFields() {}  // NOLINT(modernize-use-equals-default)

    bool blank = false;           // nothing but blanks
    std::string_view leading;     // the skipped fields and what stands between them
    std::array<std::string_view, kMostCoordinateFields> fields{};
    std::size_t count = 0;        // coordinate fields found (at most `wanted`)
    std::string_view rest;        // what follows the last coordinate field and its separator

    // Gives the fields from `index` on back to the rest of the line.
    void PassFrom(std::size_t index, std::string_view line);
};

// `wanted` is at most kMostCoordinateFields. A trailing carriage return is
// not part of the line.
LineFields SplitLine(std::string_view line, const LineLayout& layout, std::size_t wanted);

// The text of a field: quotes around it taken off and doubled quotes made
// single (only with a delimiter); `scratch` holds it when it had to change.
std::string_view FieldText(std::string_view field, bool delimited, std::string& scratch);

}  // namespace trevalco::cli
