// What `trevalco-cli batch` was asked to do.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ArgumentParser.h"
#include "PageColumns.h"
#include "PointCore.h"
#include "ShiftSet.h"
#include "SirgasCodes.h"
#include "Datums.h"
#include "UtmZones.h"

namespace trevalco::cli {

enum class BadRowAnswer { Skip, Stop };

struct BatchSettings {
    std::string workbook;
    std::string sheet;
    batch::PageColumns columns;                    // with the page's defaults filled in
    DirectionKey key = kSirgasToPsad56;            // the direction
    zones::ForcedZone forced = zones::ForcedZone::Off();
    BadRowAnswer onBadRow = BadRowAnswer::Skip;
    bool overwrite = false;
    std::string output;             // --output; empty: the "_1" rule
    bool ignoreLock = false;        // replace an output LibreOffice has open
    bool replaceColumns = false;    // write over data in the output columns
    // Interim saves to the recovery file are at least this many seconds apart.
    int recoverySeconds = 5;
    // --layer: the converted rows also as a point layer, named by the
    // `name` role's column, its SIRGAS side `--sirgas`.
    std::optional<std::string> layer;
    std::string nameColumn = "A";
    int sirgas = layers::kDefaultSirgas;
    layers::ShiftSet shifts = layers::ShiftSet::Seed;
};

// What the options of batch read before the page they fill in is known.
struct BatchArguments {
    BatchSettings settings;
    core::Notation from = core::Notation::DecimalDegrees;
    std::optional<std::int16_t> zone;
    std::vector<std::string> columns;   // each --columns list, in order
    std::optional<std::string> output;  // checked against the workbook
};

// The options of batch, reading into `arguments`.
std::vector<Option> BatchOptions(BatchArguments& arguments);

// Parses the arguments that follow "batch".
Parsed<BatchSettings> ParseBatchArguments(int argc, const char* const* argv);

}  // namespace trevalco::cli
