// The columns a batch run reads and writes, page by page, as column letters
// ("B"); an empty letter is a selector with nothing chosen.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace trevalco::batch {

// Page "Decimal de Grado".
struct DecimalColumns {
    std::string latitude, longitude;               // read
    std::string northing, easting;                 // source UTM
    std::string latitude2, longitude2;             // target position
    std::string northing2, easting2;               // target UTM
};

// Page "Grados Minutos Segundos".
struct DmsColumns {
    std::string latDegrees, latMinutes, latSeconds;  // read
    std::string lonDegrees, lonMinutes, lonSeconds;  // read
    std::string latitude, longitude;                 // source position
    std::string northing, easting;                   // source UTM
    std::string latitude2, longitude2;               // target position
    std::string northing2, easting2;                 // target UTM
};

// Page "UTM": every row lies in the page's zone.
struct UtmColumns {
    std::string northing, easting;      // read
    std::string latitude, longitude;    // source position
    std::string latitude2, longitude2;  // target position
    std::string northing2, easting2;    // target UTM
    std::optional<std::int16_t> zone;   // nothing: no zone chosen
};

using PageColumns = std::variant<DecimalColumns, DmsColumns, UtmColumns>;

// One field of a page, by the name the command line gives it.
struct ColumnRole {
    std::string_view name;           // "lat", "n2", "latd" ...
    std::string_view firstOffered;   // the column its selector offers first
    bool read = false;               // read from the sheet, or written
};

// The roles of a page, in the order of its selectors' guided sequence.
const std::vector<ColumnRole>& RolesOf(const PageColumns& page);
// The letter of a role (nullptr for a name the page does not have).
std::string* LetterOf(PageColumns& page, std::string_view role);
const std::string* LetterOf(const PageColumns& page, std::string_view role);

// Every letter the page needs, read ones first.
std::vector<std::string> AllLetters(const PageColumns& page);

// A page whose every role has the column its selector offers first, and the
// UTM page zone 18.
PageColumns WithFirstOfferedColumns(PageColumns page);

}  // namespace trevalco::batch
