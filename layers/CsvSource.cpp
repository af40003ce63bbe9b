#include "CsvSource.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <set>
#include <string_view>

#include "Gdal.h"

namespace trevalco::layers {

namespace {

struct CoordinateColumn {
    const char* option;
    std::array<std::string_view, 8> names;  // upper case; empty ones unused
};

constexpr std::array<CoordinateColumn, 4> kColumns{{
    {"X_POSSIBLE_NAMES", {"X", "LON", "LONG", "LONGITUD", "LONGITUDE", "E", "ESTE", "EASTING"}},
    {"Y_POSSIBLE_NAMES", {"Y", "LAT", "LATITUD", "LATITUDE", "N", "NORTE", "NORTHING"}},
    {"Z_POSSIBLE_NAMES", {"Z", "ALTURA", "ELEVATION"}},
    {"GEOM_POSSIBLE_NAMES", {"WKT", "GEOMETRY", "GEOMETRIA"}},
}};

bool IsCoordinateName(std::string_view name) {
    return std::ranges::any_of(kColumns, [name](const CoordinateColumn& column) {
        return std::ranges::find(column.names, name) != column.names.end();
    });
}

// The header's names, upper case and without quotes or blanks around them,
// split at the first of ',', ';', tab or '|' outside quotes (as GDAL picks
// the separator).
std::vector<std::string> HeaderNames(std::string line) {
    if (line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    if (line.ends_with('\r')) line.pop_back();
    char separator = ',';
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') quoted = !quoted;
        if (!quoted && (c == ',' || c == ';' || c == '\t' || c == '|')) {
            separator = c;
            break;
        }
    }
    std::vector<std::string> names(1);
    quoted = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == separator && !quoted) {
            names.emplace_back();
        } else {
            names.back() += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    for (std::string& name : names) {
        const auto first = name.find_first_not_of(' ');
        name = first == std::string::npos ? std::string() : name.substr(first, name.find_last_not_of(' ') - first + 1);
    }
    return names;
}

}  // namespace

std::vector<std::string> CsvOpenOptions() {
    std::vector<std::string> options;
    for (const CoordinateColumn& column : kColumns) {
        std::string option = std::string(column.option) + "=";
        for (const std::string_view name : column.names)
            if (!name.empty()) option += std::string(name) + ",";
        option.pop_back();
        options.push_back(std::move(option));
    }
    options.emplace_back("KEEP_GEOM_COLUMNS=NO");
    return options;
}

void CheckCsvHeader(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::getline(in, line);
    std::set<std::string> seen;
    for (const std::string& name : HeaderNames(line))
        if (IsCoordinateName(name) && !seen.insert(name).second)
            throw LayerError("la cabecera de «" + path.filename().string() + "» tiene dos columnas «" + name +
                             "»; deje una sola para que se sepa de cuál tomar las coordenadas");
}

}  // namespace trevalco::layers
