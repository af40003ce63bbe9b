// The expat handler that reads a worksheet part's cells into a CellGrid, as
// the part's events come: values only, never a tree. It also notes where the
// rows lie and whether they are plain, for saving (RowsLayout).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "CellGrid.h"
#include "XmlParser.h"

namespace trevalco::workbook {

// The blanks of XML: space, tab, carriage return and line feed.
inline bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// What a piece of rows read on another thread brings back.
struct RowsPiece {
    std::string bytes;  // kept until the piece is merged: read again in order if it failed
    CellGrid grid;
    std::int32_t firstRow = 0;
    std::int32_t lastRow = 0;
    std::int32_t lastColumn = 0;
    std::int64_t lines = 0;  // line ends in the bytes
    bool plain = true;
    bool read = false;
};

class SheetHandler final : public XmlHandler {
public:
    // A handler for a piece of rows wrapped in <w><sheetData>…</sheetData></w>
    // refuses rows without a number: their number depends on the rows before.
    SheetHandler(CellGrid& grid, bool piece) : grid_(grid), piece_(piece) {}
    XmlParser* parser = nullptr;

    // Between two rows of sheetData, outside every cell.
    bool AtRowsLevel() const { return inSheetData_ && depth_ == 2 && !inCell_; }
    std::int64_t RowsStart() const { return layout_.start; }

    void Report(RowsPiece& piece) const;
    // Takes in a piece of rows read elsewhere, as if they had been parsed here.
    void Absorb(RowsPiece& piece);

    void OnStart(const char* name, const char** attributes) override;
    void OnEnd(const char* name) override;
    void OnOther() override;
    void OnText(std::string_view text) override;

private:
    // Notes where the rows lie and whether they are plain (rows of cells of
    // values only), for saving.
    void StartSheetData();
    void NoteRowsElement(std::string_view local);
    void EndSheetData();

    void StartRow(const char** attributes);
    void StartCell(const char** attributes);
    void EndCell();
    void AddText(std::string_view text);

    CellGrid& grid_;
    bool piece_ = false;
    std::int32_t firstRow_ = 0;
    std::int32_t row_ = 0;
    std::int32_t column_ = 0;
    std::int32_t cellRow_ = 0;
    std::string typeText_;
    std::string value_;
    std::string inlineText_;
    bool inCell_ = false;
    bool formula_ = false;
    bool sawValue_ = false;
    bool inline_ = false;
    bool capturing_ = false;
    int phonetic_ = 0;
    int depth_ = 0;
    bool inSheetData_ = false;
    bool sawSheetData_ = false;
    bool plainRows_ = false;
    RowsLayout layout_;
};

}  // namespace trevalco::workbook
