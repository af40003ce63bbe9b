// What the commands take from the layer library (GDAL and PROJ): the EPSG
// shifts of `--shifts epsg`, the point layer of `batch --layer`, and the
// layer command. A program linked with GDAL loads and relocates a hundred
// libraries at every start, which a conversion of a few points would pay
// each time; so `trevalco-cli` is built without them
// and hands a command that needs them, whole and before it reads anything,
// to its twin `trevalco-cli-layers`, built from the same code with them.
// LayerLink.cpp is the twin's side (and the tests'), LayerTwin.cpp
// trevalco-cli's.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "BatchSettings.h"
#include "PointCore.h"
#include "ShiftSet.h"
#include "CellValue.h"

namespace trevalco::cli {

// When this program lacks the layer library and the command needs it:
// runs the twin in its place with the same arguments, and returns only if
// the twin cannot be started (with the exit status, the reason written to
// err). Nothing otherwise.
std::optional<int> HandToTwin(int argc, char** argv, std::FILE* err);

// The shifts the point core takes for `--shifts`.
const bands::ShiftSource* ShiftsFor(layers::ShiftSet set);

// The point layer a batch run writes beside its workbook.
class BatchLayer {
public:
    virtual ~BatchLayer() = default;
    // One converted row. Throws std::exception when it cannot be written.
    virtual void Add(std::int32_t row, const cells::CellValue& name, const core::Outcome& outcome) = 0;
    // Closes the layer and moves it to its name. Throws std::exception.
    virtual void Commit() = 0;
};

struct OpenedBatchLayer {
    std::unique_ptr<BatchLayer> layer;  // none: refused, for `error`
    std::string error;
    bool usage = false;  // refused for the arguments (exit 2), not for a file
};

// Takes the layer's lock and creates it, before the workbook is opened.
OpenedBatchLayer OpenBatchLayer(const BatchSettings& settings);

}  // namespace trevalco::cli
