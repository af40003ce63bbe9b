#include "layer/LayerTexts.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "LayerFormat.h"
#include "OutputName.h"

namespace trevalco::layer {

namespace {

// Read, in the order the open dialog lists them; every one but GML and
// .json is written too (the first patterns of each).
const std::vector<dialogs::FileFilter> kFormats = {
    {"GeoPackage", "*.gpkg"}, {"Shapefile", "*.shp"},        {"GeoJSON", "*.geojson *.json"},
    {"KML", "*.kml"},         {"DXF", "*.dxf"},              {"FlatGeobuf", "*.fgb"},
    {"GML", "*.gml"},         {"CSV con columnas X/Y o WKT", "*.csv"},
};

std::string Lower(std::string text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Count(std::uint64_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::vector<dialogs::FileFilter> ReadableLayerFilters() {
    std::string all;
    for (const dialogs::FileFilter& format : kFormats) all += (all.empty() ? "" : " ") + format.pattern;
    std::vector<dialogs::FileFilter> filters{{"Capas SIG", all}};
    filters.insert(filters.end(), kFormats.begin(), kFormats.end());
    return filters;
}

std::vector<dialogs::FileFilter> WritableLayerFilters() {
    std::vector<dialogs::FileFilter> filters;
    for (const dialogs::FileFilter& format : kFormats) {
        const std::string first = format.pattern.substr(0, format.pattern.find(' '));
        if (layers::FormatOf("capa" + first.substr(1))) filters.push_back({format.description, first});
    }
    return filters;
}

bool IsLayerFile(const std::string& path) {
    const std::string extension = Lower(std::filesystem::path(path).extension().string());
    if (extension.empty() || extension == ".csv") return false;
    return std::ranges::any_of(kFormats, [&](const dialogs::FileFilter& format) {
        return (" " + format.pattern + " ").find(" *" + extension + " ") != std::string::npos;
    });
}

std::string DefaultOutputPath(const std::string& input, Datum target) {
    std::string extension = Lower(std::filesystem::path(input).extension().string());
    const std::optional<layers::OutputFormat> format = layers::FormatOf(input);
    if (!format || (format->kind == layers::FormatKind::Kml && target != Datum::Sirgas)) extension = ".gpkg";
    return output::OutputPathFor(input, extension);
}

std::string DirectionCaption(DirectionKey key) {
    switch (key) {
        case DirectionKey::SirgasToPsad56: return "SIRGAS (WGS84) -> PSAD56";
        case DirectionKey::SirgasToSad69: return "SIRGAS (WGS84) -> SAD69";
        case DirectionKey::Psad56ToSirgas: return "PSAD56 -> SIRGAS (WGS84)";
        case DirectionKey::Sad69ToSirgas: break;
    }
    return "SAD69 -> SIRGAS (WGS84)";
}

std::optional<dialogs::Message> DirectionMismatch(Datum layerDatum, const std::string& layerCrs, DirectionKey chosen) {
    if (datums::SourceOf(chosen) == layerDatum) return std::nullopt;
    std::string fitting;
    for (const DirectionKey key : kDirections) {
        if (datums::SourceOf(key) != layerDatum) continue;
        fitting += (fitting.empty() ? "\"" : "\" o \"") + DirectionCaption(key);
    }
    return dialogs::Message{"La capa está en " + std::string(NameOf(layerDatum)) + " (" + layerCrs +
                                ") y la dirección elegida, \"" + DirectionCaption(chosen) + "\", lee " +
                                std::string(NameOf(datums::SourceOf(chosen))) + ".\nElija " + fitting +
                                "\" en \"Opciones\" de la pestaña \"Calcular Coordenadas\".",
                            "Advertencia", dialogs::MessageIcon::Exclamation, dialogs::Buttons::Ok};
}

dialogs::Message SummaryMessage(const RunReport& report) {
    const layers::LayerSummary& s = report.summary;
    std::string text = "Capa Guardada como \"" + std::filesystem::path(report.output).filename().string() + "\"\n" +
                       "EPSG:" + std::to_string(s.sourceCode) + " a " + report.targetText + "\n" +
                       "Elementos escritos: " + std::to_string(s.written) + "\nOmitidos: " + std::to_string(s.leftOut);
    for (const auto& [cause, count] : report.leftOutByCause) text += "\n    " + std::to_string(count) + ": " + cause;
    text += "\n" + Count(s.crossing, "elemento cruza", "elementos cruzan") +
            " un límite de banda: cada vértice lleva los parámetros de su banda";
    if (s.withoutGeometry > 0) text += "\n" + Count(s.withoutGeometry, "elemento", "elementos") + " sin geometría";
    if (s.invalid > 0) text += "\n" + Count(s.invalid, "elemento", "elementos") + " con geometría inválida (convertida)";
    if (s.flattened > 0) text += "\n" + Count(s.flattened, "elemento", "elementos") + " sin su Z o M en este formato";
    const bool listed = s.leftOut > 0 || s.crossing > 0;
    if (listed) text += "\n\n¿Ver la lista de los elementos omitidos y de los que cruzan un límite de banda?";
    return {text, "Calcular Capa SIG", s.leftOut > 0 ? dialogs::MessageIcon::Exclamation : dialogs::MessageIcon::Information,
            listed ? dialogs::Buttons::YesNo : dialogs::Buttons::Ok};
}

dialogs::Table ListedTable(const std::vector<layers::FeatureNote>& listed, std::uint64_t unlisted) {
    dialogs::Table table{"Elementos omitidos o que cruzan un límite de banda",
                         Count(listed.size() + unlisted, "elemento", "elementos") +
                             (unlisted > 0 ? "; se muestran los primeros " + std::to_string(listed.size()) : ""),
                         {"Elemento", "Causa", "Latitud", "Longitud"},
                         {}};
    for (const layers::FeatureNote& note : listed)
        table.rows.push_back({std::to_string(note.fid), std::string(layers::CauseName(note.cause)),
                              note.where ? layers::DegreesText(note.where->latitude) : "",
                              note.where ? layers::DegreesText(note.where->longitude) : ""});
    return table;
}

}  // namespace trevalco::layer
