// The arguments of `trevalco-cli convert`.
#include <gtest/gtest.h>

#include <vector>

#include "ConvertSettings.h"

namespace trevalco::cli {
namespace {

ParsedConvertArguments Parse(std::vector<const char*> args) {
    return ParseConvertArguments(static_cast<int>(args.size()), args.data());
}

TEST(ConvertArguments, DefaultsAndEveryOption) {
    auto parsed = Parse({});
    ASSERT_TRUE(parsed.settings);
    const ConvertSettings& defaults = *parsed.settings;
    EXPECT_EQ(std::tie(defaults.key, defaults.from, defaults.forced, defaults.layout.delimiter,
                       defaults.layout.skipFields, defaults.decimalComma),
              std::make_tuple(std::string("SIRGAS_PSAD56"), InputNotation::DecimalDegrees, Util::ForcedZone::Off(),
                              std::optional<char>(), std::size_t{0}, false));
    EXPECT_EQ(Parse({"--direction", "SIRGAS_SAD69"}).settings->key, "SIRGAS_SAD69");
    EXPECT_EQ(Parse({"--direction=PSAD56_SIRGAS"}).settings->key, "PSAD56_SIRGAS");
    EXPECT_EQ(Parse({"--direction", "SAD69_SIRGAS"}).settings->key, "");  // the empty key
    for (const auto& [name, delimiter] : {std::pair{";", ';'}, {",", ','}, {"tab", '\t'}, {"\t", '\t'}})
        EXPECT_EQ(Parse({"--delimiter", name}).settings->layout.delimiter, delimiter) << name;

    parsed = Parse({"--from", "utm", "--zone", "19", "--force-zone", "22", "--decimal-comma", "--skip-fields=3",
                    "--delimiter", ";"});
    ASSERT_TRUE(parsed.settings) << parsed.error;
    const ConvertSettings& set = *parsed.settings;
    EXPECT_EQ(std::tie(set.from, set.zone, set.forced, set.decimalComma, set.layout.skipFields, set.layout.delimiter),
              std::make_tuple(InputNotation::Utm, std::optional<std::int16_t>(19), Util::ForcedZone::To(22), true,
                              std::size_t{3}, std::optional<char>(';')));
    EXPECT_TRUE(Parse({"--help"}).help);
}

TEST(ConvertArguments, BadOptionsAndValuesAreRefused) {
    for (const auto& args : std::vector<std::vector<const char*>>{
             {"--direction", "sirgas_sad69"}, {"--direction"}, {"--from", "gms"},
             {"--zone", "0", "--from", "utm"}, {"--zone", "19x", "--from", "utm"},
             {"--zone", "19"},  // only for UTM input
             {"--force-zone", "14"}, {"--force-zone", "23"}, {"--delimiter", ":"}, {"--delimiter", ";;"},
             {"--skip-fields", "-1"}, {"--skip-fields", "1001"}, {"--decimal-comma", "--delimiter", ","},
             {"--verbose"}, {"extra"}}) {
        const auto parsed = Parse(args);
        EXPECT_FALSE(parsed.settings) << args[0];
        EXPECT_FALSE(parsed.error.empty()) << args[0];
    }
}

}  // namespace
}  // namespace trevalco::cli
