// Converts one line of `trevalco-cli convert` input: reads the line's fields
// as the cells of a sheet row of its notation, asks the point core, and
// writes the ten output fields, with the fields it skipped in front and the
// rest of the line after them, both as they stand.
#pragma once

#include <string>
#include <string_view>

#include "ConvertSettings.h"
#include "PointConversion.h"

namespace trevalco::cli {

enum class LineOutcome { Blank, Converted, Rejected };

struct LineResult {
    LineOutcome outcome = LineOutcome::Blank;
    std::string reason;  // the program's message for a rejected line
};

class LineConverter {
public:
    explicit LineConverter(ConvertSettings settings);

    // Appends the output line, without its line end, to out.
    LineResult Convert(std::string_view line, std::string& out) const;

private:
    struct Fields;

    // The point core's outcome of the line's coordinate fields.
    core::Outcome ConvertFields(const Fields& fields, LineResult& result) const;
    // The reason a line was not converted, in the program's words.
    static std::string ReasonFor(const core::Outcome& outcome);

    ConvertSettings settings_;
    core::Settings core_;
};

}  // namespace trevalco::cli
