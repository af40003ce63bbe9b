// The lines `trevalco-cli layer` ends with on its error output: the counts
// of the run, then one line for each cause of the features left out and for
// the band crossings, with how many, the first ids and what to do.
#pragma once

#include <string>
#include <vector>

#include "LayerConversion.h"

namespace trevalco::cli {

// "EPSG:24879 a EPSG:20049, desplazamientos seed: 3 elementos escritos, …"
std::string CountsLine(const layers::LayerSummary& summary, layers::ShiftSet shifts);

// "2 omitidos sin parámetros para la latitud (44.5 a 45 S; PSAD56 tiene
// parámetros solo entre 17 y 44 S): elementos 4, 7; convierta a SAD69 …"
std::string CauseLine(const layers::CauseGroup& group, const layers::LayerSummary& summary,
                      const layers::LayerRequest& request);

}  // namespace trevalco::cli
