// Produces a worksheet part with the written cells merged in, streaming the
// original part through expat: everything that is not a changed row is copied
// byte for byte; a changed row keeps its own cells as they were and gets the
// written ones (inline-string or number cells) in column order; rows that did
// not exist are added in row order. The dimension is widened to cover the
// written cells.
//
// The rows go one of two ways, chosen once, when the writer is made: rows
// that reading found plain (RowsLayout) go round expat to PlainRows, which
// scans them several times faster (in stretches on several threads); any others are parsed with the rest of
// the part and handed to ParsedRows. Both follow the same RowRules and give
// the same bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "CellGrid.h"
#include "CellStyles.h"
#include "CopiedInput.h"
#include "ParsedRows.h"
#include "PartSource.h"
#include "ParallelPlainRows.h"
#include "RowRules.h"
#include "WrittenCells.h"
#include "XmlParser.h"

namespace trevalco::workbook {

class SheetWriter final : public PartSource, private XmlHandler {
public:
    struct Options {
        std::string dimension;         // the new used range ("A1:P100"), empty to keep it
        CellStyles* styles = nullptr;  // the workbook's formats (nullptr: written cells get none)
        std::optional<bool> selected;  // whether its views are the selected tab (nothing: kept)
        bool freshFormulas = false;    // formulas lose their cached results (always when written)
        RowsLayout rows;               // where the rows lie, as read; plain rows are rewritten without expat
    };
    // `part` names the part in messages.
    SheetWriter(std::unique_ptr<PartSource> original, const WrittenCells& written, Options options, std::string part);
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    void OnStart(const char* name, const char** attributes) override;
    void OnEnd(const char* name) override;
    void OnText(std::string_view text) override;

    void Pump();
    void Parse(const char* data, std::size_t size, bool last);
    // Parses what lies before and after the plain rows, and hands the rows
    // to PlainRows: `data` holds `size` bytes from offset `at` on.
    void SendRowsAround(const char* data, std::size_t size, std::int64_t at);
    void Finish();
    void StartColumn(const char** attributes);
    void StartSheetView(const char* name, const char** attributes);
    void EndSheetData();

    std::unique_ptr<PartSource> original_;
    const bool anyWritten_;
    std::string dimension_;
    std::optional<bool> selected_;
    std::string part_;

    std::string out_;
    std::size_t outAt_ = 0;
    std::string input_;
    std::int64_t inputAt_ = 0;  // bytes of the original read so far
    bool inputDone_ = false;
    bool finished_ = false;

    CopiedInput copied_;
    XmlParser parser_;
    RowRules rules_;
    ParsedRows parsedRows_;
    std::optional<ParallelPlainRows> plainRows_;  // when the rows go round expat
    RowsLayout layout_;
    bool rowsStarted_ = false;
    bool rowsPending_ = false;  // plain rows that PlainRows has not had all of

    int depth_ = 0;
    int skipDepth_ = 0;
    std::string sheetDataName_;
    std::int64_t sheetDataStart_ = 0;
    bool inSheetData_ = false;
    bool sawSheetData_ = false;
    bool inCols_ = false;
    bool inSheetViews_ = false;
};

}  // namespace trevalco::workbook
