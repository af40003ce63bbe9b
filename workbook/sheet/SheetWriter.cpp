#include "SheetWriter.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "CellReference.h"
#include "FormulaShift.h"
#include "WorkbookError.h"
#include "XmlText.h"

namespace trevalco::workbook {

namespace {

constexpr std::size_t kChunk = 1 << 17;

std::string_view PrefixOf(const char* name) {
    const char* colon = std::strrchr(name, ':');
    return colon == nullptr ? std::string_view() : std::string_view(name, static_cast<std::size_t>(colon - name + 1));
}

bool NeedsPreserve(std::string_view text) {
    return !text.empty() && (std::strchr(" \t\r\n", text.front()) != nullptr ||
                             std::strchr(" \t\r\n", text.back()) != nullptr);
}

// Appends a number or a cell's name without building strings: a rewritten
// sheet names millions of cells.
void AppendNumber(std::string& out, std::uint32_t value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// Writes a cell's name ("AB12") at `at`, which has room for 16 characters;
// returns the end.
char* PutCellName(char* at, std::int32_t column, std::int32_t row) {
    char letters[4];
    int count = 0;
    for (auto left = static_cast<std::uint32_t>(column); left > 0 && count < 4; left = (left - 1) / 26)
        letters[count++] = static_cast<char>('A' + (left - 1) % 26);
    while (count > 0) *at++ = letters[--count];
    return std::to_chars(at, at + 11, static_cast<std::uint32_t>(row)).ptr;
}

void AppendCellName(std::string& out, std::int32_t column, std::int32_t row) {
    char name[16];
    out.append(name, PutCellName(name, column, row));
}

// A number cell without a prefix, built in one piece: a rewritten sheet
// holds millions of them. Nothing when it does not fit the buffer.
bool AppendPlainNumberCell(std::string& out, std::int32_t row, std::int32_t column, std::uint32_t style,
                           std::string_view digits) {
    char buffer[128];
    if (digits.size() > sizeof buffer - 64) return false;
    char* at = buffer;
    const auto put = [&at](std::string_view part) {
        std::memcpy(at, part.data(), part.size());
        at += part.size();
    };
    put("<c r=\"");
    at = PutCellName(at, column, row);
    if (style != 0) {
        put("\" s=\"");
        at = std::to_chars(at, at + 11, style).ptr;
    }
    put("\"><v>");
    put(digits);
    put("</v></c>");
    out.append(buffer, at);
    return true;
}

std::uint32_t StyleNumber(const char* text) {
    std::uint32_t style = 0;
    if (text != nullptr) std::from_chars(text, text + std::strlen(text), style);
    return style;
}

bool IsTrue(const char* text) {
    return text != nullptr && (std::strcmp(text, "1") == 0 || std::strcmp(text, "true") == 0);
}

}  // namespace

SheetWriter::SheetWriter(std::unique_ptr<PartSource> original, const WrittenCells& written, Options options,
                         std::string part)
    : original_(std::move(original)),
      rows_(options.rows),
      written_(written),
      dimension_(std::move(options.dimension)),
      styles_(options.styles),
      selected_(options.selected),
      freshFormulas_(options.freshFormulas || !written.Empty()),
      part_(std::move(part)),
      parser_(*this, part_),
      nextWrittenRow_(written.NextRow(1)) {}

std::size_t SheetWriter::Read(char* buffer, std::size_t size) {
    while (outAt_ == out_.size() && !finished_) {
        out_.clear();
        outAt_ = 0;
        Pump();
    }
    const std::size_t count = std::min(size, out_.size() - outAt_);
    std::memcpy(buffer, out_.data() + outAt_, count);
    outAt_ += count;
    return count;
}

void SheetWriter::Pump() {
    if (!inputDone_) {
        input_.resize(kChunk);
        const std::size_t got = original_->Read(input_.data(), kChunk);
        inputDone_ = got == 0;
        const std::int64_t at = inputAt_;
        inputAt_ += static_cast<std::int64_t>(got);
        const char* data = input_.data();
        if (rows_.plain) {
            // The rows go round expat, which sees an empty sheetData.
            const auto local = [&](std::int64_t offset) {
                return static_cast<std::size_t>(std::clamp<std::int64_t>(offset - at, 0, static_cast<std::int64_t>(got)));
            };
            const std::size_t start = local(rows_.start);
            const std::size_t end = local(rows_.end);
            Parse(data, start, false);
            if (end > start || (!rowsStarted_ && at + static_cast<std::int64_t>(got) >= rows_.end)) {
                if (!rowsStarted_) Flush(rows_.start);
                rowsStarted_ = true;
                rowsDone_ = at + static_cast<std::int64_t>(end) == rows_.end;
                RewriteRows(data + start, end - start, rowsDone_);
            }
            Parse(data + end, got - end, inputDone_);
        } else {
            Parse(data, got, inputDone_);
        }
    }
    if (inputDone_) {
        if (rows_.plain && !rowsDone_) throw WorkbookError("la parte " + part_ + " cambió mientras se guardaba");
        Flush(retainedStart_ + static_cast<std::int64_t>(retained_.size()));
        if (!written_.Empty() && !sawSheetData_)
            throw WorkbookError("la parte " + part_ + " no tiene zona de celdas (sheetData): no se puede escribir en ella");
        finished_ = true;
    }
}

void SheetWriter::Parse(const char* data, std::size_t size, bool last) {
    const std::size_t before = retained_.size();
    retained_.append(data, size);
    parser_.Feed(retained_.data() + before, size, last);
    // Drop what is done with, keeping the unfinished tail.
    const auto done = static_cast<std::size_t>(cursor_ - retainedStart_);
    if (done > kChunk || done == retained_.size()) {
        retained_.erase(0, done);
        retainedStart_ = cursor_;
    }
}

void SheetWriter::Flush(std::int64_t to) {
    if (to <= cursor_) return;
    out_.append(retained_, static_cast<std::size_t>(cursor_ - retainedStart_), static_cast<std::size_t>(to - cursor_));
    cursor_ = to;
}

void SheetWriter::SkipTo(std::int64_t to) {
    if (to > cursor_) cursor_ = to;
}

bool SheetWriter::StartTagIsEmpty(std::int64_t offset, std::int64_t length) const {
    const std::int64_t slash = offset + length - 2 - retainedStart_;
    return length >= 2 && slash >= 0 && static_cast<std::size_t>(slash) < retained_.size() &&
           retained_[static_cast<std::size_t>(slash)] == '/';
}

void SheetWriter::EmitStartTag(const char* name, const char** attributes, std::int32_t row, bool dropSpans,
                               bool empty) {
    out_ += '<';
    out_ += name;
    out_ += " r=\"";
    out_ += std::to_string(row);
    out_ += '"';
    for (const char** at = attributes; *at != nullptr; at += 2) {
        const std::string_view attribute = *at;
        if (attribute == "r" || (dropSpans && attribute == "spans")) continue;
        out_ += ' ';
        out_ += attribute;
        out_ += "=\"";
        AppendEscaped(out_, at[1]);
        out_ += '"';
    }
    out_ += empty ? "/>" : ">";
}

std::uint32_t SheetWriter::NewCellStyle(std::int32_t column) const {
    if (rowStyle_) return *rowStyle_;
    for (const ColumnStyle& range : columnStyles_)
        if (column >= range.first && column <= range.last) return range.style;
    return 0;
}

void SheetWriter::EmitCell(std::int32_t row, const WrittenCell& cell, std::uint32_t style) {
    const std::string_view text = cell.text;
    if (cell.IsNumber() && styles_ != nullptr) style = styles_->NumberStyle(style, cell.decimals);
    if (cell.IsNumber() && prefix_.empty() && AppendPlainNumberCell(out_, row, cell.column, style, text)) return;
    out_ += '<';
    out_ += prefix_;
    out_ += "c r=\"";
    AppendCellName(out_, cell.column, row);
    out_ += '"';
    if (style != 0) {
        out_ += " s=\"";
        AppendNumber(out_, style);
        out_ += '"';
    }
    if (cell.IsNumber()) {
        out_ += "><";
        out_ += prefix_;
        out_ += "v>";
        out_ += text;
        out_ += "</";
        out_ += prefix_;
        out_ += "v></";
        out_ += prefix_;
        out_ += "c>";
        return;
    }
    out_ += " t=\"inlineStr\"><";
    out_ += prefix_;
    out_ += "is><";
    out_ += prefix_;
    out_ += NeedsPreserve(text) ? "t xml:space=\"preserve\">" : "t>";
    AppendEscaped(out_, text);
    out_ += "</";
    out_ += prefix_;
    out_ += "t></";
    out_ += prefix_;
    out_ += "is></";
    out_ += prefix_;
    out_ += "c>";
}

void SheetWriter::EmitNewRowsBefore(std::int32_t limit) {
    while (nextWrittenRow_ != 0 && (limit == 0 || nextWrittenRow_ < limit)) {
        const std::int32_t row = nextWrittenRow_;
        written_.RowCells(row, rowCells_);
        out_ += '<';
        out_ += prefix_;
        out_ += "row r=\"";
        out_ += std::to_string(row);
        out_ += "\">";
        rowStyle_.reset();
        for (const WrittenCell& cell : rowCells_) EmitCell(row, cell, NewCellStyle(cell.column));
        out_ += "</";
        out_ += prefix_;
        out_ += "row>";
        nextWrittenRow_ = written_.NextRow(row + 1);
    }
}

void SheetWriter::OnStart(const char* name, const char** attributes) {
    ++depth_;
    if (skipDepth_ != 0) {
        if (replacingCell_ && depth_ == skipDepth_ + 1 && LocalName(name) == "f") {
            const char* type = FindAttribute(attributes, "t");
            const char* si = FindAttribute(attributes, "si");
            replacedIsDefinition_ = type != nullptr && std::strcmp(type, "shared") == 0 && si != nullptr &&
                                    FindAttribute(attributes, "ref") != nullptr;
            replacedSi_ = si == nullptr ? "" : si;
            inReplacedFormula_ = true;
        }
        return;
    }
    if (depth_ == 2) {
        const std::string_view local = LocalName(name);
        inCols_ = local == "cols";
        inSheetViews_ = local == "sheetViews";
        if (local == "dimension" && !dimension_.empty()) {
            Flush(parser_.EventOffset());
            out_ += '<';
            out_ += name;
            out_ += " ref=\"" + dimension_ + "\"/>";
            skipDepth_ = depth_;
        } else if (local == "sheetData") {
            inSheetData_ = true;
            prefix_ = PrefixOf(name);
            sheetDataName_ = name;
            sheetDataStart_ = parser_.EventOffset();
        }
    } else if (depth_ == 3 && inSheetData_ && LocalName(name) == "row") {
        StartRow(name, attributes, parser_.EventOffset(), parser_.EventLength());
    } else if (depth_ == 4 && inSheetData_) {
        cellHasFormula_ = false;
        if (LocalName(name) != "c") return;
        if (rewriting_) StartCell(name, attributes, parser_.EventOffset());
        else if (!orphaned_.empty()) TrackCell(attributes);
    } else if (depth_ == 5 && inSheetData_) {
        const std::string_view local = LocalName(name);
        if (local == "f") {
            cellHasFormula_ = true;
            if (!orphaned_.empty()) StartFormula(name, attributes);
        } else if (local == "v" && cellHasFormula_ && freshFormulas_) {
            // A formula's cached result may be stale once cells are written:
            // without it, spreadsheets calculate the formula when opening
            // (LibreOffice does not honour the calculate-on-load flag).
            Flush(parser_.EventOffset());
            SkipTo(parser_.EventOffset() + parser_.EventLength());
            skipDepth_ = depth_;
        }
    } else if (depth_ == 3 && inCols_ && LocalName(name) == "col") {
        StartColumn(attributes);
    } else if (depth_ == 3 && inSheetViews_ && selected_ && LocalName(name) == "sheetView") {
        StartSheetView(name, attributes);
    }
}

void SheetWriter::OnText(std::string_view text) {
    if (inReplacedFormula_) replacedFormula_ += text;
}

void SheetWriter::StartColumn(const char** attributes) {
    const char* style = FindAttribute(attributes, "style");
    if (style == nullptr) return;
    const auto first = static_cast<std::int32_t>(StyleNumber(FindAttribute(attributes, "min")));
    const char* max = FindAttribute(attributes, "max");
    const auto last = max == nullptr ? first : static_cast<std::int32_t>(StyleNumber(max));
    columnStyles_.push_back({first, last, StyleNumber(style)});
}

void SheetWriter::StartSheetView(const char* name, const char** attributes) {
    // Only the sheet made active is selected, so that no sheets are grouped.
    const std::int64_t offset = parser_.EventOffset();
    const std::int64_t length = parser_.EventLength();
    Flush(offset);
    out_ += '<';
    out_ += name;
    const char* view = FindAttribute(attributes, "workbookViewId");
    if (*selected_ && (view == nullptr || std::strcmp(view, "0") == 0)) out_ += " tabSelected=\"1\"";
    for (const char** at = attributes; *at != nullptr; at += 2) {
        if (std::strcmp(*at, "tabSelected") == 0) continue;
        out_ += ' ';
        out_ += *at;
        out_ += "=\"";
        AppendEscaped(out_, at[1]);
        out_ += '"';
    }
    out_ += StartTagIsEmpty(offset, length) ? "/>" : ">";
    SkipTo(offset + length);
}

void SheetWriter::TrackCell(const char** attributes) {
    const char* r = FindAttribute(attributes, "r");
    const auto position = r == nullptr ? std::nullopt : ParseCellReference(r);
    cellColumn_ = position ? position->column : cellColumn_ + 1;
}

void SheetWriter::StartFormula(const char* name, const char** attributes) {
    const char* type = FindAttribute(attributes, "t");
    const char* si = FindAttribute(attributes, "si");
    if (type == nullptr || std::strcmp(type, "shared") != 0 || si == nullptr) return;
    const auto found = orphaned_.find(si);
    if (found == orphaned_.end()) return;
    if (FindAttribute(attributes, "ref") != nullptr) {
        orphaned_.erase(found);  // a new definition under the same number
        return;
    }
    // The cell shared a definition that is gone: it gets its formula in full.
    const std::int64_t offset = parser_.EventOffset();
    Flush(offset);
    out_ += '<';
    out_ += name;
    out_ += '>';
    AppendEscaped(out_, ShiftFormula(found->second.text, cellRow_ - found->second.row,
                                     cellColumn_ - found->second.column));
    out_ += "</";
    out_ += name;
    out_ += '>';
    SkipTo(offset + parser_.EventLength());
    skipDepth_ = depth_;
}

void SheetWriter::EndReplacedCell() {
    if (replacedIsDefinition_ && !replacedFormula_.empty())
        orphaned_[replacedSi_] = SharedFormula{replacedFormula_, cellRow_, cellColumn_};
    replacingCell_ = false;
    inReplacedFormula_ = false;
    replacedIsDefinition_ = false;
    replacedFormula_.clear();
}

void SheetWriter::OnEnd(const char* name) {
    const std::int64_t offset = parser_.EventOffset();
    const std::int64_t length = parser_.EventLength();
    if (depth_ == 2) inCols_ = inSheetViews_ = false;
    if (skipDepth_ != 0) {
        if (depth_ == skipDepth_ + 1) inReplacedFormula_ = false;
        if (depth_ == skipDepth_) {
            SkipTo(offset + length);
            skipDepth_ = 0;
            if (replacingCell_) EndReplacedCell();
        }
    } else if (depth_ == 3 && rewriting_) {
        EndRow(name, offset, length);
    } else if (depth_ == 2 && inSheetData_) {
        EndSheetData(offset, length);
    } else if (depth_ <= 3 && !rewriting_) {
        Flush(offset + length);
    }
    --depth_;
}

void SheetWriter::StartRow(const char* name, const char** attributes, std::int64_t offset, std::int64_t length) {
    const char* r = FindAttribute(attributes, "r");
    std::int32_t row = previousRow_ + 1;
    if (r != nullptr) {
        std::int32_t given = 0;
        const std::size_t size = std::strlen(r);
        const auto [end, error] = std::from_chars(r, r + size, given);
        if (error == std::errc() && end == r + size && given >= 1 && given <= kMaxRows) row = given;
    }
    // Rows must come in order for written rows to find their place; a part
    // that repeats or reorders them is refused rather than saved damaged.
    if (row <= previousRow_ && !written_.Empty()) throw WorkbookError(RowsOutOfOrderText(part_, row, previousRow_));
    previousRow_ = row;
    cellRow_ = row;
    cellColumn_ = 0;
    if (nextWrittenRow_ != 0 && nextWrittenRow_ < row) {
        Flush(offset);
        EmitNewRowsBefore(row);
    }
    const bool hasWrites = nextWrittenRow_ == row;
    if (!hasWrites && r != nullptr) return;
    const bool empty = StartTagIsEmpty(offset, length);
    if (!KeepsRowTag(r != nullptr, hasWrites, empty, FindAttribute(attributes, "spans") != nullptr)) {
        Flush(offset);
        EmitStartTag(name, attributes, row, hasWrites, empty && !hasWrites);
        SkipTo(offset + length);
    }
    if (!hasWrites) return;
    rewriting_ = true;
    rowWasEmpty_ = empty;
    rowStyle_.reset();
    if (IsTrue(FindAttribute(attributes, "customFormat")))
        if (const char* style = FindAttribute(attributes, "s")) rowStyle_ = StyleNumber(style);
    row_ = row;
    column_ = 0;
    written_.RowCells(row, rowCells_);
    rowCellAt_ = 0;
    nextWrittenRow_ = written_.NextRow(row + 1);
}

void SheetWriter::StartCell(const char* name, const char** attributes, std::int64_t offset) {
    const char* r = nullptr;
    const char* style = nullptr;
    for (const char** at = attributes; *at != nullptr; at += 2) {
        if (std::strcmp(*at, "r") == 0) r = at[1];
        else if (std::strcmp(*at, "s") == 0) style = at[1];
    }
    std::int32_t column = column_ + 1;
    if (r != nullptr) {
        if (const auto position = ParseCellReference(r)) column = position->column;
    }
    column_ = column;
    cellColumn_ = column;
    Flush(offset);
    while (rowCellAt_ < rowCells_.size() && rowCells_[rowCellAt_].column < column) {
        EmitCell(row_, rowCells_[rowCellAt_], NewCellStyle(rowCells_[rowCellAt_].column));
        ++rowCellAt_;
    }
    if (rowCellAt_ < rowCells_.size() && rowCells_[rowCellAt_].column == column) {
        // The written cell replaces the cell; its style stays.
        EmitCell(row_, rowCells_[rowCellAt_], StyleNumber(style));
        ++rowCellAt_;
        skipDepth_ = depth_;
        replacingCell_ = true;
    } else if (r == nullptr) {
        // Name the cell, so that cells added before it cannot shift it.
        out_ += '<';
        out_ += name;
        out_ += " r=\"" + ColumnName(column) + std::to_string(row_) + "\"";
        SkipTo(offset + 1 + static_cast<std::int64_t>(std::strlen(name)));
    }
}

void SheetWriter::EndRow(const char* name, std::int64_t offset, std::int64_t length) {
    Flush(offset);
    for (; rowCellAt_ < rowCells_.size(); ++rowCellAt_)
        EmitCell(row_, rowCells_[rowCellAt_], NewCellStyle(rowCells_[rowCellAt_].column));
    if (rowWasEmpty_) {
        out_ += "</";
        out_ += name;
        out_ += '>';
    } else {
        Flush(offset + length);
    }
    rewriting_ = false;
}

void SheetWriter::EndSheetData(std::int64_t offset, std::int64_t length) {
    if (length == 0) {
        // <sheetData/>: opened, so that the new rows have a place.
        Flush(sheetDataStart_);
        SkipTo(offset);
        out_ += '<';
        out_ += sheetDataName_;
        out_ += '>';
        EmitNewRowsBefore(0);
        out_ += "</";
        out_ += sheetDataName_;
        out_ += '>';
    } else {
        Flush(offset);
        EmitNewRowsBefore(0);
        Flush(offset + length);
    }
    inSheetData_ = false;
    sawSheetData_ = true;
}

}  // namespace trevalco::workbook
