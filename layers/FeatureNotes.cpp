#include "FeatureNotes.h"

#include "NumberText.h"

#include <algorithm>
#include <iterator>

#include "EpsgShifts.h"

namespace trevalco::layers {

Cause CauseOf(const VertexRefusal& refusal) {
    switch (refusal.refusal) {
        case Refusal::NotFinite: return Cause::NotFinite;
        case Refusal::OutsideRange: return Cause::OutsideRange;
        case Refusal::None:
        case Refusal::Core: break;
    }
    switch (refusal.check) {
        case core::Check::NoPosition:
        case core::Check::Zone: return Cause::NoPosition;
        case core::Check::OutOfLimits: return Cause::OutOfLimits;
        case core::Check::TransformationRange: return Cause::TransformationRange;
        case core::Check::NoParameters: return Cause::NoParameters;
        default: return Cause::Other;
    }
}

std::string_view CauseName(Cause cause) {
    switch (cause) {
        case Cause::NotFinite: return "coordenada no finita";
        case Cause::OutsideRange: return "al norte del ecuador o al este de Greenwich";
        case Cause::NoPosition: return "sin posición en la tierra";
        case Cause::OutOfLimits: return "fuera de los límites";
        case Cause::TransformationRange: return "fuera del rango de la transformación";
        case Cause::NoParameters: return "sin parámetros para la latitud";
        case Cause::Other: return "no convertido";
        case Cause::Crossing: break;
    }
    return "cruza un límite de banda";
}

std::string DegreesText(double degrees) { return number_text::PlainText(degrees, number_text::Invariant()); }

void CauseTally::Add(const FeatureNote& note, bool sameFeature) {
    CauseGroup& group = groups_[static_cast<std::size_t>(note.cause)];
    group.cause = note.cause;
    if (!sameFeature) {
        ++group.count;
        if (group.firstIds.size() < CauseGroup::kShownIds) group.firstIds.push_back(note.fid);
    }
    if (!note.where) return;
    const double latitude = note.where->latitude;
    group.north = std::max(group.north.value_or(latitude), latitude);
    group.south = std::min(group.south.value_or(latitude), latitude);
    if (note.cause != Cause::NoParameters) return;
    const ShiftSet other = shifts_ == ShiftSet::Seed ? ShiftSet::Epsg : ShiftSet::Seed;
    if (ShiftsFor(other)->Lookup(direction_, latitude)) ++group.otherShiftsCover;
    if (datums::TargetOf(direction_) == Datum::Psad56 &&
        ShiftsFor(shifts_)->Lookup(DirectionKey::SirgasToSad69, latitude))
        ++group.sad69Covers;
}

std::vector<CauseGroup> CauseTally::Groups() const {
    std::vector<CauseGroup> groups;
    std::ranges::copy_if(groups_, std::back_inserter(groups), [](const CauseGroup& group) { return group.count > 0; });
    return groups;
}

std::optional<limits::Range> ShiftedLatitudes(DirectionKey direction, ShiftSet shifts) {
    const Datum local = datums::LocalDatumOf(direction);
    if (shifts == ShiftSet::Seed) {
        if (local == Datum::Sad69) return std::nullopt;
        return limits::Range{bands::kLimits.front(), bands::kLimits.back()};
    }
    const EpsgShifts& epsg = EpsgShifts::FromDatabase();
    const std::vector<EpsgBand>& bands = local == Datum::Psad56 ? epsg.Psad56() : epsg.Sad69();
    if (bands.empty()) return limits::Range{0, 0};
    return limits::Range{-bands.front().north, -bands.back().south};
}

}  // namespace trevalco::layers
