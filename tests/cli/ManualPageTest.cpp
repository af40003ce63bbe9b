// The manual page says what `--help` says: every option of each command's
// help is in the command's part of trevalco-cli(1) and in its synopsis, with
// the same default ("por omisión X"), and every option the page gives is in
// the help.
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <tuple>

#include "CliRunner.h"

namespace trevalco::cli::test {
namespace {

using Defaults = std::map<std::string, std::string>;  // option, its default ("" when none is said)

// Splits `text` into entries where `start` matches, each its first option
// and the word after "por omisión" in it.
Defaults Options(const std::string& text, const std::regex& start) {
    static const std::regex kOption("--[a-z-]+"), kDefault(R"(por omisión\s+([^\s,;.)]+))");
    Defaults options;
    std::vector<std::size_t> starts;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), start); it != std::sregex_iterator(); ++it)
        starts.push_back(static_cast<std::size_t>(it->position()));
    starts.push_back(text.size());
    for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
        const std::string entry = text.substr(starts[i], starts[i + 1] - starts[i]);
        std::smatch option, value;
        if (!std::regex_search(entry, option, kOption) || option.str() == "--help") continue;
        options[option.str()] = std::regex_search(entry, value, kDefault) ? value[1].str() : "";
    }
    return options;
}

// Troff's escapes and macro names taken off.
std::string Plain(const std::string& troff) {
    std::string text = std::regex_replace(troff, std::regex(R"(\\-)"), "-");
    text = std::regex_replace(text, std::regex(R"(\\f[BIRP]|\\c|\\\(lq|\\\(rq)"), "");
    return std::regex_replace(text, std::regex(R"((^|\n)\.(?!TP|RS|RE|SS|SH)[A-Z]+ ?)"), "$1");
}

std::string Between(const std::string& text, const std::string& from, const std::string& to) {
    const std::size_t start = text.find(from);
    return start == std::string::npos ? "" : text.substr(start, text.find(to, start + from.size()) - start);
}

using ManualPage = CliFixture;

TEST_F(ManualPage, SaysWhatEachCommandsHelpSays) {
    std::ifstream in(std::string(TREVALCO_SOURCE_DIR) + "/packaging/trevalco-cli.1.in");
    std::stringstream page;
    page << in.rdbuf();
    const std::string manual = Plain(page.str());
    for (const auto& [command, next, least] :
         {std::tuple{"convert", ".SS sheets", 7U}, std::tuple{"batch", ".SS layer", 7U},
          std::tuple{"layer", ".SS grid", 7U}, std::tuple{"grid", ".SH OPCIONES", 5U}}) {
        const CliRun help = Cli(std::string(command) + " --help");
        const Defaults helped = Options(Between(help.out, "Opciones:", "\n\n"), std::regex("\n  (-[a-z], )?--"));
        EXPECT_GE(helped.size(), least) << command;
        // An entry ".TP" names its option on its first line; ".RS" opens a list inside one.
        const std::string part = std::regex_replace(Between(manual, std::string(".SS ") + command, next),
                                                    std::regex(R"(\.RS\n[\s\S]*?\.RE\n)"), "");
        EXPECT_EQ(Options(part, std::regex(R"(\.TP\n)")), helped) << command;
        const std::string synopsis = Between(manual, std::string("trevalco-cli ") + command, "\n.br");
        for (const auto& [option, value] : helped)
            EXPECT_NE(synopsis.find(option), std::string::npos) << command << " " << option;
    }
}

}  // namespace
}  // namespace trevalco::cli::test
