#include "SheetHandler.h"

#include <charconv>
#include <cstring>

#include "CellReference.h"
#include "Compat.h"
#include "SheetReader.h"
#include "XmlText.h"

namespace trevalco::workbook {

namespace {

// Without blanks at either end (a loop: this runs twice a cell).
std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string Shown(std::string_view text) {
    return std::string(text.substr(0, 40)) + (text.size() > 40 ? "…" : "");
}

}  // namespace

void SheetHandler::Report(RowsPiece& piece) const {
    piece.firstRow = firstRow_;
    piece.lastRow = row_;
    piece.lastColumn = column_;
    piece.plain = plainRows_;
}

void SheetHandler::Absorb(RowsPiece& piece) {
    if (piece.firstRow != 0 && piece.firstRow <= row_) grid_.NoteRowOutOfOrder(piece.firstRow, row_);
    if (!grid_.Append(std::move(piece.grid))) parser->Fail("tiene demasiado texto");
    if (piece.lastRow != 0) row_ = piece.lastRow;
    column_ = piece.lastColumn;
    plainRows_ = plainRows_ && piece.plain;
}

void SheetHandler::OnStart(const char* name, const char** attributes) {
    const std::string_view local = LocalName(name);
    ++depth_;
    if (inSheetData_) NoteRowsElement(local);
    else if (depth_ == 2 && local == "sheetData") StartSheetData();
    if (inCell_) {
        if (local == "v") {
            capturing_ = true;
            sawValue_ = true;
        } else if (local == "f") {
            formula_ = true;
        } else if (local == "is") {
            inline_ = true;
        } else if (local == "rPh") {
            ++phonetic_;
        } else if (local == "t" && inline_ && phonetic_ == 0) {
            capturing_ = true;
        }
        return;
    }
    if (local == "c") StartCell(attributes);
    else if (local == "row") StartRow(attributes);
}

void SheetHandler::OnEnd(const char* name) {
    if (inSheetData_ && depth_ == 2) EndSheetData();
    --depth_;
    if (!inCell_) return;
    const std::string_view local = LocalName(name);
    if (local == "v" || local == "t") capturing_ = false;
    else if (local == "rPh") --phonetic_;
    else if (local == "c") EndCell();
}

void SheetHandler::OnOther() {
    if (inSheetData_) plainRows_ = false;
}

void SheetHandler::OnText(std::string_view text) {
    if (capturing_) {
        if (inline_) inlineText_ += text;
        else value_ += text;
    }
}

void SheetHandler::StartSheetData() {
    plainRows_ = !sawSheetData_;
    sawSheetData_ = inSheetData_ = true;
    layout_.start = parser->EventOffset() + parser->EventLength();
}

void SheetHandler::NoteRowsElement(std::string_view local) {
    static constexpr std::string_view kPlain[] = {"row", "c", "v"};
    const int level = depth_ - 3;
    if (level < 0 || level > 2 || !SameName(local, kPlain[level])) plainRows_ = false;
}

void SheetHandler::EndSheetData() {
    inSheetData_ = false;
    layout_.end = parser->EventOffset();
    layout_.plain = plainRows_ && parser->EventLength() > 0 && layout_.end >= layout_.start;
    grid_.SetRowsLayout(layout_);
}

void SheetHandler::StartRow(const char** attributes) {
    const char* r = FindAttribute(attributes, "r");
    if (r == nullptr && piece_) {
        parser->Fail("tiene una fila sin número");
        return;
    }
    std::int64_t row = row_ + 1;
    if (r != nullptr) {
        const std::string_view text = Trimmed(r);
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), row);
        if (error != std::errc() || end != text.data() + text.size() || text.empty()) row = -1;
    }
    if (row < 1 || row > kMaxRows) {
        parser->Fail("tiene una fila fuera de la hoja (" + (r ? Shown(r) : std::to_string(row)) +
                     "; el máximo es 1048576)");
        return;
    }
    if (row <= row_) grid_.NoteRowOutOfOrder(static_cast<std::int32_t>(row), row_);
    row_ = static_cast<std::int32_t>(row);
    if (firstRow_ == 0) firstRow_ = row_;
    column_ = 0;
}

void SheetHandler::StartCell(const char** attributes) {
    const char* r = nullptr;
    const char* type = nullptr;
    for (const char** at = attributes; *at != nullptr; at += 2) {
        if (std::strcmp(*at, "r") == 0) r = at[1];
        else if (std::strcmp(*at, "t") == 0) type = at[1];
    }
    if (r != nullptr) {
        const auto position = ParseCellReference(Trimmed(r));
        if (!position) {
            parser->Fail("tiene una referencia de celda no válida o fuera de la hoja («" + Shown(r) + "»)");
            return;
        }
        cellRow_ = position->row;
        column_ = position->column;
    } else {
        if (row_ == 0) {
            parser->Fail("tiene una celda sin fila");
            return;
        }
        if (column_ >= kMaxColumns) {
            parser->Fail("tiene una celda más allá de la columna XFD");
            return;
        }
        cellRow_ = row_;
        ++column_;
    }
    if (type == nullptr) typeText_.clear();
    else typeText_.assign(type);
    inCell_ = true;
    formula_ = false;
    sawValue_ = false;
    inline_ = false;
    capturing_ = false;
    phonetic_ = 0;
    value_.clear();
    inlineText_.clear();
}

void SheetHandler::EndCell() {
    inCell_ = false;
    capturing_ = false;
    const std::string_view type = typeText_;
    if (formula_ && !sawValue_ && type != "inlineStr") {
        AddText(kNoResultText);
        return;
    }
    if (type == "inlineStr" || (value_.empty() && !inlineText_.empty())) {
        DecodeEscapes(inlineText_);
        AddText(inlineText_);
        return;
    }
    const std::string_view value = type == "str" ? std::string_view(value_) : Trimmed(value_);
    if (type == "s") {
        if (value.empty()) return;
        std::uint64_t index = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), index);
        if (error != std::errc() || end != value.data() + value.size() || index > UINT32_MAX) {
            parser->Fail("tiene un índice de texto compartido no válido («" + Shown(value) + "» en " +
                         CellName({cellRow_, column_}) + ")");
            return;
        }
        grid_.AddSharedText(cellRow_, column_, static_cast<std::uint32_t>(index), formula_);
    } else if (type == "b") {
        if (!value.empty()) AddText(value == "1" || value == "true" ? kTrueText : kFalseText);
    } else if (type.empty() || type == "n") {
        if (value.empty()) return;  // a formatted empty cell
        double number = 0.0;
        const auto [end, error] = compat::FromChars(value.data(), value.data() + value.size(), number);
        if (error == std::errc() && end == value.data() + value.size())
            grid_.AddNumber(cellRow_, column_, number, formula_);
        else
            AddText(value);
    } else {
        // "str" (a formula's text), "e" (an error value such as #N/A), "d" (ISO date).
        if (value.empty() && type != "str") return;
        std::string text(value);
        DecodeEscapes(text);
        AddText(text);
    }
}

void SheetHandler::AddText(std::string_view text) {
    if (!grid_.AddOwnText(cellRow_, column_, text, formula_)) parser->Fail("tiene demasiado texto");
}

}  // namespace trevalco::workbook
