// The three datums, their ellipsoids, and the four directions between them.
//
// SIRGAS stands for the datum of WGS84 and SIRGAS (GRS80 ellipsoid); PSAD56
// is the Provisional South American Datum of 1956 (International 1924
// ellipsoid); SAD69 the South American Datum of 1969 (South American 1969
// ellipsoid). Every conversion goes from SIRGAS to one of the other two or
// back: a direction names its source datum, which it reads, and its target
// datum, which it writes.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

namespace trevalco {

enum class Datum : std::uint8_t { Sirgas, Psad56, Sad69 };

// "SIRGAS", "PSAD56" or "SAD69", as messages and options name them.
constexpr std::string_view NameOf(Datum datum) {
    switch (datum) {
        case Datum::Sirgas: return "SIRGAS";
        case Datum::Psad56: return "PSAD56";
        case Datum::Sad69: break;
    }
    return "SAD69";
}

// A transformation direction. The window reads it from its option buttons,
// the command line from its four names.
enum class DirectionKey : std::uint8_t { SirgasToPsad56, SirgasToSad69, Psad56ToSirgas, Sad69ToSirgas };

inline constexpr DirectionKey kSirgasToPsad56 = DirectionKey::SirgasToPsad56;
inline constexpr DirectionKey kSirgasToSad69 = DirectionKey::SirgasToSad69;
inline constexpr DirectionKey kPsad56ToSirgas = DirectionKey::Psad56ToSirgas;
inline constexpr DirectionKey kSad69ToSirgas = DirectionKey::Sad69ToSirgas;

// Every direction, in the order the window's buttons and the help list them.
inline constexpr std::array<DirectionKey, 4> kDirections{kSirgasToPsad56, kSirgasToSad69, kPsad56ToSirgas,
                                                         kSad69ToSirgas};

// The direction's name on the command line: "SIRGAS_PSAD56", "SIRGAS_SAD69",
// "PSAD56_SIRGAS" or "SAD69_SIRGAS".
constexpr std::string_view NameOf(DirectionKey key) {
    switch (key) {
        case DirectionKey::SirgasToPsad56: return "SIRGAS_PSAD56";
        case DirectionKey::SirgasToSad69: return "SIRGAS_SAD69";
        case DirectionKey::Psad56ToSirgas: return "PSAD56_SIRGAS";
        case DirectionKey::Sad69ToSirgas: break;
    }
    return "SAD69_SIRGAS";
}

// Semi-major and semi-minor axis of an ellipsoid, in metres.
struct EllipsoidAxes {
    double a = 0.0;
    double b = 0.0;
    friend bool operator==(const EllipsoidAxes&, const EllipsoidAxes&) = default;
};

namespace datums {

inline constexpr EllipsoidAxes kSirgas{6378137.0, 6356752.3141};  // GRS80
inline constexpr EllipsoidAxes kPsad56{6378388.0, 6356911.946};   // International 1924
inline constexpr EllipsoidAxes kSad69{6378160.0, 6356774.719};    // South American 1969

// The first eccentricity squared, e2 = (a^2 - b^2) / a^2, as the geocentric
// conversion and the UTM inverse series work it out. (The forward series
// squares e = sqrt(a^2 - b^2) / a instead, which rounds differently; each
// keeps its own form.)
inline double EccentricitySquared(const EllipsoidAxes& axes) {
    return (std::pow(axes.a, 2) - std::pow(axes.b, 2)) / std::pow(axes.a, 2);
}

constexpr EllipsoidAxes AxesOf(Datum datum) {
    switch (datum) {
        case Datum::Sirgas: return kSirgas;
        case Datum::Psad56: return kPsad56;
        case Datum::Sad69: break;
    }
    return kSad69;
}

// The datum a direction reads, and the one it writes.
constexpr Datum SourceOf(DirectionKey key) {
    switch (key) {
        case DirectionKey::SirgasToPsad56:
        case DirectionKey::SirgasToSad69: return Datum::Sirgas;
        case DirectionKey::Psad56ToSirgas: return Datum::Psad56;
        case DirectionKey::Sad69ToSirgas: break;
    }
    return Datum::Sad69;
}

constexpr Datum TargetOf(DirectionKey key) {
    switch (key) {
        case DirectionKey::SirgasToPsad56: return Datum::Psad56;
        case DirectionKey::SirgasToSad69: return Datum::Sad69;
        case DirectionKey::Psad56ToSirgas:
        case DirectionKey::Sad69ToSirgas: break;
    }
    return Datum::Sirgas;
}

// The datum on the far side of SIRGAS: PSAD56 or SAD69.
constexpr Datum LocalDatumOf(DirectionKey key) {
    return SourceOf(key) == Datum::Sirgas ? TargetOf(key) : SourceOf(key);
}

// The direction from one datum to another; nothing when no direction joins
// them (a datum to itself, PSAD56 to SAD69).
constexpr std::optional<DirectionKey> DirectionBetween(Datum source, Datum target) {
    for (const DirectionKey key : kDirections)
        if (SourceOf(key) == source && TargetOf(key) == target) return key;
    return std::nullopt;
}

// The source and target ellipsoids of a direction.
struct Ellipsoids {
    EllipsoidAxes source;
    EllipsoidAxes target;
};

constexpr Ellipsoids EllipsoidsFor(DirectionKey key) { return {AxesOf(SourceOf(key)), AxesOf(TargetOf(key))}; }

// What `Make(a, b)` works out from an ellipsoid alone (a projection's series
// terms), worked out once for each of the three datums' ellipsoids, where
// it is the same number on every call, and anew for any other.
template <auto Make>
auto ForEllipsoid(double a, double b) {
    static const auto sirgas = Make(kSirgas.a, kSirgas.b);
    static const auto psad56 = Make(kPsad56.a, kPsad56.b);
    static const auto sad69 = Make(kSad69.a, kSad69.b);
    const EllipsoidAxes axes{a, b};
    if (axes == kSirgas) return sirgas;
    if (axes == kPsad56) return psad56;
    if (axes == kSad69) return sad69;
    return Make(a, b);
}

// A three-parameter geocentric shift from one datum to another, in whole
// metres (EPSG method 9603, geocentric translations). The shift back is its
// negation.
struct Shift {
    std::int16_t dX = 0;
    std::int16_t dY = 0;
    std::int16_t dZ = 0;

    constexpr Shift Inverse() const {
        return {static_cast<std::int16_t>(-dX), static_cast<std::int16_t>(-dY), static_cast<std::int16_t>(-dZ)};
    }
    friend bool operator==(const Shift&, const Shift&) = default;
};

// A latitude and a longitude in degrees: magnitudes (south and west
// positive) or signed (south and west negative), as each function says.
struct LatLon {
    double latitude = 0.0;
    double longitude = 0.0;
};

}  // namespace datums
}  // namespace trevalco
