#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "LineConverter.h"

using namespace trevalco;
using namespace trevalco::cli;

namespace {

struct Converted {
    LineOutcome outcome;
    std::vector<std::string> fields;
    std::string reason;
};

Converted ConvertText(std::string_view line, std::string key, InputNotation from = InputNotation::DecimalDegrees,
              std::optional<std::int16_t> zone = std::nullopt,
              Util::ForcedZone forced = Util::ForcedZone::Off()) {
    ConvertSettings settings;
    settings.key = std::move(key);
    settings.from = from;
    settings.zone = zone;
    settings.forced = forced;
    std::string out;
    const LineResult result = LineConverter(settings).Convert(line, out);
    Converted c{result.outcome, {}, result.reason};
    std::stringstream stream(out);
    for (std::string field; std::getline(stream, field, '\t');) c.fields.push_back(field);
    return c;
}

const std::vector<std::string> kAllStars(10, "*");

std::vector<std::string> Source(const Converted& c) { return {c.fields.begin(), c.fields.begin() + 5}; }
std::vector<std::string> Target(const Converted& c) { return {c.fields.begin() + 5, c.fields.end()}; }

}  // namespace

TEST(ConvertLine, DecimalDegreesWorkedExamples) {
    auto c = ConvertText("33.45 70.65", "SIRGAS_SAD69");
    EXPECT_EQ(c.outcome, LineOutcome::Converted);
    EXPECT_EQ(c.fields, (std::vector<std::string>{"33.4500000000", "70.6500000000", "6297606.833",
                                                  "346642.695", "19", "33.4496588124",
                                                  "70.6493505358", "6297632.781", "346701.908",
                                                  "19"}));
    c = ConvertText("\t-33.45   -70.65  ", "SIRGAS_PSAD56");  // signs and blanks do not matter
    EXPECT_EQ(Target(c), (std::vector<std::string>{"33.4461474161", "70.6478833098",
                                                   "6297980.173", "346825.988", "19"}));
    c = ConvertText("33.45 70.65", "");
    EXPECT_EQ(Source(c)[2], "6297593.989");
    EXPECT_EQ(Target(c)[0], "33.4503411829");
    EXPECT_EQ(Target(c)[1], "70.6506494670");
}

TEST(ConvertLine, LinesRejectedBeforeTheSourceIsKnown) {
    for (auto [line, reason] : {std::pair{"33.45", "Contiene Datos Vacios."},
                                {"33.45 70.65 1", "Contiene Datos Inválidos."},
                                {"33,45 70.65", "Contiene Datos Inválidos."},
                                {"abc 70", "Contiene Datos Inválidos."},
                                {"1e400 70", "Contiene Datos Inválidos."},
                                {"16.99 70", "Fuera de Limites."},
                                {"56.01 70", "Fuera de Limites."},
                                {"33 65.99", "Fuera de Limites."},
                                {"33 77.01", "Fuera de Limites."}}) {
        const auto c = ConvertText(line, "SIRGAS_SAD69");
        EXPECT_EQ(c.outcome, LineOutcome::Rejected) << line;
        EXPECT_EQ(c.fields, kAllStars) << line;
        EXPECT_EQ(c.reason, reason) << line;
    }
    EXPECT_EQ(ConvertText("   ", "SIRGAS_SAD69").outcome, LineOutcome::Blank);
}

TEST(ConvertLine, SourceKnownButNotCarriedToTheTarget) {
    // Input range holds 77, the transformation range ends at 76.
    auto c = ConvertText("33 77", "SIRGAS_SAD69");
    EXPECT_EQ(c.outcome, LineOutcome::Rejected);
    EXPECT_EQ(Source(c)[0], "33.0000000000");
    EXPECT_EQ(Source(c)[4], "18");
    EXPECT_EQ(Target(c), std::vector<std::string>(5, "*"));
    EXPECT_EQ(c.reason, "Fuera de Limites.");
    EXPECT_EQ(ConvertText("33 76", "SIRGAS_SAD69").outcome, LineOutcome::Converted);

    // No band parameters: never a result with a borrowed or zero shift.
    for (const char* line : {"17 70", "44 72", "45 72"}) {
        c = ConvertText(line, "PSAD56_SIRGAS");
        EXPECT_EQ(c.outcome, LineOutcome::Rejected) << line;
        EXPECT_NE(Source(c)[2], "*") << line;
        EXPECT_EQ(Target(c), std::vector<std::string>(5, "*")) << line;
        EXPECT_EQ(c.reason, "¡ No exixten Parametros para esta Latitud !") << line;
    }
    EXPECT_EQ(ConvertText("17 70", "SIRGAS_SAD69").outcome, LineOutcome::Converted);
}

TEST(ConvertLine, DegreesMinutesSecondsAsCellsAreChecked) {
    auto c = ConvertText("33 27 0 70 39 0", "SIRGAS_SAD69", InputNotation::DegreesMinutesSeconds);
    EXPECT_EQ(c.outcome, LineOutcome::Converted);
    EXPECT_EQ(Source(c)[0], "33.4500000000");
    EXPECT_EQ(Target(c)[0], "33.4496588124");

    for (auto [line, reason] :
         {std::pair{"33.5 27 0 70 39 0", "¡ Celda  \" LATD \"  Con Decimales !."},
          {"16 0 0 70 0 0", "¡ Celda  \" LATD \"  Fuera de Límites !."},
          {"33 60 0 70 0 0", "¡ Celda  \" LATM \"  Fuera de Rango !."},
          {"33 10.5 0 70 0 0", "¡ Celda  \" LATM \"  Con Decimales !."},
          {"33 10 60 70 0 0", "¡ Celda  \" LATS \"  Fuera de Rango !."},
          {"33 10 x 70 0 0", "¡ Celda  \" LATS \"  Contiene Datos Inválidos !."},
          {"33 0 0 77 0 0", "¡ Celda  \" LOND \"  Fuera de Límites !."},
          {"33 0 0 70 -5 0", "¡ Celda  \" LONM \"  Fuera de Rango !."},
          {"33 0 0 70 0", "Contiene Datos Vacios."}}) {
        c = ConvertText(line, "SIRGAS_SAD69", InputNotation::DegreesMinutesSeconds);
        EXPECT_EQ(c.fields, kAllStars) << line;
        EXPECT_EQ(c.reason, reason) << line;
    }
    // 56 degrees 30 minutes passes the cell checks but not the transformation range.
    c = ConvertText("56 30 0 70 0 0", "SIRGAS_SAD69", InputNotation::DegreesMinutesSeconds);
    EXPECT_EQ(Source(c)[0], "56.5000000000");
    EXPECT_EQ(Target(c), std::vector<std::string>(5, "*"));
}

TEST(ConvertLine, UtmAtFullPrecision) {
    auto c = ConvertText("6297606.833 346642.695", "SIRGAS_SAD69", InputNotation::Utm, 19);
    EXPECT_EQ(c.outcome, LineOutcome::Converted);
    EXPECT_EQ(Source(c), (std::vector<std::string>{"33.4499999969", "70.6500000000",
                                                   "6297606.833", "346642.695", "19"}));
    // Unrounded source: a fraction of a millimetre from the point tab's result.
    EXPECT_EQ(Target(c)[0], "33.4496588093");
    EXPECT_EQ(Target(c)[2], "6297632.781");

    c = ConvertText("6297606.833 346642.695 18", "SIRGAS_SAD69", InputNotation::Utm, 19);
    EXPECT_EQ(Source(c)[1], "76.6500000000");
    EXPECT_EQ(Source(c)[4], "18");
    EXPECT_EQ(Target(c), std::vector<std::string>(5, "*"));
    EXPECT_EQ(c.reason, "Fuera de Limites.");

    c = ConvertText("6297606.833 346642.695 18.5", "SIRGAS_SAD69", InputNotation::Utm);
    EXPECT_EQ(Source(c)[4], "18");  // halves to even
}

TEST(ConvertLine, HostileUtmNeverGivesANumberThatIsNotOne) {
    for (auto [line, reason] : {std::pair{"6297606.833 346642.695", "Contiene Datos Vacios."},
                                {"1 2 3 4", "Contiene Datos Inválidos."},
                                {"6297606.833 346642.695 x", "Contiene Datos Inválidos."},
                                {"6297606.833 346642.695 40000", "¡ Coordenadas Fuera de Límites !"},
                                {"6297606.833 346642.695 5492", "¡ Coordenadas Fuera de Límites !"},
                                {"1e300 1e300 19", "¡ Coordenadas Fuera de Límites !"},
                                {"-1e300 5 19", "¡ Coordenadas Fuera de Límites !"}}) {
        const auto c = ConvertText(line, "SIRGAS_SAD69", InputNotation::Utm);
        EXPECT_EQ(c.fields, kAllStars) << line;
        EXPECT_EQ(c.reason, reason) << line;
    }
    const auto c = ConvertText("0 0 19", "SIRGAS_SAD69", InputNotation::Utm);
    for (const auto& field : c.fields) {
        EXPECT_EQ(field.find("nan"), std::string::npos);
        EXPECT_EQ(field.find("inf"), std::string::npos);
    }
}

TEST(ConvertLine, ForcedZoneAppliesToBothProjections) {
    const auto c = ConvertText("33.45 70.65", "SIRGAS_SAD69", InputNotation::DecimalDegrees, std::nullopt,
                       Util::ForcedZone::To(18));
    EXPECT_EQ(Source(c)[2], "6290351.776");
    EXPECT_EQ(Source(c)[3], "904437.020");
    EXPECT_EQ(Source(c)[4], "18");
    EXPECT_EQ(Target(c)[4], "18");
}
