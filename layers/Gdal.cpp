#include "Gdal.h"

#include <cpl_error.h>
#include <gdal.h>

#include <mutex>

namespace trevalco::layers {

void RegisterDrivers() {
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

QuietGdal::QuietGdal() {
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
}

QuietGdal::~QuietGdal() { CPLPopErrorHandler(); }

std::string LastGdalMessage() {
    const char* message = CPLGetLastErrorMsg();
    return message == nullptr ? std::string() : std::string(message);
}

}  // namespace trevalco::layers
