// A CSV source layer: the names of the columns GDAL takes its coordinates
// from (X/Y or longitude/latitude or easting/northing, Z, WKT), given to it
// as open options, and the check its header needs first.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace trevalco::layers {

std::vector<std::string> CsvOpenOptions();

// Throws LayerError when the header names a coordinate column twice
// ("X,Y,Z,Z"): GDAL 3.6 reads past its field list on such a file and
// crashes instead of refusing it.
void CheckCsvHeader(const std::filesystem::path& path);

}  // namespace trevalco::layers
