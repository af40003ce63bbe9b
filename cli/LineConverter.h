// Converts one line of `trevalco-cli convert` input: reads the line's fields
// as the cells of a sheet row of its notation, asks the point core, and
// writes the ten output fields, with the fields it skipped in front and the
// rest of the line after them, both as they stand.
#pragma once

#include <string>
#include <string_view>

#include "ConvertSettings.h"
#include "PointCore.h"

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
    // The reason a line was not converted, in the program's words, and what
    // the line held and what to do about it.
    std::string ReasonFor(const core::Outcome& outcome, const Fields& fields) const;
    std::string AdviceFor(const core::Outcome& outcome, const Fields& fields) const;
    // The output's dialect: the input's separator and decimal comma with
    // --delimiter or --decimal-comma, else tabs and ".".
    // A position's five fields through the core's masks, straight into the
    // line: the core is asked for values only, which spares copying texts.
    void AppendPosition(const core::Position& position, std::string& out) const;
    void AppendStars(std::size_t count, std::string& out) const;

    ConvertSettings settings_;
    core::Settings core_;
    char separator_ = '\t';
    number_text::Separators written_;  // the decimal separator of the fields written
    const number_text::Mask& degrees_ = core::DegreesMask();
    const number_text::Mask& metres_ = core::MetresMask();
};

}  // namespace trevalco::cli
