#include <gtest/gtest.h>

#include <vector>

#include "ConvertSettings.h"

using namespace trevalco;
using namespace trevalco::cli;

namespace {

ParsedConvertArguments Parse(std::vector<const char*> args) {
    return ParseConvertArguments(static_cast<int>(args.size()), args.data());
}

}  // namespace

TEST(ConvertArguments, DefaultsAndEveryDirection) {
    auto parsed = Parse({});
    ASSERT_TRUE(parsed.settings);
    EXPECT_EQ(parsed.settings->key, "SIRGAS_PSAD56");
    EXPECT_EQ(parsed.settings->from, InputNotation::DecimalDegrees);
    EXPECT_EQ(parsed.settings->forced, Util::ForcedZone::Off());

    EXPECT_EQ(Parse({"--direction", "SIRGAS_SAD69"}).settings->key, "SIRGAS_SAD69");
    EXPECT_EQ(Parse({"--direction=PSAD56_SIRGAS"}).settings->key, "PSAD56_SIRGAS");
    EXPECT_EQ(Parse({"--direction", "SAD69_SIRGAS"}).settings->key, "");  // the empty key

    parsed = Parse({"--from", "utm", "--zone", "19", "--force-zone", "22"});
    ASSERT_TRUE(parsed.settings);
    EXPECT_EQ(parsed.settings->from, InputNotation::Utm);
    EXPECT_EQ(parsed.settings->zone, 19);
    EXPECT_EQ(parsed.settings->forced, Util::ForcedZone::To(22));
    EXPECT_TRUE(Parse({"--help"}).help);
}

TEST(ConvertArguments, BadOptionsAndValuesAreRefused) {
    for (const auto& args : std::vector<std::vector<const char*>>{
             {"--direction", "sirgas_sad69"},
             {"--direction"},
             {"--from", "gms"},
             {"--zone", "0", "--from", "utm"},
             {"--zone", "19x", "--from", "utm"},
             {"--zone", "19"},  // only for UTM input
             {"--force-zone", "14"},
             {"--force-zone", "23"},
             {"--verbose"},
             {"extra"}}) {
        const auto parsed = Parse(args);
        EXPECT_FALSE(parsed.settings) << args[0];
        EXPECT_FALSE(parsed.error.empty()) << args[0];
    }
}
