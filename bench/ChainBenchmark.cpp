// One point through the geographic chain, and one input line through the
// command line's converter, on points spread over continental Chile.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "PointChain.h"
#include "LineConverter.h"
#include "NumberText.h"

namespace {

using namespace trevalco;

struct Point {
    double latitude, longitude;
};

std::vector<Point> ChilePoints(std::size_t count) {
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> lat(17.0, 43.0);
    std::uniform_real_distribution<double> lon(66.0, 76.0);
    std::vector<Point> points(count);
    for (auto& p : points) p = {lat(random), lon(random)};
    return points;
}

void GeographicChainSirgasToPsad56(benchmark::State& state) {
    const auto points = ChilePoints(4096);
    std::size_t i = 0;
    for (auto _ : state) {
        const Point& p = points[i++ & 4095];
        const auto start = chain::StartGeographic(bands::ProgramBands(), kSirgasToPsad56, p.latitude, p.longitude,
                                                  zones::ForcedZone::Off());
        const auto target = chain::CarryToTarget(start.latitude, start.longitude,
                                                 start.ellipsoids, *start.shift,
                                                 zones::ForcedZone::Off());
        benchmark::DoNotOptimize(start.sourceUtm);
        benchmark::DoNotOptimize(target);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(GeographicChainSirgasToPsad56);

// The part of the chain that PROJ's and GeographicLib's pipelines do:
// geographic to geocentric, the shift, back to geographic, and UTM.
void ShiftAndProjectSirgasToPsad56(benchmark::State& state) {
    const auto points = ChilePoints(4096);
    std::vector<chain::GeographicStart> starts;
    for (const auto& p : points)
        starts.push_back(chain::StartGeographic(bands::ProgramBands(), kSirgasToPsad56, p.latitude, p.longitude,
                                                zones::ForcedZone::Off()));
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& start = starts[i++ & 4095];
        const auto target = chain::CarryToTarget(start.latitude, start.longitude,
                                                 start.ellipsoids, *start.shift,
                                                 zones::ForcedZone::Off());
        benchmark::DoNotOptimize(target);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(ShiftAndProjectSirgasToPsad56);

void ConvertLineSirgasToSad69(benchmark::State& state) {
    const auto points = ChilePoints(4096);
    std::vector<std::string> lines;
    for (const auto& p : points)
        lines.push_back(number_text::PlainText(p.latitude, number_text::Invariant()) + " " +
                        number_text::PlainText(p.longitude, number_text::Invariant()));
    cli::ConvertSettings settings;
    settings.key = kSirgasToSad69;
    const cli::LineConverter converter(settings);
    std::string out;
    std::size_t i = 0;
    for (auto _ : state) {
        out.clear();
        benchmark::DoNotOptimize(converter.Convert(lines[i++ & 4095], out));
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(ConvertLineSirgasToSad69);

void FormatTenDecimals(benchmark::State& state) {
    const number_text::Mask mask("##0.0000000000");
    std::string out;
    double value = 33.4496588124;
    for (auto _ : state) {
        out.clear();
        mask.AppendTo(out, value, number_text::Invariant());
        value += 1e-9;
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(FormatTenDecimals);

}  // namespace
