// The ranges a point must lie in, in degrees, each defined once. Latitudes
// are south and longitudes west; the bounds are magnitudes and inclusive
// unless a check says otherwise.
#pragma once

namespace trevalco::limits {

struct Range {
    double low;
    double high;
    constexpr bool Holds(double value) const { return value >= low && value <= high; }
};

// The latitudes of continental Chile that every input may hold.
inline constexpr Range kLatitude{17, 56};
// The longitudes the batch runs, the command line and the point tab's
// decimal degrees accept (the point tab takes 66 itself out).
inline constexpr Range kInputLongitude{66, 77};
// The longitudes of the transformation range, and of the degrees of a
// longitude typed or read as degrees, minutes and seconds.
inline constexpr Range kLongitude{66, 76};

}  // namespace trevalco::limits
