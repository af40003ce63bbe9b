// trevalco-cli sheets run as a user runs it: the sheet names on stdout, a
// workbook's problem on stderr, and the exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A small .xlsx whose workbook lists these sheets (chart sheets marked).
void WriteWorkbook(const fs::path& path, const std::vector<std::pair<std::string, bool>>& sheets) {
    const std::string rels = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    std::string workbook = "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\"" +
                           rels + "\"><sheets>";
    std::string links = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    std::vector<std::pair<std::string, std::string>> parts = {
        {"[Content_Types].xml", "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"},
        {"_rels/.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                        "<Relationship Id=\"rId1\" Type=\"" + rels + "/officeDocument\" Target=\"xl/workbook.xml\"/>"
                        "</Relationships>"}};
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::string id = "rId" + std::to_string(i + 1);
        const std::string part = "sheet" + std::to_string(i + 1) + ".xml";
        workbook += "<sheet name=\"" + sheets[i].first + "\" sheetId=\"" + std::to_string(i + 1) + "\" r:id=\"" + id + "\"/>";
        links += "<Relationship Id=\"" + id + "\" Type=\"" + rels + (sheets[i].second ? "/chartsheet" : "/worksheet") +
                 "\" Target=\"" + part + "\"/>";
        parts.emplace_back("xl/" + part, "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData/></worksheet>");
    }
    parts.emplace_back("xl/workbook.xml", workbook + "</sheets></workbook>");
    parts.emplace_back("xl/_rels/workbook.xml.rels", links + "</Relationships>");
    int code = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, content] : parts)
        zip_file_add(archive, name.c_str(), zip_source_buffer(archive, content.data(), content.size(), 0), 0);
    ASSERT_EQ(zip_close(archive), 0);
}

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class SheetsCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("trevalco-sheets-test-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    CliRun Cli(const std::string& arguments) {
        const std::string command = std::string("'") + TREVALCO_CLI + "' " + arguments + " > '" +
                                    (dir_ / "out.txt").string() + "' 2> '" + (dir_ / "err.txt").string() + "'";
        const int raw = std::system(command.c_str());
        CliRun run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = Slurp(dir_ / "out.txt");
        run.err = Slurp(dir_ / "err.txt");
        return run;
    }

    fs::path dir_;
};

TEST_F(SheetsCommand, ListsTheWorksheetsOneALineInWorkbookOrder) {
    WriteWorkbook(dir_ / "zonas.xlsx", {{"Norte", false}, {"Gráfico 1", true}, {"Zona Centro", false}, {"Sur", false}});
    const CliRun run = Cli("sheets '" + (dir_ / "zonas.xlsx").string() + "'");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Norte\nZona Centro\nSur\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(SheetsCommand, AnUnreadableWorkbookGivesItsMessageAndStatusThree) {
    std::ofstream(dir_ / "texto.xlsx") << "Latitud;Longitud\n";
    CliRun run = Cli("sheets '" + (dir_ / "texto.xlsx").string() + "'");
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "trevalco-cli sheets: No se puede abrir el libro «" + (dir_ / "texto.xlsx").string() +
                           "»: no es un libro .xlsx válido (no es un paquete zip; puede estar dañado o protegido "
                           "con contraseña).\n");
    run = Cli("sheets '" + (dir_ / "falta.xlsx").string() + "'");
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("el archivo no existe"), std::string::npos) << run.err;
}

TEST_F(SheetsCommand, WrongArgumentsGiveUsageAndStatusTwo) {
    CliRun run = Cli("sheets");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind("trevalco-cli sheets: falta el libro\n\nUso: trevalco-cli sheets LIBRO\n", 0), 0U) << run.err;
    run = Cli("sheets a.xlsx b.xlsx");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("se espera un solo libro"), std::string::npos);
    run = Cli("sheets --help");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("Uso: trevalco-cli sheets LIBRO\n", 0), 0U);
}

}  // namespace
