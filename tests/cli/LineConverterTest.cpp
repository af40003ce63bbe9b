// The arguments of `trevalco-cli convert`, and one line of its input: checked
// as a row of a sheet of its notation, converted, and passed through around
// the ten output fields.
#include <gtest/gtest.h>

#include <sstream>

#include "LineConverter.h"
#include "WorkedPoints.h"

namespace trevalco::cli {
namespace {

// The documented point 33.45 S 70.65 W on SIRGAS, and on SAD69 and PSAD56.
const std::string kSirgas = "33.4500000000\t70.6500000000\t6297606.833\t346642.695\t19";
const std::string kSad69 = "33.4496588124\t70.6493505358\t6297632.781\t346701.908\t19";
const std::string kPsad56 = "33.4461474161\t70.6478833098\t6297980.173\t346825.988\t19";
const std::string kStars = "*\t*\t*\t*\t*";
const std::string kNoTarget = "#\t#\t#\t#\t#\t" + kStars;

struct Case {
    std::string options, line;
    std::string expected;  // tab-separated fields; "#" stands for any number
    std::string reason;    // empty for a converted line
};

// Fields in the output dialect of --delimiter and --decimal-comma.
std::string Dialect(std::string fields, char separator, bool comma) {
    for (char& c : fields) {
        if (c == '\t') c = separator;
        if (comma && c == '.') c = ',';
    }
    return fields;
}

const std::vector<Case> kCases = {
    {"", "\t-33.45   -70.65  ", kSirgas + "\t" + kPsad56, ""},  // signs and blanks do not matter
    {"--direction SIRGAS_SAD69", "   ", "", ""},
    {"--direction SIRGAS_SAD69", "33.45", kStars + "\t" + kStars, "Contiene Datos Vacios."},
    {"--direction SIRGAS_SAD69", "33,45 70.65", kStars + "\t" + kStars, "Contiene Datos Inválidos."},
    {"--direction SIRGAS_SAD69", "1e400 70", kStars + "\t" + kStars, "Contiene Datos Inválidos."},
    {"--direction SIRGAS_SAD69", "16.99 70", kStars + "\t" + kStars, "Fuera de Limites."},
    {"--direction SIRGAS_SAD69", "33 77.01", kStars + "\t" + kStars, "Fuera de Limites."},
    // The input range holds 77, the transformation range ends at 76.
    {"--direction SIRGAS_SAD69", "33 77", "33.0000000000\t77.0000000000\t#\t#\t18\t" + kStars, "Fuera de Limites."},
    {"--direction SIRGAS_SAD69", "33 76", "#\t#\t#\t#\t#\t#\t#\t#\t#\t#", ""},
    // No band parameters: never a result with a borrowed or zero shift.
    {"--direction PSAD56_SIRGAS", "44 72", kNoTarget, "¡ No exixten Parametros para esta Latitud !"},
    // Degrees, minutes and seconds go through the cell checks (tested in full with them).
    {"--from dms", "33.5 27 0 70 39 0", kStars + "\t" + kStars, "¡ Celda  \" LATD \"  Con Decimales !."},
    {"--from dms", "33 60 0 70 0 0", kStars + "\t" + kStars, "¡ Celda  \" LATM \"  Fuera de Rango !."},
    {"--from dms", "33 10 x 70 0 0", kStars + "\t" + kStars, "¡ Celda  \" LATS \"  Contiene Datos Inválidos !."},
    {"--from dms", "33 0 0 77 0 0", kStars + "\t" + kStars, "¡ Celda  \" LOND \"  Fuera de Límites !."},
    {"--from dms", "33 0 0 70 0", kStars + "\t" + kStars, "Contiene Datos Vacios."},
    {"--direction SIRGAS_SAD69 --from dms", "56 30 0 70 0 0", "56.5000000000\t#\t#\t#\t#\t" + kStars, "Fuera de Limites."},
    {"--from utm --zone 19", "6297606.833 346642.695 18", "#\t76.6500000000\t#\t#\t18\t" + kStars, "Fuera de Limites."},
    {"--from utm", "6297606.833 346642.695 18.5", "#\t#\t#\t#\t18\t" + kStars, "Fuera de Limites."},  // halves to even
    {"--from utm", "6297606.833 346642.695", kStars + "\t" + kStars, "Contiene Datos Vacios."},
    {"--from utm", "6297606.833 346642.695 x", kStars + "\t" + kStars, "Contiene Datos Inválidos."},
    {"--from utm", "6297606.833 346642.695 40000", kStars + "\t" + kStars, "¡ Coordenadas Fuera de Límites !"},
    {"--from utm", "6297606.833 346642.695 5492", kStars + "\t" + kStars, "¡ Coordenadas Fuera de Límites !"},
    {"--from utm", "1e300 1e300 19", kStars + "\t" + kStars, "¡ Coordenadas Fuera de Límites !"},
    {"--from utm", "0 0 19", kStars + "\t" + kStars, "¡ Coordenadas Fuera de Límites !"},  // never a nan
    // What follows the coordinates passes through, converted or not; skipped fields go in front.
    {"--direction SIRGAS_SAD69", "33.45 70.65 P1  512.4", kSirgas + "\t" + kSad69 + "\tP1  512.4", ""},
    {"--direction SIRGAS_SAD69", "abc 70 nota", kStars + "\t" + kStars + "\tnota", "Contiene Datos Inválidos."},
    {"--direction SIRGAS_SAD69 --delimiter ; --decimal-comma --skip-fields 1", "P1;33,45;70,65;512,4;\"a;b\"\r",
     "P1;" + Dialect(kSirgas + "\t" + kSad69, ';', true) + ";512,4;\"a;b\"", ""},
    {"--direction SIRGAS_SAD69 --delimiter ; --decimal-comma --skip-fields 1", "\"P;2\";\"33,45\";70,65",
     "\"P;2\";" + Dialect(kSirgas + "\t" + kSad69, ';', true), ""},
    {"--delimiter ; --skip-fields 2", "A;B;;70", "A;B;" + Dialect(kStars + "\t" + kStars, ';', false), "Contiene Datos Vacios."},
    {"--direction SIRGAS_SAD69 --delimiter tab --skip-fields 1 --from utm --zone 19",
     "A\t6297606.833\t346642.695\t512.4", "A\t#\t#\t#\t#\t19\t#\t#\t6297632.781\t#\t19\t512.4", ""},
    {"--from utm --zone 19", "6297606.833 346642.695 18 x", "#\t76.6500000000\t#\t#\t18\t" + kStars + "\tx",
     "Fuera de Limites."},
    {"--direction SIRGAS_SAD69 --delimiter , --from dms", "33,27,,70,39,0,cota", Dialect(kSirgas + "\t" + kSad69, ',', false) + ",cota", ""},
};

Parsed<ConvertSettings> Parse(std::vector<const char*> args) {
    return ParseConvertArguments(static_cast<int>(args.size()), args.data());
}

TEST(ConvertArguments, DefaultsAndEveryOption) {
    auto parsed = Parse({});
    ASSERT_TRUE(parsed.settings);
    const ConvertSettings& defaults = *parsed.settings;
    EXPECT_EQ(std::tie(defaults.key, defaults.from, defaults.forced, defaults.layout.delimiter,
                       defaults.layout.skipFields, defaults.decimalComma),
              std::make_tuple(kSirgasToPsad56, core::Notation::DecimalDegrees, zones::ForcedZone::Off(),
                              std::optional<char>(), std::size_t{0}, false));
    EXPECT_EQ(Parse({"--direction=PSAD56_SIRGAS"}).settings->key, kPsad56ToSirgas);
    for (const auto& [name, delimiter] : {std::pair{";", ';'}, {",", ','}, {"tab", '\t'}, {"\t", '\t'}})
        EXPECT_EQ(Parse({"--delimiter", name}).settings->layout.delimiter, delimiter) << name;

    parsed = Parse({"--from", "utm", "--zone", "19", "--force-zone", "22", "--decimal-comma", "--skip-fields=3",
                    "--delimiter", ";"});
    ASSERT_TRUE(parsed.settings) << parsed.error;
    const ConvertSettings& set = *parsed.settings;
    EXPECT_EQ(std::tie(set.from, set.zone, set.forced, set.decimalComma, set.layout.skipFields, set.layout.delimiter),
              std::make_tuple(core::Notation::Utm, std::optional<std::int16_t>(19), zones::ForcedZone::To(22), true,
                              std::size_t{3}, std::optional<char>(';')));
}

TEST(ConvertArguments, BadOptionsAndValuesAreRefused) {
    for (const auto& args : std::vector<std::vector<const char*>>{
             {"--zone", "0", "--from", "utm"}, {"--zone", "19x", "--from", "utm"},
             {"--zone", "19"},  // only for UTM input
             {"--delimiter", ":"}, {"--delimiter", ";;"},
             {"--skip-fields", "-1"}, {"--skip-fields", "1001"}, {"--decimal-comma", "--delimiter", ","}}) {
        const auto parsed = Parse(args);
        EXPECT_FALSE(parsed.settings) << args[0];
        EXPECT_FALSE(parsed.error.empty()) << args[0];
    }
}

bool IsNumber(const std::string& field) {
    return !field.empty() && field.find_first_not_of("0123456789.,-") == std::string::npos;
}

TEST(ConvertLine, EachLineAsARowOfItsNotation) {
    for (const Case& c : kCases) {
        std::vector<std::string> words;
        std::istringstream options(c.options);
        for (std::string word; options >> word;) words.push_back(word);
        std::vector<const char*> arguments;
        for (const std::string& word : words) arguments.push_back(word.c_str());
        const auto parsed = Parse(arguments);
        ASSERT_TRUE(parsed.settings) << c.options;

        std::string out;
        const LineResult result = LineConverter(*parsed.settings).Convert(c.line, out);
        const char separator = c.options.find("--delimiter ;") != std::string::npos   ? ';'
                               : c.options.find("--delimiter ,") != std::string::npos ? ','
                                                                                     : '\t';
        const auto fields = trevalco::test::SplitTabs(out, separator);
        const auto expected = trevalco::test::SplitTabs(c.expected, separator);
        ASSERT_EQ(fields.size(), expected.size()) << c.line << " gives " << out;
        for (std::size_t i = 0; i < fields.size(); ++i)
            EXPECT_TRUE(expected[i] == "#" ? IsNumber(fields[i]) : fields[i] == expected[i]) << c.line << " gives " << out;
        // The statement, followed by what the line held and what to do.
        const std::string statement = c.reason.ends_with('.') ? c.reason.substr(0, c.reason.size() - 1) : c.reason;
        EXPECT_TRUE(result.reason.starts_with(statement)) << c.line << ": " << result.reason;
        const auto outcome = c.expected.empty() ? LineOutcome::Blank
                             : c.reason.empty() ? LineOutcome::Converted : LineOutcome::Rejected;
        EXPECT_EQ(result.outcome, outcome) << c.line;
    }
}

}  // namespace
}  // namespace trevalco::cli
