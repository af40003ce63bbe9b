// Every example of the README and the guide, run as shown. In a fenced
// ```sh block, a line that starts with "$ " is a command (with the lines it
// continues onto with a final "\"), and the lines under it, up to the next
// command, are what it prints: its error stream, then its output (blank
// lines at the end only part it from the next example). Each block runs in
// a folder of its own, where `trevalco-cli` is the program just built,
// obra.xlsx is the workbook the documents describe, the layers the guide
// ships in docs/ejemplos are there as they are installed, and PROJ finds the shift
// grids just built before its own files, as if the package were installed;
// `cat FILE` of a file that is not there yet makes FILE of the lines shown
// under it.
#include <fstream>

#include "CliRunner.h"

namespace trevalco::cli::test {
namespace {

struct Example {
    int line = 0;         // of the command in the document
    std::string command;  // without "$ "
    std::string shown;
};
using Block = std::vector<Example>;

std::vector<Block> BlocksOf(const std::string& document) {
    std::ifstream in(std::string(TREVALCO_SOURCE_DIR) + "/" + document);
    std::vector<Block> blocks;
    bool fenced = false, shell = false, continued = false;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.starts_with("```")) {
            shell = !fenced && line == "```sh";
            fenced = !fenced;
            if (shell) blocks.emplace_back();
        } else if (shell && continued) {
            blocks.back().back().command += "\n" + line;
        } else if (shell && line.starts_with("$ ")) {
            blocks.back().push_back({number, line.substr(2), ""});
        } else if (shell && !blocks.back().empty()) {
            blocks.back().back().shown += line + "\n";
        }
        continued = shell && !blocks.back().empty() && line.ends_with('\\') &&
                    (continued || line.starts_with("$ "));
    }
    std::erase_if(blocks, [](const Block& block) { return block.empty(); });
    for (Block& block : blocks)
        for (Example& example : block)
            while (example.shown.ends_with("\n\n") || example.shown == "\n") example.shown.pop_back();
    return blocks;
}

// The workbook the examples convert: a header and two points on "Puntos",
// and a second sheet.
void WriteObra(const fs::path& path) {
    const std::string header = "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                               "<c r=\"C1\" t=\"s\"><v>2</v></c></row>";
    const std::string points = "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>3</v></c><c r=\"B2\"><v>33.45</v></c>"
                               "<c r=\"C2\"><v>70.65</v></c></row><row r=\"3\"><c r=\"A3\" t=\"s\"><v>4</v></c>"
                               "<c r=\"B3\"><v>36.82</v></c><c r=\"C3\"><v>73.05</v></c></row>";
    workbook::test::BookLayout book;
    book.sheets = {{"Puntos", workbook::test::SheetXml(header + points)}, {"Resumen", workbook::test::SheetXml("")}};
    book.sharedStrings = workbook::test::SharedStringsXml({"Punto", "Latitud", "Longitud", "P1", "P2"});
    workbook::test::WriteBook(path, book);
}

class DocumentExamples : public ::testing::TestWithParam<const char*> {
protected:
    // What the command prints in `folder`: its error stream, then its output.
    std::string Run(const Example& example, const fs::path& folder) {
        const std::string cli = fs::path(TREVALCO_CLI).parent_path().string();
        const fs::path script = work / "example.sh", out = work / "out.txt", err = work / "err.txt";
        workbook::test::Spill(script, "cd '" + folder.string() + "' || exit 99\nPATH='" + cli + "':\"$PATH\"\n" +
                                          "PROJ_DATA='" TREVALCO_PROJ_GRIDS "':$(projinfo --searchpaths | paste -sd:)\n"
                                          "export PROJ_DATA\n" +
                                          example.command + "\n");
        const std::string shell = "sh '" + script.string() + "' > '" + out.string() + "' 2> '" + err.string() + "'";
        if (std::system(shell.c_str()) == -1) ADD_FAILURE() << "no shell: " << shell;
        return workbook::test::Slurp(err) + workbook::test::Slurp(out);
    }

    workbook::test::TestFolder work;
};

// The page of recipes for other programs runs a real QGIS and, through
// tests/layers/with-postgis, a real PostGIS; where either is missing it is
// skipped, saying which.
std::string MissingRecipeTools(const std::string& document) {
    if (document != "docs/cuadriculas.md") return "";
    if (std::getenv("PGHOST") == nullptr) return "sin PostgreSQL: ctest la ejecuta con tests/layers/with-postgis";
    if (std::system("command -v qgis_process.bin > /dev/null") != 0)
        return "sin QGIS: falta qgis_process.bin (scripts/install-deps instala qgis)";
    return "";
}

TEST_P(DocumentExamples, PrintWhatTheyShow) {
    if (const std::string missing = MissingRecipeTools(GetParam()); !missing.empty()) GTEST_SKIP() << missing;
    const std::vector<Block> blocks = BlocksOf(GetParam());
    EXPECT_GE(blocks.size(), 3U) << GetParam();
    for (const Block& block : blocks) {
        const workbook::test::TestFolder folder;
        WriteObra(folder / "obra.xlsx");
        for (const auto& shipped : fs::directory_iterator(fs::path(TREVALCO_SOURCE_DIR) / "docs" / "ejemplos"))
            fs::copy_file(shipped.path(), folder / shipped.path().filename());
        for (const Example& example : block) {
            const fs::path catted = folder / example.command.substr(example.command.find(' ') + 1);
            if (example.command.starts_with("cat ") && example.command.find_first_of(" <>|;&", 4) == std::string::npos &&
                !fs::exists(catted))
                workbook::test::Spill(catted, example.shown);
            EXPECT_EQ(Run(example, folder.Path()), example.shown)
                << GetParam() << ":" << example.line << ": $ " << example.command;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Documents, DocumentExamples, ::testing::Values("README.md", "docs/guia.md", "docs/cuadriculas.md"),
                         [](const ::testing::TestParamInfo<const char*>& document) {
                             const std::string name = document.param;
                             return name.starts_with("README") ? "Readme" : name.ends_with("guia.md") ? "Guia" : "Cuadriculas";
                         });

}  // namespace
}  // namespace trevalco::cli::test
