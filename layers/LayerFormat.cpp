#include "LayerFormat.h"

#include <cpl_conv.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "Gdal.h"

namespace trevalco::layers {

namespace {

struct Extension {
    const char* text;
    OutputFormat format;
};

constexpr Extension kExtensions[] = {
    {".gpkg", {FormatKind::GeoPackage, "GPKG"}},   {".shp", {FormatKind::Shapefile, "ESRI Shapefile"}},
    {".kml", {FormatKind::Kml, "KML"}},            {".geojson", {FormatKind::GeoJson, "GeoJSON"}},
    {".fgb", {FormatKind::FlatGeobuf, "FlatGeobuf"}}, {".dxf", {FormatKind::Dxf, "DXF"}},
    {".csv", {FormatKind::Csv, "CSV"}},
};

// Sets the value line that follows a header variable's group code:
// "$INSUNITS\n 70\n     1" becomes "$INSUNITS\n 70\n     6".
void SetHeaderValue(std::string& header, const std::string& variable, const char* value) {
    const std::size_t at = header.find("\n" + variable + "\n");
    if (at == std::string::npos) throw LayerError("la cabecera DXF de GDAL no tiene " + variable);
    const std::size_t code = header.find('\n', at + variable.size() + 2);
    const std::size_t end = header.find('\n', code + 1);
    if (code == std::string::npos || end == std::string::npos)
        throw LayerError("la cabecera DXF de GDAL no tiene valor para " + variable);
    header.replace(code + 1, end - code - 1, value);
}

}  // namespace

std::optional<OutputFormat> FormatOf(const std::filesystem::path& output) {
    std::string extension = output.extension().string();
    std::ranges::transform(extension, extension.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const Extension& known : kExtensions)
        if (extension == known.text) return known.format;
    return std::nullopt;
}

CreationOptions OptionsFor(FormatKind kind, const std::filesystem::path& folder, const std::string& description,
                           const std::string& shiftSet) {
    switch (kind) {
        // The spatial index is made right after the layer (IndexAsWritten),
        // not the way GDAL defers it to the layer's closing.
        case FormatKind::GeoPackage: return {{}, {"DESCRIPTION=" + description, "SPATIAL_INDEX=NO"}};
        case FormatKind::GeoJson: return {{}, {"DESCRIPTION=" + description, "SPATIAL_INDEX=NO"}};
        case FormatKind::Kml: return {{"DOCUMENT_ID=trevalco-desplazamientos-" + shiftSet}, {}};
        case FormatKind::Csv: return {{}, {"GEOMETRY=AS_WKT", "CREATE_CSVT=YES"}};
        case FormatKind::Shapefile: return {{}, {"ENCODING=UTF-8"}};
        case FormatKind::Dxf: {
            const std::filesystem::path header = folder / ".cabecera.dxf";
            WriteDxfHeader(header);
            return {{"HEADER=" + header.string()}, {}};
        }
        case FormatKind::FlatGeobuf: return {{}, {"SPATIAL_INDEX=NO"}};  // an index reorders the features
        case FormatKind::PostGis: return {{}, {"DESCRIPTION=" + description}};
    }
    return {};
}

void WriteDxfHeader(const std::filesystem::path& path) {
    const char* stock = CPLFindFile("gdal", "header.dxf");
    std::ifstream in(stock == nullptr ? "" : stock, std::ios::binary);
    if (!in) throw LayerError("no se encontró la cabecera DXF de GDAL (header.dxf)");
    std::ostringstream read;
    read << in.rdbuf();
    std::string header = read.str();
    SetHeaderValue(header, "$INSUNITS", "     6");
    SetHeaderValue(header, "$MEASUREMENT", "     1");
    std::ofstream out(path, std::ios::binary);
    out << header;
    if (!out.flush()) throw LayerError("no se pudo escribir la cabecera DXF");
}

OptionList::OptionList(const std::vector<std::string>& options) : texts_(options) {
    for (std::string& text : texts_) pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
}

}  // namespace trevalco::layers
