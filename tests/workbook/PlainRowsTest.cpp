// The fast ways of rows of plain markup: the scanner that reads them (what it
// takes, and what it leaves to expat) and the writer that rewrites them
// (beside the parsed way, however the part arrives cut).
#include <gtest/gtest.h>

#include <tuple>

#include "PlainContent.h"
#include "SheetReader.h"
#include "SheetWriter.h"
#include "TestBooks.h"
#include "TrickleSource.h"

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
                        "<row r=\"2\" s=\"5\"><c r=\"A2\" s=\"6\"><v>2</v></c></row>",
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

}  // namespace
}  // namespace trevalco::workbook
