#include "EpsgShifts.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "Gdal.h"
#include "Proj.h"

namespace trevalco::layers {

namespace {

constexpr int kPsad56Codes[] = {6971, 6972, 6973};
constexpr int kSad69Codes[] = {6974, 6975, 6976, 6977};

std::int16_t Translation(PJ_CONTEXT* context, PJ* operation, const char* name, int code) {
    const int index = proj_coordoperation_get_param_index(context, operation, name);
    double value = 0.0, toMetres = 0.0;
    if (index < 0 || proj_coordoperation_get_param(context, operation, index, nullptr, nullptr, nullptr, &value,
                                                   nullptr, &toMetres, nullptr, nullptr, nullptr, nullptr) == 0)
        throw LayerError("la base de datos de PROJ no da el parámetro «" + std::string(name) + "» de EPSG:" +
                         std::to_string(code));
    const double metres = value * toMetres;
    if (metres != std::round(metres) || std::fabs(metres) > 32767)
        throw LayerError("EPSG:" + std::to_string(code) + " no es un desplazamiento de metros enteros");
    return static_cast<std::int16_t>(metres);
}

EpsgBand ReadBand(PJ_CONTEXT* context, int code) {
    const proj::Object operation(proj_create_from_database(context, "EPSG", std::to_string(code).c_str(),
                                                     PJ_CATEGORY_COORDINATE_OPERATION, 0, nullptr));
    if (!operation) throw LayerError("EPSG:" + std::to_string(code) + " no está en la base de datos de PROJ");
    EpsgBand band;
    band.code = code;
    double west = 0.0, east = 0.0;
    if (proj_get_area_of_use(context, operation.get(), &west, &band.south, &east, &band.north, nullptr) == 0)
        throw LayerError("la base de datos de PROJ no da el área de uso de EPSG:" + std::to_string(code));
    band.toSirgas = {Translation(context, operation.get(), "X-axis translation", code),
                     Translation(context, operation.get(), "Y-axis translation", code),
                     Translation(context, operation.get(), "Z-axis translation", code)};
    return band;
}

std::vector<EpsgBand> ReadBands(PJ_CONTEXT* context, std::span<const int> codes) {
    std::vector<EpsgBand> bands;
    for (const int code : codes) bands.push_back(ReadBand(context, code));
    std::ranges::stable_sort(bands, [](const EpsgBand& a, const EpsgBand& b) { return a.north > b.north; });
    return bands;
}

}  // namespace

const EpsgShifts& EpsgShifts::FromDatabase() {
    static const EpsgShifts shifts = [] {
        const proj::Context context = proj::NewContext();
        EpsgShifts read;
        read.psad56_ = ReadBands(context.get(), kPsad56Codes);
        read.sad69_ = ReadBands(context.get(), kSad69Codes);
        return read;
    }();
    return shifts;
}

std::optional<datums::Shift> EpsgShifts::Lookup(DirectionKey key, double signedLatitude) const {
    const bool toSirgas = datums::TargetOf(key) == Datum::Sirgas;
    for (const EpsgBand& band : datums::LocalDatumOf(key) == Datum::Psad56 ? psad56_ : sad69_) {
        if (signedLatitude > band.north || signedLatitude < band.south) continue;
        return toSirgas ? band.toSirgas : band.toSirgas.Inverse();
    }
    return std::nullopt;
}

const bands::ShiftSource* ShiftsFor(ShiftSet set) {
    return set == ShiftSet::Epsg ? &EpsgShifts::FromDatabase() : &bands::ProgramBands();
}


}  // namespace trevalco::layers
