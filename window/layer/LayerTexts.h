// What the tab "Calcular Capa SIG" says and offers: the file dialogs'
// filters, the output's default name, the causes of features left out, the
// message that says which direction fits a layer, and the summary of a run.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Datums.h"
#include "Dialogs.h"
#include "LayerConversion.h"

namespace trevalco::layer {

// The formats the conversion reads, all of them first, then one by one.
std::vector<dialogs::FileFilter> ReadableLayerFilters();
// The formats it writes.
std::vector<dialogs::FileFilter> WritableLayerFilters();

// Whether a path names a layer file the tab opens (by its extension); a
// .csv goes to the workbooks.
bool IsLayerFile(const std::string& path);

// The program's output name beside the source: "obra.shp" gives
// "obra_1.shp"; a source the conversion cannot write (.gml, .json), or a
// KML source written to PSAD56 or SAD69 (KML holds WGS 84 only), ".gpkg".
std::string DefaultOutputPath(const std::string& input, Datum target);

// Nothing when the direction reads the layer's datum; else the warning that
// names the direction (or the two) that would.
std::optional<dialogs::Message> DirectionMismatch(Datum layerDatum, const std::string& layerCrs, DirectionKey chosen);

// The caption of a direction's option button, without its leading blanks.
std::string DirectionCaption(DirectionKey key);

// What a run came to, as the summary message tells it.
struct RunReport {
    std::string output;       // the path written
    std::string targetText;   // "EPSG:20049 SIRGAS-Chile 2021 / UTM zone 19S"
    layers::LayerSummary summary;
    std::map<std::string, std::uint64_t> leftOutByCause;
};

// The summary: the output's name, the CRSs, the features written, left out
// (by cause) and crossing a band limit; where any was left out or crosses,
// a Yes/No question offering their list.
dialogs::Message SummaryMessage(const RunReport& report);

// The table of listed features ("unlisted" more not shown).
dialogs::Table ListedTable(const std::vector<layers::FeatureNote>& listed, std::uint64_t unlisted);

}  // namespace trevalco::layer
