// The fast ways of rows of plain markup: the scanner that reads them (what it
// takes, and what it leaves to expat) and the writer that rewrites them
// (beside the parsed way, however the part arrives cut).
#include <gtest/gtest.h>

#include <tuple>

#include "CellStyles.h"
#include "ParallelPlainRows.h"
#include "PlainContent.h"
#include "SheetReader.h"
#include "SheetWriter.h"
#include "TestBooks.h"
#include "TrickleSource.h"
#include "WorkbookError.h"

namespace trevalco::workbook {
namespace {

// Every event as text; texts that follow each other are joined, since the
// scanner may cut a text elsewhere than expat does.
class Events final : public XmlHandler {
public:
    std::string all, text;
    void OnStart(const char* name, const char** attributes) override {
        EndText();
        all += "<" + std::string(name);
        for (; *attributes != nullptr; attributes += 2) all += std::string(" ") + attributes[0] + "=[" + attributes[1] + "]";
        all += ">";
    }
    void OnEnd(const char* name) override {
        EndText();
        all += "</" + std::string(name) + ">";
    }
    void OnText(std::string_view piece) override { text += piece; }
    void EndText() {
        if (!text.empty()) all += "{" + text + "}";
        text.clear();
    }
};

TEST(PlainScanner, GivesTheEventsExpatGivesOrLeavesTheContentToExpat) {
    const std::pair<std::string, bool> cases[] = {  // content, taken by the scanner
        {"<row r=\"1\" spans=\"1:2\"><c r=\"A1\" s='2'><v>-1.5E-3</v></c><c r=\"B1\"/></row>", true},
        {"<x:row  r = \"2\"\t\n><x:c r=\"A2\" t=\"str\"><x:v>a > b\tc\nd ]] e</x:v></x:c ></x:row>", true},
        {"<r_1.a-b v=\"x>y/z'\"/>text<e/>", true},
        // References, carriage returns, bytes that are not printable ASCII and
        // markup other than elements go to expat,
        {"<v>a&amp;b</v>", false}, {"<c r=\"A&#49;\"/>", false}, {"<v>a\r\nb</v>", false}, {"<v>\xC3\xB1</v>", false},
        {"<v>\x01</v>", false}, {"<c r=\"\tA1\"/>", false}, {"<!-- x --><v/>", false}, {"<v><![CDATA[x]]></v>", false},
        {"<?pi x?><v/>", false}, {"<v>]]></v>", false},
        // and so does what is not well formed, for expat to tell what is wrong.
        {"<c r=A1/>", false}, {"<1c/>", false}, {"<c r=\"A1/>", false}, {"<v>1", false}, {"</v>", false},
        {"<v>1</v x=\"1\">", false}};
    for (const auto& [content, taken] : cases) {
        Events scanned;
        EXPECT_EQ(ScanPlainContent(content, scanned), taken) << content;
        if (!taken) continue;
        scanned.EndText();
        Events parsed;
        XmlParser parser(parsed, "hoja.xml");
        parser.Parse("<w>" + content + "</w>");
        EXPECT_EQ("<w>" + scanned.all + "</w>", parsed.all) << content;
    }
}

std::string Saved(const std::string& xml, const WrittenCells& written, RowsLayout layout, std::size_t step) {
    SheetWriter writer(std::make_unique<test::TrickleSource>(xml, step), written, {"", nullptr, std::nullopt, false, layout}, "hoja.xml");
    std::string out;
    char buffer[4096];
    for (std::size_t got; (got = writer.Read(buffer, sizeof buffer)) > 0;) out.append(buffer, got);
    return out;
}

// Rows of plain cells are rewritten without expat, following the same rules
// as the parsed rows: both give the same bytes, cut anywhere.
TEST(PlainRows, SaveAsParsedRowsDoAndAsTheRowRulesSay) {
    using Write = std::tuple<std::int32_t, std::int32_t, const char*, int>;  // row, column, text, decimals
    constexpr int kText = WrittenCell::kText;
    const std::tuple<std::string, std::vector<Write>, std::vector<std::string>> cases[] = {
        // Spans go from written rows only.
        {test::SheetXml("<row r=\"1\" spans=\"1:2\"><c r=\"A1\"><v>1</v></c></row>"
                        "<row r=\"2\" spans=\"1:2\"><c r=\"A2\"><v>2</v></c></row>"),
         {{2, 2, "b", kText}},
         {"<row r=\"1\" spans=\"1:2\"><c r=\"A1\"><v>1</v></c></row>",
          "<row r=\"2\"><c r=\"A2\"><v>2</v></c><c r=\"B2\" t=\"inlineStr\"><is><t>b</t></is></c></row>"}},
        // Rows and cells without numbers get them where they are written or
        // could be shifted; empty rows open for written cells; rows that did
        // not exist come in order.
        {test::SheetXml("<row><c><v>1</v></c></row><row/><row><c><v>3</v></c><c><v>4</v></c></row><row/>"
                        "<row r=\"6\"/><row r=\"8\"/>", ""),
         {{3, 2, "9.5", 1}, {6, 3, "c", kText}, {5, 1, "5", 0}, {9, 1, "9", 0}},
         {"<row r=\"1\"><c><v>1</v></c></row><row r=\"2\"/><row r=\"3\"><c r=\"A3\"><v>3</v></c><c r=\"B3\"><v>9.5</v></c>"
          "</row><row r=\"4\"/><row r=\"5\"><c r=\"A5\"><v>5</v></c></row><row r=\"6\"><c r=\"C6\" t=\"inlineStr\"><is><t>c"
          "</t></is></c></row><row r=\"8\"/><row r=\"9\"><c r=\"A9\"><v>9</v></c></row>"}},
        // A replaced cell keeps its format; a new one takes its row's, else its column's.
        {test::SheetXml("<row r=\"1\" s=\"5\" customFormat=\"1\"><c r=\"A1\" s=\"6\"><v>1</v></c></row>"
                        "<row r=\"2\" s=\"5\"><c s=\"6\" r=\"A2\"><v>2</v></c></row>",
                        "<cols><col min=\"2\" max=\"3\" style=\"4\"/></cols>"),
         {{1, 1, "1", 0}, {1, 2, "2", 0}, {2, 1, "3", 0}, {2, 3, "4", 0}, {2, 4, "5", 0}},
         {"<c r=\"A1\" s=\"6\"><v>1</v></c><c r=\"B1\" s=\"5\"><v>2</v></c></row>",
          "<c r=\"A2\" s=\"6\"><v>3</v></c><c r=\"C2\" s=\"4\"><v>4</v></c><c r=\"D2\"><v>5</v></c></row>"}},
        {"<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><x:sheetData>"
         "<x:row r=\"1\"><x:c r=\"A1\"><x:v>1</x:v></x:c></x:row></x:sheetData></x:worksheet>",
         {{1, 2, "2", 0}, {2, 1, "t", kText}},
         {"<x:c r=\"B1\"><x:v>2</x:v></x:c></x:row><x:row r=\"2\"><x:c r=\"A2\" t=\"inlineStr\"><x:is><x:t>t</x:t>"
          "</x:is></x:c></x:row></x:sheetData>"}},
    };
    for (const auto& [xml, writes, expected] : cases) {
        WrittenCells written;
        for (const auto& [row, column, text, decimals] : writes) written.Write(row, column, text, decimals);
        TextSource source(xml);
        const RowsLayout plain = ReadSheet(source, "hoja.xml").Rows();
        ASSERT_TRUE(plain.plain) << xml;
        const RowsLayout parsed{plain.start, plain.end, false};
        const std::string saved = Saved(xml, written, parsed, xml.size());
        for (const std::string& piece : expected) EXPECT_NE(saved.find(piece), std::string::npos) << piece << "\n" << saved;
        for (const std::size_t step : {std::size_t{1}, std::size_t{7}, xml.size()}) {
            EXPECT_EQ(Saved(xml, written, plain, step), saved) << step;
            EXPECT_EQ(Saved(xml, written, parsed, step), saved) << step;
        }
    }
}

// The rows rewritten, then the styles part, or the refusal: in order when
// `stretch` is 0, else in stretches of that many bytes on other threads.
std::string Rewritten(const std::string& rows, const WrittenCells& written, std::string_view prefix, std::size_t stretch) {
    CellStyles styles(
        "<styleSheet><numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"0.000\"/></numFmts><cellXfs count=\"3\">"
        "<xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"0\" fontId=\"1\"/></cellXfs></styleSheet>",
        "styles.xml");
    RowRules rules(written, &styles, "hoja.xml");
    rules.SetPrefix(prefix);
    std::string out;
    try {
        if (stretch == 0) {
            PlainRows(rules, out, "hoja.xml").Take(rows.data(), rows.size(), true);
        } else {
            ParallelPlainRows stretches(rules, &styles, out, "hoja.xml", stretch);
            for (std::size_t at = 0; at < rows.size(); at += 13)
                stretches.Take(rows.data() + at, std::min<std::size_t>(13, rows.size() - at), false);
            stretches.Take(nullptr, 0, true);
        }
    } catch (const WorkbookError& error) {
        return std::string("refused: ") + error.what();
    }
    return out + "\n" + styles.Rewritten();
}

// Stretches rewritten on their own give what rewriting every row in order
// gives, wherever they are cut: rows without numbers or with one out of range
// (whose number a stretch cannot tell), written rows the sheet lacks between
// rows, numbers that need new formats far into the sheet, prefixes, and rows
// out of order.
TEST(PlainRows, StretchesOnOtherThreadsGiveWhatRewritingInOrderGives) {
    std::string rows, prefixed, disordered;
    WrittenCells written;
    for (int r = 1; r <= 45; ++r) {
        const std::string n = std::to_string(r);
        if (r <= 40 && (r < 20 || r >= 25))
            rows += (r % 7 == 0 ? "<row>" : "<row r=\"" + (r == 17 ? "0" : n) + "\" s=\"2\">") + "<c r=\"A" + n + "\" s=\"" +
                    std::to_string(r % 3) + "\"><v>" + n + "</v></c>" + (r % 5 == 0 ? "<c r=\"C" + n + "\"/>" : "") +
                    "</row>\n";
        if (r % 4 != 1) written.Write(r, 2, n + ".25", r < 30 ? 2 : 4);
        if (r % 5 == 0) written.Write(r, 3, "texto " + n);
        if (r >= 30) written.Write(r, 1, n, 5);
    }
    for (int r = 1; r <= 12; ++r) {
        const std::string cell = "<x:c r=\"A" + std::to_string(r) + "\"><x:v>1</x:v></x:c>";
        prefixed += "<x:row r=\"" + std::to_string(r) + "\">" + cell + "</x:row>";
        disordered += "<row r=\"" + std::to_string(r == 9 ? 3 : r) + "\"><c r=\"A" + std::to_string(r) + "\"><v>1</v></c></row>";
    }
    const std::tuple<std::string, std::string_view> sheets[] = {{rows, ""}, {prefixed, "x:"}, {disordered, ""}};
    for (const auto& [sheet, prefix] : sheets) {
        const std::string inOrder = Rewritten(sheet, written, prefix, 0);
        ASSERT_NE(inOrder.find(sheet == disordered ? "refused" : prefix.empty() ? "texto 40" : "x:row r=\"12\""), std::string::npos) << inOrder;
        for (const std::size_t stretch : {1, 40, 150, 600, 100000})
            EXPECT_EQ(Rewritten(sheet, written, prefix, stretch), inOrder) << stretch << "\n" << sheet;
    }
}

}  // namespace
}  // namespace trevalco::workbook
