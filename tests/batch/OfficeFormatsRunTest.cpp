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

TEST_P(OfficeRun, EachPageWritesItsResultsBesideTheUntouchedSource) {
    const std::string format = GetParam();
    key = std::string(kSirgasToSad69);
    const auto start = chain::StartGeographic(key, 33.45, 70.65, Util::ForcedZone::Off());
    // One sheet that every page can read: decimal degrees in B and C, degrees,
    // minutes and seconds in B to G, UTM in B and C.
    const fs::path xlsx = Book({{std::string("P1"), 33.45, 70.65}}, "obra.final.xlsx");
    const fs::path dmsXlsx = Book({{std::string("P1"), 33.0, 27.0, 0.0, 70.0, 39.0, 0.0}}, "gms.xlsx");
    const fs::path utmXlsx =
        Book({{std::string("P1"), start.sourceUtm.northing, start.sourceUtm.easting}}, "utm.xlsx");
    const fs::path source = ConvertedCopy(xlsx, format, folder / "conversion");
    const fs::path dms = ConvertedCopy(dmsXlsx, format, folder / "conversion");
    const fs::path utm = ConvertedCopy(utmXlsx, format, folder / "conversion");

    struct Case {
        fs::path path;
        PageColumns page;
        std::string message;
        std::string targetNorthing;
    };
    UtmColumns zone19;
    zone19.zone = 19;
    const std::vector<Case> cases = {
        {source, DecimalColumns{}, "Archivo Guardado como \"obra_1." + format + "\"", "H"},
        {dms, DmsColumns{}, "Archivo Guardado como     gms_1." + format + " ", "N"},
        {utm, zone19, "Archivo Guardado como     utm_1." + format + " ", "F"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.filename().string());
        const std::string before = Bytes(c.path);
        // The empty rows that end the data (three, or four on the other pages), then the message.
        Ok(std::holds_alternative<DecimalColumns>(c.page) ? 3 + 1 : 4 + 1);
        const RunResult result = Run(Setup(c.path, c.page));
        ASSERT_EQ(result.end, RunEnd::Completed);
        EXPECT_EQ(dialogs.Messages().back().text, c.message);
        EXPECT_EQ(result.output->extension(), "." + format);
        EXPECT_EQ(Bytes(c.path), before);
        Output out(*result.output);
        const auto target = chain::CarryToTarget(start.latitude, start.longitude, start.ellipsoids,
                                                 start.shift.shift, Util::ForcedZone::Off());
        // The UTM page starts from the inverse projection, a tenth of a millimetre away.
        const auto written = out(1, c.targetNorthing);
        ASSERT_TRUE(std::holds_alternative<double>(written));
        EXPECT_NEAR(std::get<double>(written), target.utm.northing, 0.002);
    }
}

INSTANTIATE_TEST_SUITE_P(LibreOffice, OfficeRun, ::testing::Values("xls", "ods"));

}  // namespace
}  // namespace trevalco::batch::test
