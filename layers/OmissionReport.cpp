#include "OmissionReport.h"

#include "Gdal.h"

namespace trevalco::layers {

OmissionReport::OmissionReport(const std::filesystem::path& path, bool replace)
    : output_(path, replace), rows_(output_.WorkingPath(), std::ios::binary) {
    rows_ << kHeader << '\n';
    if (!rows_) throw LayerError("no se pudo escribir el informe «" + path.string() + "»");
}

void OmissionReport::Add(const FeatureNote& note) {
    // The causes' names hold no comma nor quote: no field needs quoting.
    rows_ << note.fid << ',' << CauseName(note.cause) << ',';
    if (note.where) rows_ << DegreesText(note.where->latitude) << ',' << DegreesText(note.where->longitude);
    else rows_ << ',';
    rows_ << '\n';
    if (!rows_) throw LayerError("no se pudo escribir el informe: " + output_.WorkingPath().filename().string());
}

void OmissionReport::Commit() {
    rows_.close();
    if (!rows_) throw LayerError("no se pudo escribir el informe: " + output_.WorkingPath().filename().string());
    output_.Commit();
}

}  // namespace trevalco::layers
