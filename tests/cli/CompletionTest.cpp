// Bash completion of --sheet as a user meets it: the workbook typed quoted
// or with escaped blanks, the sheet names offered quoted.
#include "CliRunner.h"

namespace trevalco::cli::test {
namespace {

using workbook::test::Slurp;
using workbook::test::Spill;

using Completion = CliFixture;

TEST_F(Completion, SheetNamesOfAWorkbookNamedWithBlanksComeQuoted) {
    const fs::path bashCompletion = "/usr/share/bash-completion/bash_completion";
    if (!fs::exists(bashCompletion)) GTEST_SKIP() << "apt-get install bash-completion";
    Spill(folder / "mi obra.final.csv", "P;33,45;70,65\n");
    Spill(folder / "complete.sh",
          "source " + bashCompletion.string() + "\nsource '" TREVALCO_COMPLETION "'\n"
          "PATH='" + fs::path(TREVALCO_CLI).parent_path().string() + "':$PATH\n"
          "COMP_WORDS=(trevalco-cli batch \"$(< word.txt)\" --sheet \"$(< typed.txt)\"); COMP_CWORD=4\n"
          "COMP_LINE=\"${COMP_WORDS[*]}\"; COMP_POINT=${#COMP_LINE}\n"
          "_trevalco_cli trevalco-cli \"${COMP_WORDS[4]}\" --sheet\nprintf '%s\\n' \"${COMPREPLY[@]}\"\n");
    for (const auto& [word, typed, offered] :
         std::vector<std::tuple<std::string, std::string, std::string>>{{"mi\\ obra.final.csv", "", "mi\\ obra\n"},
                                                                        {"'mi obra.final.csv'", "mi", "mi\\ obra\n"},
                                                                        {"\"mi obra.final.csv\"", "mi\\ o", "mi\\ obra\n"},
                                                                        {"'mi obra.final.csv'", "otra", "\n"}}) {
        Spill(folder / "word.txt", word);
        Spill(folder / "typed.txt", typed);
        const std::string command = "cd '" + folder.Path().string() + "' && bash complete.sh > offered.txt 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0);
        EXPECT_EQ(Slurp(folder / "offered.txt"), offered) << word << " " << typed;
    }
}

}  // namespace
}  // namespace trevalco::cli::test
