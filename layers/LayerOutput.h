// A layer being written: GDAL writes it into a hidden temporary folder
// beside the output (".obra.shp.guardando-4242-81723/obra.shp"), which the
// output's lock guards; only a complete layer is moved to the output's name.
//
// A single file is moved into place in one step. A set of files (a
// shapefile's .shp, .shx, .dbf, .prj and .cpg; a DXF file and its .prj) is
// first moved beside the output under temporary names, then, with the old
// set's main file (.shp, .dxf) removed first, the new companions take their
// names and the new main file comes last. Whenever a run ends, the output's
// name holds the old set whole, no main file (a set no reader opens), or the
// new set whole: never a mixed one. What a killed run leaves (its folder, its
// temporary names) is removed by the next run.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "OutputLock.h"

namespace trevalco::layers {

class LayerOutput {
public:
    // Sweeps what killed runs left beside `output`, takes its lock and makes
    // the temporary folder. Throws LayerError: the output is there already
    // and `replace` is false, another run holds it, the folder cannot be
    // written.
    LayerOutput(std::filesystem::path output, bool replace);
    ~LayerOutput();  // removes the temporary folder and whatever is staged
    LayerOutput(const LayerOutput&) = delete;
    LayerOutput& operator=(const LayerOutput&) = delete;

    // Where GDAL writes the layer: the output's file name in the folder.
    std::filesystem::path WorkingPath() const { return folder_ / output_.filename(); }
    const std::filesystem::path& Folder() const { return folder_; }

    // Moves the written files to the output's name. Throws LayerError.
    void Commit();

    static constexpr const char* kMarker = ".guardando-";

private:
    std::filesystem::path output_;
    bool replace_ = false;
    std::optional<output::OutputLock> lock_;
    std::filesystem::path folder_;
};

// Removes the temporary folders of layers that runs no longer alive left in
// `folder`. Never throws.
void RemoveLeftoverFolders(const std::filesystem::path& folder) noexcept;

}  // namespace trevalco::layers
