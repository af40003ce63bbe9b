#include "LayerCatalog.h"

#include <ogrsf_frmts.h>

#include "CsvSource.h"
#include "Gdal.h"
#include "LayerFormat.h"

namespace trevalco::layers {

namespace fs = std::filesystem;

namespace {

constexpr int kChoiceZones[] = {18, 19};
constexpr int kWgs84 = 4326;

bool IsCsv(const fs::path& path) {
    const std::optional<OutputFormat> format = FormatOf(path);
    return format && format->kind == FormatKind::Csv;
}

// Opened as the conversion opens it: a CSV with its coordinate columns named.
GDALDatasetUniquePtr OpenLayers(const fs::path& file) {
    std::error_code error;
    const std::string quoted = "«" + file.string() + "»";
    if (!fs::is_regular_file(file, error)) throw LayerError("no existe el archivo " + quoted);
    if (IsCsv(file)) CheckCsvHeader(file);
    OptionList options(IsCsv(file) ? CsvOpenOptions() : std::vector<std::string>{});
    GDALDatasetUniquePtr dataset(
        GDALDataset::Open(file.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, options.Get(), nullptr));
    if (!dataset)
        throw LayerError("no se puede leer " + quoted + " como capa vectorial (formato desconocido, archivo dañado o " +
                         "incompleto)");
    return dataset;
}

LayerEntry EntryOf(OGRLayer& layer) {
    LayerEntry entry{layer.GetName(), layer.GetFeatureCount(TRUE), false, std::nullopt, "sin sistema de referencia"};
    const OGRSpatialReference* srs = layer.GetSpatialRef();
    if (srs == nullptr) return entry;
    entry.declaresCrs = true;
    const CrsReading reading = IdentifyCrs(*srs);
    entry.crs = reading.crs;
    entry.crsText = reading.crs ? CrsText(reading.crs->code) : reading.error;
    return entry;
}

}  // namespace

std::vector<LayerEntry> ListLayers(const fs::path& file) {
    RegisterDrivers();
    const QuietGdal quiet;
    GDALDatasetUniquePtr dataset = OpenLayers(file);
    std::vector<LayerEntry> entries;
    for (OGRLayer* layer : dataset->GetLayers()) entries.push_back(EntryOf(*layer));
    if (entries.empty()) throw LayerError("«" + file.string() + "» no tiene capas");
    return entries;
}

std::vector<CrsChoice> CrsChoices() {
    const QuietGdal quiet;
    std::vector<CrsChoice> choices;
    for (const int geographic : {GeographicCode(Datum::Psad56, kDefaultSirgas),
                                 GeographicCode(Datum::Sad69, kDefaultSirgas), kWgs84, kDefaultSirgas}) {
        std::vector<int> codes{geographic};
        for (const int zone : kChoiceZones)
            if (const std::optional<int> utm = UtmCode(geographic, zone)) codes.push_back(*utm);
        for (const int code : codes)
            if (const CrsReading reading = CrsFromArgument(std::to_string(code)); reading.crs)
                choices.push_back({*reading.crs, CrsText(code)});
    }
    return choices;
}

std::string CrsText(int code) {
    const OGRSpatialReference srs = SpatialReference(code);
    const char* name = srs.GetName();
    return "EPSG:" + std::to_string(code) + (name != nullptr && *name != '\0' ? " " + std::string(name) : "");
}

}  // namespace trevalco::layers
