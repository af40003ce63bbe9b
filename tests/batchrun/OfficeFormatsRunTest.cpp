// Runs on .xls and .ods workbooks (through LibreOffice, skipped when it is
// not installed): the output in the source's format, named in the message,
// and the source byte-identical.
#include "RunFixture.h"

namespace trevalco::batch::test {
namespace {

class OfficeRun : public RunFixture, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override {
        if (!workbook::test::Office()) GTEST_SKIP() << "LibreOffice is not installed";
    }
};

TEST_P(OfficeRun, TheResultsGoBesideTheUntouchedSourceInItsFormat) {
    const std::string format = GetParam();
    const fs::path source =
        ConvertedCopy(Book({{std::string("P1"), 33.45, 70.65}}, "obra.final.xlsx"), format, folder / "conversion");
    const std::string before = Bytes(source);
    Ok(3 + 1);

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    ASSERT_EQ(result.end, RunEnd::Completed);
    EXPECT_EQ(dialogs.Messages().back().text, "Archivo Guardado como \"obra_1." + format + "\"");
    EXPECT_EQ(*result.output, folder / ("obra_1." + format));
    EXPECT_EQ(Bytes(source), before);
    Output(*result.output)
        .ExpectRow(1, 'D', {"6297606.833", "346642.695", "33.4496588124", "70.6493505358", "6297632.781", "346701.908"});
}

INSTANTIATE_TEST_SUITE_P(LibreOffice, OfficeRun, ::testing::Values("xls", "ods"));

}  // namespace
}  // namespace trevalco::batch::test
