#include "LayerSummaryText.h"

#include <cmath>

#include "CountText.h"
#include "Limits.h"
#include "NumberText.h"
#include "RangeTexts.h"

namespace trevalco::cli {

namespace {

using layers::Cause;
using layers::CauseGroup;

// A signed latitude as a magnitude, to a ten-thousandth of a degree, south
// or north: "44.5 S".
std::string South(double latitude) {
    return number_text::PlainText(std::round(std::fabs(latitude) * 1e4) / 1e4, number_text::Invariant()) +
           (latitude > 0 ? " N" : " S");
}

// "latitud 44.5 S" or "latitudes 44.5 S a 47.25 S", northmost first.
std::string Latitudes(const CauseGroup& group) {
    if (!group.north) return {};
    if (South(*group.north) == South(*group.south)) return "latitud " + South(*group.north);
    return "latitudes " + South(*group.north) + " a " + South(*group.south);
}

// "elemento 4" or "elementos 4, 7, 9 y 533 más".
std::string Ids(const CauseGroup& group) {
    std::string text = group.count == 1 ? "elemento " : "elementos ";
    for (std::size_t i = 0; i < group.firstIds.size(); ++i)
        text += (i > 0 ? ", " : "") + std::to_string(group.firstIds[i]);
    if (group.count > group.firstIds.size()) text += " y " + std::to_string(group.count - group.firstIds.size()) + " más";
    return text;
}

// "todos" or "3 de ellos", of the group's features.
std::string HowMany(std::uint64_t covered, const CauseGroup& group) {
    if (covered == group.count) return group.count == 1 ? "él" : "todos";
    return std::to_string(covered) + " de ellos";
}

// What the latitudes without parameters can do instead: SAD69 as the
// target, the other set of shifts, or neither.
std::string NoParametersAdvice(const CauseGroup& group, const layers::LayerSummary& summary,
                               const layers::LayerRequest& request) {
    const Datum local = datums::LocalDatumOf(summary.direction);
    std::string text;
    if (const auto range = layers::ShiftedLatitudes(summary.direction, request.shifts))
        text = std::string(NameOf(local)) + " tiene parámetros solo entre " + dialogs::BoundText(range->low) + " y " +
               dialogs::BoundText(range->high) + " S con --shifts " + layers::ShiftSetName(request.shifts);
    std::vector<std::string> ways;
    if (group.sad69Covers > 0)
        ways.push_back("convierta a SAD69 (--to sad69), que tiene parámetros para " + HowMany(group.sad69Covers, group));
    if (group.otherShiftsCover > 0) {
        const layers::ShiftSet other =
            request.shifts == layers::ShiftSet::Seed ? layers::ShiftSet::Epsg : layers::ShiftSet::Seed;
        ways.push_back(std::string("--shifts ") + layers::ShiftSetName(other) + " tiene parámetros para " +
                       HowMany(group.otherShiftsCover, group));
    }
    if (ways.empty()) ways.push_back("ninguna otra opción del programa tiene parámetros allí; recorte la capa");
    for (std::size_t i = 0; i < ways.size(); ++i) text += (i == 0 ? "; " : "; o ") + ways[i];
    return text;
}

std::string CheckCrs() { return "compruebe el sistema de referencia de la capa (--source-crs para una que no lo trae)"; }

// What to do about the group's features.
std::string Advice(const CauseGroup& group, const layers::LayerSummary& summary, const layers::LayerRequest& request) {
    switch (group.cause) {
        case Cause::NotFinite: return "corrija esas coordenadas en la capa de entrada";
        case Cause::OutsideRange: return CheckCrs() + "; en una capa geográfica X es la longitud e Y la latitud";
        case Cause::NoPosition: return CheckCrs();
        case Cause::OutOfLimits:
            return "el programa convierte entre " + dialogs::RangeText(limits::kLatitude) + " S y " +
                   dialogs::RangeText(limits::kInputLongitude) + " W; recorte la capa o " + CheckCrs();
        case Cause::TransformationRange:
            return "la transformación se aplica entre " + dialogs::RangeText(limits::kLatitude) + " S y " +
                   dialogs::RangeText(limits::kLongitude) + " W; recorte la capa";
        case Cause::NoParameters: return NoParametersAdvice(group, summary, request);
        case Cause::Other: return CheckCrs();
        case Cause::Crossing: break;
    }
    return "cada vértice lleva el desplazamiento de su banda, y la forma el salto entre bandas; divida esos elementos "
           "en el límite si necesita cada parte continua";
}

}  // namespace

std::string CountsLine(const layers::LayerSummary& summary, layers::ShiftSet shifts) {
    std::string line = summary.source + " a EPSG:" + std::to_string(summary.targetCode) +
                       ", desplazamientos " + layers::ShiftSetName(shifts) + ": " +
                       CountText(summary.written, "elemento escrito", "elementos escritos") + ", " +
                       CountText(summary.leftOut, "omitido", "omitidos") + ", " +
                       CountText(summary.crossing, "cruza un límite de banda", "cruzan un límite de banda") + ", " +
                       std::to_string(summary.withoutGeometry) + " sin geometría, " +
                       std::to_string(summary.invalid) + " con geometría inválida";
    if (summary.flattened > 0)
        line += ", " + std::to_string(summary.flattened) +
                " sin su Z o M (FlatGeobuf y PostGIS las guardan solo si la capa las declara, y la de entrada no "
                "las declara; GeoPackage las conserva)";
    return line;
}

std::string CauseLine(const CauseGroup& group, const layers::LayerSummary& summary,
                      const layers::LayerRequest& request) {
    const bool crossing = group.cause == Cause::Crossing;
    std::string line = crossing ? CountText(group.count, "cruza un límite de banda", "cruzan un límite de banda")
                                : CountText(group.count, "omitido", "omitidos") + " (" +
                                      std::string(layers::CauseName(group.cause)) + ")";
    if (const std::string latitudes = Latitudes(group); !latitudes.empty()) line += ", " + latitudes;
    return line + ": " + Ids(group) + "; " + Advice(group, summary, request);
}

}  // namespace trevalco::cli
