#include "batch/SheetPreview.h"

#include <algorithm>
#include <variant>

#include "CellReference.h"
#include "Worksheet.h"

namespace trevalco::batch {

namespace {

QString CellText(const cells::CellValue& value, const number_text::Separators& separators) {
    if (const auto* number = std::get_if<double>(&value))
        return QString::fromStdString(number_text::PlainText(*number, separators));
    if (const auto* text = std::get_if<std::string>(&value)) return QString::fromStdString(*text);
    return {};
}

}  // namespace

SheetPreview::SheetPreview(QObject* parent) : QAbstractTableModel(parent) {}

void SheetPreview::Show(const workbook::Worksheet& sheet, const number_text::Separators& separators) {
    beginResetModel();
    rows_.clear();
    const int rows = std::min(sheet.LastRow(), kMaxRows);
    columns_ = std::min(sheet.LastColumn(), kMaxColumns);
    rows_.reserve(static_cast<std::size_t>(rows));
    for (int row = 1; row <= rows; ++row) {
        QStringList texts;
        texts.reserve(columns_);
        for (int column = 1; column <= columns_; ++column)
            texts.push_back(CellText(sheet.Cell(row, column), separators));
        rows_.push_back(std::move(texts));
    }
    endResetModel();
}

void SheetPreview::ClearPicture() {
    beginResetModel();
    rows_.clear();
    columns_ = 0;
    endResetModel();
}

int SheetPreview::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SheetPreview::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant SheetPreview::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return rows_.at(static_cast<std::size_t>(index.row())).at(index.column());
}

QVariant SheetPreview::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return QString::fromStdString(workbook::ColumnName(section + 1));
    return section + 1;
}

}  // namespace trevalco::batch
