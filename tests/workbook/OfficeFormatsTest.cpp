// .xls and .ods through LibreOffice, and every format read back by
// LibreOffice itself. The tests that need LibreOffice skip when it is not
// installed; .xlsx never needs it.
#include <gtest/gtest.h>

#include <signal.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "TestBooks.h"
#include "Workbook.h"

namespace trevalco::workbook {
namespace {

using test::TestFolder;
using Value = cells::CellValue;

Value Text(const std::string& text) { return Value(text); }

std::string WithoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text.substr(0, text.find_last_not_of('\n') + 1);
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
    test::BookLayout layout;
    const auto text = [](const char* cell, const char* value) {
        return std::string("<c r=\"") + cell + "\" t=\"inlineStr\"><is><t>" + value + "</t></is></c>";
    };
    layout.sheets = {{"puntos", test::SheetXml("<row r=\"1\">" + text("A1", "Punto") + text("B1", "Latitud") +
                                               text("C1", "Longitud") + "</row><row r=\"2\">" + text("A2", "P1") +
                                               "<c r=\"B2\"><v>33.45</v></c><c r=\"C2\"><v>70.65</v></c></row>"
                                               "<row r=\"3\">" + text("A3", "P2") +
                                               "<c r=\"B3\"><v>-34.5</v></c><c r=\"C3\"><v>71</v></c></row>")},
                     {"Centro", test::SheetXml("<row r=\"1\"><c r=\"A1\"><v>2</v></c></row>")},
                     {"Sur", test::SheetXml("")}};
    test::WriteBook(work / "puntos.xlsx", layout);
    const auto made = test::OfficeConvert(work / "puntos.xlsx", format, work);
    const auto source = folder_ / ("puntos." + format);
    std::filesystem::copy_file(made, source);
    const std::string before = test::Slurp(source);

    Workbook book = Workbook::Open(source);
    ASSERT_EQ(book.SheetNames(), (std::vector<std::string>{"puntos", "Centro", "Sur"}));
    EXPECT_EQ(book.Sheet("Centro").Cell(1, "A"), Value(2.0));
    Worksheet& sheet = book.Sheet("puntos");
    EXPECT_EQ(sheet.Cell(1, "A"), Text("Punto"));
    EXPECT_EQ(sheet.Cell(2, "A"), Text("P1"));
    EXPECT_EQ(sheet.Cell(2, "B"), Value(33.45));
    EXPECT_EQ(sheet.Cell(3, "B"), Value(-34.5));
    EXPECT_EQ(sheet.Cell(3, "C"), Value(71.0));
    EXPECT_EQ(sheet.Cell(4, "A"), Value());
    sheet.Write(1, "D", "Norte");
    sheet.WriteNumber(2, "D", "6297606.830", 3);
    sheet.Write(3, "E", "  Fuera de Limites");
    sheet.Write(5, "B", "nueva");
    book.SetActiveSheet("puntos");
    const auto written = book.SaveAs(folder_ / "puntos_1");
    EXPECT_EQ(written, folder_ / ("puntos_1." + format));
    book.Close();

    EXPECT_EQ(test::Slurp(source), before);
    EXPECT_EQ(folder_.Files(), (std::vector<std::string>{"puntos." + format, "puntos_1." + format, "trabajo"}));
    // The number keeps its digits ("0.000") through the conversion, as shown.
    const auto csv = test::OfficeConvert(written, "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true", work);
    EXPECT_EQ(WithoutCarriageReturns(test::Slurp(csv)),
              "Punto,Latitud,Longitud,Norte,\n"
              "P1,33.45,70.65,6297606.830,\n"
              "P2,-34.5,71,,  Fuera de Limites\n"
              ",,,,\n"
              ",nueva,,,");
    Workbook again = Workbook::Open(written);
    EXPECT_EQ(again.Sheet("puntos").Cell(2, "D"), Value(6297606.83));
    EXPECT_EQ(again.Sheet("puntos").Cell(2, "B"), Value(33.45));
}

INSTANTIATE_TEST_SUITE_P(AllThreeFormats, OfficeFormats, ::testing::Values("xlsx", "xls", "ods"));

TEST(OfficeMissing, XlsAndOdsNameWhatToInstallOrWhatFailedWhileXlsxNeedsNothing) {
    TestFolder folder;
    const auto failing = folder / "soffice";
    test::Spill(failing, "#!/bin/sh\necho 'Error: source file could not be loaded'\nexit 0\n");
    std::filesystem::permissions(failing, std::filesystem::perms::owner_all);
    const std::pair<std::filesystem::path, std::string> cases[] = {
        {folder / "no-hay-libreoffice", "los libros .xls y .ods se abren con LibreOffice, que no está instalado "
                                        "(instale LibreOffice Calc, paquete libreoffice-calc-nogui)."},
        {failing, "LibreOffice no pudo convertir el libro (Error: source file could not be loaded)."}};
    test::Spill(folder / "viejo.xls", "no es un libro");
    for (const auto& [office, reason] : cases) {
        OpenOptions options;
        options.office = office;
        try {
            (void)Workbook::Open(folder / "viejo.xls", options);
            ADD_FAILURE() << "opened without a working LibreOffice";
        } catch (const WorkbookError& error) {
            EXPECT_EQ(std::string(error.what()), "No se puede abrir el libro «" + (folder / "viejo.xls").string() + "»: " + reason);
        }
    }
    test::BookLayout layout;
    layout.sheets = {{"Hoja1", test::SheetXml("<row r=\"1\"><c r=\"A1\"><v>4</v></c></row>")}};
    test::WriteBook(folder / "nuevo.xlsx", layout);
    OpenOptions missing;
    missing.office = folder / "no-hay-libreoffice";
    EXPECT_EQ(Workbook::Open(folder / "nuevo.xlsx", missing).Sheet("Hoja1").Cell(1, "A"), Value(4.0));
}

// Running, as opposed to gone or a zombie waiting for its adoptive parent.
bool Running(pid_t pid) {
    if (::kill(pid, 0) != 0 && errno == ESRCH) return false;
    const std::string stat = test::Slurp("/proc/" + std::to_string(pid) + "/stat");
    const std::size_t close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z';
}

// A SIGKILL is delivered when the process next runs: on a busy machine it
// may still show as running for a moment after kill() returned.
bool Alive(pid_t pid) {
    for (int look = 0; look < 200 && Running(pid); ++look) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return Running(pid);
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

}  // namespace
}  // namespace trevalco::workbook
