// The `--report` of a layer's conversion: a CSV file of every feature left
// out and every band limit a written feature crosses, one row each, with the
// feature's id, the cause and the latitude and longitude concerned (signed
// degrees on the source datum, empty where the vertex gives no position).
// It is written like a layer: under the output's lock, in a temporary folder
// beside it, and moved to its name only when the run ends.
#pragma once

#include <filesystem>
#include <fstream>

#include "FeatureNotes.h"
#include "LayerOutput.h"

namespace trevalco::layers {

class OmissionReport {
public:
    // Takes the report's lock and writes its header. Throws LayerError (the
    // file exists and `replace` is false, another run writes it, the folder
    // cannot be written).
    OmissionReport(const std::filesystem::path& path, bool replace);

    // One row. Throws LayerError when it cannot be written.
    void Add(const FeatureNote& note);
    // Moves the complete report to its name. Throws LayerError.
    void Commit();

    static constexpr const char* kHeader = "id,causa,latitud,longitud";

private:
    LayerOutput output_;
    std::ofstream rows_;
};

}  // namespace trevalco::layers
