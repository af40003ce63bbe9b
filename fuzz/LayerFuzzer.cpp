// Fuzzes the layer reader with GeoJSON and CSV sources. The first byte of
// an input chooses the format (even: GeoJSON, odd: CSV with X/Y or WKT
// columns); the rest is the file, which is converted from WGS 84 to PSAD56
// into a GeoPackage in a folder of the process's own. Refusals (LayerError)
// are the expected outcome for most inputs; crashes, hangs and leaks are
// findings.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "LayerConversion.h"

namespace {

using namespace trevalco::layers;

class Silent final : public LayerListener {
public:
    void LeftOut(std::int64_t, const VertexRefusal&) override {}
    void Crossing(std::int64_t, const std::vector<double>&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("trevalco-layer-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    LayerRequest request;
    request.input = folder / ((data[0] % 2 == 0) ? "capa.geojson" : "capa.csv");
    request.output = folder / "salida.gpkg";
    request.sourceCrs = "EPSG:4326";
    request.target = Datum::Psad56;
    request.overwrite = true;
    {
        std::ofstream out(request.input, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    Silent listener;
    try {
        ConvertLayer(request, listener, [] { return false; });
    } catch (const LayerError&) {
    }
    std::filesystem::remove(request.output);
    return 0;
}
