// What a run leaves in a workbook as a user makes them: numbers that show the
// mask's digits through the cell's own format, or one made for them; shared
// formulas kept; formulas recalculated when the output is opened; the
// converted sheet made the active one.
#include <regex>

#include "RunFixture.h"

namespace trevalco::batch::test {
namespace {

using workbook::test::BookLayout;
using workbook::test::SheetXml;

std::string Text(const std::string& cell, const std::string& text) {
    return "<c r=\"" + cell + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

// A header row; row 2 formatted bold (a General format) as a whole; column E
// formatted "0.000"; a shared formula starting in F, the target latitude;
// formulas in J reading the written northings; a chart sheet before the data
// and another sheet, selected, summing them.
BookLayout SurveyBook() {
    BookLayout layout;
    const std::string rows =
        "<row r=\"1\">" + Text("A1", "Punto") + Text("B1", "Latitud") + Text("C1", "Longitud") + "</row>"
        "<row r=\"2\" s=\"2\" customFormat=\"1\"><c r=\"A2\" s=\"2\"><v>1</v></c><c r=\"B2\"><v>33.45</v></c>"
        "<c r=\"C2\"><v>70.65</v></c><c r=\"F2\"><f t=\"shared\" ref=\"F2:F4\" si=\"0\">$B2*2+C2</f><v>0</v></c>"
        "<c r=\"J2\"><f>D2+1</f><v>1</v></c></row>"
        "<row r=\"3\"><c r=\"B3\"><v>38.1</v></c><c r=\"C3\"><v>72.2</v></c>"
        "<c r=\"F3\"><f t=\"shared\" si=\"0\"/><v>0</v></c><c r=\"J3\"><f>D3+1</f><v>1</v></c></row>"
        "<row r=\"4\"><c r=\"F4\"><f t=\"shared\" si=\"0\"/><v>0</v></c></row>";
    layout.sheets = {
        {"Gráfico", "<chartsheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"/>", true},
        {kSheet, SheetXml(rows, "<dimension ref=\"A1:J4\"/><sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>"
                                "<cols><col min=\"5\" max=\"5\" width=\"14\" style=\"1\" customWidth=\"1\"/></cols>")},
        {"Resumen", SheetXml("<row r=\"1\"><c r=\"A1\"><f>SUM(Puntos!D2:D3)</f><v>0</v></c></row>",
                             "<sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"/></sheetViews>")}};
    return layout;
}

// The number format code and font of each cell format of a styles part.
std::vector<std::pair<std::string, std::string>> CellFormats(const std::string& styles) {
    std::map<std::string, std::string> codes = {{"0", "General"}};
    const std::regex code("<numFmt numFmtId=\"(\\d+)\" formatCode=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(styles.begin(), styles.end(), code); it != std::sregex_iterator(); ++it)
        codes[(*it)[1]] = (*it)[2];
    const std::string cellXfs = styles.substr(styles.find("<cellXfs"));
    std::vector<std::pair<std::string, std::string>> formats;
    const std::regex xf("<xf numFmtId=\"(\\d+)\" fontId=\"(\\d+)\"");
    for (auto it = std::sregex_iterator(cellXfs.begin(), cellXfs.end(), xf); it != std::sregex_iterator(); ++it)
        formats.emplace_back(codes[(*it)[1]], (*it)[2]);
    return formats;
}

TEST_F(RunFixture, NumbersFormatsFormulasAndTheActiveSheetOfARealWorkbook) {
    const fs::path source = folder / "obra.xlsx";
    workbook::test::WriteBook(source, SurveyBook());
    Ok(6);  // column F's formulas (Sí), the header row, three empty rows, the saved message
    const RunResult result = Run(Setup(source, DecimalColumns{}));
    ASSERT_EQ(result.rowsConverted, 2);

    Output out(*result.output);
    EXPECT_EQ(out(2, "D"), N(6297606.833, "########0.000"));  // the documented source northing
    EXPECT_EQ(out(2, "A"), cells::CellValue(1.0));
    const auto parts = workbook::test::ReadZip(*result.output);
    const std::string& sheet = parts.at("xl/worksheets/sheet2.xml");
    const auto formats = CellFormats(parts.at("xl/styles.xml"));
    // Each written cell: a number (no type) whose format shows the mask's
    // decimals; new cells take their row's format, else their column's, and
    // a replaced cell keeps its own.
    const struct {
        const char* cell;
        const char* code;
        const char* font;
    } cases[] = {{"D2", "0.000", "1"}, {"E2", "0.000", "1"}, {"F2", "0.0000000000", "0"},
                 {"D3", "0.000", "0"}, {"E3", "0.000", "0"}, {"G3", "0.0000000000", "0"}};
    for (const auto& c : cases) {
        std::smatch match;
        ASSERT_TRUE(std::regex_search(sheet, match, std::regex(std::string("<c r=\"") + c.cell +
                                                                "\"(?: s=\"(\\d+)\")?><v>-?[0-9]+\\.[0-9]+</v></c>")))
            << c.cell;
        const std::size_t style = match[1].matched ? std::stoul(match[1]) : 0;
        ASSERT_LT(style, formats.size()) << c.cell;
        EXPECT_EQ(formats[style], std::make_pair(std::string(c.code), std::string(c.font))) << c.cell;
    }
    EXPECT_NE(sheet.find("<dimension ref=\"A1:J4\"/>"), std::string::npos);
    // The shared formula's definition went with F2; F4 keeps its formula.
    EXPECT_EQ(sheet.find("si=\"0\""), std::string::npos);
    EXPECT_NE(sheet.find("<c r=\"F4\"><f>$B4*2+C4</f></c>"), std::string::npos) << sheet;
    // Formulas lose their stale results, on other sheets reading the written
    // one too; the workbook is recalculated on load.
    EXPECT_NE(sheet.find("<c r=\"J2\"><f>D2+1</f></c>"), std::string::npos);
    EXPECT_NE(parts.at("xl/worksheets/sheet3.xml").find("<c r=\"A1\"><f>SUM(Puntos!D2:D3)</f></c>"), std::string::npos);
    EXPECT_NE(parts.at("xl/workbook.xml").find("fullCalcOnLoad=\"1\""), std::string::npos);
    // The converted sheet, after the chart, is the active and only selected one.
    EXPECT_NE(parts.at("xl/workbook.xml").find("activeTab=\"1\""), std::string::npos);
    EXPECT_NE(sheet.find("<sheetView tabSelected=\"1\" workbookViewId=\"0\"/>"), std::string::npos);
    EXPECT_EQ(parts.at("xl/worksheets/sheet3.xml").find("tabSelected"), std::string::npos);

    if (!workbook::test::Office()) GTEST_SKIP() << "LibreOffice is not installed";
    // LibreOffice, fresh profile, default settings: formulas show the new values
    // and the numbers the mask's digits (the second sheet, as shown, to CSV).
    const std::string csv = workbook::test::Slurp(workbook::test::OfficeConvert(
        *result.output, "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,2", folder.Path()));
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; at < csv.size(); at = end + 1) lines.push_back(csv.substr(at, (end = csv.find('\n', at)) - at));
    ASSERT_GE(lines.size(), 3U) << csv;
    const std::string d2 = "6297606.833";
    EXPECT_EQ(lines[1].rfind("1," + std::string("33.45,70.65,") + d2 + ",", 0), 0U) << lines[1];
    EXPECT_NEAR(std::stod(lines[1].substr(lines[1].rfind(',') + 1)), std::stod(d2) + 1, 1e-6) << lines[1];
}

TEST_F(RunFixture, ASheetWhoseRowsComeOutOfOrderIsRefusedBeforeTheRun) {
    BookLayout layout;
    layout.sheets = {{kSheet, SheetXml("<row r=\"3\"><c r=\"B3\"><v>33</v></c></row><row r=\"1\"><c r=\"B1\"><v>34</v></c></row>")}};
    const fs::path source = folder / "desorden.xlsx";
    workbook::test::WriteBook(source, layout);
    Ok();
    const RunResult result = Run(Setup(source, DecimalColumns{}));
    EXPECT_EQ(result.end, RunEnd::Failed);
    EXPECT_EQ(result.progressMaximum, 0);  // not even counted
    ASSERT_EQ(dialogs.Messages().size(), 1U);
    EXPECT_EQ(dialogs.Messages()[0].text,
              "No se puede guardar el libro «" + (folder / "desorden_1.xlsx").string() +
                  "»: la parte xl/worksheets/sheet1.xml tiene las filas fuera de orden (fila 1 después de la 3): "
                  "no se puede escribir en ella sin dañarla.");
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"desorden.xlsx"});
}

}  // namespace
}  // namespace trevalco::batch::test
