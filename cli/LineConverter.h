// Converts one line of `trevalco-cli convert` input: checks it as a row of a
// sheet of its notation would be checked, runs the point chain, and writes the
// ten output fields, with the fields it skipped in front and the rest of the
// line after them, both as they stand.
#pragma once

#include <string>
#include <string_view>

#include "Chain.h"
#include "ConvertSettings.h"
#include "NumberText.h"

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
    struct Source;
    struct Fields;

    LineResult ConvertDecimal(const Fields& fields, std::string& out) const;
    LineResult ConvertDms(const Fields& fields, std::string& out) const;
    LineResult ConvertUtm(const Fields& fields, std::string& out) const;
    // From a known source position on: band, transformation range, target.
    LineResult Finish(const Source& source, std::string& out) const;

    void AppendSource(const Source& source, std::string& out) const;
    // Latitude, longitude (ten decimals), northing, easting (three), zone.
    void AppendPosition(double latitude, double longitude, const chain::UtmPosition& utm,
                        std::string& out) const;

    ConvertSettings settings_;
    NumberText::Separators separators_;  // of the numbers read
    NumberText::Mask degrees_{"##0.0000000000"};
    NumberText::Mask metres_{"########0.000"};
};

}  // namespace trevalco::cli
