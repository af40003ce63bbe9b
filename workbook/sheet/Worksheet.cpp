#include "Worksheet.h"

#include <algorithm>
#include <charconv>

#include "CellReference.h"
#include "Compat.h"
#include "RowSpool.h"
#include "SharedStrings.h"
#include "WorkbookError.h"

namespace trevalco::workbook {

Worksheet::Worksheet(std::string name, std::string part, CellGrid grid, const LazySharedStrings& shared,
                     std::string book)
    : name_(std::move(name)), part_(std::move(part)), grid_(std::move(grid)), shared_(shared), book_(std::move(book)) {}

std::int32_t Worksheet::ColumnOf(std::string_view column) const {
    const std::int32_t index = ColumnIndex(column);
    if (index == 0)
        throw WorkbookError("La columna «" + std::string(column.substr(0, 20)) + "» no existe en una hoja (van de A a XFD).");
    return index;
}

cells::CellValue Worksheet::Cell(std::int32_t row, std::string_view column) const {
    return Cell(row, ColumnOf(column));
}

cells::CellValue Worksheet::Cell(std::int32_t row, std::int32_t column) const {
    if (row < 1) throw WorkbookError("Las filas se numeran desde 1 (se pidió la fila " + std::to_string(row) + ").");
    if (column < 1 || column > kMaxColumns)
        throw WorkbookError("La columna " + std::to_string(column) + " no existe en una hoja (van de 1 a 16384).");
    if (!written_.Empty()) {
        WrittenCell written;
        if (written_.Find(row, column, written)) {
            if (!written.IsNumber()) return std::string(written.text);
            double value = 0;
            compat::FromChars(written.text.data(), written.text.data() + written.text.size(), value);
            return value;
        }
    }
    if (spool_ != nullptr)
        if (auto spooled = spool_->Cell(row, column)) return std::move(*spooled);
    const StoredCell* cell = grid_.Find(row, column);
    if (cell == nullptr) return std::monostate{};
    switch (cell->kind) {
        case CellKind::Number: return CellGrid::Number(*cell);
        case CellKind::SharedText: return SharedText(*cell, row, column);
        case CellKind::OwnText: return std::string(grid_.OwnText(*cell));
    }
    return std::monostate{};
}

std::string Worksheet::SharedText(const StoredCell& cell, std::int32_t row, std::int32_t column) const {
    std::string reason;
    try {
        const SharedStrings& table = shared_.Table();
        if (cell.payload < table.Count()) return std::string(table.At(cell.payload));
        reason = "tiene un índice de texto compartido no válido («" + std::to_string(cell.payload) + "» en " +
                 CellName({row, column}) + "; hay " + std::to_string(table.Count()) + " textos)";
    } catch (const WorkbookError& error) {
        reason = error.what();
    }
    throw WorkbookError("No se puede leer la hoja «" + name_ + "» del libro " + book_ + ": " + reason + ".");
}

void Worksheet::Write(std::int32_t row, std::string_view column, std::string_view text) {
    Write(row, ColumnOf(column), text);
}

void Worksheet::Write(std::int32_t row, std::int32_t column, std::string_view text) {
    CheckWritable(row, column);
    written_.Write(row, column, text);
}

void Worksheet::WriteNumber(std::int32_t row, std::string_view column, std::string_view digits, int decimals) {
    WriteNumber(row, ColumnOf(column), digits, decimals);
}

namespace {

// An optional "-", digits, and an optional "." followed by digits.
bool IsPlainNumber(std::string_view digits) {
    std::size_t at = !digits.empty() && digits.front() == '-' ? 1 : 0;
    const std::size_t integerStart = at;
    while (at < digits.size() && digits[at] >= '0' && digits[at] <= '9') ++at;
    if (at == integerStart) return false;
    if (at == digits.size()) return true;
    if (digits[at] != '.' || ++at == digits.size()) return false;
    while (at < digits.size() && digits[at] >= '0' && digits[at] <= '9') ++at;
    return at == digits.size();
}

}  // namespace

void Worksheet::WriteNumber(std::int32_t row, std::int32_t column, std::string_view digits, int decimals) {
    CheckWritable(row, column);
    if (!IsPlainNumber(digits) || digits.size() > 64 || decimals < 0 || decimals > 30)
        throw WorkbookError("«" + std::string(digits.substr(0, 40)) + "» no es un número que se pueda escribir en una celda.");
    written_.Write(row, column, digits, decimals);
}

void Worksheet::CheckWritable(std::int32_t row, std::int32_t column) {
    if (row < 1 || row > kMaxRows)
        throw WorkbookError("No se puede escribir en la fila " + std::to_string(row) +
                            ": una hoja tiene las filas 1 a 1048576.");
    if (column < 1 || column > kMaxColumns)
        throw WorkbookError("No se puede escribir en la columna " + std::to_string(column) +
                            ": una hoja tiene las columnas A a XFD.");
    if (const StoredCell* cell = grid_.Find(row, column); cell != nullptr && cell->formula)
        overwroteFormula_ = true;
    constexpr std::size_t kSpoolAt = 1 << 16;  // written cells held before they are offered
    if (spool_ != nullptr && written_.Count() >= kSpoolAt && row > written_.LastRow() && spool_->Take(written_))
        written_ = WrittenCells();
}

bool Worksheet::Changed() const {
    return !written_.Empty() || (spool_ != nullptr && spool_->Bounds().LastRow() > 0);
}

void Worksheet::CheckRowOrder() const {
    if (const auto& fault = grid_.RowOrder()) throw WorkbookError(RowsOutOfOrderText(part_, fault->row, fault->after));
}


std::int32_t Worksheet::LastRow() const {
    const std::int32_t spooled = spool_ != nullptr ? spool_->Bounds().LastRow() : 0;
    return std::max({grid_.LastRow(), written_.LastRow(), spooled});
}

std::int32_t Worksheet::LastColumn() const {
    const std::int32_t spooled = spool_ != nullptr ? spool_->Bounds().LastColumn() : 0;
    return std::max({grid_.LastColumn(), written_.LastColumn(), spooled});
}

std::string Worksheet::UsedRange() const {
    if (grid_.Empty() && written_.Empty()) return "A1";
    CellPosition first{kMaxRows, kMaxColumns};
    CellPosition last{1, 1};
    if (!grid_.Empty()) {
        first = {grid_.FirstRow(), grid_.FirstColumn()};
        last = {grid_.LastRow(), grid_.LastColumn()};
    }
    if (!written_.Empty()) {
        first = {std::min(first.row, written_.FirstRow()), std::min(first.column, written_.FirstColumn())};
        last = {std::max(last.row, written_.LastRow()), std::max(last.column, written_.LastColumn())};
    }
    if (first == last) return CellName(first);
    return CellName(first) + ":" + CellName(last);
}

}  // namespace trevalco::workbook
