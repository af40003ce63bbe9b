// Produces a worksheet part with the written cells merged in, streaming the
// original part through expat: everything that is not a changed row is copied
// byte for byte; a changed row keeps its own cells as they were and gets the
// written ones (inline-string or number cells) in column order; rows that did
// not exist are added in row order. The dimension is widened to cover the
// written cells.
//
// A written cell keeps the format of the cell it replaces; a new one takes
// its row's format, else its column's, as typing would. A number whose format
// would be General gets a copy of it showing its decimals (CellStyles).
// Formulas that shared the formula of a replaced cell are written out in full,
// and formulas lose their cached results, so that they are calculated afresh.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CellGrid.h"
#include "CellStyles.h"
#include "PartSource.h"
#include "WrittenCells.h"
#include "XmlParser.h"

namespace trevalco::workbook {

// Whether a row's start tag stays as written. A row with written cells loses
// its "spans" (the columns it held); a row without a number gets one, so
// that rows added before it cannot shift it; an empty row with written cells
// opens for them.
inline bool KeepsRowTag(bool numbered, bool hasWrites, bool empty, bool spans) {
    return numbered && (!hasWrites || (!empty && !spans));
}

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
    // Plain rows (see RowsLayout), worked tag by tag without expat.
    void RewriteRows(const char* data, std::size_t size, bool last);
    std::size_t PlainElement(std::string_view text, std::size_t at, std::size_t end, bool last);
    void PlainTag(std::string_view tag);
    // Whether the row's content is kept as it is (no written cells).
    bool PlainRowStart(std::string_view tag, std::string_view name, bool empty);
    // Whether the cell is replaced by a written one.
    bool PlainCellStart(std::string_view tag, std::string_view name);
    void EmitRestOfRow();
    void Flush(std::int64_t to);
    void SkipTo(std::int64_t to);
    bool StartTagIsEmpty(std::int64_t offset, std::int64_t length) const;
    void EmitStartTag(const char* name, const char** attributes, std::int32_t row, bool dropSpans, bool empty);
    void EmitCell(std::int32_t row, const WrittenCell& cell, std::uint32_t style);
    std::uint32_t NewCellStyle(std::int32_t column) const;
    void StartColumn(const char** attributes);
    void StartSheetView(const char* name, const char** attributes);
    void StartFormula(const char* name, const char** attributes);
    void EndReplacedCell();
    void TrackCell(const char** attributes);
    void EmitNewRowsBefore(std::int32_t limit);
    void StartRow(const char* name, const char** attributes, std::int64_t offset, std::int64_t length);
    void StartCell(const char* name, const char** attributes, std::int64_t offset);
    void EndRow(const char* name, std::int64_t offset, std::int64_t length);
    void EndSheetData(std::int64_t offset, std::int64_t length);

    std::unique_ptr<PartSource> original_;
    RowsLayout rows_;
    std::string input_;
    std::int64_t inputAt_ = 0;  // bytes of the original read so far
    std::string plain_;         // plain rows not yet worked
    bool rowsStarted_ = false;
    bool rowsDone_ = false;
    int plainDepth_ = 0;        // 0 between rows, 1 in a row, 2 in a cell...
    const WrittenCells& written_;
    std::string dimension_;
    CellStyles* styles_;
    std::optional<bool> selected_;
    bool freshFormulas_;
    std::string part_;
    XmlParser parser_;

    std::string retained_;  // input from retainedStart_ on
    std::int64_t retainedStart_ = 0;
    std::int64_t cursor_ = 0;  // input before this is done with (copied or dropped)
    std::string out_;
    std::size_t outAt_ = 0;
    bool inputDone_ = false;
    bool finished_ = false;

    int depth_ = 0;
    int skipDepth_ = 0;
    std::string prefix_;
    std::string sheetDataName_;
    std::int64_t sheetDataStart_ = 0;
    bool inSheetData_ = false;
    bool sawSheetData_ = false;
    std::int32_t nextWrittenRow_ = 0;
    std::int32_t previousRow_ = 0;

    bool rewriting_ = false;
    bool rowWasEmpty_ = false;
    std::int32_t row_ = 0;
    std::int32_t column_ = 0;
    std::vector<WrittenCell> rowCells_;
    std::size_t rowCellAt_ = 0;

    // Formats of columns (first, last, style) and of the row being read.
    struct ColumnStyle {
        std::int32_t first, last;
        std::uint32_t style;
    };
    std::vector<ColumnStyle> columnStyles_;
    std::optional<std::uint32_t> rowStyle_;
    bool inCols_ = false;
    bool inSheetViews_ = false;

    // Shared formulas whose defining cell was replaced: their text, by the
    // cell it was written for, under their "si".
    struct SharedFormula {
        std::string text;
        std::int32_t row, column;
    };
    std::map<std::string, SharedFormula> orphaned_;
    bool replacingCell_ = false;
    bool inReplacedFormula_ = false;
    std::string replacedSi_;
    std::string replacedFormula_;
    bool replacedIsDefinition_ = false;
    bool cellHasFormula_ = false;
    std::int32_t cellRow_ = 0;
    std::int32_t cellColumn_ = 0;
};

}  // namespace trevalco::workbook
