// The manual page says what `--help` says: every option of each command's
// help is in the command's part of trevalco-cli(1), in its synopsis and with
// the same default, and every option the manual page gives is in the help.
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "CliRunner.h"

namespace trevalco::cli::test {
namespace {

using Defaults = std::map<std::string, std::string>;  // option, its default ("" when none is said)

// The word that "por omisión" names in a description, or "" when none does.
std::string DefaultIn(const std::string& text) {
    static const std::regex kDefault(R"(por omisión\s+([^\s,;.)]+))");
    std::smatch match;
    return std::regex_search(text, match, kDefault) ? match[1].str() : "";
}

// Options of a --help text: each line "  --name ..." or "  -o, --name ...",
// its description running to the next such line or a blank line.
Defaults HelpOptions(const std::string& help) {
    static const std::regex kOption("^  (?:-[a-z], )?(--[a-z-]+)");
    Defaults options;
    std::istringstream lines(help.substr(help.find("Opciones:")));
    std::string line, name, text;
    const auto close = [&] {
        if (!name.empty() && name != "--help") options[name] = DefaultIn(text);
        name.clear();
        text.clear();
    };
    while (std::getline(lines, line)) {
        std::smatch match;
        if (std::regex_search(line, match, kOption)) {
            close();
            name = match[1].str();
        } else if (line.empty()) {
            close();
        }
        text += line + "\n";
    }
    close();
    return options;
}

// The manual page's text between two headings, with troff's escapes and
// macro names taken off.
std::string Plain(const std::string& troff) {
    std::string text = std::regex_replace(troff, std::regex(R"(\\-)"), "-");
    text = std::regex_replace(text, std::regex(R"(\\f[BIRP]|\\c|\\\(lq|\\\(rq)"), "");
    return std::regex_replace(text, std::regex(R"((^|\n)\.[A-Z]+ ?)"), "$1");
}

std::string Between(const std::string& text, const std::string& from, const std::string& to) {
    const std::size_t start = text.find(from);
    EXPECT_NE(start, std::string::npos) << from;
    return text.substr(start, text.find(to, start + from.size()) - start);
}

// Options of a command's part of the manual page: an entry ".TP" whose next
// line names the option; its description runs to the next ".TP".
Defaults ManualOptions(const std::string& part) {
    Defaults options;
    std::size_t at = 0;
    while ((at = part.find(".TP\n", at)) != std::string::npos) {
        const std::size_t end = std::min(part.find(".TP\n", at + 4), part.find(".RS\n", at + 4));
        const std::string entry = Plain(part.substr(at + 4, end - at - 4));
        std::smatch match;
        if (std::regex_search(entry, match, std::regex("^[^\n]*?(--[a-z-]+)")) && match[1] != "--help")
            options[match[1].str()] = DefaultIn(entry);
        at = end;
    }
    return options;
}

using ManualPage = CliFixture;

TEST_F(ManualPage, SaysWhatEachCommandsHelpSays) {
    std::ifstream in(std::string(TREVALCO_SOURCE_DIR) + "/packaging/trevalco-cli.1.in");
    std::stringstream page;
    page << in.rdbuf();
    const std::string manual = page.str();
    ASSERT_FALSE(manual.empty());
    const std::string synopsis = Plain(Between(manual, ".SH SINOPSIS", ".SH DESCRIPCIÓN"));
    for (const auto& [command, next] : {std::pair{"convert", ".SS sheets"}, std::pair{"batch", ".SH OPCIONES"}}) {
        const CliRun help = Cli(std::string(command) + " --help");
        ASSERT_EQ(help.status, 0) << command;
        const Defaults helped = HelpOptions(help.out);
        EXPECT_GE(helped.size(), 7U) << command;
        EXPECT_EQ(ManualOptions(Between(manual, std::string(".SS ") + command, next)), helped) << command;
        const std::string commandSynopsis =
            Between(synopsis, std::string("trevalco-cli ") + command, command == std::string("convert") ? "sheets" : "--version");
        for (const auto& [option, value] : helped)
            EXPECT_NE(commandSynopsis.find(option), std::string::npos) << command << " " << option;
    }
}

}  // namespace
}  // namespace trevalco::cli::test
