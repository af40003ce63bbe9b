// What the box OLE1 shows: a read-only picture of the first rows and columns
// of a sheet, taken while the workbook was open. It holds its own copy of the
// texts, so the workbook is closed as soon as the picture is taken.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <vector>

#include "NumberText.h"

namespace trevalco::workbook {
class Worksheet;
}

namespace trevalco::batch {

class SheetPreview : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kMaxRows = 200;
    static constexpr int kMaxColumns = 26;

    explicit SheetPreview(QObject* parent = nullptr);

    // Takes the picture of a sheet: cell texts as stored, numbers in the
    // user's locale.
    void Show(const workbook::Worksheet& sheet, const number_text::Separators& separators);
    void ClearPicture();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Column letters across the top, row numbers down the side.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<QStringList> rows_;
    int columns_ = 0;
};

}  // namespace trevalco::batch
