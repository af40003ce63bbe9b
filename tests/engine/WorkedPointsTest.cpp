// The worked points through the point core, as the command line asks it
// (the same table runs through trevalco-cli in ConvertCommandTest), and the
// chain's own edges.
#include <gtest/gtest.h>

#include <sstream>

#include "PointChain.h"
#include "Datums.h"
#include "PointCore.h"
#include "WorkedPoints.h"

using namespace trevalco;
using zones::ForcedZone;

namespace {

DirectionKey DirectionNamed(const std::string& name) {
    for (const DirectionKey key : {kSirgasToPsad56, kSirgasToSad69, kPsad56ToSirgas, kSad69ToSirgas})
        if (NameOf(key) == name) return key;
    ADD_FAILURE() << "no direction " << name;
    return kSirgasToPsad56;
}

core::Notation NotationNamed(const std::string& name) {
    return name == "dms" ? core::Notation::DegreesMinutesSeconds
           : name == "utm" ? core::Notation::Utm
                           : core::Notation::DecimalDegrees;
}

// The ten fields as trevalco-cli prints them, from the core's texts.
std::vector<std::string> FieldsOf(const core::Outcome& outcome) {
    std::vector<std::string> fields;
    const auto add = [&fields](const core::PositionTexts& texts, std::int16_t zone) {
        fields.insert(fields.end(), {texts.latitude, texts.longitude, texts.northing, texts.easting, std::to_string(zone)});
    };
    if (outcome.hasSource) add(outcome.texts->source, outcome.source.utm.zone);
    else fields.insert(fields.end(), 5, "*");
    if (outcome.Converted()) add(outcome.texts->target, outcome.target.utm.zone);
    else fields.insert(fields.end(), 5, "*");
    return fields;
}

}  // namespace

TEST(PointCore, WorkedPoints) {
    for (const test::WorkedPoint& p : test::LoadWorkedPoints()) {
        SCOPED_TRACE(p.direction + " " + p.from + " " + p.input + " zone " + std::to_string(p.forcedZone));
        core::Values values;
        std::istringstream words(p.input);
        std::size_t i = 0;
        for (std::string word; words >> word && i < values.size();) values[i++] = word;
        core::Settings settings;
        settings.direction = DirectionNamed(p.direction);
        if (p.forcedZone) settings.forced = ForcedZone::To(static_cast<std::int16_t>(p.forcedZone));
        settings.rules = core::InputRules::CommandLine;
        const core::Outcome outcome = core::ConvertPoint(NotationNamed(p.from), values, settings);
        test::ExpectWorkedFields(p, FieldsOf(outcome));
        // The outcome names the shift it carried the point with.
        EXPECT_EQ(outcome.shift, outcome.Converted() ? bands::BandShifts(settings.direction, -outcome.source.latitude)
                                                     : std::nullopt);
    }
}

TEST(Chain, UtmInputAtFullPrecision) {
    const auto start = chain::StartUtm(kSirgasToSad69, 19, 6297606.833, 346642.695);
    EXPECT_EQ(start.ellipsoids.source, datums::kSirgas);
    EXPECT_NEAR(start.latitude, 33.4499999969, 5e-11);
    const auto full = chain::CarryToTarget(-start.latitude, -start.longitude, start.ellipsoids,
                                           *bands::BandShifts(kSirgasToSad69, -start.latitude),
                                           ForcedZone::Off());
    // The unrounded source moves the documented target northing by about 0.3 mm.
    EXPECT_NE(full.utm.northing, 6297632.781);
    EXPECT_NEAR(full.utm.northing, 6297632.781, 0.001);
}
