#include "VertexCarrier.h"

#include "Constants.h"
#include "Int16.h"

#include <algorithm>
#include <cmath>
#include <string>


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

VertexCarrier::VertexCarrier(CarrySetup setup) : setup_(setup), settings_(CoreSettings(setup)) {}

void VertexCarrier::StartFeature() {
    refused_.reset();
    limits_.clear();
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

void VertexCarrier::NoteBand(double signedLatitude, const datums::Shift& shift) {
    if (hasBand_ && shift != band_) {
        const double limit = signedLatitude > bandLatitude_ ? LimitBetween(signedLatitude, bandLatitude_)
                                                            : LimitBetween(bandLatitude_, signedLatitude);
        if (std::find(limits_.begin(), limits_.end(), limit) == limits_.end()) limits_.push_back(limit);
    }
    hasBand_ = true;
    band_ = shift;
    bandLatitude_ = signedLatitude;
}

bool VertexCarrier::Carry(double& x, double& y, VertexRefusal& refusal, double& sourceLatitude,
                          datums::Shift& shift) const {
    if (!std::isfinite(x) || !std::isfinite(y)) {
        refusal = {Refusal::NotFinite, core::Check::None};
        return false;
    }
    // Signed coordinates: the core folds signs, so the other hemispheres
    // stop here.
    if (setup_.sourceZone ? y >= constants::kFalseNorthing : (y > 0 || x > 0)) {
        refusal = {Refusal::OutsideRange, core::Check::None};
        return false;
    }
    core::Outcome outcome;
    try {
        outcome = setup_.sourceZone
                      ? core::ConvertPoint(core::Notation::Utm, {y, x, static_cast<double>(*setup_.sourceZone)}, settings_)
                      : core::ConvertPoint(core::Notation::DecimalDegrees, {-y, -x}, settings_);
    } catch (const Overflow&) {  // a value the engine's 16-bit steps cannot hold
        refusal = {Refusal::Core, core::Check::NoPosition};
        return false;
    }
    if (!outcome.Converted()) {
        refusal = {Refusal::Core, outcome.failed};
        return false;
    }
    sourceLatitude = -outcome.source.latitude;
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
    bool any = false;
    for (int i = 0; i < count; ++i) {
        bool carried = false;
        if (!refused_) {
            VertexRefusal refusal;
            double latitude = 0.0;
            datums::Shift shift;
            carried = Carry(x[i], y[i], refusal, latitude, shift);
            if (carried)
                NoteBand(latitude, shift);
            else
                refused_ = refusal;
        }
        if (success != nullptr) success[i] = carried ? TRUE : FALSE;
        any = any || carried;
    }
    return any ? TRUE : FALSE;
}

}  // namespace trevalco::layers
