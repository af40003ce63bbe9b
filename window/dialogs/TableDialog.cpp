#include "dialogs/TableDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace trevalco::dialogs {

std::unique_ptr<QDialog> BuildTableDialog(const Table& table, QWidget* parent) {
    auto dialog = std::make_unique<QDialog>(parent);
    dialog->setObjectName(QStringLiteral("Tabla"));
    dialog->setWindowTitle(QString::fromStdString(table.title.empty() ? kApplicationTitle : table.title));
    auto* layout = new QVBoxLayout(dialog.get());  // owned by the dialog

    auto* heading = new QLabel(QString::fromStdString(table.heading));
    heading->setObjectName(QStringLiteral("Encabezado"));
    heading->setWordWrap(true);
    layout->addWidget(heading);

    auto* rows = new QTableWidget(static_cast<int>(table.rows.size()), static_cast<int>(table.columns.size()));
    rows->setObjectName(QStringLiteral("Filas"));
    rows->setAccessibleName(QString::fromStdString(table.heading));
    QStringList columns;
    for (const std::string& column : table.columns) columns << QString::fromStdString(column);
    rows->setHorizontalHeaderLabels(columns);
    for (std::size_t r = 0; r < table.rows.size(); ++r)
        for (std::size_t c = 0; c < table.rows[r].size() && c < table.columns.size(); ++c)
            rows->setItem(static_cast<int>(r), static_cast<int>(c),
                          new QTableWidgetItem(QString::fromStdString(table.rows[r][c])));
    rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rows->verticalHeader()->hide();
    rows->horizontalHeader()->setStretchLastSection(true);
    rows->resizeColumnsToContents();
    layout->addWidget(rows);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Cerrar"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog.get(), &QDialog::reject);
    layout->addWidget(buttons);
    dialog->resize(640, 420);
    return dialog;
}

}  // namespace trevalco::dialogs
