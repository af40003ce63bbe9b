#include "Unprojection.h"

#include <cmath>

#include "Gdal.h"

namespace trevalco::layers {

Unprojection::Unprojection(const std::string& definition) : context_(proj::NewContext()) {
    proj_log_level(context_.get(), PJ_LOG_NONE);  // a failure is told as a refusal, not on stderr
    const auto refused = [&definition] {
        return LayerError("PROJ no puede invertir la proyección de «" + definition + "»");
    };
    const proj::Object projected(proj_create(context_.get(), definition.c_str()));
    if (!projected) throw refused();
    const proj::Object geographic(proj_crs_get_geodetic_crs(context_.get(), projected.get()));
    if (!geographic) throw refused();
    const proj::Object operation(
        proj_create_crs_to_crs_from_pj(context_.get(), projected.get(), geographic.get(), nullptr, nullptr));
    if (!operation) throw refused();
    // Easting first in, longitude first out, as layers hold them.
    operation_.reset(proj_normalize_for_visualization(context_.get(), operation.get()));
    if (!operation_) throw refused();
}

bool Unprojection::Inverse(int count, double* x, double* y) const {
    const auto size = static_cast<std::size_t>(count);
    proj_trans_generic(operation_.get(), PJ_FWD, x, sizeof(double), size, y, sizeof(double), size, nullptr, 0, 0,
                       nullptr, 0, 0);
    proj_errno_reset(operation_.get());
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(x[i]) || !std::isfinite(y[i])) return false;
    return true;
}

}  // namespace trevalco::layers
