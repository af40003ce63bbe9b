// .xls and .ods through LibreOffice, and every format read back by
// LibreOffice itself. The tests that need LibreOffice skip when it is not
// installed; .xlsx never needs it.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>

#include "TestBooks.h"
#include "Workbook.h"

namespace trevalco::workbook {
namespace {

using test::TestFolder;
using Value = Util::CellValue;

Value Text(const std::string& text) { return Value(text); }

std::string WithoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

class OfficeFormats : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        if (!test::Office()) GTEST_SKIP() << "LibreOffice is not installed";
    }
    TestFolder folder_;
};

TEST_P(OfficeFormats, MadeByLibreOfficeReadWrittenAndReadBackByLibreOffice) {
    const std::string format = GetParam();
    const auto work = folder_ / "trabajo";
    std::filesystem::create_directories(work);
    test::Spill(work / "puntos.csv", "Punto,Latitud,Longitud\nP1,33.45,70.65\nP2,-34.5,71\n");
    const auto made = test::OfficeConvert(work / "puntos.csv", format, work);
    const auto source = folder_ / ("puntos." + format);
    std::filesystem::copy_file(made, source);
    const std::string before = test::Slurp(source);

    Workbook book = Workbook::Open(source);
    ASSERT_EQ(book.SheetNames(), std::vector<std::string>{"puntos"});
    Worksheet& sheet = book.Sheet("puntos");
    EXPECT_EQ(sheet.Cell(1, "A"), Text("Punto"));
    EXPECT_EQ(sheet.Cell(2, "A"), Text("P1"));
    EXPECT_EQ(sheet.Cell(2, "B"), Value(33.45));
    EXPECT_EQ(sheet.Cell(3, "B"), Value(-34.5));
    EXPECT_EQ(sheet.Cell(3, "C"), Value(71.0));
    EXPECT_EQ(sheet.Cell(4, "A"), Value());
    sheet.Write(1, "D", "Norte");
    sheet.Write(2, "D", "6297606.833");
    sheet.Write(3, "E", "  Fuera de Limites");
    sheet.Write(5, "B", "nueva");
    const auto written = book.SaveAs(folder_ / "puntos_1");
    EXPECT_EQ(written, folder_ / ("puntos_1." + format));
    book.Close();

    EXPECT_EQ(test::Slurp(source), before);
    EXPECT_EQ(folder_.Files(), (std::vector<std::string>{"puntos." + format, "puntos_1." + format, "trabajo"}));
    const auto csv = test::OfficeConvert(written, "csv", work);
    EXPECT_EQ(WithoutCarriageReturns(test::Slurp(csv)),
              "Punto,Latitud,Longitud,Norte,\n"
              "P1,33.45,70.65,6297606.833,\n"
              "P2,-34.5,71,,  Fuera de Limites\n"
              ",,,,\n"
              ",nueva,,,");
    Workbook again = Workbook::Open(written);
    EXPECT_EQ(again.Sheet("puntos").Cell(2, "D"), Text("6297606.833"));
    EXPECT_EQ(again.Sheet("puntos").Cell(2, "B"), Value(33.45));
}

TEST_P(OfficeFormats, SheetListsKeepTheWorkbooksOrder) {
    const std::string format = GetParam();
    test::BookLayout layout;
    layout.sheets = {{"Norte", test::SheetXml("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>")},
                   {"Centro", test::SheetXml("<row r=\"1\"><c r=\"A1\"><v>2</v></c></row>")},
                   {"Sur", test::SheetXml("<row r=\"1\"><c r=\"A1\"><v>3</v></c></row>")}};
    const auto work = folder_ / "trabajo";
    std::filesystem::create_directories(work);
    test::WriteBook(work / "zonas.xlsx", layout);
    const auto made = format == "xlsx" ? work / "zonas.xlsx" : test::OfficeConvert(work / "zonas.xlsx", format, work);
    Workbook book = Workbook::Open(made);
    EXPECT_EQ(book.SheetNames(), (std::vector<std::string>{"Norte", "Centro", "Sur"}));
    EXPECT_EQ(book.Sheet("Sur").Cell(1, "A"), Value(3.0));
    EXPECT_EQ(book.Sheet("Norte").Cell(1, "A"), Value(1.0));
}

INSTANTIATE_TEST_SUITE_P(AllThreeFormats, OfficeFormats, ::testing::Values("xlsx", "xls", "ods"));

TEST(OfficeMissing, XlsAndOdsNameWhatToInstallWhileXlsxNeedsNothing) {
    TestFolder folder;
    test::Spill(folder / "viejo.xls", "no importa");
    OpenOptions options;
    options.office = folder / "no-hay-libreoffice";
    try {
        (void)Workbook::Open(folder / "viejo.xls", options);
        FAIL() << "opened without LibreOffice";
    } catch (const WorkbookError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "No se puede abrir el libro «" + (folder / "viejo.xls").string() +
                      "»: los libros .xls y .ods se abren con LibreOffice, que no está instalado "
                      "(instale LibreOffice Calc, paquete libreoffice-calc-nogui).");
    }
    test::BookLayout layout;
    layout.sheets = {{"Hoja1", test::SheetXml("<row r=\"1\"><c r=\"A1\"><v>4</v></c></row>")}};
    test::WriteBook(folder / "nuevo.xlsx", layout);
    Workbook book = Workbook::Open(folder / "nuevo.xlsx", options);
    EXPECT_EQ(book.Sheet("Hoja1").Cell(1, "A"), Value(4.0));
}

// Running, as opposed to gone or a zombie waiting for its adoptive parent.
bool Alive(pid_t pid) {
    if (::kill(pid, 0) != 0 && errno == ESRCH) return false;
    const std::string stat = test::Slurp("/proc/" + std::to_string(pid) + "/stat");
    const std::size_t close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z';
}

TEST(OfficeStandIn, AConversionThatHangsIsStoppedWithEverythingItStarted) {
    TestFolder folder;
    // A stand-in for LibreOffice that starts a helper of its own and hangs.
    const auto script = folder / "soffice";
    test::Spill(script, "#!/bin/sh\nsleep 300 &\necho $! > '" + (folder / "hijo.pid").string() +
                            "'\necho $$ > '" + (folder / "padre.pid").string() + "'\nwait\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    test::Spill(folder / "colgado.ods", "no importa");
    OpenOptions options;
    options.office = script;
    options.officeTimeLimit = std::chrono::seconds(1);
    const auto start = std::chrono::steady_clock::now();
    try {
        (void)Workbook::Open(folder / "colgado.ods", options);
        FAIL() << "opened through a hung converter";
    } catch (const WorkbookError& error) {
        EXPECT_NE(std::string(error.what()).find("LibreOffice no terminó la conversión en 1 segundos y se detuvo"),
                  std::string::npos)
            << error.what();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    const pid_t parent = std::stoi(test::Slurp(folder / "padre.pid"));
    const pid_t child = std::stoi(test::Slurp(folder / "hijo.pid"));
    EXPECT_FALSE(Alive(parent));
    EXPECT_FALSE(Alive(child));
    EXPECT_EQ(test::Slurp(folder / "colgado.ods"), "no importa");
}

TEST(OfficeStandIn, AConversionThatFailsSaysSo) {
    TestFolder folder;
    const auto script = folder / "soffice";
    test::Spill(script, "#!/bin/sh\necho 'Error: source file could not be loaded'\nexit 0\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    test::Spill(folder / "roto.xls", "no es un libro");
    OpenOptions options;
    options.office = script;
    try {
        (void)Workbook::Open(folder / "roto.xls", options);
        FAIL() << "opened a file the converter could not read";
    } catch (const WorkbookError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "No se puede abrir el libro «" + (folder / "roto.xls").string() +
                      "»: LibreOffice no pudo convertir el libro (Error: source file could not be loaded).");
    }
}

}  // namespace
}  // namespace trevalco::workbook
