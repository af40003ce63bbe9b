#include "VertexCarrier.h"

#include "Constants.h"
#include "Int16.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>


namespace trevalco::layers {

namespace {

core::Settings CoreSettings(const CarrySetup& setup) {
    core::Settings settings;
    settings.direction = setup.direction;
    settings.forced = setup.targetZone ? zones::ForcedZone::To(static_cast<std::int16_t>(*setup.targetZone))
                                       : zones::ForcedZone::Off();
    if (setup.sourceZone) settings.zone = static_cast<std::int16_t>(*setup.sourceZone);
    settings.rules = core::InputRules::CommandLine;
    settings.texts = false;
    settings.shifts = setup.shifts;
    return settings;
}

}  // namespace

VertexCarrier::VertexCarrier(CarrySetup setup) : setup_(std::move(setup)), settings_(CoreSettings(setup_)) {
    if (!setup_.projection.empty()) unprojection_.emplace(setup_.projection);
}

void VertexCarrier::StartFeature() {
    refused_.reset();
    crossings_.clear();
    hasBand_ = false;
}

std::optional<datums::Shift> VertexCarrier::LookupAt(double signedLatitude) const {
    return setup_.shifts->Lookup(setup_.direction, signedLatitude);
}

// The latitude where the lookup changes between two latitudes of different
// bands, to a millionth of a degree.
double VertexCarrier::LimitBetween(double northLatitude, double southLatitude) const {
    const std::optional<datums::Shift> north = LookupAt(northLatitude);
    for (int step = 0; step < 60 && northLatitude - southLatitude > 1e-9; ++step) {
        const double middle = (northLatitude + southLatitude) / 2;
        if (LookupAt(middle) == north)
            northLatitude = middle;
        else
            southLatitude = middle;
    }
    return std::round(northLatitude * 1e6) / 1e6;
}

void VertexCarrier::NoteBand(const datums::LatLon& source, const datums::Shift& shift) {
    if (hasBand_ && shift != band_) {
        const datums::LatLon& before = bandVertex_;
        const double limit = source.latitude > before.latitude ? LimitBetween(source.latitude, before.latitude)
                                                               : LimitBetween(before.latitude, source.latitude);
        // Where the straight segment between the two vertices meets the limit.
        const double span = source.latitude - before.latitude;
        const double longitude =
            span == 0 ? source.longitude
                      : before.longitude + (limit - before.latitude) / span * (source.longitude - before.longitude);
        if (std::ranges::find(crossings_, limit, &BandCrossing::latitude) == crossings_.end())
            crossings_.push_back({limit, longitude});
    }
    hasBand_ = true;
    band_ = shift;
    bandVertex_ = source;
}

bool VertexCarrier::Carry(double& x, double& y, VertexRefusal& refusal, datums::LatLon& source,
                          datums::Shift& shift) const {
    if (!std::isfinite(x) || !std::isfinite(y)) {
        refusal = {Refusal::NotFinite, core::Check::None};
        return false;
    }
    // Signed coordinates: the core folds signs, so the other hemispheres
    // stop here.
    const bool utm = setup_.sourceZone.has_value();
    const std::optional<datums::LatLon> given =
        utm ? std::nullopt : std::optional<datums::LatLon>(datums::LatLon{y, x});
    if (utm ? y >= constants::kFalseNorthing : (y > 0 || x > 0)) {
        refusal = {Refusal::OutsideRange, core::Check::None, given};
        return false;
    }
    core::Outcome outcome;
    try {
        outcome = utm ? core::ConvertPoint(core::Notation::Utm, {y, x, static_cast<double>(*setup_.sourceZone)}, settings_)
                      : core::ConvertPoint(core::Notation::DecimalDegrees, {-y, -x}, settings_);
    } catch (const Overflow&) {  // a value the engine's 16-bit steps cannot hold
        refusal = {Refusal::Core, core::Check::NoPosition, given};
        return false;
    }
    const std::optional<datums::LatLon> found =
        outcome.hasSource ? std::optional<datums::LatLon>(datums::LatLon{-outcome.source.latitude,
                                                                         -outcome.source.longitude})
                          : given;
    if (!outcome.Converted()) {
        refusal = {Refusal::Core, outcome.failed, found};
        return false;
    }
    source = *found;
    shift = *outcome.shift;
    if (setup_.targetZone) {
        x = outcome.target.utm.easting;
        y = outcome.target.utm.northing;
    } else {
        x = -outcome.target.longitude;
        y = -outcome.target.latitude;
    }
    return true;
}

int VertexCarrier::Transform(int count, double* x, double* y, double*, double*, int* success) {
    if (unprojection_ && !refused_) {
        // A feature with any vertex refused is left out whole: which vertex
        // it was does not matter, only the first cause.
        for (int i = 0; i < count && !refused_; ++i)
            if (!std::isfinite(x[i]) || !std::isfinite(y[i])) refused_ = {Refusal::NotFinite, core::Check::None};
        if (!refused_ && !unprojection_->Inverse(count, x, y)) refused_ = {Refusal::Core, core::Check::NoPosition};
    }
    bool any = false;
    for (int i = 0; i < count; ++i) {
        bool carried = false;
        if (!refused_) {
            VertexRefusal refusal;
            datums::LatLon source;
            datums::Shift shift;
            carried = Carry(x[i], y[i], refusal, source, shift);
            if (carried)
                NoteBand(source, shift);
            else
                refused_ = refusal;
        }
        if (success != nullptr) success[i] = carried ? TRUE : FALSE;
        any = any || carried;
    }
    return any ? TRUE : FALSE;
}

}  // namespace trevalco::layers
