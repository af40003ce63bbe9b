// Text files through the three pages, in every dialect: the output holds the
// worked example's results in the file's own decimal separator, and every
// other byte of the source as it was.
#include "RunFixture.h"

namespace trevalco::batch::test {
namespace {

// Answers OK to everything (the header row is a bad row to skip).
class SkipBadRows : public dialogs::Dialogs {
public:
    dialogs::Answer Show(const dialogs::Message&) override { return dialogs::Answer::Ok; }
    std::optional<std::string> ChooseFileToOpen(const dialogs::OpenFileRequest&) override { return {}; }
};

struct Dialect {
    const char* extension;
    std::string separator, decimal, lineEnd, start, name;  // start: a byte-order mark
};

const Dialect kDialects[] = {
    {".csv", ";", ",", "\r\n", "", "Pe\xF1" "a"},  // Windows-1252
    {".csv", ",", ".", "\n", "", "P1"},
    {".txt", "\t", ".", "\n", "", "\"P\t1\""},
    {".csv", ",", ".", "\n", "", "\"Punto \"\"A\"\", norte\nsegunda línea\""},
    {".csv", ";", ",", "\r\n", "\xEF\xBB\xBF", "Peña"},
};

// The worked example 33.45 S 70.65 W, SIRGAS to SAD69, as each page reads
// and writes it.
struct Page {
    PageColumns columns;
    std::vector<std::string> read;
    std::vector<std::string> written;
};

const Page kPages[] = {
    {DecimalColumns{}, {"33.45", "70.65"},
     {"6297606.833", "346642.695", "33.4496588124", "70.6493505358", "6297632.781", "346701.908"}},
    {DmsColumns{}, {"33", "27", "0.0", "70", "39", "0.0"},
     {"33.4500000000", "70.6500000000", "6297606.833", "346642.695", "33.4496588124", "70.6493505358", "6297632.781",
      "346701.908"}},
    {UtmColumns{}, {"6297606.833", "346642.695"},
     {"33.4499999969", "70.6500000000", "6297632.781", "346701.908", "33.4496588093", "70.6493505358"}},
};

class TextFileRun : public RunFixture, public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(TextFileRun, WritesTheResultsInTheFilesDialectAndKeepsEveryOtherByte) {
    const Dialect& dialect = kDialects[std::get<0>(GetParam())];
    const Page& page = kPages[std::get<1>(GetParam())];
    const auto join = [&](const std::vector<std::string>& fields) {
        std::string line;
        for (const std::string& field : fields) {
            line += dialect.separator;
            for (const char c : field) line += c == '.' ? dialect.decimal : std::string(1, c);
        }
        return line;
    };
    const std::string read = join(page.read), written = join(page.written), end = dialect.lineEnd;
    const std::string header = dialect.start + "Punto" + dialect.separator + "Dato" + end;
    const std::string blanks(page.written.size(), dialect.separator[0]);
    const std::string source = header + dialect.name + read + end + "P2" + read + blanks + dialect.separator + "nota" + end;
    const std::string expected =
        header + dialect.name + read + written + end + "P2" + read + written + dialect.separator + "nota" + end;
    const fs::path path = folder / (std::string("puntos") + dialect.extension);
    workbook::test::Spill(path, source);
    key = kSirgasToSad69;
    PageColumns columns = page.columns;
    if (auto* utm = std::get_if<UtmColumns>(&columns)) utm->zone = 19;
    RunSetup setup = Setup(path, columns);
    setup.sheetName = "puntos";
    SkipBadRows answers;
    const RunResult result = BatchRun(std::move(setup), answers, progress).Run();

    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_EQ(result.rowsConverted, 2);
    ASSERT_EQ(result.output, folder / (std::string("puntos_1") + dialect.extension));
    EXPECT_EQ(workbook::test::Slurp(*result.output), expected);
    EXPECT_EQ(workbook::test::Slurp(path), source);
}

INSTANTIATE_TEST_SUITE_P(DialectsAndPages, TextFileRun,
                         ::testing::Combine(::testing::Range(0, 5), ::testing::Range(0, 3)));

}  // namespace
}  // namespace trevalco::batch::test
