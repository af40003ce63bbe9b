// The arguments of `trevalco-cli batch`: each page's roles and the columns
// their selectors offer first, and the refusals of batch's own rules
// (ArgumentsTest has those every command shares).
#include <gtest/gtest.h>

#include <vector>

#include "BatchSettings.h"

namespace trevalco::cli {
namespace {

Parsed<BatchSettings> Parse(std::vector<const char*> arguments) {
    return ParseBatchArguments(static_cast<int>(arguments.size()), arguments.data());
}

std::string Letter(const BatchSettings& settings, std::string_view role) {
    return *batch::LetterOf(settings.columns, role);
}

TEST(BatchArguments, EachPageStartsFromTheColumnsItsSelectorsOfferFirst) {
    const auto dd = Parse({"libro.xlsx", "--sheet", "Hoja1", "--from", "dd", "--direction", "SIRGAS_SAD69"});
    ASSERT_TRUE(dd.settings) << dd.error;
    EXPECT_EQ(batch::AllLetters(dd.settings->columns),
              (std::vector<std::string>{"B", "C", "D", "E", "F", "G", "H", "I"}));
    EXPECT_EQ(dd.settings->key, kSirgasToSad69);
    EXPECT_EQ(dd.settings->onBadRow, BadRowAnswer::Skip);
    EXPECT_FALSE(dd.settings->overwrite);

    const auto dms = Parse({"libro.xlsx", "--sheet=Hoja1", "--from=dms", "--direction=SAD69_SIRGAS"});
    ASSERT_TRUE(dms.settings) << dms.error;
    EXPECT_EQ(Letter(*dms.settings, "latd"), "B");
    EXPECT_EQ(Letter(*dms.settings, "lons"), "G");
    EXPECT_EQ(Letter(*dms.settings, "e2"), "O");
    EXPECT_EQ(dms.settings->key, kSad69ToSirgas);

    const auto utm = Parse({"libro.xlsx", "--sheet", "H", "--from", "utm", "--direction", "PSAD56_SIRGAS",
                            "--zone", "19", "--columns", "n=C,e=B", "--columns", "lat2=I,lon2=H",
                            "--on-bad-row", "stop", "--overwrite", "--force-zone", "18"});
    ASSERT_TRUE(utm.settings) << utm.error;
    const auto& columns = std::get<batch::UtmColumns>(utm.settings->columns);
    EXPECT_EQ(columns.zone, std::optional<std::int16_t>(19));
    EXPECT_EQ(columns.northing, "C");
    EXPECT_EQ(columns.easting, "B");
    EXPECT_EQ(columns.latitude2, "I");
    EXPECT_EQ(columns.longitude, "E");
    EXPECT_EQ(utm.settings->onBadRow, BadRowAnswer::Stop);
    EXPECT_TRUE(utm.settings->overwrite);
    EXPECT_EQ(utm.settings->forced, zones::ForcedZone::To(18));
}

TEST(BatchArguments, RefusesWhatCannotRun) {
    const std::vector<std::pair<std::vector<const char*>, std::string>> cases = {
        {{"l.xlsx", "--sheet", "H", "--from", "dd", "--direction", "SIRGAS_SAD69", "--zone", "19"}, "--zone"},
        {{"l.xlsx", "--sheet", "H", "--from", "utm", "--direction", "SIRGAS_SAD69", "--zone", "20"}, "zona"},
        {{"l.xlsx", "--sheet", "H", "--from", "utm", "--direction", "SIRGAS_SAD69"}, "falta --zone"},
        {{"l.xlsx", "--sheet", "H", "--from", "dd", "--direction", "SIRGAS_SAD69", "--columns", "latd=B"},
         "rol desconocido «latd» (lat, lon, n, e, lat2, lon2, n2, e2, name)"},
        {{"l.xlsx", "--sheet", "H", "--from", "dd", "--direction", "SIRGAS_SAD69", "--columns", "lat=D"}, "más de un rol"},
        {{"l.xlsx", "--sheet", "H", "--from", "dd", "--direction", "SIRGAS_SAD69", "--columns", "lat=1"}, "columna"},
        {{"l.xlsx", "--sheet", "H", "--from", "dd", "--direction", "SIRGAS_SAD69", "--columns", "lat"}, "ROL=COLUMNA"},
        {{"l.xlsx", "--sheet", "H", "--from", "dd", "--direction", "SIRGAS_SAD69", "--on-bad-row", "ask"}, "skip o stop"},
        {{"l.csv", "--sheet", "H", "--from", "dd", "--direction", "SIRGAS_SAD69", "-o", "r.txt"}, "extensión del libro (.csv)"},
        {{"l.csv", "--sheet", "H", "--from", "dd", "--direction", "SIRGAS_SAD69", "--output=./l.csv"}, "el libro de origen"},
    };
    for (const auto& [arguments, reason] : cases) {
        const auto parsed = Parse(arguments);
        EXPECT_FALSE(parsed.settings) << reason;
        EXPECT_NE(parsed.error.find(reason), std::string::npos) << parsed.error;
    }
}

}  // namespace
}  // namespace trevalco::cli
