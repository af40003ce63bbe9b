// The output formats, chosen by the output's extension (a PostGIS table by
// its "PG:" name, PostgisTable.h), and what each needs from GDAL when it is
// created.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace trevalco::layers {

enum class FormatKind : std::uint8_t { GeoPackage, Shapefile, Kml, GeoJson, FlatGeobuf, Dxf, Csv, PostGis };

struct OutputFormat {
    FormatKind kind = FormatKind::GeoPackage;
    const char* driver = "";
};

// The format of an output path (".gpkg", ".shp", ".kml", ".geojson", ".fgb",
// ".dxf", ".csv", in any case); none for another extension.
std::optional<OutputFormat> FormatOf(const std::filesystem::path& output);

inline constexpr OutputFormat kPostGisFormat{FormatKind::PostGis, "PostgreSQL"};

// The extensions the command writes, for its messages.
inline constexpr const char* kOutputExtensions = ".gpkg, .shp, .kml, .geojson, .fgb, .dxf o .csv";
inline constexpr const char* kOutputKinds = ".gpkg, .shp, .kml, .geojson, .fgb, .dxf o .csv, o ser una base PG:";

// GDAL's dataset and layer creation options of a format. `folder` is where
// the DXF header template is written; `description` goes where the format
// keeps a layer description (GeoPackage, GeoJSON), and KML's document id
// names the set of shifts used ("trevalco-desplazamientos-epsg"). A table's
// description is its comment.
struct CreationOptions {
    std::vector<std::string> dataset, layer;
};
CreationOptions OptionsFor(FormatKind kind, const std::filesystem::path& folder, const std::string& description,
                           const std::string& shiftSet);

// Writes GDAL's stock DXF header with metres as its units ($INSUNITS 6,
// $MEASUREMENT 1) to `path`. Throws LayerError.
void WriteDxfHeader(const std::filesystem::path& path);

// A NULL-terminated list of option texts for GDAL's C calls.
class OptionList {
public:
    explicit OptionList(const std::vector<std::string>& options);
    char** Get() { return pointers_.data(); }

private:
    std::vector<std::string> texts_;
    std::vector<char*> pointers_;
};

}  // namespace trevalco::layers
